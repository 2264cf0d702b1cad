// Chooses the driver from the database URL.
#include "server/db_connection.h"

#include "server/pg_connection.h"
#include "server/sqlite_connection.h"

namespace zor::server {

QueryResult Connection::Query(const std::string& sql, const std::vector<SqlValue>& params) {
  QueryResult out;
  QueryEach(sql, params, [&out](const std::vector<SqlValueView>& row) { KeepRow(out, row); });
  return out;
}

std::unique_ptr<Connection> OpenConnection(const std::string& url) {
  if (url.rfind("sqlite:", 0) == 0) {
    std::string path = url.substr(7);
    if (path.empty()) throw DbError(DbError::FaultKind::Connection, "URL do banco SQLite sem caminho: " + url);
    return std::make_unique<SqliteConnection>(path);
  }
  if (url.rfind("postgresql://", 0) == 0 || url.rfind("postgres://", 0) == 0)
    return std::make_unique<PgConnection>(url);
  throw DbError(DbError::FaultKind::Connection,
                "URL de banco de dados não reconhecida (use sqlite:CAMINHO ou postgresql://...): " + url);
}

}  // namespace zor::server

// Chooses the driver from the database URL.
#include "server/db_connection.h"

#include "server/pg_connection.h"
#include "server/sqlite_connection.h"

namespace zor::server {

QueryResult Connection::Query(const std::string& sql, const std::vector<SqlValue>& params) {
  QueryResult out;
  QueryEach(sql, params, [&out](const std::vector<SqlValueView>& row) {
    std::vector<SqlValue>& kept = out.rows.emplace_back();
    kept.reserve(row.size());
    for (const SqlValueView& v : row) kept.push_back(Owned(v));
  });
  return out;
}

std::shared_ptr<Connection::AheadRead> Connection::ReadAhead(const std::string& sql,
                                                            const std::vector<SqlValue>& params) {
  auto read = std::make_shared<AheadRead>();
  read->rows_ = Query(sql, params);
  read->arrived_ = true;
  return read;
}

const QueryResult& Connection::AheadRead::Rows() {
  if (!arrived_) c_->SendWaiting();
  // Sent and not arrived: the statement that took it along failed, and
  // said so; reaching here means a caller read on regardless.
  if (!arrived_) throw DbError(DbError::FaultKind::Other, "leitura antecipada sem resposta");
  return rows_;
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

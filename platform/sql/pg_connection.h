// The PostgreSQL driver over libpq. Named parameters are rewritten to
// positions and sent as text; values come back typed by the column's type.
// Each statement is prepared on the connection the first time it runs.
// Unquoted identifiers fold to lower case on PostgreSQL, so result column
// names are given in upper case, as the screens name their fields.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/sql/connection.h"

struct pg_conn;
struct pg_result;

namespace zor::plat {

class PgConnection : public DbConnection {
 public:
  // `url` is a libpq connection URL. Raises EDatabaseError when the server
  // cannot be reached or refuses the connection.
  explicit PgConnection(const std::string& url);
  ~PgConnection() override;

  SqlDialect Dialect() const override { return SqlDialect::PostgreSql; }
  std::string DatabaseName() const override { return name_; }
  bool Connected() const override { return conn_ != nullptr; }
  void Close() override;

  SqlResult Query(std::string_view sql, const SqlParams& params = {}) override;
  SqlResult QueryReadOnly(std::string_view sql, const SqlParams& params = {}) override;
  int64_t Execute(std::string_view sql, const SqlParams& params = {}) override;
  void ExecuteScript(std::string_view script) override;

 private:
  struct ResultDeleter {
    void operator()(pg_result* r) const;
  };
  using Result = std::unique_ptr<pg_result, ResultDeleter>;

  pg_conn* Handle();
  pg_result* Run(pg_conn* conn, std::string_view sql, const SqlParams& params);
  void SetUpSession();
  Result Check(pg_result* raw) const;
  static SqlResult ToSqlResult(pg_result* res);

  std::string name_;
  pg_conn* conn_ = nullptr;
  std::unordered_map<std::string, std::string> prepared_;  // statement and parameter types: its name
  unsigned long statementsPrepared_ = 0;
};

// The URL with any password left out, fit for a message.
std::string RedactDatabaseUrl(std::string_view url);

}  // namespace zor::plat

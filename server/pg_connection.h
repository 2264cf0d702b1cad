// The PostgreSQL driver over libpq. Parameters travel as text and take the
// type of the column they are compared with or stored in; rows come back as
// text and are converted by the packet layer. Each statement is prepared on
// the connection the first time it runs and kept (statement_cache.h): the
// database parses and plans it once, not at every call. A list whose
// length depends on its values is planned for them each time instead.
#pragma once

#include <string>
#include <vector>

#include "server/db_connection.h"
#include "server/statement_cache.h"

struct pg_conn;
struct pg_result;

namespace zor::server {

class PgConnection final : public Connection {
 public:
  explicit PgConnection(const std::string& url);
  ~PgConnection() override;

  SqlDialect Dialect() const override { return SqlDialect::Postgresql; }
  void ExecScript(const std::string& sql) override;
  void QueryEach(const std::string& sql, const std::vector<SqlValue>& params, const RowReader& read) override;
  void QueryEachPlannedForValues(const std::string& sql, const std::vector<SqlValue>& params,
                                 const RowReader& read) override;
  std::int64_t Execute(const std::string& sql, const std::vector<SqlValue>& params) override;
  void Defer(const std::string& sql, const std::vector<SqlValue>& params, const FailureMeaning& meaning = {}) override;
  std::shared_ptr<AheadRead> ReadAhead(const std::string& sql, const std::vector<SqlValue>& params) override;
  void BeginWrite() override;
  void Commit() override;
  void Rollback() noexcept override;
  void LockForMigration() override;
  std::string LockRowsClause() const override { return " FOR UPDATE"; }
  std::string ColumnSql(ColumnType type, int size) const override;
  std::string LengthCheck(const std::string&, int) const override { return ""; }
  bool Healthy() const override;

  // '?' placeholders (outside quoted literals) become $1, $2, ...
  static std::string NumberPlaceholders(const std::string& sql);

 protected:
  void SendWaiting() override;

 private:
  struct Result;
  // `keep`: run as a statement prepared once and kept, planned once for any
  // values after a few runs; otherwise parsed and planned for these values.
  Result Run(const std::string& sql, const std::vector<SqlValue>& params, bool keep = true);
  // A statement with its parameters as the database reads them.
  struct Step {
    Step(std::string statement, const std::vector<SqlValue>& params, bool keepIt);
    std::vector<const char*> Values() const;
    std::string sql;
    std::vector<std::string> texts;
    std::vector<bool> null;
    bool keep;
    FailureMeaning meaning;  // a deferred write's, for its failure
    std::shared_ptr<AheadRead> read;  // a read ahead's, for its rows
  };
  Result RunAlone(const Step& step);
  // What waits to be sent (BEGIN, deferred statements) and `last`, in one
  // round trip: the result of the last statement sent (`last`, when
  // given), or the first failure, after which the database ran nothing more.
  Result RunPipelined(const Step* last);
  // The next statement's result in a pipeline, and the null that follows it.
  Result NextInPipeline();
  bool Pending() const { return beginPending_ || !deferred_.empty(); }
  static void ReadEach(pg_result* res, const RowReader& read);
  void ReadInBlocks(const std::string& sql, const std::vector<SqlValue>& params, const RowReader& read);
  // The name of the statement prepared for `sql`, preparing it now if
  // needed; null for a new statement inside a failed transaction (sent
  // unprepared then, for the database to say why it refuses it).
  const std::string* Prepared(const std::string& sql);
  void Deallocate(const std::string& name) noexcept;

  pg_conn* conn_ = nullptr;
  StatementCache<std::string> statements_;
  unsigned long statementsPrepared_ = 0;
  bool beginPending_ = false;  // BeginWrite called; BEGIN not sent yet
  std::vector<Step> deferred_;  // Defer()red, not sent yet
  bool broken_ = false;        // a pipeline could not be left
};

}  // namespace zor::server

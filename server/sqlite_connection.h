// The SQLite driver: WAL mode, a busy timeout so that concurrent desks wait
// for each other instead of failing, foreign keys on, prepared statements
// kept per connection.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "server/db_connection.h"
#include "server/statement_cache.h"

struct sqlite3;
struct sqlite3_stmt;

namespace zor::server {

class SqliteConnection final : public Connection {
 public:
  explicit SqliteConnection(const std::string& path);
  ~SqliteConnection() override;

  SqlDialect Dialect() const override { return SqlDialect::Sqlite; }
  void ExecScript(const std::string& sql) override;
  void QueryEach(const std::string& sql, const std::vector<SqlValue>& params, const RowReader& read) override;
  std::int64_t Execute(const std::string& sql, const std::vector<SqlValue>& params) override;
  void BeginWrite() override;
  void Commit() override;
  void Rollback() noexcept override;
  void LockForMigration() override {}
  std::string LockRowsClause() const override { return ""; }  // BEGIN IMMEDIATE holds the write lock
  std::string ColumnSql(ColumnType type, int size) const override;
  std::string LengthCheck(const std::string& column, int size) const override;
  bool Healthy() const override { return db_ != nullptr; }

 private:
  sqlite3_stmt* Prepare(const std::string& sql, const std::vector<SqlValue>& params);
  [[noreturn]] void Fail(int rc, const std::string& context) const;

  sqlite3* db_ = nullptr;
  StatementCache<sqlite3_stmt*> statements_;
  // Writers of one database file in this process queue on a mutex instead
  // of polling SQLite's lock (its busy handler sleeps in growing steps,
  // which makes contended writes slow); other processes still meet the
  // busy timeout.
  std::shared_ptr<std::mutex> writeMutex_;
  std::unique_lock<std::mutex> writeLock_;
};

}  // namespace zor::server

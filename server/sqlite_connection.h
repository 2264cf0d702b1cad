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

  Dialect dialect() const override { return Dialect::sqlite; }
  void execScript(const std::string& sql) override;
  void queryEach(const std::string& sql, const std::vector<SqlValue>& params, const RowReader& read) override;
  std::int64_t execute(const std::string& sql, const std::vector<SqlValue>& params) override;
  void beginWrite() override;
  void commit() override;
  void rollback() noexcept override;
  void lockForMigration() override {}
  std::string lockRowsClause() const override { return ""; }  // BEGIN IMMEDIATE holds the write lock
  std::string columnType(ColumnType type, int size) const override;
  std::string lengthCheck(const std::string& column, int size) const override;
  bool healthy() const override { return db_ != nullptr; }

 private:
  sqlite3_stmt* prepare(const std::string& sql, const std::vector<SqlValue>& params);
  [[noreturn]] void fail(int rc, const std::string& context) const;

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

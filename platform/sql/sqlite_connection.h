// The SQLite driver: a file in WAL mode with a busy timeout, or a private
// in-memory database. It registers NVLSTR(a, b) and the one-row table
// function PARAM(x) so the InterBase-form query texts run unchanged.
#pragma once

#include <string>

#include "platform/sql/connection.h"

struct sqlite3;

namespace zor::plat {

class SqliteConnection : public DbConnection {
 public:
  // `path` is a file name or ":memory:". Raises EDatabaseError when the
  // database cannot be opened.
  explicit SqliteConnection(const std::string& path);
  ~SqliteConnection() override;

  SqlDialect Dialect() const override { return SqlDialect::Sqlite; }
  std::string DatabaseName() const override { return path_; }
  bool Connected() const override { return db_ != nullptr; }
  void Close() override;

  SqlResult Query(std::string_view sql, const SqlParams& params = {}) override;
  SqlResult QueryReadOnly(std::string_view sql, const SqlParams& params = {}) override;
  int64_t Execute(std::string_view sql, const SqlParams& params = {}) override;
  void ExecuteScript(std::string_view script) override;

  // How long a statement waits for another writer before failing.
  static constexpr int kBusyTimeoutMs = 5000;

 private:
  sqlite3* Handle() const;
  SqlResult Run(std::string_view sql, const SqlParams& params, bool readOnly);
  [[noreturn]] void Fail(const std::string& what) const;

  std::string path_;
  sqlite3* db_ = nullptr;
};

}  // namespace zor::plat

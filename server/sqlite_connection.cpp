// SQLite driver (see sqlite_connection.h).
#include "server/sqlite_connection.h"

#include <sqlite3.h>

#include <unordered_map>

namespace zor::server {

namespace {
constexpr int kBusyTimeoutMs = 15000;
constexpr size_t kMaxCachedStatements = 128;

std::shared_ptr<std::mutex> WriteMutexFor(const std::string& path) {
  static std::mutex guard;
  static std::unordered_map<std::string, std::weak_ptr<std::mutex>> mutexes;
  std::lock_guard lock(guard);
  auto& weak = mutexes[path];
  auto m = weak.lock();
  if (!m) {
    m = std::make_shared<std::mutex>();
    weak = m;
  }
  return m;
}
}  // namespace

SqliteConnection::SqliteConnection(const std::string& path) : statements_(kMaxCachedStatements) {
  int rc = sqlite3_open_v2(path.c_str(), &db_,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    std::string detail = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    throw DbError(DbError::FaultKind::Connection,
                  "Não foi possível abrir o banco de dados SQLite " + path + ": " + detail);
  }
  sqlite3_extended_result_codes(db_, 1);
  writeMutex_ = WriteMutexFor(path);
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  ExecScript("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;");
}

SqliteConnection::~SqliteConnection() {
  statements_.ForEach([](sqlite3_stmt* stmt) { sqlite3_finalize(stmt); });
  if (db_) sqlite3_close(db_);
}

void SqliteConnection::Fail(int rc, const std::string& context) const {
  std::string what = context + ": " + sqlite3_errmsg(db_);
  switch (rc) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
      throw DbError(DbError::FaultKind::UniqueViolation, what);
    case SQLITE_CONSTRAINT_FOREIGNKEY:
      throw DbError(DbError::FaultKind::ForeignKeyViolation, what);
    default:
      break;
  }
  if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) throw DbError(DbError::FaultKind::Busy, what);
  if ((rc & 0xff) == SQLITE_READONLY) throw DbError(DbError::FaultKind::ReadOnly, what);
  if ((rc & 0xff) == SQLITE_FULL) throw DbError(DbError::FaultKind::DiskFull, what);
  throw DbError(DbError::FaultKind::Other, what);
}

void SqliteConnection::ExecScript(const std::string& sql) {
  char* err = nullptr;
  int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err);
  if (rc != SQLITE_OK) {
    std::string detail = err ? err : "";
    sqlite3_free(err);
    Fail(sqlite3_extended_errcode(db_), "SQLite: " + detail);
  }
}

sqlite3_stmt* SqliteConnection::Prepare(const std::string& sql, const std::vector<SqlValue>& params) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_stmt** cached = statements_.Find(sql)) {
    stmt = *cached;
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
  } else {
    int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) Fail(rc, "SQLite prepare");
    if (auto dropped = statements_.Add(sql, stmt)) sqlite3_finalize(*dropped);
  }
  if (static_cast<size_t>(sqlite3_bind_parameter_count(stmt)) != params.size())
    throw DbError(DbError::FaultKind::Other, "SQLite: parameter count mismatch in " + sql);
  for (size_t i = 0; i < params.size(); ++i) {
    int idx = static_cast<int>(i + 1);
    int rc = std::visit(
        [&](const auto& v) -> int {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, std::monostate>)
            return sqlite3_bind_null(stmt, idx);
          else if constexpr (std::is_same_v<T, std::int64_t>)
            return sqlite3_bind_int64(stmt, idx, v);
          else if constexpr (std::is_same_v<T, double>)
            return sqlite3_bind_double(stmt, idx, v);
          else
            return sqlite3_bind_text(stmt, idx, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        },
        params[i]);
    if (rc != SQLITE_OK) Fail(rc, "SQLite bind");
  }
  return stmt;
}

void SqliteConnection::QueryEach(const std::string& sql, const std::vector<SqlValue>& params, const RowReader& read) {
  sqlite3_stmt* stmt = Prepare(sql, params);
  // The statement stays cached: it is reset however the reading ends.
  struct Reset {
    sqlite3_stmt* s;
    ~Reset() { sqlite3_reset(s); }
  } reset{stmt};
  std::vector<SqlValueView> row;
  for (;;) {
    int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) Fail(rc, "SQLite");
    // Counted after the step: a kept statement whose table changed is
    // prepared again by it, and "*" may then name other columns.
    const int n = sqlite3_column_count(stmt);
    row.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
      SqlValueView& v = row[static_cast<size_t>(i)];
      switch (sqlite3_column_type(stmt, i)) {
        case SQLITE_NULL: v = std::monostate{}; break;
        case SQLITE_INTEGER: v = static_cast<std::int64_t>(sqlite3_column_int64(stmt, i)); break;
        case SQLITE_FLOAT: v = sqlite3_column_double(stmt, i); break;
        default: {
          auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
          v = std::string_view(text, static_cast<size_t>(sqlite3_column_bytes(stmt, i)));
        }
      }
    }
    read(row);
  }
}

std::int64_t SqliteConnection::Execute(const std::string& sql, const std::vector<SqlValue>& params) {
  sqlite3_stmt* stmt = Prepare(sql, params);
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
  }
  sqlite3_reset(stmt);
  if (rc != SQLITE_DONE) Fail(rc, "SQLite");
  return sqlite3_changes(db_);
}

// BEGIN and COMMIT are prepared once and kept with the other statements:
// compiling them again at every transaction cost more than the BEGIN.
void SqliteConnection::BeginWrite() {
  std::unique_lock lock(*writeMutex_);
  Execute("BEGIN IMMEDIATE", {});
  writeLock_ = std::move(lock);
}

void SqliteConnection::Commit() {
  Execute("COMMIT", {});
  if (writeLock_.owns_lock()) writeLock_.unlock();
}

void SqliteConnection::Rollback() noexcept {
  if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  if (writeLock_.owns_lock()) writeLock_.unlock();
}

std::string SqliteConnection::ColumnSql(ColumnType type, int size) const {
  switch (type) {
    case ColumnType::Text: return "VARCHAR(" + std::to_string(size) + ")";
    case ColumnType::Integer: return "INTEGER";
    case ColumnType::Real: return "REAL";
    case ColumnType::Timestamp: return "TEXT";
  }
  return "TEXT";
}

std::string SqliteConnection::LengthCheck(const std::string& column, int size) const {
  // SQLite keeps any length in a VARCHAR column; the check makes it refuse.
  return "CHECK (length(" + column + ") <= " + std::to_string(size) + ")";
}

}  // namespace zor::server

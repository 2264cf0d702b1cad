// One connection interface over the two database engines the server runs on
// (SQLite for the embedded default, PostgreSQL for shared use). Everything
// that differs between the engines – placeholders, column types, null-safe
// comparison, transaction start, error classification – lives behind it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace zor::server {

// A value bound to a statement or read from a row. PostgreSQL rows come back
// as text; the packet layer converts by the field's declared type.
using SqlValue = std::variant<std::monostate, std::int64_t, double, std::string>;

inline bool IsNull(const SqlValue& v) { return std::holds_alternative<std::monostate>(v); }

// A value of a row as the driver holds it, valid while the row is being
// read: texts are not copied.
using SqlValueView = std::variant<std::monostate, std::int64_t, double, std::string_view>;

// The value kept beyond its row.
inline SqlValue Owned(const SqlValueView& v) {
  return std::visit(
      [](const auto& x) -> SqlValue {
        if constexpr (std::is_same_v<std::decay_t<decltype(x)>, std::string_view>) return std::string(x);
        else return x;
      },
      v);
}

// Called with each row a query reads, in order, as it reads it.
using RowReader = std::function<void(const std::vector<SqlValueView>& row)>;

enum class SqlDialect { Sqlite, Postgresql };

// Column kinds the schema uses; the driver names them in its own dialect.
enum class ColumnType { Text, Integer, Real, Timestamp };

struct QueryResult {
  std::vector<std::vector<SqlValue>> rows;
};

// Keeps a row a query reads beyond its reading.
inline void KeepRow(QueryResult& out, const std::vector<SqlValueView>& row) {
  std::vector<SqlValue>& kept = out.rows.emplace_back();
  kept.reserve(row.size());
  for (const SqlValueView& v : row) kept.push_back(Owned(v));
}

// A database failure, classified so that callers can answer a duplicate key
// or a missing parent with a message of their own.
// readOnly and diskFull tell the operator what to mend; connection means
// the database cannot be reached or the link to it was lost.
class DbError : public std::runtime_error {
 public:
  enum class FaultKind { UniqueViolation, ForeignKeyViolation, Busy, Connection, ReadOnly, DiskFull, Other };
  DbError(FaultKind kind, const std::string& what, bool mayHaveCommitted = false)
      : std::runtime_error(what), kind_(kind), mayHaveCommitted_(mayHaveCommitted) {}
  FaultKind Kind() const { return kind_; }
  // The link broke while a commit was on its way: the transaction may have
  // been written, so the work must not be repeated.
  bool MayHaveCommitted() const { return mayHaveCommitted_; }

 private:
  FaultKind kind_;
  bool mayHaveCommitted_;
};

class Connection {
 public:
  virtual ~Connection() = default;

  virtual SqlDialect Dialect() const = 0;

  // Runs one or more statements without parameters (DDL scripts).
  virtual void ExecScript(const std::string& sql) = 0;
  // Statements use '?' placeholders, whatever the engine.
  QueryResult Query(const std::string& sql, const std::vector<SqlValue>& params = {});
  // The rows handed over one at a time instead of kept: a large answer is
  // written out as it is read. `read` must not use this connection.
  virtual void QueryEach(const std::string& sql, const std::vector<SqlValue>& params, const RowReader& read) = 0;
  // QueryEach for a list whose length depends on its values (a company may
  // have a few of a branch's flights or nearly all of them): planned for the
  // values given, each time, rather than once for any values; a plan kept for
  // any values reads an index for thousands of rows that a scan reads faster.
  virtual void QueryEachPlannedForValues(const std::string& sql, const std::vector<SqlValue>& params,
                                         const RowReader& read) {
    QueryEach(sql, params, read);
  }
  // Returns the number of rows changed.
  virtual std::int64_t Execute(const std::string& sql, const std::vector<SqlValue>& params = {}) = 0;
  // What a deferred write's failure means to the caller that wrote it:
  // given the database's error, it throws the caller's own refusal, or
  // returns for the error to go on as it is.
  using FailureMeaning = std::function<void(const DbError&)>;
  // A statement inside a write transaction whose outcome nobody reads but
  // its failure (an audit entry, a new row, a row's lock): where the engine
  // is reached over a link, it travels with the next statement or the
  // commit, and a failure of it is reported there, told by `meaning`, the
  // transaction failing whole. Outside a transaction, and on an embedded
  // engine, it runs at once.
  virtual void Defer(const std::string& sql, const std::vector<SqlValue>& params, const FailureMeaning& meaning = {}) {
    try {
      Execute(sql, params);
    } catch (const DbError& e) {
      if (meaning) meaning(e);
      throw;
    }
  }

  // A read inside a write transaction whose rows are wanted a little later
  // (the stored codes a row refers to): where the engine is reached over a
  // link, it travels with the next statement, one round trip for both.
  // Rows() gives its rows, sending it first if nothing took it along yet.
  // Outside a transaction, and on an embedded engine, it runs at once.
  class AheadRead {
   public:
    const QueryResult& Rows() {
      if (!arrived_) c_->SendWaiting();
      // Sent and not arrived: the statement that took it along failed and
      // said so; reaching here means a caller read on regardless.
      if (!arrived_) throw DbError(DbError::FaultKind::Other, "leitura antecipada sem resposta");
      return rows_;
    }

   private:
    friend class Connection;
    friend class PgConnection;
    Connection* c_ = nullptr;
    bool arrived_ = false;
    QueryResult rows_;
  };
  // (Defined here, like every other virtual of the interface: a program
  // that only names a connection needs no driver's code.)
  virtual std::shared_ptr<AheadRead> ReadAhead(const std::string& sql, const std::vector<SqlValue>& params) {
    auto read = std::make_shared<AheadRead>();
    QueryEach(sql, params, [&rows = read->rows_](const std::vector<SqlValueView>& row) { KeepRow(rows, row); });
    read->arrived_ = true;
    return read;
  }

  // Starts a transaction that will write: SQLite takes the write lock at
  // once, so two writers never deadlock upgrading a read lock.
  virtual void BeginWrite() = 0;
  virtual void Commit() = 0;
  virtual void Rollback() noexcept = 0;

  // Serialises schema migrations between server instances (inside a write
  // transaction, after the version table exists).
  virtual void LockForMigration() = 0;

  // Appended to a SELECT inside a write transaction so that the rows read
  // stay as read until it ends (" FOR UPDATE"), or "" where the write
  // transaction already keeps every other writer out.
  virtual std::string LockRowsClause() const = 0;
  virtual std::string ColumnSql(ColumnType type, int size) const = 0;
  // A length constraint the engine does not enforce by itself, or "".
  virtual std::string LengthCheck(const std::string& column, int size) const = 0;

  // False once the link to the database is lost; the pool then drops it.
  virtual bool Healthy() const = 0;

 protected:
  // Sends what waits to be sent (reads ahead, deferred statements) now.
  virtual void SendWaiting() {}
};

// Opens "sqlite:PATH" or "postgresql://…" (also "postgres://…").
// Throws DbError with a Portuguese message when the URL is not understood
// or the database cannot be opened.
std::unique_ptr<Connection> OpenConnection(const std::string& url);

// Rolls back on scope exit unless committed.
class WriteTransaction {
 public:
  explicit WriteTransaction(Connection& c) : c_(c) { c_.BeginWrite(); }
  ~WriteTransaction() {
    if (!done_) c_.Rollback();
  }
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;
  void Commit() {
    try {
      c_.Commit();
    } catch (const DbError& e) {
      if (e.Kind() != DbError::FaultKind::Connection) throw;
      throw DbError(e.Kind(), e.what(), true);
    }
    done_ = true;
  }

 private:
  Connection& c_;
  bool done_ = false;
};

}  // namespace zor::server

// The database connection interface that lookup queries run on, and the
// factory that opens a connection from a URL. The drivers (SQLite, and
// PostgreSQL through libpq) live behind it; what differs between databases
// stays inside the driver.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/variant.h"

namespace zor::plat {

// The SQL dialect a query text is written for. A query keeps one text per
// dialect; SQLite and PostgreSQL both run the InterBase-form text (`SQL_IB`,
// else `SQL`): both drivers provide the row source PARAM(x) and the function
// NVLSTR(a, b) that the InterBase texts rely on.
enum class SqlDialect { InterBase, Oracle, MsSql, Sqlite, PostgreSql };

// A named parameter value. Names are matched without regard to case and
// are written without the leading colon.
struct SqlParam {
  std::string Name;
  Variant Value;
};
using SqlParams = std::vector<SqlParam>;

// What the database says about one result column. Type is the variant type
// the column's values come back as (String when the driver cannot tell, as
// for an expression on SQLite); Size is the declared character length, 0
// when unknown.
struct SqlColumn {
  std::string Name;
  VarType Type = VarType::String;
  int Size = 0;
};

struct SqlResult {
  std::vector<SqlColumn> Columns;
  std::vector<std::vector<Variant>> Rows;
  // Index of the column with this name, without regard to case; -1 when absent.
  int ColumnIndex(std::string_view name) const;
};

class DbConnection {
 public:
  virtual ~DbConnection() = default;
  DbConnection(const DbConnection&) = delete;
  DbConnection& operator=(const DbConnection&) = delete;

  virtual SqlDialect Dialect() const = 0;
  // A name for the database fit for a message: the file, or database, host
  // and port (never the password).
  virtual std::string DatabaseName() const = 0;

  virtual bool Connected() const = 0;
  // Closing twice does nothing; Query and Execute on a closed connection raise.
  virtual void Close() = 0;

  // Runs a statement that returns rows. `:NAME` in the text is a parameter;
  // a name used twice is one value; a parameter left out of `params` is null.
  // Raises EDatabaseError with the database's message.
  virtual SqlResult Query(std::string_view sql, const SqlParams& params = {}) = 0;
  // Runs a statement that returns rows and may change nothing: SQLite with
  // query_only on, PostgreSQL inside a READ ONLY transaction rolled back at
  // the end. A statement that would write raises EWriteRefused.
  virtual SqlResult QueryReadOnly(std::string_view sql, const SqlParams& params = {}) = 0;
  // Runs a statement that returns no rows; the number of rows it changed.
  virtual int64_t Execute(std::string_view sql, const SqlParams& params = {}) = 0;
  // Runs several statements separated by semicolons, without parameters
  // (schema scripts, fixtures).
  virtual void ExecuteScript(std::string_view script) = 0;

 protected:
  DbConnection() = default;
};

// Opens a connection from a URL:
//   sqlite:PATH            a SQLite file, created when missing (WAL journal)
//   sqlite::memory:        a private in-memory SQLite database
//   postgresql://…, postgres://…   a PostgreSQL database (libpq URL)
// An unknown URL or a failed connection raises EDatabaseError naming the database.
std::unique_ptr<DbConnection> OpenConnection(std::string_view url);

}  // namespace zor::plat

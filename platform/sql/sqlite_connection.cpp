// The SQLite driver and the two database objects it adds: the scalar
// function NVLSTR and the eponymous table function PARAM.
#include "platform/sql/sqlite_connection.h"

#include <sqlite3.h>

#include <cstring>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"

namespace zor::plat {

namespace {

// NVLSTR(a, b): a when it is not null, else b.
void NvlStr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_result_value(ctx, sqlite3_value_type(argv[0]) != SQLITE_NULL ? argv[0] : argv[1]);
}

// PARAM(x): one row whose column PARAM holds x. The argument is the hidden
// column ARG; xBestIndex marks its equality constraint as consumed, or
// SQLite would test ARG = x itself and a null x would yield no row.
struct ParamCursor {
  sqlite3_vtab_cursor base;
  sqlite3_value* value;
  bool eof;
};

int ParamConnect(sqlite3* db, void*, int, const char* const*, sqlite3_vtab** out, char**) {
  int rc = sqlite3_declare_vtab(db, "CREATE TABLE x(PARAM, ARG HIDDEN)");
  if (rc != SQLITE_OK) return rc;
  auto* vtab = static_cast<sqlite3_vtab*>(sqlite3_malloc(sizeof(sqlite3_vtab)));
  if (!vtab) return SQLITE_NOMEM;
  std::memset(vtab, 0, sizeof *vtab);
  sqlite3_vtab_config(db, SQLITE_VTAB_INNOCUOUS);
  *out = vtab;
  return SQLITE_OK;
}

int ParamDisconnect(sqlite3_vtab* vtab) {
  sqlite3_free(vtab);
  return SQLITE_OK;
}

constexpr int kArgColumn = 1;

int ParamBestIndex(sqlite3_vtab*, sqlite3_index_info* info) {
  info->idxNum = 0;
  for (int i = 0; i < info->nConstraint; ++i) {
    const auto& c = info->aConstraint[i];
    if (c.iColumn != kArgColumn || c.op != SQLITE_INDEX_CONSTRAINT_EQ) continue;
    // An argument that is not yet available (a column of a later table)
    // cannot drive this plan: let the planner pick another order.
    if (!c.usable) return SQLITE_CONSTRAINT;
    info->aConstraintUsage[i].argvIndex = 1;
    info->aConstraintUsage[i].omit = 1;
    info->idxNum = 1;
  }
  info->estimatedCost = 1;
  info->estimatedRows = 1;
  info->idxFlags = SQLITE_INDEX_SCAN_UNIQUE;
  return SQLITE_OK;
}

int ParamOpen(sqlite3_vtab*, sqlite3_vtab_cursor** out) {
  auto* cur = static_cast<ParamCursor*>(sqlite3_malloc(sizeof(ParamCursor)));
  if (!cur) return SQLITE_NOMEM;
  std::memset(cur, 0, sizeof *cur);
  *out = &cur->base;
  return SQLITE_OK;
}

int ParamClose(sqlite3_vtab_cursor* base) {
  auto* cur = reinterpret_cast<ParamCursor*>(base);
  sqlite3_value_free(cur->value);
  sqlite3_free(cur);
  return SQLITE_OK;
}

int ParamFilter(sqlite3_vtab_cursor* base, int idxNum, const char*, int argc, sqlite3_value** argv) {
  auto* cur = reinterpret_cast<ParamCursor*>(base);
  sqlite3_value_free(cur->value);
  cur->value = nullptr;
  if (idxNum == 1 && argc == 1) {
    cur->value = sqlite3_value_dup(argv[0]);
    if (!cur->value) return SQLITE_NOMEM;
  }
  cur->eof = false;
  return SQLITE_OK;
}

int ParamNext(sqlite3_vtab_cursor* base) {
  reinterpret_cast<ParamCursor*>(base)->eof = true;
  return SQLITE_OK;
}

int ParamEof(sqlite3_vtab_cursor* base) { return reinterpret_cast<ParamCursor*>(base)->eof; }

int ParamColumn(sqlite3_vtab_cursor* base, sqlite3_context* ctx, int) {
  auto* cur = reinterpret_cast<ParamCursor*>(base);
  if (cur->value)
    sqlite3_result_value(ctx, cur->value);
  else
    sqlite3_result_null(ctx);
  return SQLITE_OK;
}

int ParamRowid(sqlite3_vtab_cursor*, sqlite3_int64* rowid) {
  *rowid = 1;
  return SQLITE_OK;
}

const sqlite3_module& ParamModule() {
  static const sqlite3_module kModule = [] {
    sqlite3_module m;
    std::memset(&m, 0, sizeof m);
    m.iVersion = 0;
    m.xCreate = nullptr;  // eponymous only: PARAM cannot be created as a table
    m.xConnect = ParamConnect;
    m.xBestIndex = ParamBestIndex;
    m.xDisconnect = ParamDisconnect;
    m.xDestroy = ParamDisconnect;
    m.xOpen = ParamOpen;
    m.xClose = ParamClose;
    m.xFilter = ParamFilter;
    m.xNext = ParamNext;
    m.xEof = ParamEof;
    m.xColumn = ParamColumn;
    m.xRowid = ParamRowid;
    return m;
  }();
  return kModule;
}

// Finalizes a statement however the scope is left.
struct Statement {
  sqlite3_stmt* stmt = nullptr;
  ~Statement() { sqlite3_finalize(stmt); }
};

// The declared type of a column ("VARCHAR(30)") as a variant type and size.
void DescribeDeclType(const char* decl, SqlColumn& col) {
  if (!decl) return;
  std::string d = UpperCase(decl);
  auto has = [&](const char* part) { return d.find(part) != std::string::npos; };
  if (has("INT"))
    col.Type = VarType::Integer;
  else if (has("CHAR") || has("TEXT") || has("CLOB"))
    col.Type = VarType::String;
  else if (has("BOOL"))
    col.Type = VarType::Bool;
  else if (has("DATE") || has("TIME"))
    col.Type = VarType::DateTime;
  else if (has("REAL") || has("FLOA") || has("DOUB") || has("NUM") || has("DEC"))
    col.Type = VarType::Float;
  size_t open = d.find('(');
  if (col.Type == VarType::String && open != std::string::npos)
    col.Size = static_cast<int>(StrToIntDef(d.substr(open + 1, d.find_first_of(",)", open) - open - 1), 0));
}

Variant ReadValue(sqlite3_stmt* stmt, int i, const SqlColumn& col) {
  switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL: return Variant();
    case SQLITE_INTEGER: {
      int64_t v = sqlite3_column_int64(stmt, i);
      if (col.Type == VarType::Bool) return Variant(v != 0);
      return Variant(v);
    }
    case SQLITE_FLOAT: return Variant(sqlite3_column_double(stmt, i));
    default: {
      const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
      std::string s(text ? text : "", sqlite3_column_bytes(stmt, i));
      TDateTime dt;
      // Dates are kept as ISO text; a text that is not one stays text.
      if (col.Type == VarType::DateTime && TryIsoToDateTime(s, dt)) return Variant(dt);
      return Variant(std::move(s));
    }
  }
}

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path) : path_(path) {
  int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    std::string msg = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    throw EDatabaseError(PlatformText("db.sqlite_open_failed", {path_, msg}));
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  try {
    if (path_ != ":memory:" && !path_.empty()) ExecuteScript("PRAGMA journal_mode=WAL");
    ExecuteScript("PRAGMA foreign_keys=ON");
    if (sqlite3_create_function_v2(db_, "NVLSTR", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                   nullptr, NvlStr, nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_create_module_v2(db_, "PARAM", &ParamModule(), nullptr, nullptr) != SQLITE_OK)
      Fail(PlatformText("db.step_functions"));
  } catch (...) {
    Close();
    throw;
  }
}

SqliteConnection::~SqliteConnection() { Close(); }

void SqliteConnection::Close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

sqlite3* SqliteConnection::Handle() const {
  if (!db_) throw EDatabaseError(PlatformText("db.closed", {path_}));
  return db_;
}

void SqliteConnection::Fail(const std::string& what) const {
  throw EDatabaseError(PlatformText("db.error_in_step", {path_, what, sqlite3_errmsg(db_)}));
}

namespace {

// Prepares one statement and binds every parameter by name (without regard
// to case); parameters that `params` leaves out stay null.
void Prepare(sqlite3* db, std::string_view sql, const SqlParams& params, Statement& st, bool& failed) {
  const char* tail = nullptr;
  failed = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &st.stmt, &tail) != SQLITE_OK;
  if (failed) return;
  if (!st.stmt) return;  // only blanks or comments
  if (tail && !Trim(std::string_view(tail, sql.data() + sql.size() - tail)).empty())
    throw EDatabaseError(PlatformText("db.one_statement"));
  int count = sqlite3_bind_parameter_count(st.stmt);
  for (int i = 1; i <= count; ++i) {
    const char* name = sqlite3_bind_parameter_name(st.stmt, i);
    if (!name || !*name) continue;
    const Variant* value = nullptr;
    for (auto& p : params)
      if (SameText(p.Name, name + 1)) value = &p.Value;
    int rc = SQLITE_OK;
    if (!value || value->IsNull()) {
      rc = sqlite3_bind_null(st.stmt, i);
    } else {
      switch (value->Type()) {
        case VarType::Integer: rc = sqlite3_bind_int64(st.stmt, i, value->AsInteger()); break;
        case VarType::Float: rc = sqlite3_bind_double(st.stmt, i, value->AsFloat()); break;
        case VarType::Bool: rc = sqlite3_bind_int(st.stmt, i, value->AsBool() ? 1 : 0); break;
        case VarType::DateTime: {
          std::string iso = DateTimeToIso(value->AsDateTime());
          rc = sqlite3_bind_text(st.stmt, i, iso.c_str(), static_cast<int>(iso.size()), SQLITE_TRANSIENT);
          break;
        }
        case VarType::Array:
          throw EDatabaseError(PlatformText("db.param_no_list", {name + 1}));
        default: {
          std::string s = value->AsString();
          rc = sqlite3_bind_text(st.stmt, i, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
        }
      }
    }
    failed = rc != SQLITE_OK;
    if (failed) return;
  }
}

}  // namespace

namespace {

// Turns query_only on for the life of the guard: a second lock, beside the
// statement check, so nothing the statement triggers can write either.
class QueryOnlyGuard {
 public:
  explicit QueryOnlyGuard(sqlite3* db) : db_(db) { sqlite3_exec(db_, "PRAGMA query_only = 1", nullptr, nullptr, nullptr); }
  ~QueryOnlyGuard() { sqlite3_exec(db_, "PRAGMA query_only = 0", nullptr, nullptr, nullptr); }
  QueryOnlyGuard(const QueryOnlyGuard&) = delete;
  QueryOnlyGuard& operator=(const QueryOnlyGuard&) = delete;

 private:
  sqlite3* db_;
};

}  // namespace

SqlResult SqliteConnection::Query(std::string_view sql, const SqlParams& params) { return Run(sql, params, false); }

SqlResult SqliteConnection::QueryReadOnly(std::string_view sql, const SqlParams& params) {
  QueryOnlyGuard guard(Handle());
  return Run(sql, params, true);
}

SqlResult SqliteConnection::Run(std::string_view sql, const SqlParams& params, bool readOnly) {
  sqlite3* db = Handle();
  Statement st;
  bool failed = false;
  Prepare(db, sql, params, st, failed);
  if (failed) Fail(PlatformText("db.step_prepare_query"));
  SqlResult result;
  if (!st.stmt) return result;
  if (readOnly && !sqlite3_stmt_readonly(st.stmt))
    throw EWriteRefused(PlatformText("db.write_refused", {path_}));
  int n = sqlite3_column_count(st.stmt);
  result.Columns.resize(n);
  for (int i = 0; i < n; ++i) {
    result.Columns[i].Name = sqlite3_column_name(st.stmt, i);
    DescribeDeclType(sqlite3_column_decltype(st.stmt, i), result.Columns[i]);
  }
  int rc;
  while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW) {
    std::vector<Variant> row;
    row.reserve(n);
    for (int i = 0; i < n; ++i) row.push_back(ReadValue(st.stmt, i, result.Columns[i]));
    result.Rows.push_back(std::move(row));
  }
  if (rc == SQLITE_READONLY && readOnly)
    throw EWriteRefused(PlatformText("db.write_refused", {path_}));
  if (rc != SQLITE_DONE) Fail(PlatformText("db.step_read_result"));
  // Columns without a declared type take the type of their first value.
  for (int i = 0; i < n; ++i) {
    if (sqlite3_column_decltype(st.stmt, i)) continue;
    for (auto& row : result.Rows)
      if (!row[i].IsNull()) {
        result.Columns[i].Type = row[i].Type();
        break;
      }
  }
  return result;
}

int64_t SqliteConnection::Execute(std::string_view sql, const SqlParams& params) {
  sqlite3* db = Handle();
  Statement st;
  bool failed = false;
  Prepare(db, sql, params, st, failed);
  if (failed) Fail(PlatformText("db.step_prepare_command"));
  if (!st.stmt) return 0;
  int rc;
  while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) Fail(PlatformText("db.step_run_command"));
  return sqlite3_changes64(db);
}

void SqliteConnection::ExecuteScript(std::string_view script) {
  sqlite3* db = Handle();
  std::string text(script);
  char* err = nullptr;
  if (sqlite3_exec(db, text.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
    std::string msg = err ? err : sqlite3_errmsg(db);
    sqlite3_free(err);
    throw EDatabaseError(PlatformText("db.error_in_step", {path_, PlatformText("db.step_run_script"), msg}));
  }
}

}  // namespace zor::plat

// The PostgreSQL driver: parameter rewriting, text binding and typed results.
#include "platform/sql/pg_connection.h"

#include <libpq-fe.h>

#include <charconv>
#include <memory>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/sql/sql_parameters.h"

namespace zor::plat {

void PgConnection::ResultDeleter::operator()(PGresult* r) const { PQclear(r); }

namespace {

// Type OIDs of the built-in types (pg_type.dat); stable across versions.
constexpr Oid kBool = 16;
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
constexpr Oid kText = 25;
constexpr Oid kOid = 26;
constexpr Oid kFloat4 = 700;
constexpr Oid kFloat8 = 701;
constexpr Oid kBpChar = 1042;
constexpr Oid kVarChar = 1043;
constexpr Oid kDate = 1082;
constexpr Oid kTime = 1083;
constexpr Oid kTimestamp = 1114;
constexpr Oid kTimestampTz = 1184;
constexpr Oid kNumeric = 1700;

std::string TrimMessage(const char* msg) { return TrimRight(msg ? msg : ""); }

VarType TypeOf(Oid oid) {
  switch (oid) {
    case kBool: return VarType::Bool;
    case kInt2: case kInt4: case kInt8: case kOid: return VarType::Integer;
    case kFloat4: case kFloat8: case kNumeric: return VarType::Float;
    case kDate: case kTime: case kTimestamp: case kTimestampTz: return VarType::DateTime;
    default: return VarType::String;
  }
}

// One value in PostgreSQL's text output form, read as the column's type.
// Text that does not read as the type (NaN, infinity) stays text.
Variant ReadValue(const char* text, int len, Oid oid) {
  std::string_view s(text, len);
  switch (TypeOf(oid)) {
    case VarType::Bool: return Variant(s == "t");
    case VarType::Integer: {
      int64_t v = 0;
      auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
      if (ec == std::errc() && p == s.data() + s.size()) return Variant(v);
      break;
    }
    case VarType::Float: {
      // from_chars ignores the process locale (a desktop may run pt_BR).
      double v = 0;
      auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
      if (ec == std::errc() && p == s.data() + s.size()) return Variant(v);
      break;
    }
    case VarType::DateTime: {
      TDateTime dt;
      if (oid == kTime) {
        if (TryIsoToDateTime("1899-12-30 " + std::string(s), dt)) return Variant(dt);
      } else if (TryIsoToDateTime(s, dt)) {
        return Variant(dt);
      }
      break;
    }
    default: break;
  }
  return Variant(std::string(s));
}

// A parameter as PostgreSQL text input with its declared type. Strings are
// declared text; a null is left for the server to type from its use, so it
// fits a column of any type.
struct TextParam {
  Oid type = 0;
  bool null = true;
  std::string text;
};

TextParam ToText(const Variant& v, const std::string& name) {
  TextParam p;
  p.null = v.IsNull();
  switch (v.Type()) {
    case VarType::Null: break;
    case VarType::Bool: p.type = kBool; p.text = v.AsBool() ? "true" : "false"; break;
    case VarType::Integer: p.type = kInt8; p.text = std::to_string(v.AsInteger()); break;
    case VarType::Float: {
      char buf[32];
      auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v.AsFloat());
      p.type = kFloat8;
      p.text.assign(buf, ec == std::errc() ? end : buf);
      break;
    }
    case VarType::DateTime: p.type = kTimestamp; p.text = DateTimeToIso(v.AsDateTime()); break;
    case VarType::Array: throw EDatabaseError(PlatformText("db.param_no_list", {name}));
    default: p.type = kText; p.text = v.AsString(); break;
  }
  return p;
}

void IgnoreNotice(void*, const char*) {}

}  // namespace

std::string RedactDatabaseUrl(std::string_view url) {
  std::string s(url);
  size_t scheme = s.find("://");
  if (scheme == std::string::npos) return s;
  size_t start = scheme + 3;
  size_t at = s.find('@', start);
  size_t slash = s.find('/', start);
  if (at == std::string::npos || (slash != std::string::npos && slash < at)) return s;
  size_t colon = s.find(':', start);
  if (colon != std::string::npos && colon < at) s.replace(colon, at - colon, ":***");
  return s;
}

PgConnection::PgConnection(const std::string& url) : name_(RedactDatabaseUrl(url)) {
  // A server that does not answer must not hang the screen: a connect
  // timeout unless the URL gives its own (later keywords win).
  const char* keywords[] = {"connect_timeout", "fallback_application_name", "dbname", nullptr};
  const char* values[] = {"10", "zor12200", url.c_str(), nullptr};
  conn_ = PQconnectdbParams(keywords, values, 1);
  if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
    std::string msg = conn_ ? TrimMessage(PQerrorMessage(conn_)) : PlatformText("db.pg_out_of_memory");
    PQfinish(conn_);
    conn_ = nullptr;
    throw EDatabaseError(PlatformText("db.pg_connect_failed", {name_, msg}));
  }
  // A name for messages that says which database it is, not how to log in.
  name_ = PlatformText("db.pg_database_at", {PQdb(conn_), PQhost(conn_), PQport(conn_)});
  PQsetNoticeProcessor(conn_, IgnoreNotice, nullptr);
  try {
    SetUpSession();
  } catch (...) {
    Close();
    throw;
  }
}

void PgConnection::SetUpSession() {
  if (PQsetClientEncoding(conn_, "UTF8") != 0)
    throw EDatabaseError(PlatformText("db.no_utf8", {name_}));
  // Dates must come back in the one form ReadValue reads.
  Check(PQexec(conn_, "SET DateStyle TO ISO, YMD"));
}

PgConnection::~PgConnection() { Close(); }

void PgConnection::Close() {
  if (conn_) PQfinish(conn_);
  conn_ = nullptr;
  prepared_.clear();
}

pg_conn* PgConnection::Handle() {
  if (!conn_) throw EDatabaseError(PlatformText("db.closed", {name_}));
  // A connection lost since the last statement (server restarted) is made
  // once more before giving up; session settings made by callers are lost.
  if (PQstatus(conn_) == CONNECTION_BAD) {
    prepared_.clear();  // gone with the old link
    PQreset(conn_);
    if (PQstatus(conn_) != CONNECTION_OK)
      throw EDatabaseError(PlatformText("db.connection_lost", {name_, TrimMessage(PQerrorMessage(conn_))}));
    SetUpSession();
  }
  return conn_;
}

// A statement is prepared the first time it runs on the connection and
// kept: the database parses and plans it once, not at every lookup. Up to
// this many are kept; past them all are let go and prepared anew.
namespace {
constexpr size_t kMaxPreparedStatements = 100;
}  // namespace

PGresult* PgConnection::Run(PGconn* conn, std::string_view sql, const SqlParams& params) {
  PositionalSql positional = ToPositionalSql(sql);
  std::vector<TextParam> values;
  values.reserve(positional.Names.size());
  for (auto& name : positional.Names) {
    const Variant* value = nullptr;
    for (auto& p : params)
      if (SameText(p.Name, name)) value = &p.Value;
    values.push_back(value ? ToText(*value, name) : TextParam{});
  }
  std::vector<Oid> types;
  std::vector<const char*> texts;
  // A statement is told apart by its text and its parameters' types.
  std::string key = positional.Text;
  for (auto& v : values) {
    types.push_back(v.type);
    texts.push_back(v.null ? nullptr : v.text.c_str());
    key += '\0' + std::to_string(v.type);
  }
  const int n = static_cast<int>(values.size());
  auto found = prepared_.find(key);
  if (found == prepared_.end() && PQtransactionStatus(conn) != PQTRANS_INERROR) {
    if (prepared_.size() >= kMaxPreparedStatements) {
      PQclear(PQexec(conn, "DEALLOCATE ALL"));
      prepared_.clear();
    }
    std::string name = "zor_desk_" + std::to_string(++statementsPrepared_);
    // A statement the database refuses says why here.
    Check(PQprepare(conn, name.c_str(), positional.Text.c_str(), n, types.data()));
    found = prepared_.emplace(key, std::move(name)).first;
  }
  if (found == prepared_.end())
    return PQexecParams(conn, positional.Text.c_str(), n, types.data(), texts.data(), nullptr, nullptr, 0);
  PGresult* res = PQexecPrepared(conn, found->second.c_str(), n, texts.data(), nullptr, nullptr, 0);
  // A table changed under the kept statement so that its rows change shape
  // ("cached plan must not change result type"): prepared afresh next time,
  // and run again at once unless a transaction just failed with it.
  const char* state = res ? PQresultErrorField(res, PG_DIAG_SQLSTATE) : nullptr;
  if (state && std::string_view(state) == "0A000") {
    PQclear(PQexec(conn, ("DEALLOCATE " + found->second).c_str()));
    prepared_.erase(found);
    if (PQtransactionStatus(conn) == PQTRANS_IDLE) {
      PQclear(res);
      res = PQexecParams(conn, positional.Text.c_str(), n, types.data(), texts.data(), nullptr, nullptr, 0);
    }
  }
  return res;
}

// Takes ownership of a result; raises the database's message when it failed.
PgConnection::Result PgConnection::Check(PGresult* raw) const {
  Result res(raw);
  auto status = res ? PQresultStatus(res.get()) : PGRES_FATAL_ERROR;
  if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK && status != PGRES_EMPTY_QUERY)
    throw EDatabaseError(PlatformText(
        "db.error", {name_, TrimMessage(res ? PQresultErrorMessage(res.get()) : PQerrorMessage(conn_))}));
  return res;
}

SqlResult PgConnection::Query(std::string_view sql, const SqlParams& params) {
  Result res = Check(Run(Handle(), sql, params));
  return ToSqlResult(res.get());
}

SqlResult PgConnection::QueryReadOnly(std::string_view sql, const SqlParams& params) {
  PGconn* conn = Handle();
  Check(PQexec(conn, "BEGIN TRANSACTION READ ONLY"));
  // Rolled back whatever happens: a read needs no commit, and a failed
  // statement leaves the transaction unusable anyway.
  struct Rollback {
    PGconn* conn;
    ~Rollback() { PQclear(PQexec(conn, "ROLLBACK")); }
  } rollback{conn};
  Result res(Run(conn, sql, params));
  const char* state = res ? PQresultErrorField(res.get(), PG_DIAG_SQLSTATE) : nullptr;
  if (state && std::string_view(state) == "25006")  // read_only_sql_transaction
    throw EWriteRefused(PlatformText("db.write_refused", {name_}));
  res = Check(res.release());
  return ToSqlResult(res.get());
}

SqlResult PgConnection::ToSqlResult(pg_result* res) {
  SqlResult result;
  int cols = PQnfields(res);
  int rows = PQntuples(res);
  result.Columns.resize(cols);
  std::vector<Oid> oids(cols);
  for (int c = 0; c < cols; ++c) {
    auto& col = result.Columns[c];
    col.Name = UpperCase(PQfname(res, c));
    oids[c] = PQftype(res, c);
    col.Type = TypeOf(oids[c]);
    int mod = PQfmod(res, c);
    // Character lengths are stored with the 4-byte header counted in.
    if ((oids[c] == kVarChar || oids[c] == kBpChar) && mod >= 4) col.Size = mod - 4;
  }
  result.Rows.resize(rows);
  for (int r = 0; r < rows; ++r) {
    auto& row = result.Rows[r];
    row.reserve(cols);
    for (int c = 0; c < cols; ++c) {
      if (PQgetisnull(res, r, c))
        row.emplace_back();
      else
        row.push_back(ReadValue(PQgetvalue(res, r, c), PQgetlength(res, r, c), oids[c]));
    }
  }
  return result;
}

int64_t PgConnection::Execute(std::string_view sql, const SqlParams& params) {
  Result res = Check(Run(Handle(), sql, params));
  return StrToIntDef(PQcmdTuples(res.get()), 0);
}

void PgConnection::ExecuteScript(std::string_view script) {
  Check(PQexec(Handle(), std::string(script).c_str()));
}

}  // namespace zor::plat

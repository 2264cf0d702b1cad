// PostgreSQL driver (see pg_connection.h).
#include "server/pg_connection.h"

#include <libpq-fe.h>

#include <charconv>
#include <cstring>
#include <functional>
#include <memory>

namespace zor::server {

namespace {

constexpr size_t kMaxPreparedStatements = 128;

void IgnoreNotice(void*, const char*) {}

std::string ToText(const SqlValue& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
  if (auto* d = std::get_if<double>(&v)) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, *d);  // shortest exact form
    return std::string(buf, res.ptr);
  }
  return std::get<std::string>(v);
}

DbError::FaultKind Classify(const char* sqlstate) {
  if (!sqlstate) return DbError::FaultKind::Connection;
  std::string s = sqlstate;
  if (s == "23505") return DbError::FaultKind::UniqueViolation;
  if (s == "23503") return DbError::FaultKind::ForeignKeyViolation;
  if (s == "40001" || s == "40P01" || s == "55P03") return DbError::FaultKind::Busy;
  if (s.rfind("08", 0) == 0 || s.rfind("57P", 0) == 0) return DbError::FaultKind::Connection;
  if (s == "53100") return DbError::FaultKind::DiskFull;
  if (s == "25006") return DbError::FaultKind::ReadOnly;  // a standby or a read-only session
  return DbError::FaultKind::Other;
}

}  // namespace

struct PgConnection::Result {
  std::unique_ptr<PGresult, decltype(&PQclear)> res{nullptr, &PQclear};
};

namespace {

const char* SqlState(PGresult* res) { return res ? PQresultErrorField(res, PG_DIAG_SQLSTATE) : nullptr; }

DbError Failure(PGresult* res, pg_conn* conn) {
  // The result's own message: a pipeline's later steps may have moved the
  // connection's on.
  const char* message = res ? PQresultErrorMessage(res) : "";
  return DbError(Classify(SqlState(res)), std::string("PostgreSQL: ") + (*message ? message : PQerrorMessage(conn)));
}

bool Succeeded(PGresult* res) {
  auto status = res ? PQresultStatus(res) : PGRES_FATAL_ERROR;
  return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

}  // namespace

PgConnection::PgConnection(const std::string& url) : statements_(kMaxPreparedStatements) {
  conn_ = PQconnectdb(url.c_str());
  if (PQstatus(conn_) != CONNECTION_OK) {
    std::string detail = PQerrorMessage(conn_);
    PQfinish(conn_);
    conn_ = nullptr;
    throw DbError(DbError::FaultKind::Connection, "Não foi possível conectar ao PostgreSQL: " + detail);
  }
  PQsetNoticeProcessor(conn_, IgnoreNotice, nullptr);
  PQsetClientEncoding(conn_, "UTF8");
  ExecScript("SET datestyle = ISO; SET client_min_messages = warning;");
}

PgConnection::~PgConnection() {
  if (conn_) PQfinish(conn_);
}

bool PgConnection::Healthy() const { return conn_ && !broken_ && PQstatus(conn_) == CONNECTION_OK; }

std::string PgConnection::NumberPlaceholders(const std::string& sql) {
  std::string out;
  out.reserve(sql.size() + 16);
  int n = 0;
  bool quoted = false;
  for (char c : sql) {
    if (c == '\'') quoted = !quoted;
    if (c == '?' && !quoted) {
      out += '$';
      out += std::to_string(++n);
    } else {
      out += c;
    }
  }
  return out;
}

const std::string* PgConnection::Prepared(const std::string& sql) {
  if (const std::string* name = statements_.Find(sql)) return name;
  if (PQtransactionStatus(conn_) == PQTRANS_INERROR) return nullptr;
  std::string name = "zor_" + std::to_string(++statementsPrepared_);
  std::unique_ptr<PGresult, decltype(&PQclear)> res(
      PQprepare(conn_, name.c_str(), NumberPlaceholders(sql).c_str(), 0, nullptr), &PQclear);
  if (!Succeeded(res.get())) throw Failure(res.get(), conn_);
  if (auto dropped = statements_.Add(sql, name)) Deallocate(*dropped);
  return statements_.Find(sql);
}

void PgConnection::Deallocate(const std::string& name) noexcept {
  // Fails only inside a failed transaction or on a lost link (which the
  // next statement reports); at worst an unused statement stays on the
  // server until the connection closes.
  PQclear(PQexec(conn_, ("DEALLOCATE " + name).c_str()));
}

PgConnection::Result PgConnection::Run(const std::string& sql, const std::vector<SqlValue>& params, bool keep) {
  std::vector<std::string> texts;
  std::vector<const char*> values;
  texts.reserve(params.size());
  for (const auto& p : params) {
    if (IsNull(p)) {
      texts.emplace_back();
    } else {
      texts.push_back(ToText(p));
    }
  }
  for (size_t i = 0; i < params.size(); ++i) values.push_back(IsNull(params[i]) ? nullptr : texts[i].c_str());
  const int n = static_cast<int>(values.size());
  auto send = [&] {
    const std::string* name = keep ? Prepared(sql) : nullptr;
    const std::string numbered = name ? std::string() : NumberPlaceholders(sql);
    if (beginPending_) {
      beginPending_ = false;
      return RunAfterBegin([&] {
        return name ? PQsendQueryPrepared(conn_, name->c_str(), n, values.data(), nullptr, nullptr, 0)
                    : PQsendQueryParams(conn_, numbered.c_str(), n, nullptr, values.data(), nullptr, nullptr, 0);
      });
    }
    Result r;
    if (name)
      r.res.reset(PQexecPrepared(conn_, name->c_str(), n, values.data(), nullptr, nullptr, 0));
    else
      r.res.reset(PQexecParams(conn_, numbered.c_str(), n, nullptr, values.data(), nullptr, nullptr, 0));
    return r;
  };
  Result r = send();
  if (Succeeded(r.res.get())) return r;
  DbError error = Failure(r.res.get(), conn_);
  // A table changed under a kept statement so that its rows change shape
  // ("cached plan must not change result type"): the statement is prepared
  // afresh, and run again at once unless a transaction just failed with it.
  const char* state = SqlState(r.res.get());
  if (state && std::string(state) == "0A000" && statements_.Find(sql)) {
    if (auto stale = statements_.Remove(sql)) Deallocate(*stale);
    if (PQtransactionStatus(conn_) == PQTRANS_IDLE) {
      r = send();
      if (Succeeded(r.res.get())) return r;
      error = Failure(r.res.get(), conn_);
    }
  }
  throw error;
}

PgConnection::Result PgConnection::RunAfterBegin(const std::function<int()>& sendStatement) {
  // One result per query, each followed by a null; then the sync point's.
  auto next = [this] {
    Result r;
    r.res.reset(PQgetResult(conn_));
    while (PGresult* more = r.res ? PQgetResult(conn_) : nullptr) PQclear(more);
    return r;
  };
  if (!PQenterPipelineMode(conn_)) throw Failure(nullptr, conn_);
  const bool sent = PQsendQueryParams(conn_, "BEGIN", 0, nullptr, nullptr, nullptr, nullptr, 0) &&
                    sendStatement() && PQpipelineSync(conn_);
  Result begin, statement;
  if (sent) {
    begin = next();
    statement = next();
    Result sync;
    sync.res.reset(PQgetResult(conn_));
  }
  // Fails only on a lost link, which the results already say; a link left
  // in pipeline mode serves no further statement.
  if (!PQexitPipelineMode(conn_)) broken_ = true;
  if (!sent) throw Failure(nullptr, conn_);
  // The statement was not run when BEGIN failed: the failure is BEGIN's.
  if (!Succeeded(begin.res.get())) return begin;
  return statement;
}

void PgConnection::ExecScript(const std::string& sql) {
  if (beginPending_) {
    beginPending_ = false;
    ExecScript("BEGIN");
  }
  std::unique_ptr<PGresult, decltype(&PQclear)> res(PQexec(conn_, sql.c_str()), &PQclear);
  if (!Succeeded(res.get())) throw Failure(res.get(), conn_);
}

void PgConnection::QueryEach(const std::string& sql, const std::vector<SqlValue>& params, const RowReader& read) {
  ReadEach(Run(sql, params).res.get(), read);
}

void PgConnection::QueryEachPlannedForValues(const std::string& sql, const std::vector<SqlValue>& params,
                                             const RowReader& read) {
  ReadEach(Run(sql, params, false).res.get(), read);
}

void PgConnection::ReadEach(PGresult* res, const RowReader& read) {
  const int cols = PQnfields(res), rows = PQntuples(res);
  std::vector<SqlValueView> row(static_cast<size_t>(cols));
  for (int i = 0; i < rows; ++i) {
    for (int c = 0; c < cols; ++c) {
      if (PQgetisnull(res, i, c))
        row[static_cast<size_t>(c)] = std::monostate{};
      else
        row[static_cast<size_t>(c)] = std::string_view(PQgetvalue(res, i, c), static_cast<size_t>(PQgetlength(res, i, c)));
    }
    read(row);
  }
}

std::int64_t PgConnection::Execute(const std::string& sql, const std::vector<SqlValue>& params) {
  Result r = Run(sql, params);
  const char* n = PQcmdTuples(r.res.get());
  return (n && *n) ? std::stoll(n) : 0;
}

// BEGIN goes out with the transaction's first statement, in one round trip
// (RunAfterBegin); a transaction that ran nothing sends nothing.
void PgConnection::BeginWrite() { beginPending_ = true; }
void PgConnection::Commit() {
  if (beginPending_) {
    beginPending_ = false;
    return;
  }
  ExecScript("COMMIT");
}
void PgConnection::Rollback() noexcept {
  beginPending_ = false;
  if (!conn_) return;
  if (PQtransactionStatus(conn_) == PQTRANS_IDLE) return;
  PGresult* res = PQexec(conn_, "ROLLBACK");
  PQclear(res);
}

void PgConnection::LockForMigration() { ExecScript("LOCK TABLE ZOR_SCHEMA_VERSION IN EXCLUSIVE MODE"); }

std::string PgConnection::ColumnSql(ColumnType type, int size) const {
  switch (type) {
    case ColumnType::Text: return "VARCHAR(" + std::to_string(size) + ")";
    case ColumnType::Integer: return "BIGINT";
    case ColumnType::Real: return "DOUBLE PRECISION";
    case ColumnType::Timestamp: return "TIMESTAMP(0)";
  }
  return "TEXT";
}

}  // namespace zor::server

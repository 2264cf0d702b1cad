// PostgreSQL driver (see pg_connection.h).
#include "server/pg_connection.h"

#include <libpq-fe.h>

#include <charconv>
#include <cstring>
#include <exception>
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

PgConnection::Step::Step(std::string statement, const std::vector<SqlValue>& params, bool keepIt)
    : sql(std::move(statement)), keep(keepIt) {
  texts.reserve(params.size());
  for (const auto& p : params) {
    null.push_back(IsNull(p));
    texts.push_back(IsNull(p) ? std::string() : ToText(p));
  }
}

std::vector<const char*> PgConnection::Step::Values() const {
  std::vector<const char*> values;
  values.reserve(texts.size());
  for (size_t i = 0; i < texts.size(); ++i) values.push_back(null[i] ? nullptr : texts[i].c_str());
  return values;
}

PgConnection::Result PgConnection::RunAlone(const Step& step) {
  const std::vector<const char*> values = step.Values();
  const int n = static_cast<int>(values.size());
  Result r;
  if (const std::string* name = step.keep ? Prepared(step.sql) : nullptr)
    r.res.reset(PQexecPrepared(conn_, name->c_str(), n, values.data(), nullptr, nullptr, 0));
  else
    r.res.reset(
        PQexecParams(conn_, NumberPlaceholders(step.sql).c_str(), n, nullptr, values.data(), nullptr, nullptr, 0));
  return r;
}

PgConnection::Result PgConnection::Run(const std::string& sql, const std::vector<SqlValue>& params, bool keep) {
  const Step step(sql, params, keep);
  Result r = Pending() ? RunPipelined(&step) : RunAlone(step);
  if (Succeeded(r.res.get())) return r;
  DbError error = Failure(r.res.get(), conn_);
  // A table changed under a kept statement so that its rows change shape
  // ("cached plan must not change result type"): the statement is prepared
  // afresh, and run again at once unless a transaction just failed with it.
  const char* state = SqlState(r.res.get());
  if (state && std::string(state) == "0A000" && statements_.Find(sql)) {
    if (auto stale = statements_.Remove(sql)) Deallocate(*stale);
    if (PQtransactionStatus(conn_) == PQTRANS_IDLE) {
      r = RunAlone(step);
      if (Succeeded(r.res.get())) return r;
      error = Failure(r.res.get(), conn_);
    }
  }
  throw error;
}

PgConnection::Result PgConnection::NextInPipeline() {
  Result r;
  r.res.reset(PQgetResult(conn_));
  while (PGresult* more = r.res ? PQgetResult(conn_) : nullptr) PQclear(more);
  return r;
}

PgConnection::Result PgConnection::RunPipelined(const Step* last) {
  const bool begin = beginPending_;
  std::vector<Step> steps = std::move(deferred_);
  beginPending_ = false;
  deferred_.clear();
  // Statements are prepared before the pipeline starts (a round trip once
  // per statement and connection). Names are copied: preparing one may let
  // another go from the cache.
  std::vector<std::string> names, numbered;
  auto resolve = [&](const Step& step) {
    const std::string* name = step.keep ? Prepared(step.sql) : nullptr;
    names.push_back(name ? *name : std::string());
    numbered.push_back(name ? std::string() : NumberPlaceholders(step.sql));
  };
  for (const Step& step : steps) resolve(step);
  if (last) resolve(*last);
  auto send = [&](const Step& step, size_t i) {
    const std::vector<const char*> values = step.Values();
    const int n = static_cast<int>(values.size());
    return !names[i].empty()
               ? PQsendQueryPrepared(conn_, names[i].c_str(), n, values.data(), nullptr, nullptr, 0)
               : PQsendQueryParams(conn_, numbered[i].c_str(), n, nullptr, values.data(), nullptr, nullptr, 0);
  };
  // One result per statement, each followed by a null; then the sync point's.
  auto next = [this] { return NextInPipeline(); };

  if (!PQenterPipelineMode(conn_)) throw Failure(nullptr, conn_);
  bool sent = !begin || PQsendQueryParams(conn_, "BEGIN", 0, nullptr, nullptr, nullptr, nullptr, 0);
  for (size_t i = 0; sent && i < steps.size(); ++i) sent = send(steps[i], i);
  if (sent && last) sent = send(*last, steps.size());
  sent = sent && PQpipelineSync(conn_);
  Result failure, result;
  const FailureMeaning* meaning = nullptr;  // of the deferred write that failed
  if (sent) {
    // After a failure the database runs nothing more up to the sync point:
    // the first failure is the one to report.
    if (begin) {
      Result r = next();
      (Succeeded(r.res.get()) ? result : failure) = std::move(r);
    }
    for (size_t i = 0; i < steps.size() + (last ? 1 : 0); ++i) {
      Result r = next();
      if (Succeeded(r.res.get())) {
        if (i < steps.size() && steps[i].read) {
          AheadRead& read = *steps[i].read;
          ReadEach(r.res.get(), [&read](const std::vector<SqlValueView>& row) { KeepRow(read.rows_, row); });
          read.arrived_ = true;
        }
        result = std::move(r);
      } else if (!failure.res) {
        // A kept statement gone stale is prepared afresh next time (the
        // last one's is Run's to handle).
        const char* state = SqlState(r.res.get());
        if (i < steps.size() && state && std::string(state) == "0A000")
          if (auto stale = statements_.Remove(steps[i].sql)) Deallocate(*stale);
        if (i < steps.size() && steps[i].meaning) meaning = &steps[i].meaning;
        failure = std::move(r);
      }
    }
    Result sync;
    sync.res.reset(PQgetResult(conn_));
  }
  // Fails only on a lost link, which the results already say; a link left
  // in pipeline mode serves no further statement.
  if (!PQexitPipelineMode(conn_)) broken_ = true;
  if (!sent) throw Failure(nullptr, conn_);
  // A deferred write's failure is told as its writer tells it.
  if (meaning) (*meaning)(Failure(failure.res.get(), conn_));
  return failure.res ? std::move(failure) : std::move(result);
}

void PgConnection::Defer(const std::string& sql, const std::vector<SqlValue>& params, const FailureMeaning& meaning) {
  if (!beginPending_ && PQtransactionStatus(conn_) != PQTRANS_INTRANS) {
    Connection::Defer(sql, params, meaning);
    return;
  }
  deferred_.emplace_back(sql, params, true);
  deferred_.back().meaning = meaning;
}

std::shared_ptr<Connection::AheadRead> PgConnection::ReadAhead(const std::string& sql,
                                                              const std::vector<SqlValue>& params) {
  if (!beginPending_ && PQtransactionStatus(conn_) != PQTRANS_INTRANS) return Connection::ReadAhead(sql, params);
  auto read = std::make_shared<AheadRead>();
  read->c_ = this;
  deferred_.emplace_back(sql, params, true);
  deferred_.back().read = read;
  return read;
}

void PgConnection::SendWaiting() {
  if (!Pending()) return;
  Result r = RunPipelined(nullptr);
  if (!Succeeded(r.res.get())) throw Failure(r.res.get(), conn_);
}

void PgConnection::ExecScript(const std::string& sql) {
  SendWaiting();
  std::unique_ptr<PGresult, decltype(&PQclear)> res(PQexec(conn_, sql.c_str()), &PQclear);
  if (!Succeeded(res.get())) throw Failure(res.get(), conn_);
}

void PgConnection::QueryEach(const std::string& sql, const std::vector<SqlValue>& params, const RowReader& read) {
  ReadEach(Run(sql, params).res.get(), read);
}

void PgConnection::QueryEachPlannedForValues(const std::string& sql, const std::vector<SqlValue>& params,
                                             const RowReader& read) {
  if (Pending() || PQtransactionStatus(conn_) != PQTRANS_IDLE) {
    ReadEach(Run(sql, params, false).res.get(), read);
    return;
  }
  ReadInBlocks(sql, params, read);
}

// The rows come through a cursor, a block at a time, and the next blocks are
// asked for before a block is handed over: the database produces them while
// the caller writes the one it has. The cursor's plan is the plain query's
// (cursor_tuple_fraction 1: planned for all its rows, not for the first).
void PgConnection::ReadInBlocks(const std::string& sql, const std::vector<SqlValue>& params, const RowReader& read) {
  constexpr int kBlock = 512, kAhead = 2;
  const Step declare("DECLARE zor_rows NO SCROLL CURSOR FOR " + NumberPlaceholders(sql), params, false);
  const std::string fetch = "FETCH " + std::to_string(kBlock) + " FROM zor_rows";
  auto plain = [this](const char* statement) {
    return PQsendQueryParams(conn_, statement, 0, nullptr, nullptr, nullptr, nullptr, 0) == 1;
  };
  auto flush = [this] { return PQsendFlushRequest(conn_) == 1 && PQflush(conn_) == 0; };
  auto next = [this] { return NextInPipeline(); };

  if (!PQenterPipelineMode(conn_)) throw Failure(nullptr, conn_);
  int asked = 0;
  const std::vector<const char*> values = declare.Values();
  bool sent = plain("BEGIN READ ONLY") && plain("SET LOCAL cursor_tuple_fraction = 1") &&
              PQsendQueryParams(conn_, declare.sql.c_str(), static_cast<int>(values.size()), nullptr, values.data(),
                                nullptr, nullptr, 0) == 1;
  for (; sent && asked < kAhead; ++asked) sent = plain(fetch.c_str());
  sent = sent && flush();
  Result failure;
  std::exception_ptr readerFailure;  // the caller's, thrown once the link is left in order
  bool more = sent;
  for (int i = 0; more && i < 3; ++i) {
    Result r = next();
    if (!Succeeded(r.res.get())) failure = std::move(r), more = false;
  }
  while (more) {
    Result block = next();
    --asked;
    if (!Succeeded(block.res.get())) {
      failure = std::move(block);
      break;
    }
    more = PQntuples(block.res.get()) == kBlock;
    if (more) {
      sent = plain(fetch.c_str()) && flush();
      ++asked;
      if (!sent) break;
    }
    try {
      ReadEach(block.res.get(), read);
    } catch (...) {
      readerFailure = std::current_exception();
      break;
    }
  }
  // The blocks asked for past the end come back empty; then the cursor goes
  // with the transaction.
  for (; sent && asked > 0; --asked) next();
  // After a failure the database skips everything up to the sync point; the
  // failed transaction is rolled back once the pipeline is left.
  const bool commit = !failure.res && !readerFailure;
  sent = sent && (!commit || plain("COMMIT")) && PQpipelineSync(conn_) == 1;
  if (sent) {
    if (commit) {
      Result end = next();
      if (!Succeeded(end.res.get())) failure = std::move(end);
    }
    Result sync;
    sync.res.reset(PQgetResult(conn_));
  }
  if (!PQexitPipelineMode(conn_)) broken_ = true;
  if (!sent) throw Failure(nullptr, conn_);
  if (PQtransactionStatus(conn_) != PQTRANS_IDLE) PQclear(PQexec(conn_, "ROLLBACK"));
  if (readerFailure) std::rethrow_exception(readerFailure);
  if (failure.res) throw Failure(failure.res.get(), conn_);
}

void PgConnection::ReadEach(PGresult* res, const RowReader& read) {
  const int cols = PQnfields(res), rows = PQntuples(res);
  std::vector<SqlValueView> row(static_cast<size_t>(cols));
  for (int i = 0; i < rows; ++i) {
    for (int c = 0; c < cols; ++c) {
      // A null reads as an empty value: only an empty one is asked whether it is null.
      const int length = PQgetlength(res, i, c);
      if (length == 0 && PQgetisnull(res, i, c))
        row[static_cast<size_t>(c)] = std::monostate{};
      else
        row[static_cast<size_t>(c)] = std::string_view(PQgetvalue(res, i, c), static_cast<size_t>(length));
    }
    read(row);
  }
}

std::int64_t PgConnection::Execute(const std::string& sql, const std::vector<SqlValue>& params) {
  Result r = Run(sql, params);
  const char* n = PQcmdTuples(r.res.get());
  return (n && *n) ? std::stoll(n) : 0;
}

// BEGIN goes out with the transaction's first statement, and deferred
// statements with the next one or the COMMIT, in one round trip
// (RunPipelined); a transaction that ran nothing sends nothing.
void PgConnection::BeginWrite() { beginPending_ = true; }
void PgConnection::Commit() {
  if (deferred_.empty()) {
    if (!beginPending_) ExecScript("COMMIT");
    beginPending_ = false;
    return;
  }
  const Step commit("COMMIT", {}, false);
  Result r = RunPipelined(&commit);
  if (!Succeeded(r.res.get())) throw Failure(r.res.get(), conn_);
}
void PgConnection::Rollback() noexcept {
  beginPending_ = false;
  deferred_.clear();
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

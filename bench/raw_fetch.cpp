// The raw baselines (see raw_fetch.h).
#include "bench/raw_fetch.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdio>
#include <stdexcept>

namespace zor::bench {

RawReader::RawReader(const std::string& url) {
  if (url.rfind("sqlite:", 0) == 0) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(url.substr(7).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
      throw std::runtime_error("raw reader: cannot open " + url);
    sqlite_ = db;
    // The server's own settings: a commit costs here what it costs there.
    sqlite3_busy_timeout(db, 5000);
    sqlite3_exec(db, "PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;", nullptr, nullptr, nullptr);
    return;
  }
  PGconn* c = PQconnectdb(url.c_str());
  if (PQstatus(c) != CONNECTION_OK) {
    const std::string why = PQerrorMessage(c);
    PQfinish(c);
    throw std::runtime_error("raw reader: " + why);
  }
  pg_ = c;
}

RawReader::~RawReader() {
  if (sqlite_) sqlite3_close_v2(static_cast<sqlite3*>(sqlite_));
  if (pg_) PQfinish(static_cast<PGconn*>(pg_));
}

RawRows RawReader::Fetch(const std::string& sql, const std::vector<RawValue>& params) {
  return Run(sql, params, true);
}

void RawReader::Exec(const std::string& sql, const std::vector<RawValue>& params) { Run(sql, params, false); }

namespace {
std::string AsText(const RawValue& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
  if (auto* d = std::get_if<double>(&v)) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", *d);
    return buf;
  }
  return std::get<std::string>(v);
}
}  // namespace

RawRows RawReader::Run(const std::string& sql, const std::vector<RawValue>& params, bool wantRows) {
  RawRows rows;
  if (sqlite_) {
    sqlite3* db = static_cast<sqlite3*>(sqlite_);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(db));
    for (size_t i = 0; i < params.size(); ++i) {
      const int n = static_cast<int>(i + 1);
      const RawValue& p = params[i];
      if (std::holds_alternative<std::monostate>(p)) sqlite3_bind_null(st, n);
      else if (auto* v = std::get_if<std::int64_t>(&p)) sqlite3_bind_int64(st, n, *v);
      else if (auto* d = std::get_if<double>(&p)) sqlite3_bind_double(st, n, *d);
      else sqlite3_bind_text(st, n, std::get<std::string>(p).c_str(), -1, SQLITE_STATIC);
    }
    const int columns = sqlite3_column_count(st);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
      std::vector<RawValue>& row = rows.emplace_back();
      row.reserve(columns);
      for (int c = 0; c < columns; ++c) {
        switch (sqlite3_column_type(st, c)) {
          case SQLITE_NULL: row.emplace_back(); break;
          case SQLITE_INTEGER: row.emplace_back(static_cast<std::int64_t>(sqlite3_column_int64(st, c))); break;
          case SQLITE_FLOAT: row.emplace_back(sqlite3_column_double(st, c)); break;
          default:
            row.emplace_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                                         static_cast<size_t>(sqlite3_column_bytes(st, c))));
        }
      }
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
    return rows;
  }
  // libpq numbers its placeholders.
  std::string numbered;
  int n = 0;
  for (char ch : sql) numbered += ch == '?' ? "$" + std::to_string(++n) : std::string(1, ch);
  std::vector<std::string> texts;
  std::vector<const char*> values;
  texts.reserve(params.size());
  for (const auto& p : params) {
    const bool null = std::holds_alternative<std::monostate>(p);
    texts.push_back(null ? std::string() : AsText(p));
    values.push_back(null ? nullptr : texts.back().c_str());
  }
  PGresult* r = PQexecParams(static_cast<PGconn*>(pg_), numbered.c_str(), static_cast<int>(values.size()), nullptr,
                             values.data(), nullptr, nullptr, 0);
  if (PQresultStatus(r) != (wantRows ? PGRES_TUPLES_OK : PGRES_COMMAND_OK)) {
    const std::string why = PQresultErrorMessage(r);
    PQclear(r);
    throw std::runtime_error(why);
  }
  const int count = PQntuples(r), columns = PQnfields(r);
  rows.reserve(count);
  for (int i = 0; i < count; ++i) {
    std::vector<RawValue>& row = rows.emplace_back();
    row.reserve(columns);
    for (int c = 0; c < columns; ++c) {
      if (PQgetisnull(r, i, c))
        row.emplace_back();
      else
        row.emplace_back(std::string(PQgetvalue(r, i, c), static_cast<size_t>(PQgetlength(r, i, c))));
    }
  }
  PQclear(r);
  return rows;
}

}  // namespace zor::bench

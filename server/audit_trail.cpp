// Writing and reading the audit trail (see audit_trail.h).
#include "server/audit_trail.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>

#include "server/password_hash.h"
#include "server/schema.h"

namespace zor::server {

namespace {

std::optional<std::string> asText(const SqlValue& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  if (auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
  if (auto* d = std::get_if<double>(&v)) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", *d);
    return std::string(buf);
  }
  return std::nullopt;
}

SqlValue stored(const std::optional<std::string>& s) {
  if (!s) return std::monostate{};
  return s->size() > 200 ? s->substr(0, 200) : *s;
}

std::string nowUtc() {
  std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm tm{};
  gmtime_r(&t, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &tm);
  return buf;
}

std::string kindCode(AuditKind k) {
  switch (k) {
    case AuditKind::insert: return "I";
    case AuditKind::modify: return "A";
    case AuditKind::remove: return "E";
  }
  return "?";
}

std::string text(const SqlValue& v) { return asText(v).value_or(""); }

const char* kEntryInsert =
    "INSERT INTO ZORAUDITORIA (DSCHAMADA, NRSEQUENCIA, DTAUDITORIA, NRMICROS, CDUSUARIO, DSENDERECO, NMMETODO,"
    " NMTABELA, DSCHAVE, CDFILIAL, CDCIA, NRVOO, IDTIPO) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

// The changed columns of one entry in one statement, not one per column: a
// new flight changes some forty.
std::string columnRowsInsert(size_t rows) {
  std::string sql =
      "INSERT INTO ZORAUDITORIACAMPO (DSCHAMADA, NRSEQUENCIA, NMCAMPO, DSVALORANTIGO, DSVALORNOVO) VALUES ";
  for (size_t i = 0; i < rows; ++i) sql += i ? ", (?, ?, ?, ?, ?)" : "(?, ?, ?, ?, ?)";
  return sql;
}

// An entry and its changed columns (five values each). PostgreSQL takes
// both in one statement, so one round trip to the database; SQLite runs in
// this process and takes two.
void writeEntry(Connection& c, std::vector<SqlValue> entry, const std::vector<SqlValue>& columns) {
  if (columns.empty()) {
    c.execute(kEntryInsert, entry);
  } else if (c.dialect() == Dialect::postgresql) {
    entry.insert(entry.end(), columns.begin(), columns.end());
    c.execute(std::string("WITH ENTRY AS (") + kEntryInsert + ") " + columnRowsInsert(columns.size() / 5), entry);
  } else {
    c.execute(kEntryInsert, entry);
    c.execute(columnRowsInsert(columns.size() / 5), columns);
  }
}

}  // namespace

AuditRecorder::AuditRecorder(Connection& c, const Caller& caller, std::string method)
    : c_(c),
      caller_(caller),
      method_(std::move(method)),
      callId_(newSessionToken().substr(0, 32)),
      when_(nowUtc()),
      micros_(std::chrono::duration_cast<std::chrono::microseconds>(
                  std::chrono::system_clock::now().time_since_epoch())
                  .count()) {}

void AuditRecorder::record(const std::string& table, AuditKind kind, const std::vector<std::string>& columns,
                           const std::vector<SqlValue>* oldValues, const std::vector<SqlValue>* newValues) {
  const auto& side = newValues && kind == AuditKind::insert ? *newValues : *oldValues;
  auto valueOf = [&](const std::string& name) -> std::string {
    auto it = std::find(columns.begin(), columns.end(), name);
    return it == columns.end() ? "" : text(side[it - columns.begin()]);
  };
  std::string key;
  for (const auto& k : schemaTable(table).primaryKey) key += (key.empty() ? "" : "/") + valueOf(k);
  const auto seq = static_cast<std::int64_t>(++sequence_);
  std::vector<SqlValue> changed;
  for (size_t i = 0; i < columns.size(); ++i) {
    auto before = oldValues ? asText((*oldValues)[i]) : std::nullopt;
    auto after = newValues ? asText((*newValues)[i]) : std::nullopt;
    if (before == after) continue;
    changed.insert(changed.end(), {callId_, seq, columns[i], stored(before), stored(after)});
  }
  writeEntry(c_,
             {callId_, seq, when_, micros_, caller_.user.substr(0, 20), caller_.address.substr(0, 64),
              method_.substr(0, 30), table, key.substr(0, 60), valueOf("CDFILIAL").substr(0, 4),
              valueOf("CDCIA").substr(0, 4), valueOf("NRVOO").substr(0, 5), kindCode(kind)},
             changed);
}

void AuditRecorder::recordDeletion(const std::string& table, const std::string& where,
                                   const std::vector<SqlValue>& params) {
  std::vector<std::string> columns;
  std::string names;
  for (const auto& col : schemaTable(table).columns) {
    columns.push_back(col.name);
    names += (names.empty() ? "" : ", ") + col.name;
  }
  auto rows = c_.query("SELECT " + names + " FROM " + table + " WHERE " + where, params);
  for (const auto& row : rows.rows) record(table, AuditKind::remove, columns, &row, nullptr);
}

std::string auditKindName(const std::string& kind) {
  if (kind == "I") return "inclusão";
  if (kind == "A") return "alteração";
  if (kind == "E") return "exclusão";
  return kind;
}

std::vector<AuditEntry> readAudit(Connection& c, const AuditFilter& f) {
  std::string where = "1 = 1";
  std::vector<SqlValue> params;
  if (f.branches) {
    if (f.branches->empty()) return {};
    std::string marks;
    for (const auto& b : *f.branches) {
      marks += marks.empty() ? "?" : ", ?";
      params.push_back(b);
    }
    where += " AND A.CDFILIAL IN (" + marks + ")";
  }
  auto add = [&](const std::string& cond, const std::string& value) {
    if (value.empty()) return;
    where += " AND " + cond;
    params.push_back(value);
  };
  add("A.CDFILIAL = ?", f.branch);
  add("A.CDCIA = ?", f.company);
  add("A.NRVOO = ?", f.flight);
  add("A.DTAUDITORIA >= ?", f.since);
  auto rows = c.query(
      "SELECT A.DSCHAMADA, A.NRSEQUENCIA, A.DTAUDITORIA, A.CDUSUARIO, A.DSENDERECO, A.NMMETODO, A.NMTABELA, "
      "A.DSCHAVE, A.CDFILIAL, A.CDCIA, A.NRVOO, A.IDTIPO FROM ZORAUDITORIA A WHERE " + where +
          " ORDER BY A.NRMICROS DESC, A.DSCHAMADA DESC, A.NRSEQUENCIA DESC LIMIT " + std::to_string(f.limit),
      params);
  std::vector<AuditEntry> out;
  std::map<std::pair<std::string, std::string>, size_t> index;
  for (auto it = rows.rows.rbegin(); it != rows.rows.rend(); ++it) {
    const auto& r = *it;
    AuditEntry e;
    e.when = text(r[2]);
    if (e.when.size() > 10 && e.when[10] == ' ') e.when[10] = 'T';  // one layout on both engines
    e.user = text(r[3]);
    e.address = text(r[4]);
    e.method = text(r[5]);
    e.table = text(r[6]);
    e.key = text(r[7]);
    e.branch = text(r[8]);
    e.company = text(r[9]);
    e.flight = text(r[10]);
    e.kind = text(r[11]);
    index[{text(r[0]), text(r[1])}] = out.size();
    out.push_back(std::move(e));
  }
  if (out.empty()) return out;
  // The columns of the entries read, by call (a call's rows share its id).
  std::string marks;
  std::vector<SqlValue> ids;
  std::map<std::string, bool> seen;
  for (const auto& [k, _] : index)
    if (!seen[k.first]) {
      seen[k.first] = true;
      marks += marks.empty() ? "?" : ", ?";
      ids.push_back(k.first);
    }
  auto cols = c.query("SELECT DSCHAMADA, NRSEQUENCIA, NMCAMPO, DSVALORANTIGO, DSVALORNOVO FROM ZORAUDITORIACAMPO"
                      " WHERE DSCHAMADA IN (" + marks + ") ORDER BY DSCHAMADA, NRSEQUENCIA, NMCAMPO",
                      ids);
  for (const auto& r : cols.rows) {
    auto it = index.find({text(r[0]), text(r[1])});
    if (it == index.end()) continue;
    out[it->second].columns.push_back({text(r[2]), asText(r[3]), asText(r[4])});
  }
  return out;
}

}  // namespace zor::server

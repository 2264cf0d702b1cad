// Writing and reading the audit trail (see audit_trail.h).
#include "server/audit_trail.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>

#include <nlohmann/json.hpp>

#include "server/password_hash.h"
#include "server/schema.h"
#include "wire/packet_writer.h"

namespace zor::server {

namespace {

using json = nlohmann::ordered_json;

std::optional<std::string> AsText(const SqlValue& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  if (auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
  if (auto* d = std::get_if<double>(&v)) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", *d);
    return std::string(buf);
  }
  return std::nullopt;
}

// A value as the trail keeps it: its first 200 bytes, cut before a
// character rather than inside one.
std::optional<std::string> Clipped(std::optional<std::string> s) {
  if (!s || s->size() <= 200) return s;
  size_t n = 200;
  while (n > 0 && (static_cast<unsigned char>((*s)[n]) & 0xC0) == 0x80) --n;
  s->resize(n);
  return s;
}

std::string NowUtc() {
  std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm tm{};
  gmtime_r(&t, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &tm);
  return buf;
}

std::string KindCode(AuditKind k) {
  switch (k) {
    case AuditKind::Insert: return "I";
    case AuditKind::Modify: return "A";
    case AuditKind::Remove: return "E";
  }
  return "?";
}

std::string Text(const SqlValue& v) { return AsText(v).value_or(""); }

std::optional<std::string> TextMember(const json& o, const char* name) {
  auto it = o.find(name);
  if (it == o.end() || !it->is_string()) return std::nullopt;
  return it->get<std::string>();
}

// An entry's changed columns are kept in its own row, in the shape the
// session endpoint answers them: [{"campo": .., "antes": .., "depois": ..}].
// One row per change rather than one per column: a new flight changes some
// forty, and their rows were most of a save's writes. Written straight into
// the text: a document tree built for it cost more than the entry's INSERT.
std::string ColumnsText(const std::vector<AuditColumn>& columns) {
  std::string out;
  wire::ValueWriter w(out);
  auto optional = [&w](const std::optional<std::string>& s) { s ? w.String(*s) : w.Null(); };
  w.BeginList();
  for (const auto& c : columns) {
    w.BeginObject();
    w.Key("campo");
    w.String(c.name);
    w.Key("antes");
    optional(c.oldValue);
    w.Key("depois");
    optional(c.newValue);
    w.EndObject();
  }
  w.EndList();
  return out;
}

// Reads what ColumnsText wrote. A text another program left unreadable is
// shown whole, as one column, rather than hidden.
std::vector<AuditColumn> ColumnsFromText(const std::string& text) {
  const std::vector<AuditColumn> asIs = {{"DSCAMPOS", std::nullopt, text}};
  json list = json::parse(text, nullptr, false);
  if (!list.is_array()) return asIs;
  std::vector<AuditColumn> out;
  for (const auto& c : list) {
    if (!c.is_object()) return asIs;
    out.push_back({TextMember(c, "campo").value_or(""), TextMember(c, "antes"), TextMember(c, "depois")});
  }
  return out;
}

using EntryIndex = std::map<std::pair<std::string, std::string>, size_t>;  // (call, sequence) -> entry

// The columns of entries written before the columns moved into the entry's
// row: one row each in ZORAUDITORIACAMPO, found by call (a call's rows
// share its id).
void ReadColumnRows(Connection& c, const EntryIndex& index, std::vector<AuditEntry>& out) {
  std::string marks;
  std::vector<SqlValue> ids;
  for (const auto& [k, _] : index)
    if (ids.empty() || std::get<std::string>(ids.back()) != k.first) {  // the index is ordered by call
      marks += marks.empty() ? "?" : ", ?";
      ids.push_back(k.first);
    }
  auto cols = c.Query("SELECT DSCHAMADA, NRSEQUENCIA, NMCAMPO, DSVALORANTIGO, DSVALORNOVO FROM ZORAUDITORIACAMPO"
                      " WHERE DSCHAMADA IN (" + marks + ")",
                      ids);
  for (const auto& r : cols.rows) {
    auto it = index.find({Text(r[0]), Text(r[1])});
    if (it == index.end()) continue;
    out[it->second].columns.push_back({Text(r[2]), AsText(r[3]), AsText(r[4])});
  }
}

const char* kEntryInsert =
    "INSERT INTO ZORAUDITORIA (DSCHAMADA, NRSEQUENCIA, DTAUDITORIA, NRMICROS, CDUSUARIO, DSENDERECO, NMMETODO,"
    " NMTABELA, DSCHAVE, CDFILIAL, CDCIA, NRVOO, IDTIPO, DSCAMPOS) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

}  // namespace

AuditRecorder::AuditRecorder(Connection& c, const Caller& caller, std::string method)
    : c_(c),
      caller_(caller),
      method_(std::move(method)),
      callId_(NewSessionToken().substr(0, 32)),
      when_(NowUtc()),
      micros_(std::chrono::duration_cast<std::chrono::microseconds>(
                  std::chrono::system_clock::now().time_since_epoch())
                  .count()) {}

void AuditRecorder::Record(const std::string& table, AuditKind kind, const std::vector<std::string>& columns,
                           const std::vector<SqlValue>* oldValues, const std::vector<SqlValue>* newValues) {
  const auto& side = newValues && kind == AuditKind::Insert ? *newValues : *oldValues;
  auto valueOf = [&](const std::string& name) -> std::string {
    auto it = std::find(columns.begin(), columns.end(), name);
    return it == columns.end() ? "" : Text(side[it - columns.begin()]);
  };
  std::string key;
  for (const auto& k : SchemaTable(table).primaryKey) key += (key.empty() ? "" : "/") + valueOf(k);
  std::vector<AuditColumn> changed;
  for (size_t i = 0; i < columns.size(); ++i) {
    auto before = oldValues ? AsText((*oldValues)[i]) : std::nullopt;
    auto after = newValues ? AsText((*newValues)[i]) : std::nullopt;
    if (before == after) continue;
    changed.push_back({columns[i], Clipped(std::move(before)), Clipped(std::move(after))});
  }
  c_.Defer(kEntryInsert, {callId_, static_cast<std::int64_t>(++sequence_), when_, micros_,
                          caller_.user.substr(0, 20), caller_.address.substr(0, 64), method_.substr(0, 30), table,
                          key.substr(0, 60), valueOf("CDFILIAL").substr(0, 4), valueOf("CDCIA").substr(0, 4),
                          valueOf("NRVOO").substr(0, 5), KindCode(kind), ColumnsText(changed)});
}

void AuditRecorder::RecordDeletion(const std::string& table, const std::string& where,
                                   const std::vector<SqlValue>& params) {
  std::vector<std::string> columns;
  std::string names;
  for (const auto& col : SchemaTable(table).columns) {
    columns.push_back(col.name);
    names += (names.empty() ? "" : ", ") + col.name;
  }
  auto rows = c_.Query("SELECT " + names + " FROM " + table + " WHERE " + where, params);
  for (const auto& row : rows.rows) Record(table, AuditKind::Remove, columns, &row, nullptr);
}

std::string AuditKindName(const std::string& kind) {
  if (kind == "I") return "inclusão";
  if (kind == "A") return "alteração";
  if (kind == "E") return "exclusão";
  return kind;
}

std::vector<AuditEntry> ReadAudit(Connection& c, const AuditFilter& f) {
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
  auto rows = c.Query(
      "SELECT A.DSCHAMADA, A.NRSEQUENCIA, A.DTAUDITORIA, A.CDUSUARIO, A.DSENDERECO, A.NMMETODO, A.NMTABELA, "
      "A.DSCHAVE, A.CDFILIAL, A.CDCIA, A.NRVOO, A.IDTIPO, A.DSCAMPOS FROM ZORAUDITORIA A WHERE " + where +
          " ORDER BY A.NRMICROS DESC, A.DSCHAMADA DESC, A.NRSEQUENCIA DESC LIMIT " + std::to_string(f.limit),
      params);
  std::vector<AuditEntry> out;
  EntryIndex older;
  for (auto it = rows.rows.rbegin(); it != rows.rows.rend(); ++it) {
    const auto& r = *it;
    AuditEntry e;
    e.when = Text(r[2]);
    if (e.when.size() > 10 && e.when[10] == ' ') e.when[10] = 'T';  // one layout on both engines
    e.user = Text(r[3]);
    e.address = Text(r[4]);
    e.method = Text(r[5]);
    e.table = Text(r[6]);
    e.key = Text(r[7]);
    e.branch = Text(r[8]);
    e.company = Text(r[9]);
    e.flight = Text(r[10]);
    e.kind = Text(r[11]);
    if (auto columns = AsText(r[12]))
      e.columns = ColumnsFromText(*columns);
    else
      older[{Text(r[0]), Text(r[1])}] = out.size();
    out.push_back(std::move(e));
  }
  if (!older.empty()) ReadColumnRows(c, older, out);
  // Columns by name, whichever way the entry keeps them.
  for (auto& e : out)
    std::stable_sort(e.columns.begin(), e.columns.end(),
                     [](const AuditColumn& a, const AuditColumn& b) { return a.name < b.name; });
  return out;
}

}  // namespace zor::server

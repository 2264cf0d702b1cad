// Delta application (see delta_apply.h).
#include "server/delta_apply.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "server/request_decoder.h"
#include "server/row_checks.h"
#include "server/schema.h"
#include "server/stored_value.h"

namespace zor::server {

namespace {

const std::string kReload = " Atualize os dados e tente novamente.";

std::string text(const SqlValue& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  return {};
}

bool blank(const SqlValue& v) { return isNull(v) || text(v).empty(); }

// Reads values by field name out of one side of a change.
struct Row {
  const DatasetDef& d;
  const std::vector<SqlValue>& v;
  const SqlValue& operator[](const std::string& name) const { return v[d.indexOf(name)]; }
  std::string str(const std::string& name) const { return text((*this)[name]); }
};

bool isLeg(const DatasetDef& d) { return d.table == "VOOTRECHO"; }
bool isClass(const DatasetDef& d) { return d.table == "CLASSEVOO"; }

// How a row is named in messages: "O vôo 1234", "O trecho 0002 do vôo 1234"...
std::string subject(const DatasetDef& d, const Row& r) {
  if (isLeg(d)) return "O trecho " + r.str("CDTRECHO") + " do vôo " + r.str("NRVOO");
  if (isClass(d)) return "A classe " + r.str("CDCLASSE") + " do trecho " + r.str("CDTRECHO") + " do vôo " + r.str("NRVOO");
  return "O vôo " + r.str("NRVOO");
}

std::string changedMsg(const DatasetDef& d, const Row& r) {
  return subject(d, r) + (isClass(d) ? " foi alterada" : " foi alterado") + " por outro usuário." + kReload;
}
std::string removedMsg(const DatasetDef& d, const Row& r) {
  return subject(d, r) + (isClass(d) ? " foi excluída" : " foi excluído") + " por outro usuário." + kReload;
}
std::string duplicateMsg(const DatasetDef& d) {
  if (isLeg(d)) return "Trecho já cadastrado.";
  if (isClass(d)) return "Classe já cadastrada.";
  return "Vôo já cadastrado.";
}
std::string missingParentMsg(const DatasetDef& d, const Row& r) {
  if (isLeg(d)) return "O vôo " + r.str("NRVOO") + " não está cadastrado." + kReload;
  if (isClass(d))
    return "O trecho " + r.str("CDTRECHO") + " do vôo " + r.str("NRVOO") + " não está cadastrado ou a classe " +
           r.str("CDCLASSE") + " não existe." + kReload;
  return "Filial " + r.str("CDFILIAL") + " ou companhia " + r.str("CDCIA") + " não cadastrada.";
}
// What the person reads when a key value is missing: the screen's own words.
std::string missingKeyMsg(const DatasetDef& d, const std::string& key) {
  if (key == "NRVOO") return "Número do vôo deve ser informado.";
  if (key == "CDFILIAL") return "Filial deve ser informada.";
  if (key == "CDCIA") return "Companhia deve ser informada.";
  if (key == "CDCLASSE") return "Classe deve ser informada.";
  if (key == "CDTRECHO" && isClass(d)) return "Inclua um trecho no vôo antes de configurar suas classes.";
  return "Trecho deve ser informado.";
}

bool allBlanks(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

// A flight number is stored as the screen sends it, without blanks around
// it: "2000 " beside "2000" would be two flights that look the same.
void checkFlightNumber(const Row& r) {
  const std::string nr = r.str("NRVOO");
  if (!nr.empty() && (nr.front() == ' ' || nr.back() == ' ' || nr.front() == '\t' || nr.back() == '\t'))
    throw SaveRefused("O número do vôo (\"" + nr + "\") não pode começar nem terminar com espaço.");
}

const std::string kHasLegs =
    "Vôo possui trecho(s) e não pode ser excluído. Exclua-o(s) primeiro e tente novamente.";

std::vector<std::string> storedColumns(const DatasetDef& d) {
  std::vector<std::string> cols;
  for (const auto& f : d.fields)
    if (f.stored) cols.push_back(f.name);
  return cols;
}

// `written`: values about to be stored (not those a desk loaded).
void checkValues(const DatasetDef& d, const std::vector<SqlValue>& values, bool insert, bool written) {
  Row r{d, values};
  for (const auto& k : d.key) {
    if (insert && isLeg(d) && k == "CDTRECHO") continue;  // numbered by the server
    // A key of blanks only would look like no key at all.
    if (blank(r[k]) || (written && allBlanks(r.str(k)))) throw SaveRefused(missingKeyMsg(d, k));
  }
  const TableDef& t = schemaTable(d.table);
  for (size_t i = 0; i < d.fields.size(); ++i) {
    const auto& f = d.fields[i];
    if (!f.stored || f.type != FieldType::string || isNull(values[i])) continue;
    const ColumnDef* col = t.column(f.name);
    size_t len = utf8Length(text(values[i]));
    if (col && len > static_cast<size_t>(col->size))
      throw SaveRefused("O valor informado para " + f.name + " (\"" + echoCut(text(values[i])) + "\") tem " +
                        std::to_string(len) + " caracteres; o máximo é " + std::to_string(col->size) + ".");
  }
}

std::vector<SqlValue> keyValues(const DatasetDef& d, const std::vector<SqlValue>& v) {
  Row r{d, v};
  std::vector<SqlValue> out;
  for (const auto& k : d.key) out.push_back(r[k]);
  return out;
}

std::string keyWhere(const DatasetDef& d) {
  std::string w;
  for (const auto& k : d.key) w += (w.empty() ? "" : " AND ") + k + " = ?";
  return w;
}

// The row stored under the key of `loaded`, in the dataset's field order
// (fields that are not stored stay null), locked until the transaction
// ends; nothing when no such row is stored.
std::optional<std::vector<SqlValue>> storedRow(Connection& c, const DatasetDef& d,
                                               const std::vector<SqlValue>& loaded) {
  auto cols = storedColumns(d);
  std::string names;
  for (const auto& col : cols) names += (names.empty() ? "" : ", ") + col;
  auto rows = c.query("SELECT " + names + " FROM " + d.table + " WHERE " + keyWhere(d) + c.lockRowsClause(),
                      keyValues(d, loaded));
  if (rows.rows.empty()) return std::nullopt;
  std::vector<SqlValue> out(d.fields.size());
  for (size_t i = 0; i < cols.size(); ++i) out[d.indexOf(cols[i])] = rows.rows[0][i];
  return out;
}

// Refuses when the row is gone or another desk changed any of its stored
// columns since `loaded` was read. Both sides are compared in the form the
// server reads values in, so a row another program wrote ('' for null,
// another timestamp layout) matches what the desk was given.
void checkUnchangedSinceLoad(Connection& c, const DatasetDef& d, const std::vector<SqlValue>& loaded) {
  Row r{d, loaded};
  auto stored = storedRow(c, d, loaded);
  if (!stored) throw SaveRefused(removedMsg(d, r));
  for (size_t i = 0; i < d.fields.size(); ++i) {
    const auto& f = d.fields[i];
    if (f.stored && !sameValue(f, (*stored)[i], loaded[i])) throw SaveRefused(changedMsg(d, r));
  }
}

// Locks the flight row so that two desks adding legs to one flight number
// them one after the other; false when the flight does not exist.
bool lockFlight(Connection& c, const Row& r) {
  return c.execute("UPDATE VOO SET NRVOO = NRVOO WHERE CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?",
                   {r["CDFILIAL"], r["CDCIA"], r["NRVOO"]}) > 0;
}

std::string nextLegCode(Connection& c, const Row& r) {
  auto rows = c.query("SELECT CDTRECHO FROM VOOTRECHO WHERE CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?",
                      {r["CDFILIAL"], r["CDCIA"], r["NRVOO"]});
  long highest = 0;
  for (const auto& row : rows.rows) {
    std::string code = text(row[0]);
    if (code.empty() || !std::all_of(code.begin(), code.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
      continue;
    highest = std::max(highest, std::stol(code));
  }
  if (highest >= 9999) throw SaveRefused("O vôo " + r.str("NRVOO") + " já tem o número máximo de trechos.");
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04ld", highest + 1);
  return buf;
}

void insertRow(Connection& c, const DatasetDef& d, std::vector<SqlValue> values, AuditRecorder* audit) {
  Row r{d, values};
  if (isLeg(d)) {
    if (!lockFlight(c, r)) throw SaveRefused(missingParentMsg(d, r));
    if (blank(r["CDTRECHO"])) values[d.indexOf("CDTRECHO")] = nextLegCode(c, r);
    // The same origin and destination may not be stored twice for one flight.
    if (!blank(r["CDBASEORI"]) && !blank(r["CDBASEDES"]) &&
        !c.query("SELECT 1 FROM VOOTRECHO WHERE CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?"
                 " AND CDBASEORI = ? AND CDBASEDES = ?",
                 {r["CDFILIAL"], r["CDCIA"], r["NRVOO"], r["CDBASEORI"], r["CDBASEDES"]})
             .rows.empty())
      throw SaveRefused(duplicateMsg(d));
  }
  auto cols = storedColumns(d);
  std::string names, marks;
  std::vector<SqlValue> params;
  for (const auto& col : cols) {
    names += (names.empty() ? "" : ", ") + col;
    marks += marks.empty() ? "?" : ", ?";
    params.push_back(values[d.indexOf(col)]);
  }
  try {
    c.execute("INSERT INTO " + d.table + " (" + names + ") VALUES (" + marks + ")", params);
  } catch (const DbError& e) {
    if (e.kind() == DbError::Kind::uniqueViolation) throw SaveRefused(duplicateMsg(d));
    if (e.kind() == DbError::Kind::foreignKeyViolation) throw SaveRefused(missingParentMsg(d, r));
    throw;
  }
  if (audit) audit->record(d.table, AuditKind::insert, cols, nullptr, &params);
}

void modifyRow(Connection& c, const DatasetDef& d, const Change& ch, AuditRecorder* audit) {
  checkUnchangedSinceLoad(c, d, ch.oldValues);
  // Only what the person changed is written: a value left alone keeps the
  // form it is stored in.
  std::string set;
  std::vector<SqlValue> params;
  std::vector<std::string> changedCols;
  std::vector<SqlValue> before;
  for (const auto& col : storedColumns(d)) {
    int i = d.indexOf(col);
    if (sameValue(d.fields[i], ch.newValues[i], ch.oldValues[i])) continue;
    set += (set.empty() ? "" : ", ") + col + " = ?";
    params.push_back(ch.newValues[i]);
    changedCols.push_back(col);
    before.push_back(ch.oldValues[i]);
  }
  if (set.empty()) return;
  auto keys = keyValues(d, ch.oldValues);
  params.insert(params.end(), keys.begin(), keys.end());
  try {
    c.execute("UPDATE " + d.table + " SET " + set + " WHERE " + keyWhere(d), params);
  } catch (const DbError& e) {
    if (e.kind() == DbError::Kind::uniqueViolation) throw SaveRefused(duplicateMsg(d));
    if (e.kind() == DbError::Kind::foreignKeyViolation)
      throw SaveRefused(d.table == "VOO" ? kHasLegs : missingParentMsg(d, Row{d, ch.newValues}));
    throw;
  }
  if (audit) {
    // The entry's key is the row's key as loaded; a changed key column is
    // listed with its old and new value like any other.
    std::vector<SqlValue> after(params.begin(), params.begin() + static_cast<long>(changedCols.size()));
    for (const auto& k : d.key)
      if (std::find(changedCols.begin(), changedCols.end(), k) == changedCols.end()) {
        changedCols.push_back(k);
        before.push_back(ch.oldValues[d.indexOf(k)]);
        after.push_back(ch.oldValues[d.indexOf(k)]);  // unchanged: names the row, not listed
      }
    audit->record(d.table, AuditKind::modify, changedCols, &before, &after);
  }
}

// A flight goes with its legs and their classes, a leg with its classes:
// all in the delta's transaction, after the row itself was found unchanged.
void removeRow(Connection& c, const DatasetDef& d, const Change& ch, AuditRecorder* audit) {
  checkUnchangedSinceLoad(c, d, ch.oldValues);
  auto keys = keyValues(d, ch.oldValues);
  if (audit) {
    if (d.table == "VOO") {
      audit->recordDeletion("CLASSEVOO", "CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?", keys);
      audit->recordDeletion("VOOTRECHO", "CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?", keys);
    } else if (isLeg(d)) {
      audit->recordDeletion("CLASSEVOO", "CDFILIAL = ? AND CDCIA = ? AND NRVOO = ? AND CDTRECHO = ?", keys);
    }
    audit->recordDeletion(d.table, keyWhere(d), keys);
  }
  if (d.table == "VOO") {
    c.execute("DELETE FROM CLASSEVOO WHERE CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?", keys);
    c.execute("DELETE FROM VOOTRECHO WHERE CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?", keys);
  } else if (isLeg(d)) {
    c.execute("DELETE FROM CLASSEVOO WHERE CDFILIAL = ? AND CDCIA = ? AND NRVOO = ? AND CDTRECHO = ?", keys);
  }
  c.execute("DELETE FROM " + d.table + " WHERE " + keyWhere(d), keys);
}

}  // namespace

void applyDelta(Connection& c, const DatasetDef& d, const std::vector<Change>& changes, AuditRecorder* audit) {
  // Everything the request alone can tell is checked before the transaction.
  for (const auto& ch : changes) {
    if (ch.kind != ChangeKind::insert) checkValues(d, ch.oldValues, false, false);
    if (ch.kind != ChangeKind::remove) checkValues(d, ch.newValues, ch.kind == ChangeKind::insert, true);
    // A flight number is checked where it is given, not where a row refers to it.
    if (d.table == "VOO" && (ch.kind == ChangeKind::insert ||
                             (ch.kind == ChangeKind::modify && Row{d, ch.newValues}.str("NRVOO") !=
                                                                   Row{d, ch.oldValues}.str("NRVOO"))))
      checkFlightNumber(Row{d, ch.newValues});
  }
  if (changes.empty()) return;
  WriteTransaction tx(c);
  for (const auto& ch : changes) {
    checkStoredValues(c, d, ch);
    switch (ch.kind) {
      case ChangeKind::insert: insertRow(c, d, ch.newValues, audit); break;
      case ChangeKind::modify: modifyRow(c, d, ch, audit); break;
      case ChangeKind::remove: removeRow(c, d, ch, audit); break;
    }
  }
  tx.commit();
}

void deleteAllLegs(Connection& c, const std::string& filial, const std::string& cia, const std::string& voo,
                   AuditRecorder* audit) {
  WriteTransaction tx(c);
  std::vector<SqlValue> key = {filial, cia, voo};
  if (audit) {
    audit->recordDeletion("CLASSEVOO", "CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?", key);
    audit->recordDeletion("VOOTRECHO", "CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?", key);
  }
  c.execute("DELETE FROM CLASSEVOO WHERE CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?", key);
  c.execute("DELETE FROM VOOTRECHO WHERE CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?", key);
  tx.commit();
}

}  // namespace zor::server

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

// A message of the dataset's rules with the row's values in place of "{FIELD}".
std::string fill(const std::string& message, const Row& r) {
  std::string out;
  size_t at = 0;
  while (true) {
    size_t open = message.find('{', at), close = open == std::string::npos ? open : message.find('}', open);
    if (close == std::string::npos) break;
    out += message.substr(at, open - at) + r.str(message.substr(open + 1, close - open - 1));
    at = close + 1;
  }
  return out + message.substr(at);
}

std::string changedMsg(const DatasetDef& d, const Row& r) {
  return fill(d.save.subject, r) + (d.save.feminine ? " foi alterada" : " foi alterado") + " por outro usuário." +
         kReload;
}
std::string removedMsg(const DatasetDef& d, const Row& r) {
  return fill(d.save.subject, r) + (d.save.feminine ? " foi excluída" : " foi excluído") + " por outro usuário." +
         kReload;
}
std::string missingParentMsg(const DatasetDef& d, const Row& r) { return fill(d.save.missingParent, r); }
// What the person reads when a key value is missing: the screen's own words.
std::string missingKeyMsg(const DatasetDef& d, const std::string& key) {
  for (const auto& [field, words] : d.save.missingKey)
    if (field == key) return words;
  return key + " deve ser informado.";
}

bool allBlanks(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

// A key the person types is stored as given, without blanks around it:
// "2000 " beside "2000" would be two flights that look the same.
void checkUnpadded(const DatasetDef& d, const Row& r) {
  const std::string v = r.str(d.save.unpaddedKey);
  if (!v.empty() && (v.front() == ' ' || v.back() == ' ' || v.front() == '\t' || v.back() == '\t'))
    throw SaveRefused(fill(d.save.paddedKeyMessage, r));
}

// The key of the parent whose rows are numbered: the dataset's key less the numbered field.
std::vector<std::string> parentKey(const DatasetDef& d) {
  std::vector<std::string> out;
  for (const auto& k : d.key)
    if (k != d.save.numberedKey) out.push_back(k);
  return out;
}

std::string whereAll(const std::vector<std::string>& cols) {
  std::string w;
  for (const auto& k : cols) w += (w.empty() ? "" : " AND ") + k + " = ?";
  return w;
}

std::vector<SqlValue> valuesOf(const Row& r, const std::vector<std::string>& cols) {
  std::vector<SqlValue> out;
  for (const auto& c : cols) out.push_back(r[c]);
  return out;
}

std::vector<std::string> storedColumns(const DatasetDef& d) {
  std::vector<std::string> cols;
  for (const auto& f : d.fields)
    if (f.stored) cols.push_back(f.Name);
  return cols;
}

// `written`: values about to be stored (not those a desk loaded).
void checkValues(const DatasetDef& d, const std::vector<SqlValue>& values, bool insert, bool written) {
  Row r{d, values};
  for (const auto& k : d.key) {
    if (insert && k == d.save.numberedKey) continue;  // numbered by the server
    // A key of blanks only would look like no key at all.
    if (blank(r[k]) || (written && allBlanks(r.str(k)))) throw SaveRefused(missingKeyMsg(d, k));
  }
  const TableDef& t = schemaTable(d.table);
  for (size_t i = 0; i < d.fields.size(); ++i) {
    const auto& f = d.fields[i];
    if (!f.stored || f.Type != wire::FieldType::String || isNull(values[i])) continue;
    const ColumnDef* col = t.column(f.Name);
    size_t len = utf8Length(text(values[i]));
    if (col && len > static_cast<size_t>(col->size))
      throw SaveRefused("O valor informado para " + f.Name + " (\"" + echoCut(text(values[i])) + "\") tem " +
                        std::to_string(len) + " caracteres; o máximo é " + std::to_string(col->size) + ".");
  }
}

std::vector<SqlValue> keyValues(const DatasetDef& d, const std::vector<SqlValue>& v) {
  Row r{d, v};
  std::vector<SqlValue> out;
  for (const auto& k : d.key) out.push_back(r[k]);
  return out;
}

std::string keyWhere(const DatasetDef& d) { return whereAll(d.key); }

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

// Locks the parent row so that two desks adding rows to one parent number
// them one after the other; false when the parent does not exist.
bool lockParent(Connection& c, const DatasetDef& d, const Row& r) {
  auto cols = parentKey(d);
  return c.execute("UPDATE " + d.save.parentTable + " SET " + cols.back() + " = " + cols.back() + " WHERE " +
                       whereAll(cols),
                   valuesOf(r, cols)) > 0;
}

std::string nextNumber(Connection& c, const DatasetDef& d, const Row& r) {
  auto cols = parentKey(d);
  auto rows = c.query("SELECT " + d.save.numberedKey + " FROM " + d.table + " WHERE " + whereAll(cols),
                      valuesOf(r, cols));
  long highest = 0;
  for (const auto& row : rows.rows) {
    std::string code = text(row[0]);
    if (code.empty() || !std::all_of(code.begin(), code.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
      continue;
    highest = std::max(highest, std::stol(code));
  }
  if (highest >= 9999) throw SaveRefused(fill(d.save.numbersExhausted, r));
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04ld", highest + 1);
  return buf;
}

// Whether another row of the same parent holds the same values of the
// fields that may not repeat among siblings (none when one of them is blank).
bool repeatsSibling(Connection& c, const DatasetDef& d, const Row& r) {
  const auto& unique = d.save.uniqueAmongSiblings;
  if (unique.empty()) return false;
  for (const auto& f : unique)
    if (blank(r[f])) return false;
  auto cols = parentKey(d);
  auto params = valuesOf(r, cols);
  auto more = valuesOf(r, unique);
  params.insert(params.end(), more.begin(), more.end());
  cols.insert(cols.end(), unique.begin(), unique.end());
  return !c.query("SELECT 1 FROM " + d.table + " WHERE " + whereAll(cols), params).rows.empty();
}

void insertRow(Connection& c, const DatasetDef& d, std::vector<SqlValue> values, AuditRecorder* audit) {
  Row r{d, values};
  if (!d.save.numberedKey.empty()) {
    if (!lockParent(c, d, r)) throw SaveRefused(missingParentMsg(d, r));
    if (blank(r[d.save.numberedKey])) values[d.indexOf(d.save.numberedKey)] = nextNumber(c, d, r);
  }
  if (repeatsSibling(c, d, r)) throw SaveRefused(d.save.duplicate);
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
    if (e.kind() == DbError::Kind::uniqueViolation) throw SaveRefused(d.save.duplicate);
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
    if (e.kind() == DbError::Kind::uniqueViolation) throw SaveRefused(d.save.duplicate);
    if (e.kind() == DbError::Kind::foreignKeyViolation)
      throw SaveRefused(!d.save.stillReferred.empty() ? d.save.stillReferred
                                                      : missingParentMsg(d, Row{d, ch.newValues}));
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
    for (const auto& child : d.save.cascade) audit->recordDeletion(child, keyWhere(d), keys);
    audit->recordDeletion(d.table, keyWhere(d), keys);
  }
  for (const auto& child : d.save.cascade) c.execute("DELETE FROM " + child + " WHERE " + keyWhere(d), keys);
  c.execute("DELETE FROM " + d.table + " WHERE " + keyWhere(d), keys);
}

// Everything the request alone can tell, checked before the transaction.
void checkRequestValues(const DatasetDef& d, const std::vector<Change>& changes) {
  for (const auto& ch : changes) {
    if (ch.kind != wire::ChangeKind::Insert) checkValues(d, ch.oldValues, false, false);
    if (ch.kind != wire::ChangeKind::Delete) checkValues(d, ch.newValues, ch.kind == wire::ChangeKind::Insert, true);
    // A typed key is checked where it is given, not where a row refers to it.
    const std::string& typed = d.save.unpaddedKey;
    if (!typed.empty() && (ch.kind == wire::ChangeKind::Insert ||
                           (ch.kind == wire::ChangeKind::Modify &&
                            Row{d, ch.newValues}.str(typed) != Row{d, ch.oldValues}.str(typed))))
      checkUnpadded(d, Row{d, ch.newValues});
  }
}

void writeRows(Connection& c, const DatasetDef& d, const std::vector<Change>& changes, AuditRecorder* audit) {
  for (const auto& ch : changes) {
    checkStoredValues(c, d, ch);
    switch (ch.kind) {
      case wire::ChangeKind::Insert: insertRow(c, d, ch.newValues, audit); break;
      case wire::ChangeKind::Modify: modifyRow(c, d, ch, audit); break;
      case wire::ChangeKind::Delete: removeRow(c, d, ch, audit); break;
    }
  }
}

}  // namespace

void applyDelta(Connection& c, const DatasetDef& d, const std::vector<Change>& changes, AuditRecorder* audit) {
  checkRequestValues(d, changes);
  if (changes.empty()) return;
  WriteTransaction tx(c);
  writeRows(c, d, changes, audit);
  tx.commit();
}

void applyChangesInTransaction(Connection& c, const DatasetDef& d, const std::vector<Change>& changes,
                               AuditRecorder* audit) {
  checkRequestValues(d, changes);
  writeRows(c, d, changes, audit);
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

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

std::string Text(const SqlValue& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  return {};
}

bool Blank(const SqlValue& v) { return IsNull(v) || Text(v).empty(); }

// Reads values by field name out of one side of a change.
struct Row {
  const DatasetDef& d;
  const std::vector<SqlValue>& v;
  const SqlValue& operator[](const std::string& name) const { return v[d.IndexOf(name)]; }
  std::string Str(const std::string& name) const { return Text((*this)[name]); }
};

// A message of the dataset's rules with the row's values in place of "{FIELD}".
std::string Fill(const std::string& message, const Row& r) {
  std::string out;
  size_t at = 0;
  while (true) {
    size_t open = message.find('{', at), close = open == std::string::npos ? open : message.find('}', open);
    if (close == std::string::npos) break;
    out += message.substr(at, open - at) + r.Str(message.substr(open + 1, close - open - 1));
    at = close + 1;
  }
  return out + message.substr(at);
}

std::string ChangedMsg(const DatasetDef& d, const Row& r) {
  return Fill(d.save.subject, r) + (d.save.feminine ? " foi alterada" : " foi alterado") + " por outro usuário." +
         kReload;
}
std::string RemovedMsg(const DatasetDef& d, const Row& r) {
  return Fill(d.save.subject, r) + (d.save.feminine ? " foi excluída" : " foi excluído") + " por outro usuário." +
         kReload;
}
std::string MissingParentMsg(const DatasetDef& d, const Row& r) { return Fill(d.save.missingParent, r); }
// What the person reads when a key value is missing: the screen's own words.
std::string MissingKeyMsg(const DatasetDef& d, const std::string& key) {
  for (const auto& [field, words] : d.save.missingKey)
    if (field == key) return words;
  return key + " deve ser informado.";
}

bool AllBlanks(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

// A key the person types is stored as given, without blanks around it:
// "2000 " beside "2000" would be two flights that look the same.
void CheckUnpadded(const DatasetDef& d, const Row& r) {
  const std::string v = r.Str(d.save.unpaddedKey);
  if (!v.empty() && (v.front() == ' ' || v.back() == ' ' || v.front() == '\t' || v.back() == '\t'))
    throw SaveRefused(Fill(d.save.paddedKeyMessage, r));
}

// The key of the parent whose rows are numbered: the dataset's key less the numbered field.
std::vector<std::string> ParentKey(const DatasetDef& d) {
  std::vector<std::string> out;
  for (const auto& k : d.key)
    if (k != d.save.numberedKey) out.push_back(k);
  return out;
}

std::string WhereAll(const std::vector<std::string>& cols) {
  std::string w;
  for (const auto& k : cols) w += (w.empty() ? "" : " AND ") + k + " = ?";
  return w;
}

std::vector<SqlValue> ValuesOf(const Row& r, const std::vector<std::string>& cols) {
  std::vector<SqlValue> out;
  for (const auto& c : cols) out.push_back(r[c]);
  return out;
}

std::vector<std::string> StoredColumns(const DatasetDef& d) {
  std::vector<std::string> cols;
  for (const auto& f : d.fields)
    if (f.stored) cols.push_back(f.Name);
  return cols;
}

// `written`: values about to be stored (not those a desk loaded).
void CheckValues(const DatasetDef& d, const std::vector<SqlValue>& values, bool insert, bool written) {
  Row r{d, values};
  for (const auto& k : d.key) {
    if (insert && k == d.save.numberedKey) continue;  // numbered by the server
    // A key of blanks only would look like no key at all.
    if (Blank(r[k]) || (written && AllBlanks(r.Str(k)))) throw SaveRefused(MissingKeyMsg(d, k));
  }
  const TableDef& t = SchemaTable(d.table);
  for (size_t i = 0; i < d.fields.size(); ++i) {
    const auto& f = d.fields[i];
    if (!f.stored || f.Type != wire::FieldType::String || IsNull(values[i])) continue;
    const ColumnDef* col = t.Column(f.Name);
    size_t len = Utf8Length(Text(values[i]));
    if (col && len > static_cast<size_t>(col->size))
      throw SaveRefused("O valor informado para " + f.Name + " (\"" + EchoCut(Text(values[i])) + "\") tem " +
                        std::to_string(len) + " caracteres; o máximo é " + std::to_string(col->size) + ".");
  }
}

std::vector<SqlValue> KeyValues(const DatasetDef& d, const std::vector<SqlValue>& v) {
  Row r{d, v};
  std::vector<SqlValue> out;
  for (const auto& k : d.key) out.push_back(r[k]);
  return out;
}

std::string KeyWhere(const DatasetDef& d) { return WhereAll(d.key); }

// The row stored under the key of `loaded`, in the dataset's field order
// (fields that are not stored stay null), locked until the transaction
// ends; nothing when no such row is stored.
std::optional<std::vector<SqlValue>> StoredRow(Connection& c, const DatasetDef& d,
                                               const std::vector<SqlValue>& loaded) {
  auto cols = StoredColumns(d);
  std::string names;
  for (const auto& col : cols) names += (names.empty() ? "" : ", ") + col;
  auto rows = c.Query("SELECT " + names + " FROM " + d.table + " WHERE " + KeyWhere(d) + c.LockRowsClause(),
                      KeyValues(d, loaded));
  if (rows.rows.empty()) return std::nullopt;
  std::vector<SqlValue> out(d.fields.size());
  for (size_t i = 0; i < cols.size(); ++i) out[d.IndexOf(cols[i])] = rows.rows[0][i];
  return out;
}

// Refuses when the row is gone or another desk changed any of its stored
// columns since `loaded` was read. Both sides are compared in the form the
// server reads values in, so a row another program wrote ('' for null,
// another timestamp layout) matches what the desk was given.
// `verdict`: of the row's new values, judged first; their lookups travel
// with the read of the stored row.
void CheckUnchangedSinceLoad(Connection& c, const DatasetDef& d, const std::vector<SqlValue>& loaded,
                             const StoredValuesVerdict& verdict) {
  Row r{d, loaded};
  auto stored = StoredRow(c, d, loaded);
  verdict();
  if (!stored) throw SaveRefused(RemovedMsg(d, r));
  for (size_t i = 0; i < d.fields.size(); ++i) {
    const auto& f = d.fields[i];
    if (f.stored && !SameValue(f, (*stored)[i], loaded[i])) throw SaveRefused(ChangedMsg(d, r));
  }
}

// A number or a flag read as a whole number: SQLite hands integers over as
// such, PostgreSQL as text.
long WholeNumber(const SqlValue& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<long>(*i);
  const std::string text = Text(v);
  if (text.empty() || !std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
    return -1;
  return std::stol(text);
}

// Locks the parent row so that two desks adding rows to one parent number
// them one after the other. A read that locks, not a write: nothing of the
// parent changes, and SQLite's write transaction already keeps every other
// writer out. The siblings are read after it, in a statement of their own:
// one that starts once the lock is granted reads the rows the other desk
// added meanwhile. Nothing reads the lock's rows, so it travels with that
// read: a parent that does not exist refuses the insert through the
// database's own reference to it, in the same words.
void LockParent(Connection& c, const DatasetDef& d, const Row& r) {
  auto cols = ParentKey(d);
  c.Defer("SELECT 1 FROM " + d.save.parentTable + " WHERE " + WhereAll(cols) + c.LockRowsClause(), ValuesOf(r, cols));
}

// What a new row of a numbered dataset must know of its siblings, read in
// one statement: the highest number among the parent's rows, and whether
// one of them holds the same values of the fields that may not repeat
// among siblings (asked only when none of them is blank).
struct Siblings {
  long highestNumber = 0;
  bool repeated = false;
};

Siblings ReadSiblings(Connection& c, const DatasetDef& d, const Row& r) {
  const auto cols = ParentKey(d);
  const auto& unique = d.save.uniqueAmongSiblings;
  const bool askRepeat =
      !unique.empty() && std::none_of(unique.begin(), unique.end(), [&](const std::string& f) { return Blank(r[f]); });
  std::vector<SqlValue> params;
  std::string repeat = "0";
  if (askRepeat) {
    repeat = "CASE WHEN " + WhereAll(unique) + " THEN 1 ELSE 0 END";
    params = ValuesOf(r, unique);
  }
  const auto keys = ValuesOf(r, cols);
  params.insert(params.end(), keys.begin(), keys.end());
  auto rows = c.Query("SELECT " + d.save.numberedKey + ", " + repeat + " FROM " + d.table + " WHERE " + WhereAll(cols),
                      params);
  Siblings s;
  for (const auto& row : rows.rows) {
    // Codes another program wrote that are not numbers do not count.
    s.highestNumber = std::max(s.highestNumber, WholeNumber(row[0]));
    s.repeated = s.repeated || WholeNumber(row[1]) == 1;
  }
  return s;
}

std::string NextNumber(const DatasetDef& d, const Row& r, long highest) {
  if (highest >= 9999) throw SaveRefused(Fill(d.save.numbersExhausted, r));
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04ld", highest + 1);
  return buf;
}

// A row's insert or update: nothing reads its outcome but its failure, so
// on PostgreSQL it travels with the next statement or the commit, a round
// trip less. A repeated key, or a row another one needs or refers to, is
// refused in the dataset's own words (`missing`) whichever later statement
// brings the database's answer back.
void DeferRowWrite(Connection& c, const DatasetDef& d, const std::string& sql, const std::vector<SqlValue>& params,
                   std::string missing) {
  c.Defer(sql, params, [&duplicate = d.save.duplicate, missing = std::move(missing)](const DbError& e) {
    if (e.Kind() == DbError::FaultKind::UniqueViolation) throw SaveRefused(duplicate);
    if (e.Kind() == DbError::FaultKind::ForeignKeyViolation) throw SaveRefused(missing);
  });
}

// `verdict`: of the row's stored values, judged once the lookups are back;
// for a numbered row they travel with the read of its siblings.
void InsertRow(Connection& c, const DatasetDef& d, std::vector<SqlValue> values, AuditRecorder* audit,
               const StoredValuesVerdict& verdict) {
  Row r{d, values};
  if (d.save.numberedKey.empty()) {
    verdict();
  } else {
    LockParent(c, d, r);
    const Siblings siblings = ReadSiblings(c, d, r);
    verdict();
    if (Blank(r[d.save.numberedKey]))
      values[d.IndexOf(d.save.numberedKey)] = NextNumber(d, r, siblings.highestNumber);
    if (siblings.repeated) throw SaveRefused(d.save.duplicate);
  }
  auto cols = StoredColumns(d);
  std::string names, marks;
  std::vector<SqlValue> params;
  for (const auto& col : cols) {
    names += (names.empty() ? "" : ", ") + col;
    marks += marks.empty() ? "?" : ", ?";
    params.push_back(values[d.IndexOf(col)]);
  }
  DeferRowWrite(c, d, "INSERT INTO " + d.table + " (" + names + ") VALUES (" + marks + ")", params,
                MissingParentMsg(d, r));
  if (audit) audit->Record(d.table, AuditKind::Insert, cols, nullptr, &params);
}

void ModifyRow(Connection& c, const DatasetDef& d, const Change& ch, AuditRecorder* audit,
               const StoredValuesVerdict& verdict) {
  CheckUnchangedSinceLoad(c, d, ch.oldValues, verdict);
  // Only what the person changed is written: a value left alone keeps the
  // form it is stored in.
  std::string set;
  std::vector<SqlValue> params;
  std::vector<std::string> changedCols;
  std::vector<SqlValue> before;
  for (const auto& col : StoredColumns(d)) {
    int i = d.IndexOf(col);
    if (SameValue(d.fields[i], ch.newValues[i], ch.oldValues[i])) continue;
    set += (set.empty() ? "" : ", ") + col + " = ?";
    params.push_back(ch.newValues[i]);
    changedCols.push_back(col);
    before.push_back(ch.oldValues[i]);
  }
  if (set.empty()) return;
  auto keys = KeyValues(d, ch.oldValues);
  params.insert(params.end(), keys.begin(), keys.end());
  DeferRowWrite(c, d, "UPDATE " + d.table + " SET " + set + " WHERE " + KeyWhere(d), params,
                !d.save.stillReferred.empty() ? d.save.stillReferred : MissingParentMsg(d, Row{d, ch.newValues}));
  if (audit) {
    // The entry's key is the row's key as loaded; a changed key column is
    // listed with its old and new value like any other.
    std::vector<SqlValue> after(params.begin(), params.begin() + static_cast<long>(changedCols.size()));
    for (const auto& k : d.key)
      if (std::find(changedCols.begin(), changedCols.end(), k) == changedCols.end()) {
        changedCols.push_back(k);
        before.push_back(ch.oldValues[d.IndexOf(k)]);
        after.push_back(ch.oldValues[d.IndexOf(k)]);  // unchanged: names the row, not listed
      }
    audit->Record(d.table, AuditKind::Modify, changedCols, &before, &after);
  }
}

// A flight goes with its legs and their classes, a leg with its classes:
// all in the delta's transaction, after the row itself was found unchanged.
void RemoveRow(Connection& c, const DatasetDef& d, const Change& ch, AuditRecorder* audit) {
  CheckUnchangedSinceLoad(c, d, ch.oldValues, [] {});
  auto keys = KeyValues(d, ch.oldValues);
  if (audit) {
    for (const auto& child : d.save.cascade) audit->RecordDeletion(child, KeyWhere(d), keys);
    audit->RecordDeletion(d.table, KeyWhere(d), keys);
  }
  for (const auto& child : d.save.cascade) c.Execute("DELETE FROM " + child + " WHERE " + KeyWhere(d), keys);
  c.Execute("DELETE FROM " + d.table + " WHERE " + KeyWhere(d), keys);
}

// Everything the request alone can tell, checked before the transaction.
void CheckRequestValues(const DatasetDef& d, const std::vector<Change>& changes) {
  for (const auto& ch : changes) {
    if (ch.kind != wire::ChangeKind::Insert) CheckValues(d, ch.oldValues, false, false);
    if (ch.kind != wire::ChangeKind::Delete) CheckValues(d, ch.newValues, ch.kind == wire::ChangeKind::Insert, true);
    // A typed key is checked where it is given, not where a row refers to it.
    const std::string& typed = d.save.unpaddedKey;
    if (!typed.empty() && (ch.kind == wire::ChangeKind::Insert ||
                           (ch.kind == wire::ChangeKind::Modify &&
                            Row{d, ch.newValues}.Str(typed) != Row{d, ch.oldValues}.Str(typed))))
      CheckUnpadded(d, Row{d, ch.newValues});
  }
}

void WriteRows(Connection& c, const DatasetDef& d, const std::vector<Change>& changes, AuditRecorder* audit) {
  for (const auto& ch : changes) {
    const StoredValuesVerdict verdict = AskStoredValues(c, d, ch);
    switch (ch.kind) {
      case wire::ChangeKind::Insert: InsertRow(c, d, ch.newValues, audit, verdict); break;
      case wire::ChangeKind::Modify: ModifyRow(c, d, ch, audit, verdict); break;
      case wire::ChangeKind::Delete: RemoveRow(c, d, ch, audit); break;  // nothing stored to judge
    }
  }
}

}  // namespace

void ApplyDelta(Connection& c, const DatasetDef& d, const std::vector<Change>& changes, AuditRecorder* audit) {
  CheckRequestValues(d, changes);
  if (changes.empty()) return;
  WriteTransaction tx(c);
  WriteRows(c, d, changes, audit);
  tx.Commit();
}

void ApplyChangesInTransaction(Connection& c, const DatasetDef& d, const std::vector<Change>& changes,
                               AuditRecorder* audit) {
  CheckRequestValues(d, changes);
  WriteRows(c, d, changes, audit);
}

void DeleteAllLegs(Connection& c, const std::string& filial, const std::string& cia, const std::string& voo,
                   AuditRecorder* audit) {
  WriteTransaction tx(c);
  std::vector<SqlValue> key = {filial, cia, voo};
  if (audit) {
    audit->RecordDeletion("CLASSEVOO", "CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?", key);
    audit->RecordDeletion("VOOTRECHO", "CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?", key);
  }
  c.Execute("DELETE FROM CLASSEVOO WHERE CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?", key);
  c.Execute("DELETE FROM VOOTRECHO WHERE CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?", key);
  tx.Commit();
}

}  // namespace zor::server

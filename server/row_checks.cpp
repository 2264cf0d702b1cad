// Stored-value checks (see row_checks.h).
#include "server/row_checks.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

#include "server/delta_apply.h"
#include "server/request_decoder.h"

namespace zor::server {

namespace {

// One side of a change read by field name, and whether a column changed.
struct RowView {
  const DatasetDef& d;
  const Change& ch;
  bool Insert() const { return ch.kind == wire::ChangeKind::Insert; }
  const SqlValue& Value(const std::string& name) const { return ch.newValues[d.IndexOf(name)]; }
  std::string Text(const std::string& name) const {
    if (auto* s = std::get_if<std::string>(&Value(name))) return *s;
    return {};
  }
  bool Changed(const std::string& name) const {
    int i = d.IndexOf(name);
    return Insert() || ch.oldValues[i] != ch.newValues[i];
  }
  bool AnyChanged(std::initializer_list<const char*> names) const {
    for (const char* n : names)
      if (Changed(n)) return true;
    return false;
  }
};

void Refuse(const std::string& message) { throw SaveRefused(message); }

// A code field: empty is left to the required checks, anything else must
// be one of the codes the screen stores.
void CheckCode(const RowView& r, const char* name, const std::set<std::string>& codes) {
  if (!r.Changed(name)) return;
  std::string v = r.Text(name);
  if (v.empty() || codes.count(v)) return;
  std::string accepted;
  for (const auto& c : codes) accepted += (accepted.empty() ? "" : ", ") + c;
  Refuse("Valor inválido para " + std::string(name) + ": \"" + EchoCut(v) + "\" (aceitos: " + accepted + ").");
}

void Required(const RowView& r, const char* name, const char* message) {
  if (r.Changed(name) && r.Text(name).empty()) Refuse(message);
}

// Four digits, hours 00-23 then minutes 00-59, as the time fields store.
void CheckTime(const RowView& r, const char* name) {
  if (!r.Changed(name)) return;
  std::string v = r.Text(name);
  if (v.empty()) return;
  bool digits = v.size() == 4 && std::all_of(v.begin(), v.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
  if (digits && std::stoi(v.substr(0, 2)) < 24 && std::stoi(v.substr(2, 2)) < 60) return;
  Refuse(EchoCut(v.substr(0, 2)) + ":" + EchoCut(v.size() > 2 ? v.substr(2, 4) : "") + " não é uma hora válida.");
}

// The reference rows one change must find, asked in one statement (one
// round trip to the database, not one per lookup) that may travel with the
// caller's next read, and consulted where each check stands, so that the
// first refusal is the one it always was.
class Lookups {
 public:
  static constexpr int kNotAsked = -1;
  // `where`: "TABLE WHERE …" of the row sought. Returns the lookup's number.
  int Add(const std::string& where, std::vector<SqlValue> params) {
    sql_ += std::string(sql_.empty() ? "SELECT " : ", ") + "CASE WHEN EXISTS (SELECT 1 FROM " + where +
            ") THEN 1 ELSE 0 END";
    params_.insert(params_.end(), std::make_move_iterator(params.begin()), std::make_move_iterator(params.end()));
    return count_++;
  }
  void Ask(Connection& c) {
    if (count_ > 0) answer_ = c.ReadAhead(sql_, params_);
  }
  // True for a lookup not asked: nothing to refuse.
  bool Found(int lookup) {
    if (lookup == kNotAsked) return true;
    if (found_.empty()) {
      for (const auto& v : answer_->Rows().rows.at(0)) {
        // SQLite answers an integer, PostgreSQL its text.
        auto* i = std::get_if<std::int64_t>(&v);
        auto* s = std::get_if<std::string>(&v);
        found_.push_back((i && *i == 1) || (s && *s == "1"));
      }
    }
    return found_.at(static_cast<size_t>(lookup));
  }

 private:
  std::string sql_;
  std::vector<SqlValue> params_;
  std::shared_ptr<Connection::AheadRead> answer_;
  std::vector<bool> found_;
  int count_ = 0;
};

StoredValuesVerdict AskFlight(Connection& c, const RowView& r) {
  for (const char* f : {"IDNACIVOO", "IDSITVOO", "IDTIPVOO"}) CheckCode(r, f, {"0", "1", "2"});
  for (const char* f : {"IDVOODOM", "IDVOOSEG", "IDVOOTER", "IDVOOQUA", "IDVOOQUI", "IDVOOSEX", "IDVOOSAB",
                        "IDCARREGO", "IDDESCAR", "IDTRANSLADO", "IDCARGA", "IDBASETRAN", "IDINCDESDESV",
                        "IDINCDESFIXO", "IDINCDESCOND"})
    CheckCode(r, f, {"1", "2"});
  Required(r, "IDABASATEN", "Informe abastecimento e/ou atendimento.");
  CheckCode(r, "IDABASATEN", {"1", "2", "3"});

  Lookups found;
  const int equipment =
      r.Changed("CDEQUIP") ? found.Add("EQUIPCIA WHERE CDFILIAL = ? AND CDCIA = ? AND CDEQUIP = ?",
                                       {r.Value("CDFILIAL"), r.Value("CDCIA"), r.Value("CDEQUIP")})
                           : Lookups::kNotAsked;
  const int prefix =
      r.AnyChanged({"SGPREFIXO", "CDEQUIP"}) && !r.Text("SGPREFIXO").empty()
          ? found.Add("PREFIXOCIA WHERE CDFILIAL = ? AND CDCIA = ? AND CDEQUIP = ? AND UPPER(SGPREFIXO) = UPPER(?)",
                      {r.Value("CDFILIAL"), r.Value("CDCIA"), r.Value("CDEQUIP"), r.Value("SGPREFIXO")})
          : Lookups::kNotAsked;
  const int shift = r.Changed("NRTURNOPROD") ? found.Add("TURNO WHERE NRTURNO = ?", {r.Value("NRTURNOPROD")})
                                             : Lookups::kNotAsked;
  found.Ask(c);
  return [r, found = std::move(found), equipment, prefix, shift]() mutable {
    Required(r, "CDEQUIP", "Equipamento deve ser informado.");
    if (!found.Found(equipment)) Refuse("Equipamento não cadastrado.");
    if (!found.Found(prefix)) Refuse("Prefixo não cadastrado.");

    Required(r, "NRTURNOPROD", "Turno deve ser informado.");
    if (!found.Found(shift)) Refuse("Turno não cadastrado.");

    if (r.Changed("VRPEROCUPACAO")) {
      if (auto* v = std::get_if<double>(&r.Value("VRPEROCUPACAO"))) {
        double rounded = std::round(*v * 1000.0) / 1000.0;
        if (!(rounded >= 0.0 && rounded <= 100.0)) Refuse("Percentual de ocupação deve estar entre 0 e 100%");
      }
    }

    Required(r, "QTHRKDTCAR", "Horas de KDT carrego deve ser informada.");
    CheckTime(r, "QTHRKDTCAR");
    Required(r, "QTHRKDTDES", "Horas de KDT descarrego deve ser informada.");
    CheckTime(r, "QTHRKDTDES");

    if (r.AnyChanged({"IDTIPVOO", "DTINIVIGVOO", "DTFIMVIGVOO"})) {
      std::string from = r.Text("DTINIVIGVOO"), to = r.Text("DTFIMVIGVOO");
      if (r.Text("IDTIPVOO") == "2") {  // an Extra flight has a validity
        if (from.empty()) Refuse("Data inicial de vigência deve ser informada.");
        if (to.empty()) Refuse("Data final de vigência deve ser informada.");
      }
      // Dates compare by day; the canonical form sorts as text.
      if (!from.empty() && !to.empty() && from.substr(0, 10) > to.substr(0, 10))
        Refuse("Data final deve ser maior ou igual à data inicial'.");
    }
  };
}

StoredValuesVerdict AskLeg(Connection& c, const RowView& r) {
  Required(r, "CDBASEORI", "Base Origem deve ser informada.");
  Required(r, "CDBASEDES", "Base Destino deve ser informada.");
  Lookups found;
  std::vector<int> bases;
  for (const char* f : {"CDBASEORI", "CDBASEDES"})
    bases.push_back(r.Changed(f) ? found.Add("BASE WHERE CDBASE = ?", {r.Value(f)}) : Lookups::kNotAsked);
  found.Ask(c);
  return [r, found = std::move(found), bases]() mutable {
    for (int base : bases)
      if (!found.Found(base)) Refuse("Base não cadastrada.");
    if (r.AnyChanged({"CDBASEORI", "CDBASEDES"}) && r.Text("CDBASEORI") == r.Text("CDBASEDES"))
      Refuse("Base de destino não pode ser igual à de origem.");
    Required(r, "HRDECOLVOO", "Hora de decolagem do vôo deve ser informada.");
    CheckTime(r, "HRDECOLVOO");
    CheckTime(r, "HRPOUSOVOO");
    CheckCode(r, "IDTIPAJUSFAT", {"0", "1", "2"});  // 0: a text not in the pick list
    CheckCode(r, "IDSITVOOTRE", {"1", "2"});
  };
}

StoredValuesVerdict AskClass(Connection& c, const RowView& r) {
  if (!r.Changed("CDCLASSE")) return [] {};
  Lookups found;
  const int kind = found.Add("CLASSECIA WHERE CDFILIAL = ? AND CDCIA = ? AND CDCLASSE = ?",
                             {r.Value("CDFILIAL"), r.Value("CDCIA"), r.Value("CDCLASSE")});
  found.Ask(c);
  return [found = std::move(found), kind]() mutable {
    if (!found.Found(kind)) Refuse("Classe não cadastrada para a companhia nesta filial.");
  };
}

}  // namespace

StoredValuesVerdict AskStoredValues(Connection& c, const DatasetDef& d, const Change& ch) {
  if (ch.kind == wire::ChangeKind::Delete) return [] {};
  RowView r{d, ch};
  if (d.table == "VOO") return AskFlight(c, r);
  if (d.table == "VOOTRECHO") return AskLeg(c, r);
  if (d.table == "CLASSEVOO") return AskClass(c, r);
  return [] {};
}

void CheckStoredValues(Connection& c, const DatasetDef& d, const Change& ch) { AskStoredValues(c, d, ch)(); }

}  // namespace zor::server

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
  bool insert() const { return ch.kind == wire::ChangeKind::Insert; }
  const SqlValue& value(const std::string& name) const { return ch.newValues[d.indexOf(name)]; }
  std::string text(const std::string& name) const {
    if (auto* s = std::get_if<std::string>(&value(name))) return *s;
    return {};
  }
  bool changed(const std::string& name) const {
    int i = d.indexOf(name);
    return insert() || ch.oldValues[i] != ch.newValues[i];
  }
  bool anyChanged(std::initializer_list<const char*> names) const {
    for (const char* n : names)
      if (changed(n)) return true;
    return false;
  }
};

void refuse(const std::string& message) { throw SaveRefused(message); }

// A code field: empty is left to the required checks, anything else must
// be one of the codes the screen stores.
void checkCode(const RowView& r, const char* name, const std::set<std::string>& codes) {
  if (!r.changed(name)) return;
  std::string v = r.text(name);
  if (v.empty() || codes.count(v)) return;
  std::string accepted;
  for (const auto& c : codes) accepted += (accepted.empty() ? "" : ", ") + c;
  refuse("Valor inválido para " + std::string(name) + ": \"" + echoCut(v) + "\" (aceitos: " + accepted + ").");
}

void required(const RowView& r, const char* name, const char* message) {
  if (r.changed(name) && r.text(name).empty()) refuse(message);
}

// Four digits, hours 00-23 then minutes 00-59, as the time fields store.
void checkTime(const RowView& r, const char* name) {
  if (!r.changed(name)) return;
  std::string v = r.text(name);
  if (v.empty()) return;
  bool digits = v.size() == 4 && std::all_of(v.begin(), v.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
  if (digits && std::stoi(v.substr(0, 2)) < 24 && std::stoi(v.substr(2, 2)) < 60) return;
  refuse(echoCut(v.substr(0, 2)) + ":" + echoCut(v.size() > 2 ? v.substr(2, 4) : "") + " não é uma hora válida.");
}

bool found(Connection& c, const std::string& sql, const std::vector<SqlValue>& params) {
  return !c.query(sql, params).rows.empty();
}

void checkFlight(Connection& c, const RowView& r) {
  for (const char* f : {"IDNACIVOO", "IDSITVOO", "IDTIPVOO"}) checkCode(r, f, {"0", "1", "2"});
  for (const char* f : {"IDVOODOM", "IDVOOSEG", "IDVOOTER", "IDVOOQUA", "IDVOOQUI", "IDVOOSEX", "IDVOOSAB",
                        "IDCARREGO", "IDDESCAR", "IDTRANSLADO", "IDCARGA", "IDBASETRAN", "IDINCDESDESV",
                        "IDINCDESFIXO", "IDINCDESCOND"})
    checkCode(r, f, {"1", "2"});
  required(r, "IDABASATEN", "Informe abastecimento e/ou atendimento.");
  checkCode(r, "IDABASATEN", {"1", "2", "3"});

  required(r, "CDEQUIP", "Equipamento deve ser informado.");
  if (r.changed("CDEQUIP") &&
      !found(c, "SELECT 1 FROM EQUIPCIA WHERE CDFILIAL = ? AND CDCIA = ? AND CDEQUIP = ?",
             {r.value("CDFILIAL"), r.value("CDCIA"), r.value("CDEQUIP")}))
    refuse("Equipamento não cadastrado.");
  if (r.anyChanged({"SGPREFIXO", "CDEQUIP"}) && !r.text("SGPREFIXO").empty() &&
      !found(c,
             "SELECT 1 FROM PREFIXOCIA WHERE CDFILIAL = ? AND CDCIA = ? AND CDEQUIP = ?"
             " AND UPPER(SGPREFIXO) = UPPER(?)",
             {r.value("CDFILIAL"), r.value("CDCIA"), r.value("CDEQUIP"), r.value("SGPREFIXO")}))
    refuse("Prefixo não cadastrado.");

  required(r, "NRTURNOPROD", "Turno deve ser informado.");
  if (r.changed("NRTURNOPROD") && !found(c, "SELECT 1 FROM TURNO WHERE NRTURNO = ?", {r.value("NRTURNOPROD")}))
    refuse("Turno não cadastrado.");

  if (r.changed("VRPEROCUPACAO")) {
    if (auto* v = std::get_if<double>(&r.value("VRPEROCUPACAO"))) {
      double rounded = std::round(*v * 1000.0) / 1000.0;
      if (!(rounded >= 0.0 && rounded <= 100.0)) refuse("Percentual de ocupação deve estar entre 0 e 100%");
    }
  }

  required(r, "QTHRKDTCAR", "Horas de KDT carrego deve ser informada.");
  checkTime(r, "QTHRKDTCAR");
  required(r, "QTHRKDTDES", "Horas de KDT descarrego deve ser informada.");
  checkTime(r, "QTHRKDTDES");

  if (r.anyChanged({"IDTIPVOO", "DTINIVIGVOO", "DTFIMVIGVOO"})) {
    std::string from = r.text("DTINIVIGVOO"), to = r.text("DTFIMVIGVOO");
    if (r.text("IDTIPVOO") == "2") {  // an Extra flight has a validity
      if (from.empty()) refuse("Data inicial de vigência deve ser informada.");
      if (to.empty()) refuse("Data final de vigência deve ser informada.");
    }
    // Dates compare by day; the canonical form sorts as text.
    if (!from.empty() && !to.empty() && from.substr(0, 10) > to.substr(0, 10))
      refuse("Data final deve ser maior ou igual à data inicial'.");
  }
}

void checkLeg(Connection& c, const RowView& r) {
  required(r, "CDBASEORI", "Base Origem deve ser informada.");
  required(r, "CDBASEDES", "Base Destino deve ser informada.");
  for (const char* f : {"CDBASEORI", "CDBASEDES"})
    if (r.changed(f) && !found(c, "SELECT 1 FROM BASE WHERE CDBASE = ?", {r.value(f)}))
      refuse("Base não cadastrada.");
  if (r.anyChanged({"CDBASEORI", "CDBASEDES"}) && r.text("CDBASEORI") == r.text("CDBASEDES"))
    refuse("Base de destino não pode ser igual à de origem.");
  required(r, "HRDECOLVOO", "Hora de decolagem do vôo deve ser informada.");
  checkTime(r, "HRDECOLVOO");
  checkTime(r, "HRPOUSOVOO");
  checkCode(r, "IDTIPAJUSFAT", {"0", "1", "2"});  // 0: a text not in the pick list
  checkCode(r, "IDSITVOOTRE", {"1", "2"});
}

void checkClass(Connection& c, const RowView& r) {
  if (r.anyChanged({"CDCLASSE"}) &&
      !found(c, "SELECT 1 FROM CLASSECIA WHERE CDFILIAL = ? AND CDCIA = ? AND CDCLASSE = ?",
             {r.value("CDFILIAL"), r.value("CDCIA"), r.value("CDCLASSE")}))
    refuse("Classe não cadastrada para a companhia nesta filial.");
}

}  // namespace

void checkStoredValues(Connection& c, const DatasetDef& d, const Change& ch) {
  if (ch.kind == wire::ChangeKind::Delete) return;
  RowView r{d, ch};
  if (d.table == "VOO") checkFlight(c, r);
  else if (d.table == "VOOTRECHO") checkLeg(c, r);
  else if (d.table == "CLASSEVOO") checkClass(c, r);
}

}  // namespace zor::server

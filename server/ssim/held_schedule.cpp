// Reading a branch's flights and reference data (see held_schedule.h).
#include "server/ssim/held_schedule.h"

#include <stdexcept>

#include "server/dataset_catalog.h"
#include "server/packet.h"
#include "server/stored_value.h"

namespace zor::server::ssim {

const std::array<const char*, 7> kDayFields = {"IDVOOSEG", "IDVOOTER", "IDVOOQUA", "IDVOOQUI",
                                               "IDVOOSEX", "IDVOOSAB", "IDVOODOM"};

std::string text(const SqlValue& v) { return asText(v); }

namespace {

std::string field(const DatasetDef& d, const Row& r, const std::string& name) { return text(r[d.indexOf(name)]); }

std::string dateOnly(const std::string& stored) {
  std::string canonical = storedDateTime(stored);
  return canonical.empty() ? std::string() : canonical.substr(0, 10);
}

}  // namespace

std::vector<HeldFlight> readHeldFlights(Connection& c, const std::string& branch, const std::string& company) {
  const DatasetDef& vd = vooDataset();
  const DatasetDef& td = trechoDataset();
  const DatasetDef& cd = classeVooDataset();
  std::vector<SqlValue> key = {branch, company};
  auto flights = c.query(selectSql(vd) + " WHERE V.CDFILIAL = ? AND V.CDCIA = ? ORDER BY V.NRVOO", key);
  auto legs = c.query(selectSql(td) + " WHERE R.CDFILIAL = ? AND R.CDCIA = ? ORDER BY R.NRVOO, R.CDTRECHO", key);
  auto classes = c.query(selectSql(cd) + " WHERE C.CDFILIAL = ? AND C.CDCIA = ? ORDER BY C.NRVOO, C.CDTRECHO, C.CDCLASSE",
                         key);

  std::vector<HeldFlight> out;
  std::map<std::string, size_t> byNumber;
  for (auto& r : flights.rows) {
    HeldFlight f;
    f.number = field(vd, r, "NRVOO");
    f.equipment = field(vd, r, "CDEQUIP");
    f.kind = field(vd, r, "IDTIPVOO");
    f.validFrom = dateOnly(field(vd, r, "DTINIVIGVOO"));
    f.validTo = dateOnly(field(vd, r, "DTFIMVIGVOO"));
    for (int d = 0; d < 7; ++d) f.days[d] = field(vd, r, kDayFields[d]) == "1";
    f.flightType = field(vd, r, "CDEXPTIPOVOO");
    f.row = std::move(r);
    byNumber[f.number] = out.size();
    out.push_back(std::move(f));
  }
  std::map<std::pair<std::string, std::string>, HeldLeg*> legByKey;
  for (auto& r : legs.rows) {
    auto it = byNumber.find(field(td, r, "NRVOO"));
    if (it == byNumber.end()) continue;
    HeldLeg l;
    l.code = field(td, r, "CDTRECHO");
    l.fromCode = field(td, r, "CDBASEORI");
    l.toCode = field(td, r, "CDBASEDES");
    l.from = field(td, r, "SGBASEORI");
    l.to = field(td, r, "SGBASEDES");
    l.departure = field(td, r, "HRDECOLVOO");
    l.arrival = field(td, r, "HRPOUSOVOO");
    l.timeReference = field(td, r, "IDTIPAJUSFAT");
    l.row = std::move(r);
    out[it->second].legs.push_back(std::move(l));
  }
  for (auto& f : out)
    for (auto& l : f.legs) legByKey[{f.number, l.code}] = &l;
  for (auto& r : classes.rows) {
    auto it = legByKey.find({field(cd, r, "NRVOO"), field(cd, r, "CDTRECHO")});
    if (it == legByKey.end()) continue;
    HeldClass k;
    k.code = field(cd, r, "CDCLASSE");
    k.letter = field(cd, r, "SGCLASSE");
    k.row = std::move(r);
    it->second->classes.push_back(std::move(k));
  }
  return out;
}

std::vector<const Equipment*> References::withIataType(const std::string& type) const {
  std::vector<const Equipment*> out;
  for (const auto& [code, e] : equipment)
    if (e.iataType == type) out.push_back(&e);
  return out;
}

References readReferences(Connection& c, const std::string& branch, const std::string& company) {
  References refs;
  if (c.query("SELECT 1 FROM FILIAL WHERE CDFILIAL = ?", {branch}).rows.empty())
    throw std::runtime_error("Filial " + branch + " não cadastrada.");
  auto cia = c.query("SELECT SGCIA FROM COMPANHIA WHERE CDCIA = ?", {company});
  if (cia.rows.empty()) throw std::runtime_error("Companhia " + company + " não cadastrada.");
  refs.airline = text(cia.rows[0][0]);
  if (c.query("SELECT 1 FROM CIAFILI WHERE CDCIA = ? AND CDFILIAL = ?", {company, branch}).rows.empty())
    throw std::runtime_error("A companhia " + company + " não opera na filial " + branch + ".");

  for (const auto& r : c.query("SELECT E.CDEQUIP, E.SGEQUIP, E.CDIATA FROM EQUIPCIA Q JOIN EQUIPAMENTO E"
                               " ON E.CDEQUIP = Q.CDEQUIP WHERE Q.CDFILIAL = ? AND Q.CDCIA = ? ORDER BY E.CDEQUIP",
                               {branch, company})
                           .rows)
    refs.equipment[text(r[0])] = Equipment{text(r[0]), text(r[1]), text(r[2])};
  for (const auto& r : c.query("SELECT SGBASE, CDBASE FROM BASE ORDER BY CDBASE").rows)
    refs.stationCodes.emplace(text(r[0]), text(r[1]));  // the first base of an abbreviation wins
  for (const auto& r : c.query("SELECT L.SGCLASSE, L.CDCLASSE FROM CLASSECIA K JOIN CLASSE L ON L.CDCLASSE = K.CDCLASSE"
                               " WHERE K.CDFILIAL = ? AND K.CDCIA = ? ORDER BY L.CDCLASSE",
                               {branch, company})
                           .rows)
    refs.classCodes.emplace(text(r[0]), text(r[1]));
  for (const auto& r : c.query("SELECT CDEXPTIPOVOO FROM TIPOVOO ORDER BY CDEXPTIPOVOO").rows)
    refs.flightTypes.push_back(text(r[0]));
  auto shift = c.query("SELECT NRTURNO FROM TURNO ORDER BY NRTURNO");
  if (!shift.rows.empty()) refs.firstShift = text(shift.rows[0][0]);
  return refs;
}

}  // namespace zor::server::ssim

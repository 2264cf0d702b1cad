// Reading a branch's flights and reference data (see held_schedule.h).
#include "server/ssim/held_schedule.h"

#include <stdexcept>

#include "server/dataset_catalog.h"
#include "server/packet.h"
#include "server/stored_value.h"

namespace zor::server::ssim {

const std::array<const char*, 7> kDayFields = {"IDVOOSEG", "IDVOOTER", "IDVOOQUA", "IDVOOQUI",
                                               "IDVOOSEX", "IDVOOSAB", "IDVOODOM"};

std::string Text(const SqlValue& v) { return AsText(v); }

namespace {

std::string Field(const DatasetDef& d, const Row& r, const std::string& name) { return Text(r[d.IndexOf(name)]); }

std::string DateOnly(const std::string& stored) {
  std::string canonical = StoredDateTime(stored);
  return canonical.empty() ? std::string() : canonical.substr(0, 10);
}

}  // namespace

std::vector<HeldFlight> ReadHeldFlights(Connection& c, const std::string& branch, const std::string& company) {
  const DatasetDef& vd = VooDataset();
  const DatasetDef& td = TrechoDataset();
  const DatasetDef& cd = ClasseVooDataset();
  std::vector<SqlValue> key = {branch, company};
  auto flights = c.Query(SelectSql(vd) + " WHERE V.CDFILIAL = ? AND V.CDCIA = ? ORDER BY V.NRVOO", key);
  auto legs = c.Query(SelectSql(td) + " WHERE R.CDFILIAL = ? AND R.CDCIA = ? ORDER BY R.NRVOO, R.CDTRECHO", key);
  auto classes = c.Query(SelectSql(cd) + " WHERE C.CDFILIAL = ? AND C.CDCIA = ? ORDER BY C.NRVOO, C.CDTRECHO, C.CDCLASSE",
                         key);

  std::vector<HeldFlight> out;
  std::map<std::string, size_t> byNumber;
  for (auto& r : flights.rows) {
    HeldFlight f;
    f.number = Field(vd, r, "NRVOO");
    f.equipment = Field(vd, r, "CDEQUIP");
    f.kind = Field(vd, r, "IDTIPVOO");
    f.validFrom = DateOnly(Field(vd, r, "DTINIVIGVOO"));
    f.validTo = DateOnly(Field(vd, r, "DTFIMVIGVOO"));
    for (int d = 0; d < 7; ++d) f.days[d] = Field(vd, r, kDayFields[d]) == "1";
    f.flightType = Field(vd, r, "CDEXPTIPOVOO");
    f.row = std::move(r);
    byNumber[f.number] = out.size();
    out.push_back(std::move(f));
  }
  std::map<std::pair<std::string, std::string>, HeldLeg*> legByKey;
  for (auto& r : legs.rows) {
    auto it = byNumber.find(Field(td, r, "NRVOO"));
    if (it == byNumber.end()) continue;
    HeldLeg l;
    l.code = Field(td, r, "CDTRECHO");
    l.fromCode = Field(td, r, "CDBASEORI");
    l.toCode = Field(td, r, "CDBASEDES");
    l.from = Field(td, r, "SGBASEORI");
    l.to = Field(td, r, "SGBASEDES");
    l.departure = Field(td, r, "HRDECOLVOO");
    l.arrival = Field(td, r, "HRPOUSOVOO");
    l.timeReference = Field(td, r, "IDTIPAJUSFAT");
    l.row = std::move(r);
    out[it->second].legs.push_back(std::move(l));
  }
  for (auto& f : out)
    for (auto& l : f.legs) legByKey[{f.number, l.code}] = &l;
  for (auto& r : classes.rows) {
    auto it = legByKey.find({Field(cd, r, "NRVOO"), Field(cd, r, "CDTRECHO")});
    if (it == legByKey.end()) continue;
    HeldClass k;
    k.code = Field(cd, r, "CDCLASSE");
    k.letter = Field(cd, r, "SGCLASSE");
    k.row = std::move(r);
    it->second->classes.push_back(std::move(k));
  }
  return out;
}

std::vector<const Equipment*> References::WithIataType(const std::string& type) const {
  std::vector<const Equipment*> out;
  for (const auto& [code, e] : equipment)
    if (e.iataType == type) out.push_back(&e);
  return out;
}

References ReadReferences(Connection& c, const std::string& branch, const std::string& company) {
  References refs;
  if (c.Query("SELECT 1 FROM FILIAL WHERE CDFILIAL = ?", {branch}).rows.empty())
    throw std::runtime_error("Filial " + branch + " não cadastrada.");
  auto cia = c.Query("SELECT SGCIA FROM COMPANHIA WHERE CDCIA = ?", {company});
  if (cia.rows.empty()) throw std::runtime_error("Companhia " + company + " não cadastrada.");
  refs.airline = Text(cia.rows[0][0]);
  if (c.Query("SELECT 1 FROM CIAFILI WHERE CDCIA = ? AND CDFILIAL = ?", {company, branch}).rows.empty())
    throw std::runtime_error("A companhia " + company + " não opera na filial " + branch + ".");

  for (const auto& r : c.Query("SELECT E.CDEQUIP, E.SGEQUIP, E.CDIATA FROM EQUIPCIA Q JOIN EQUIPAMENTO E"
                               " ON E.CDEQUIP = Q.CDEQUIP WHERE Q.CDFILIAL = ? AND Q.CDCIA = ? ORDER BY E.CDEQUIP",
                               {branch, company})
                           .rows)
    refs.equipment[Text(r[0])] = Equipment{Text(r[0]), Text(r[1]), Text(r[2])};
  for (const auto& r : c.Query("SELECT SGBASE, CDBASE FROM BASE ORDER BY CDBASE").rows)
    refs.stationCodes.emplace(Text(r[0]), Text(r[1]));  // the first base of an abbreviation wins
  for (const auto& r : c.Query("SELECT L.SGCLASSE, L.CDCLASSE FROM CLASSECIA K JOIN CLASSE L ON L.CDCLASSE = K.CDCLASSE"
                               " WHERE K.CDFILIAL = ? AND K.CDCIA = ? ORDER BY L.CDCLASSE",
                               {branch, company})
                           .rows)
    refs.classCodes.emplace(Text(r[0]), Text(r[1]));
  for (const auto& r : c.Query("SELECT CDEXPTIPOVOO FROM TIPOVOO ORDER BY CDEXPTIPOVOO").rows)
    refs.flightTypes.push_back(Text(r[0]));
  auto shift = c.Query("SELECT NRTURNO FROM TURNO ORDER BY NRTURNO");
  if (!shift.rows.empty()) refs.firstShift = Text(shift.rows[0][0]);
  return refs;
}

}  // namespace zor::server::ssim

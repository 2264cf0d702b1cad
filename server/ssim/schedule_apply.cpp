// Applying an import plan (see schedule_apply.h).
#include "server/ssim/schedule_apply.h"

#include <algorithm>
#include <cstdio>

#include "server/dataset_catalog.h"
#include "server/delta_apply.h"

namespace zor::server::ssim {

namespace {

const SqlValue kNull = std::monostate{};

// Sets fields of a row by name.
struct RowWriter {
  const DatasetDef& d;
  Row& row;
  RowWriter& Set(const std::string& name, SqlValue v) {
    row[d.IndexOf(name)] = std::move(v);
    return *this;
  }
};

SqlValue DateValue(const std::string& iso) { return iso.empty() ? kNull : SqlValue(iso + "T00:00:00"); }

std::string Code4(long n) {
  char b[16];
  std::snprintf(b, sizeof b, "%04ld", n);
  return b;
}

// The flight fields the file decides.
void SetScheduled(RowWriter w, const WantedFlight& f) {
  w.Set("CDEQUIP", f.equipment).Set("IDTIPVOO", f.kind).Set("CDEXPTIPOVOO", f.flightType);
  w.Set("DTINIVIGVOO", DateValue(f.validFrom)).Set("DTFIMVIGVOO", DateValue(f.validTo));
  for (int d = 0; d < 7; ++d) w.Set(kDayFields[d], std::string(f.days[d] ? "1" : "2"));
}

// A new flight: what the file says, and for the rest the values a new
// flight gets on the screen (national, active, base, supply, no loading
// flags, incidence on, KDT 00:00, the first shift).
Change NewFlight(const WantedFlight& f, const Plan& p, const std::string& branch, const std::string& company) {
  const DatasetDef& d = VooDataset();
  Change ch{wire::ChangeKind::Insert, {}, Row(d.fields.size())};
  RowWriter w{d, ch.newValues};
  w.Set("CDFILIAL", branch).Set("CDCIA", company).Set("NRVOO", f.number);
  w.Set("IDNACIVOO", std::string("1")).Set("IDSITVOO", std::string("1"));
  for (const char* flag : {"IDCARREGO", "IDDESCAR", "IDTRANSLADO", "IDCARGA"}) w.Set(flag, std::string("2"));
  w.Set("IDABASATEN", std::string("1")).Set("IDBASETRAN", std::string("1"));
  w.Set("QTHRKDTDES", std::string("0000")).Set("QTHRKDTCAR", std::string("0000"));
  for (const char* flag : {"IDINCDESDESV", "IDINCDESFIXO", "IDINCDESCOND"}) w.Set(flag, std::string("1"));
  w.Set("VRPEROCUPACAO", 0.0).Set("QTDIASPROD", 0.0).Set("NRTURNOPROD", p.refs.firstShift);
  SetScheduled(w, f);
  return ch;
}

Change NewLeg(const WantedLeg& l, const std::string& timeReference, const std::string& branch,
              const std::string& company, const std::string& number, const std::string& code) {
  const DatasetDef& d = TrechoDataset();
  Change ch{wire::ChangeKind::Insert, {}, Row(d.fields.size())};
  RowWriter w{d, ch.newValues};
  w.Set("CDFILIAL", branch).Set("CDCIA", company).Set("NRVOO", number).Set("CDTRECHO", code);
  w.Set("CDBASEORI", l.fromCode).Set("CDBASEDES", l.toCode).Set("HRDECOLVOO", l.departure).Set("HRPOUSOVOO", l.arrival);
  w.Set("IDTIPAJUSFAT", timeReference).Set("IDSITVOOTRE", std::string("1"));
  return ch;
}

Change NewClass(const std::string& classCode, const std::string& branch, const std::string& company,
                const std::string& number, const std::string& legCode) {
  const DatasetDef& d = ClasseVooDataset();
  Change ch{wire::ChangeKind::Insert, {}, Row(d.fields.size())};
  RowWriter w{d, ch.newValues};
  // A class added without a multiplier gets 0, as on the screen.
  w.Set("CDCIA", company).Set("NRVOO", number).Set("CDCLASSE", classCode).Set("NRMULSERV", 0.0);
  w.Set("CDFILIAL", branch).Set("CDTRECHO", legCode);
  return ch;
}

struct FlightChanges {
  std::vector<Change> flight, legs, classes;
};

FlightChanges Creation(const WantedFlight& f, const Plan& p, const std::string& branch, const std::string& company) {
  FlightChanges out;
  out.flight.push_back(NewFlight(f, p, branch, company));
  for (size_t i = 0; i < f.legs.size(); ++i) {
    std::string code = Code4(static_cast<long>(i + 1));
    out.legs.push_back(NewLeg(f.legs[i], f.timeReference, branch, company, f.number, code));
    for (const auto& k : f.legs[i].classCodes) out.classes.push_back(NewClass(k, branch, company, f.number, code));
  }
  return out;
}

FlightChanges Modification(const WantedFlight& f, const HeldFlight& h, const std::string& branch,
                           const std::string& company) {
  FlightChanges out;
  Change fc{wire::ChangeKind::Modify, h.row, h.row};
  SetScheduled(RowWriter{VooDataset(), fc.newValues}, f);
  if (fc.newValues != fc.oldValues) out.flight.push_back(fc);

  long highest = 0;
  for (const auto& l : h.legs)
    if (!l.code.empty() && std::all_of(l.code.begin(), l.code.end(), ::isdigit)) highest = std::max(highest, std::stol(l.code));
  for (size_t i = 0; i < f.legs.size(); ++i) {
    const WantedLeg& wl = f.legs[i];
    std::string code;
    if (i < h.legs.size()) {
      const HeldLeg& hl = h.legs[i];
      code = hl.code;
      Change lc{wire::ChangeKind::Modify, hl.row, hl.row};
      RowWriter w{TrechoDataset(), lc.newValues};
      if (hl.fromCode != wl.fromCode) w.Set("CDBASEORI", wl.fromCode);
      if (hl.toCode != wl.toCode) w.Set("CDBASEDES", wl.toCode);
      if (hl.departure != wl.departure) w.Set("HRDECOLVOO", wl.departure);
      if (hl.arrival != wl.arrival) w.Set("HRPOUSOVOO", wl.arrival);
      if (hl.timeReference != f.timeReference) w.Set("IDTIPAJUSFAT", f.timeReference);
      if (lc.newValues != lc.oldValues) out.legs.push_back(lc);
      for (const auto& k : wl.classCodes)
        if (std::none_of(hl.classes.begin(), hl.classes.end(), [&](const HeldClass& c) { return c.code == k; }))
          out.classes.push_back(NewClass(k, branch, company, h.number, code));
    } else {
      code = Code4(++highest);
      out.legs.push_back(NewLeg(wl, f.timeReference, branch, company, h.number, code));
      for (const auto& k : wl.classCodes) out.classes.push_back(NewClass(k, branch, company, h.number, code));
    }
  }
  return out;
}

}  // namespace

ApplyResult ApplyPlan(Connection& c, const Plan& plan, const std::string& branch, const std::string& company,
                      AuditRecorder* audit) {
  ApplyResult result;
  WriteTransaction tx(c);
  for (const auto& item : plan.items) {
    if (item.action != Action::Create && item.action != Action::Change) continue;
    FlightChanges ch = item.action == Action::Create
                           ? Creation(item.wanted, plan, branch, company)
                           : Modification(item.wanted, plan.held[item.held], branch, company);
    try {
      ApplyChangesInTransaction(c, VooDataset(), ch.flight, audit);
      ApplyChangesInTransaction(c, TrechoDataset(), ch.legs, audit);
      ApplyChangesInTransaction(c, ClasseVooDataset(), ch.classes, audit);
    } catch (const SaveRefused& e) {
      throw SaveRefused("Vôo " + item.number + ": " + e.what());
    }
    ++(item.action == Action::Create ? result.created : result.changed);
  }
  tx.Commit();
  return result;
}

}  // namespace zor::server::ssim

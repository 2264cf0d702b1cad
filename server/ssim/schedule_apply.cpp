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
  RowWriter& set(const std::string& name, SqlValue v) {
    row[d.indexOf(name)] = std::move(v);
    return *this;
  }
};

SqlValue dateValue(const std::string& iso) { return iso.empty() ? kNull : SqlValue(iso + "T00:00:00"); }

std::string code4(long n) {
  char b[16];
  std::snprintf(b, sizeof b, "%04ld", n);
  return b;
}

// The flight fields the file decides.
void setScheduled(RowWriter w, const WantedFlight& f) {
  w.set("CDEQUIP", f.equipment).set("IDTIPVOO", f.kind).set("CDEXPTIPOVOO", f.flightType);
  w.set("DTINIVIGVOO", dateValue(f.validFrom)).set("DTFIMVIGVOO", dateValue(f.validTo));
  for (int d = 0; d < 7; ++d) w.set(kDayFields[d], std::string(f.days[d] ? "1" : "2"));
}

// A new flight: what the file says, and for the rest the values a new
// flight gets on the screen (national, active, base, supply, no loading
// flags, incidence on, KDT 00:00, the first shift).
Change newFlight(const WantedFlight& f, const Plan& p, const std::string& branch, const std::string& company) {
  const DatasetDef& d = vooDataset();
  Change ch{wire::ChangeKind::Insert, {}, Row(d.fields.size())};
  RowWriter w{d, ch.newValues};
  w.set("CDFILIAL", branch).set("CDCIA", company).set("NRVOO", f.number);
  w.set("IDNACIVOO", std::string("1")).set("IDSITVOO", std::string("1"));
  for (const char* flag : {"IDCARREGO", "IDDESCAR", "IDTRANSLADO", "IDCARGA"}) w.set(flag, std::string("2"));
  w.set("IDABASATEN", std::string("1")).set("IDBASETRAN", std::string("1"));
  w.set("QTHRKDTDES", std::string("0000")).set("QTHRKDTCAR", std::string("0000"));
  for (const char* flag : {"IDINCDESDESV", "IDINCDESFIXO", "IDINCDESCOND"}) w.set(flag, std::string("1"));
  w.set("VRPEROCUPACAO", 0.0).set("QTDIASPROD", 0.0).set("NRTURNOPROD", p.refs.firstShift);
  setScheduled(w, f);
  return ch;
}

Change newLeg(const WantedLeg& l, const std::string& timeReference, const std::string& branch,
              const std::string& company, const std::string& number, const std::string& code) {
  const DatasetDef& d = trechoDataset();
  Change ch{wire::ChangeKind::Insert, {}, Row(d.fields.size())};
  RowWriter w{d, ch.newValues};
  w.set("CDFILIAL", branch).set("CDCIA", company).set("NRVOO", number).set("CDTRECHO", code);
  w.set("CDBASEORI", l.fromCode).set("CDBASEDES", l.toCode).set("HRDECOLVOO", l.departure).set("HRPOUSOVOO", l.arrival);
  w.set("IDTIPAJUSFAT", timeReference).set("IDSITVOOTRE", std::string("1"));
  return ch;
}

Change newClass(const std::string& classCode, const std::string& branch, const std::string& company,
                const std::string& number, const std::string& legCode) {
  const DatasetDef& d = classeVooDataset();
  Change ch{wire::ChangeKind::Insert, {}, Row(d.fields.size())};
  RowWriter w{d, ch.newValues};
  // A class added without a multiplier gets 0, as on the screen.
  w.set("CDCIA", company).set("NRVOO", number).set("CDCLASSE", classCode).set("NRMULSERV", 0.0);
  w.set("CDFILIAL", branch).set("CDTRECHO", legCode);
  return ch;
}

struct FlightChanges {
  std::vector<Change> flight, legs, classes;
};

FlightChanges creation(const WantedFlight& f, const Plan& p, const std::string& branch, const std::string& company) {
  FlightChanges out;
  out.flight.push_back(newFlight(f, p, branch, company));
  for (size_t i = 0; i < f.legs.size(); ++i) {
    std::string code = code4(static_cast<long>(i + 1));
    out.legs.push_back(newLeg(f.legs[i], f.timeReference, branch, company, f.number, code));
    for (const auto& k : f.legs[i].classCodes) out.classes.push_back(newClass(k, branch, company, f.number, code));
  }
  return out;
}

FlightChanges modification(const WantedFlight& f, const HeldFlight& h, const std::string& branch,
                           const std::string& company) {
  FlightChanges out;
  Change fc{wire::ChangeKind::Modify, h.row, h.row};
  setScheduled(RowWriter{vooDataset(), fc.newValues}, f);
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
      RowWriter w{trechoDataset(), lc.newValues};
      if (hl.fromCode != wl.fromCode) w.set("CDBASEORI", wl.fromCode);
      if (hl.toCode != wl.toCode) w.set("CDBASEDES", wl.toCode);
      if (hl.departure != wl.departure) w.set("HRDECOLVOO", wl.departure);
      if (hl.arrival != wl.arrival) w.set("HRPOUSOVOO", wl.arrival);
      if (hl.timeReference != f.timeReference) w.set("IDTIPAJUSFAT", f.timeReference);
      if (lc.newValues != lc.oldValues) out.legs.push_back(lc);
      for (const auto& k : wl.classCodes)
        if (std::none_of(hl.classes.begin(), hl.classes.end(), [&](const HeldClass& c) { return c.code == k; }))
          out.classes.push_back(newClass(k, branch, company, h.number, code));
    } else {
      code = code4(++highest);
      out.legs.push_back(newLeg(wl, f.timeReference, branch, company, h.number, code));
      for (const auto& k : wl.classCodes) out.classes.push_back(newClass(k, branch, company, h.number, code));
    }
  }
  return out;
}

}  // namespace

ApplyResult applyPlan(Connection& c, const Plan& plan, const std::string& branch, const std::string& company,
                      AuditRecorder* audit) {
  ApplyResult result;
  WriteTransaction tx(c);
  for (const auto& item : plan.items) {
    if (item.action != Action::create && item.action != Action::change) continue;
    FlightChanges ch = item.action == Action::create
                           ? creation(item.wanted, plan, branch, company)
                           : modification(item.wanted, plan.held[item.held], branch, company);
    try {
      applyChangesInTransaction(c, vooDataset(), ch.flight, audit);
      applyChangesInTransaction(c, trechoDataset(), ch.legs, audit);
      applyChangesInTransaction(c, classeVooDataset(), ch.classes, audit);
    } catch (const SaveRefused& e) {
      throw SaveRefused("Vôo " + item.number + ": " + e.what());
    }
    ++(item.action == Action::create ? result.created : result.changed);
  }
  tx.commit();
  return result;
}

}  // namespace zor::server::ssim

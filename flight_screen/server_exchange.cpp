// The screen's calls to the application server, in one place.
#include "flight_screen/server_exchange.h"

#include "data_access/server_methods.h"
#include "flight_screen/cli_zor12200.h"
#include "flight_screen/screen_modes.h"
#include "platform/core/cleanup.h"
#include "platform/forms/application.h"
#include "platform/library/consiste.h"
#include "platform/library/showavi.h"
#include "platform/library/vornia.h"

namespace zor::Cli_zor12200 {

using namespace plat;
using Showavi::BusyKind;

namespace {

using SaveMethod = Variant (data_access::VooTrechoServer::*)(const Variant& delta);

// What each kind of data is saved with: the screen's dataset, the server
// method that takes its delta, and the table the local cache hears about.
struct SaveTarget {
  SavedData what;
  TClientDataSet* TfrmVoo::*dataset;
  SaveMethod method;
  const char* table;
};
constexpr SaveTarget kSaveTargets[] = {
    {SavedData::Flights, &TfrmVoo::cdsVoo, &data_access::VooTrechoServer::SetVoo, "VOO"},
    {SavedData::Legs, &TfrmVoo::cdstrechoo, &data_access::VooTrechoServer::SetTrecho, "VOOTRECHO"},
    {SavedData::Classes, &TfrmVoo::cdsClasseVoo, &data_access::VooTrechoServer::SetClasseVoo, "CLASSEVOO"},
};

const SaveTarget& TargetOf(SavedData what) {
  for (const SaveTarget& t : kSaveTargets)
    if (t.what == what) return t;
  throw std::logic_error("no save target");
}

// ---- the one place that decides a call's branch and company ----

// Every call names the branch the strip shows.
std::string Branch(const TfrmVoo& f) { return f.medCdFilial->Text(); }

// The flights and the class loads of Check, the class tab and the context
// load name the context company. The legs, and the classes loaded when the
// leg cursor moves, name the company of the current flight: those run while
// the flights change under the cursor (a load, an insert), and ask for what
// belongs to the flight the cursor is on. For a loaded flight both are the
// same company (every listed flight is the context company's); they differ
// only without a current flight (an empty list, a flight being inserted,
// whose company is written when it is posted), when the call names no
// company and finds nothing either way.
std::string Company(const TfrmVoo& f, CompanyOf company) {
  return company == CompanyOf::Context ? f.qryCompanhiaCDCIA->AsString() : f.cdsVooCDCIA->AsString();
}

std::string Flight(const TfrmVoo& f) { return f.cdsVooNRVOO->AsString(); }
std::string Leg(const TfrmVoo& f) { return f.cdstrechooCDTRECHO->AsString(); }

// The answer is taken, not copied: its packet then has one holder and its
// rows move into the dataset.
Variant Checked(Variant&& result) { return Consiste::CheckResultServ(std::move(result), true, 0); }

// The one way to the server here: the busy indicator of the call's kind is
// up for as long as the call (and the load of its answer) lasts. A call
// made inside another keeps the outer one's indicator.
struct ServerCall {
  ServerCall(TNetConnection& connection, BusyKind kind) : busy(Application->MainForm(), kind), server(connection) {}
  ServerCall(TfrmVoo& f, BusyKind kind) : ServerCall(*f.netVooTrecho, kind) {}
  Showavi::BusyScope busy;
  data_access::VooTrechoServer server;
};

}  // namespace

void ConnectToServer(TfrmVoo& f) {
  Showavi::BusyScope busy(Application->MainForm(), BusyKind::Opening);
  f.netVooTrecho->SetConnected(true);
}

void LoadFlightTypes(TfrmVoo& f) {
  ServerCall call(f, BusyKind::Opening);
  f.cdsTipoVoo->SetData(Checked(call.server.GetTipoVoo()));
}

void LoadShiftList(TfrmVoo& f) {
  ServerCall call(f, BusyKind::Loading);
  f.cdsPesqTurno->SetData(Checked(call.server.GetTurno("", "T")));
}

void LoadShift(TfrmVoo& f, const std::string& code) {
  ServerCall call(f, BusyKind::Transfer);
  f.cdsPesqTurno->SetData(Checked(call.server.GetTurno(code, "")));
}

void LoadFlights(TfrmVoo& f) {
  ServerCall call(f, BusyKind::Loading);
  f.cdsVoo->SetData(Checked(call.server.GetVoo(Branch(f), Company(f, CompanyOf::Context))));
}

void LoadLegs(TfrmVoo& f) {
  ServerCall call(f, BusyKind::Loading);
  f.cdstrechoo->SetData(
      Checked(call.server.GetTrecho(Company(f, CompanyOf::CurrentFlight), Flight(f), Branch(f))));
}

void LoadClasses(TfrmVoo& f, CompanyOf company) {
  ServerCall call(f, BusyKind::Loading);
  f.cdsClasseVoo->SetData(Checked(call.server.GetClasseVoo(Branch(f), Company(f, company), Leg(f), Flight(f))));
}

void LoadContext(TfrmVoo& f) {
  Showavi::BusyScope busy(Application->MainForm(), BusyKind::Loading);
  LoadFlights(f);
  // Opening a list with flights moves to the first one, whose scroll
  // handler has already loaded its legs and its first leg's classes:
  // fetching them again here would only repeat the same calls. Without
  // flights nothing scrolls, and the legs and classes are opened empty.
  if (f.cdsVoo->IsEmpty()) {
    LoadLegs(f);
    LoadClasses(f, CompanyOf::Context);
  }
}

void Reload(TfrmVoo& f) {
  Showavi::BusyScope busy(Application->MainForm(), BusyKind::Loading);
  if (OnClassTab(f)) {
    LoadClasses(f, CompanyOf::Context);
    return;
  }
  if (!LegTarget(f)) LoadFlights(f);
  LoadLegs(f);
}

// No catching: a failed load reaches whatever moved the cursor.
void FollowFlight(TfrmVoo& f) {
  LoadLegs(f);
  // Loading legs loads the classes of the first one; a flight without legs
  // must not keep showing the classes of the flight left behind.
  if (f.cdstrechoo->IsEmpty()) FollowLeg(f);
  RefreshModes(f, ModeChange::Shown);
}

// A new leg being inserted included, whose code is still empty.
void FollowLeg(TfrmVoo& f) { LoadClasses(f, CompanyOf::CurrentFlight); }

void SaveChanges(TNetConnection& connection, TClientDataSet& changes, SavedData what) {
  const SaveTarget& target = TargetOf(what);
  const bool sent = changes.ApplyUpdates([&](const Variant& delta) {
    // Shown while the server has the delta; gone before the merge.
    ServerCall call(connection, BusyKind::Transfer);
    Checked((call.server.*target.method)(delta));
  });
  if (sent) Vornia::AtualizaLocalCache(VarArrayOf(target.table));
}

void SaveChanges(TfrmVoo& f, SavedData what) { SaveChanges(*f.netVooTrecho, *(f.*TargetOf(what).dataset), what); }

void SaveLegsAndReload(TNetConnection& connection, TClientDataSet& legs, const LegsOf& flight) {
  Variant reloaded;
  const bool sent = legs.ApplyUpdates([&](const Variant& delta) {
    ServerCall call(connection, BusyKind::Transfer);
    std::vector<Variant> answers =
        call.server.SetTrechoThenGetTrecho(delta, flight.company, flight.flight, flight.branch);
    Checked(std::move(answers.at(0)));
    reloaded = std::move(answers.at(1));
  });
  if (sent) Vornia::AtualizaLocalCache(VarArrayOf(TargetOf(SavedData::Legs).table));
  ServerCall call(connection, BusyKind::Loading);
  legs.SetData(Checked(sent ? std::move(reloaded) : call.server.GetTrecho(flight.company, flight.flight, flight.branch)));
}

void SaveLegsAndReload(TfrmVoo& f) {
  SaveLegsAndReload(*f.netVooTrecho, *f.cdstrechoo,
                    {Company(f, CompanyOf::CurrentFlight), Flight(f), Branch(f)});
}

void DeleteLeg(TfrmVoo& f) {
  Finally([&] { f.cdstrechoo->Delete(); }, [&] { Reload(f); });
}

}  // namespace zor::Cli_zor12200

// The screen's exchange with the application server: what it loads (flight
// types, shifts, the flights of the context, the legs of the current flight,
// the classes of the current leg), when it reloads, and how it saves a
// dataset. Every call's branch and company are decided here, and every
// result passes the server-result check before it replaces a dataset.
//
// The busy indicator: every call shows it while it runs, the loads that
// follow a cursor move included. The indicator nests, so the calls that run
// inside a longer one (the legs and classes loaded as a load or a reload
// moves the cursors) keep the one that the longer call put up.
#pragma once

#include <string>

namespace zor::Cli_zor12200 {

class TfrmVoo;

}  // namespace zor::Cli_zor12200
namespace zor::plat {
class TClientDataSet;
class TNetConnection;
}  // namespace zor::plat

namespace zor::Cli_zor12200 {

// Whose company a call names.
enum class CompanyOf {
  Context,        // the company the context strip chose (its query's current row)
  CurrentFlight,  // the company stored in the current flight
};

// ---- opening ----
void ConnectToServer(TfrmVoo& f);
void LoadFlightTypes(TfrmVoo& f);
// The production shifts: every one (for the pick list), or the one of `code`.
void LoadShiftList(TfrmVoo& f);
void LoadShift(TfrmVoo& f, const std::string& code);

// ---- loads, each replacing the content of one dataset ----
void LoadFlights(TfrmVoo& f);   // cdsVoo: the flights of the context
void LoadLegs(TfrmVoo& f);      // cdstrechoo: the legs of the current flight
void LoadClasses(TfrmVoo& f, CompanyOf company = CompanyOf::Context);  // cdsClasseVoo: of the current leg

// Leaving the context strip: the company's flights, and with them the first
// flight's legs and its first leg's classes.
void LoadContext(TfrmVoo& f);
// The Check command: what the command bar designates, as the server holds
// it (the classes on the class tab; else the legs of the current flight,
// and first the flights unless the leg grid has the focus).
void Reload(TfrmVoo& f);
// Every move of the flight cursor shows that flight's legs; every move of
// the leg cursor that leg's classes.
void FollowFlight(TfrmVoo& f);
void FollowLeg(TfrmVoo& f);

// ---- saving ----
enum class SavedData { Flights, Legs, Classes };
// Sends the pending changes of the screen's dataset of `what` (merged when
// accepted, undone when refused: ApplyUpdates), then tells the local cache
// that its table changed. Nothing happens without pending changes.
void SaveChanges(TfrmVoo& f, SavedData what);
// The same for another dataset of the same data, over `connection`.
void SaveChanges(plat::TNetConnection& connection, plat::TClientDataSet& changes, SavedData what);
// The legs' pending changes sent, then the legs of `flight` shown as the
// server holds them once the changes are in, in one request: the dataset's
// SaveChanges followed by a load. A refused send undoes the local change and
// the legs are not reloaded; without pending changes the legs are just
// reloaded.
struct LegsOf {
  std::string company, flight, branch;
};
void SaveLegsAndReload(plat::TNetConnection& connection, plat::TClientDataSet& legs, const LegsOf& flight);
// The same for the screen's legs of the current flight.
void SaveLegsAndReload(TfrmVoo& f);
// Deletes the current leg (its after-delete handler sends the deletion),
// then shows what the server holds (Reload) whether or not the deletion
// went through: the leg delete button and the Delete command both end so.
void DeleteLeg(TfrmVoo& f);

}  // namespace zor::Cli_zor12200

// The screen's modes: for the state of the flights, legs and classes, which
// commands, tabs, menu items and context fields are enabled and which page
// is shown; and which dataset the command bar designates.
//
// The data sources' handlers and everything else that changes what is shown
// (a load, a tab chosen, the screen created) call RefreshModes with what
// changed; the rules themselves are written only here.
#pragma once

namespace zor::Cli_zor12200 {

class TfrmVoo;

}  // namespace zor::Cli_zor12200
namespace zor::plat {
class TDataSet;
}

namespace zor::Cli_zor12200 {

// What changed; it decides which rules run.
enum class ModeChange {
  FlightState,  // the flights' state, as their data source reports it
  FlightData,   // the current flight, or one of its fields
  LegState,     // the legs' state
  LegData,      // the current leg, or one of its fields
  ClassState,   // the classes' state
  BaseState,    // the flights' state, as the base form's data source reports it
  // Another flight or another tab is shown: the base form's rule, then the
  // classes' rule, as when both data sources report a state change.
  Shown,
};

void RefreshModes(TfrmVoo& f, ModeChange change);

// ---- what the command bar designates ----
bool OnFlightTabs(const TfrmVoo& f);  // the grid tab or the record tab
bool OnClassTab(const TfrmVoo& f);
// On the grid and record tabs the commands act on the legs while the leg
// grid of the record tab has the focus, and on the flights otherwise.
bool LegTarget(const TfrmVoo& f);

// ---- dataset states as the rules read them ----
bool Editing(const plat::TDataSet* ds);   // edit or insert
bool Browsing(const plat::TDataSet* ds);
// A closed dataset counts as empty: it holds nothing to show or change.
bool Empty(const plat::TDataSet* ds);

}  // namespace zor::Cli_zor12200

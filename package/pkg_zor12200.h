// The package's entry points, as the host and other screens call them.
// IniProc and CriaVoo have unmangled names so a host can find them with
// dlsym; the screen's exported state is declared in
// flight_screen/screen_state.h. The package owns the link between the
// flight screen and its report screen: at load it sets the flight screen's
// print hook to open CriaRelVoo with the screen's branch and company.
#pragma once

#include <string>

#include "platform/core/variant.h"
#include "report/cli_zor12201.h"

namespace zor::plat {
class TForm;
}

namespace zor::Pkg_zor12200 {

extern "C" {

// The host's generic entry point. Null: opened from the host menu.
// Otherwise an array: creation place, caller's dataset name, caller's form
// (a form reference carried as an integer).
void IniProc(plat::Variant value);

// Opens the screen, or brings the open one forward.
void CriaVoo(const std::string& place, const std::string& datasetName, plat::TForm* callerForm);

}

// Shows the report screen modally for this branch and company; returns when it closes.
void CriaRelVoo(const Cli_zor12201::Filial& branch, const Cli_zor12201::Companhia& company);

}  // namespace zor::Pkg_zor12200

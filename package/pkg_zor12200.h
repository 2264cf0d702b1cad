// The package's entry points, as the host and other screens call them.
// IniProc and CriaVoo have unmangled names so a host can find them with
// dlsym; the screen's exported state is declared in
// flight_screen/screen_state.h.
#pragma once

#include <string>

#include "platform/core/variant.h"

namespace plat {
class TForm;
}

extern "C" {

// The host's generic entry point. Null: opened from the host menu.
// Otherwise an array: creation place, caller's dataset name, caller's form
// (a form reference carried as an integer).
void IniProc(plat::Variant value);

// Opens the screen, or brings the open one forward.
void CriaVoo(const std::string& place, const std::string& datasetName, plat::TForm* callerForm);

}

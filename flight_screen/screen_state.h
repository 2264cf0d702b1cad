// Process-wide state of the flight screen, exported by the package so the
// host and other screens can read and set it. Plain values: everything runs
// on the user-interface thread.
#pragma once

#include <string>

namespace zor::plat {
class TForm;
}

namespace zor::Cli_zor12200 {

class TfrmVoo;

// The one screen instance; valid only while boStCriado is true (not cleared
// at close). A host reads it by name (dlsym), so it has C linkage.
extern "C" TfrmVoo* frmVoo;

// The three flags a host reads and sets by name (dlsym) keep unmangled names.
extern "C" {
// A screen instance exists.
extern bool boStCriado;
// Run the screen as a modal dialog for one flight; set by callers only.
extern bool boShowModal;
// Run the screen as the leg-of-a-flight dialog; set by callers only.
extern bool boTrechoOk;
}
// The first activation of the current instance has been handled.
extern bool boActive;
// True only while a weekday-box click that happened in browse state is handled.
extern bool boChecado;
// Where the screen was opened from, upper-cased ("MENU" from the host menu).
extern std::string StLocalCriacao;
// Name of the caller's dataset that holds the flight to show.
extern std::string stCdsOriginal;
// The caller's form; null when the host menu opens the screen.
extern plat::TForm* frmOrig;

// What the print button opens. The package sets it (to the report screen)
// so that the screen itself knows nothing of the report; null: the button
// does nothing. A plain pointer, set once at package load.
using PrintHook = void (*)(TfrmVoo& screen);
extern PrintHook OnImprimir;

// Package load and unload: the flags start false; unload empties the two strings.
void ResetScreenStateOnLoad();
void ClearScreenStateOnUnload();

}  // namespace zor::Cli_zor12200

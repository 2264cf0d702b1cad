// The busy indicator over the main form, shown around the longer server
// calls. At most one is shown: a show while one is shown replaces its kind
// (the callers never nest them on purpose, and a nested hide must not leave
// a stale indicator behind), and a hide with none shown does nothing, so a
// failure path may hide again safely.
#pragma once

namespace plat {
class TForm;
}

namespace plat::Showavi {

// Shows the indicator of `kind` (the screens use 0, 1 and 6) over `form`
// (the host's main form; the ui port knows where it is, so it may be null).
void ActiveShowAvi(TForm* form, int kind);
void DeactiveShowAvi();

bool IsShown();
// The kind on show, or -1 when none is shown.
int ShownKind();

}  // namespace plat::Showavi

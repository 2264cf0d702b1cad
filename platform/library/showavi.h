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

// The kinds of indicator, by what the person waits for; the number is the
// animation the ui port shows.
enum class BusyKind : int {
  Opening = 0,   // a screen connecting and fetching what it starts with
  Transfer = 1,  // one record's worth: a save, one looked-up code
  Loading = 6,   // lists: a reload, a context's data, a pick list, a report
};

// Shows the indicator of `kind` over `form` (the host's main form; the ui
// port knows where it is, so it may be null).
void ActiveShowAvi(TForm* form, BusyKind kind);
// The same by the ui port's number.
void ActiveShowAvi(TForm* form, int kind);
void DeactiveShowAvi();

bool IsShown();
// The kind on show, or -1 when none is shown.
int ShownKind();

// Shows the indicator for the lifetime of a scope and hides it when the
// scope ends, normally or by an exception, so no failure path leaves it on.
// Hide() ends it early (before what the person must see, such as a message);
// the end of the scope then hides nothing more.
class BusyScope {
 public:
  BusyScope(TForm* form, BusyKind kind) { ActiveShowAvi(form, kind); }
  BusyScope(TForm* form, int kind) { ActiveShowAvi(form, kind); }
  ~BusyScope() { Hide(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

  void Hide() {
    if (!shown_) return;
    shown_ = false;
    DeactiveShowAvi();
  }

 private:
  bool shown_ = true;
};

}  // namespace plat::Showavi

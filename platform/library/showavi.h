// The busy indicator over the main form, shown around every server call.
// Shows nest: the outermost show puts the indicator up with its kind, the
// shows made inside it (a load that a cursor move starts while another load
// runs) only count, and the indicator goes when the outermost show's hide
// comes. So an inner call neither takes down the indicator of the call
// around it nor puts up a second one. A hide with none shown does nothing,
// so a failure path may hide again safely.
#pragma once

namespace zor::plat {
class TForm;
}

namespace zor::plat::Showavi {

// The kinds of indicator, by what the person waits for; the number is the
// animation the ui port shows.
enum class BusyKind : int {
  Opening = 0,   // a screen connecting and fetching what it starts with
  Transfer = 1,  // one record's worth: a save, one looked-up code
  Loading = 6,   // lists: a reload, a context's data, a pick list, a report
};

// Shows the indicator of `kind` over `form` (the host's main form; the ui
// port knows where it is, so it may be null), or counts one more show
// inside the one on show.
void ActiveShowAvi(TForm* form, BusyKind kind);
// The same by the ui port's number.
void ActiveShowAvi(TForm* form, int kind);
// Ends the innermost show; the outermost one's end hides the indicator.
void DeactiveShowAvi();

bool IsShown();
// The kind on show (the outermost show's), or -1 when none is shown.
int ShownKind();
// How many shows are open, the outermost included.
int ShowDepth();

// Shows the indicator for the lifetime of a scope and ends that show when
// the scope ends, normally or by an exception, so no failure path leaves it
// on. Hide() ends the scope's show early; the end of the scope then ends
// nothing more.
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

}  // namespace zor::plat::Showavi

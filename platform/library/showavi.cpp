// One busy indicator for the process, over the ui port.
#include "platform/library/showavi.h"

#include "platform/ui/ui_port.h"

namespace zor::plat::Showavi {

namespace {
int g_depth = 0;
int g_kind = -1;
}  // namespace

void ActiveShowAvi(TForm* /*form*/, int kind) {
  if (g_depth > 0) {
    ++g_depth;
    return;
  }
  // Counted once the port has it up: a show that fails leaves none to end.
  const int shown = kind < 0 ? 0 : kind;
  Ui().ShowBusy(shown);
  g_kind = shown;
  g_depth = 1;
}

void ActiveShowAvi(TForm* form, BusyKind kind) { ActiveShowAvi(form, static_cast<int>(kind)); }

void DeactiveShowAvi() {
  if (g_depth == 0) return;
  if (--g_depth > 0) return;
  g_kind = -1;
  Ui().HideBusy();
}

bool IsShown() { return g_depth > 0; }

int ShownKind() { return g_kind; }

int ShowDepth() { return g_depth; }

}  // namespace zor::plat::Showavi

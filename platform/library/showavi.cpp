// One busy indicator for the process, over the ui port.
#include "platform/library/showavi.h"

#include "platform/ui/ui_port.h"

namespace plat::Showavi {

namespace {
int g_kind = -1;
}

void ActiveShowAvi(TForm* /*form*/, int kind) {
  if (g_kind >= 0) Ui().HideBusy();
  g_kind = kind < 0 ? 0 : kind;
  Ui().ShowBusy(g_kind);
}

void ActiveShowAvi(TForm* form, BusyKind kind) { ActiveShowAvi(form, static_cast<int>(kind)); }

void DeactiveShowAvi() {
  if (g_kind < 0) return;
  g_kind = -1;
  Ui().HideBusy();
}

bool IsShown() { return g_kind >= 0; }

int ShownKind() { return g_kind; }

}  // namespace plat::Showavi

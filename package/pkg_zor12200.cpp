// Pkg_zor12200: IniProc, CriaVoo and the lifetime of the exported state.
#include "package/pkg_zor12200.h"

#include <cstdint>

#include "flight_screen/cli_zor12200.h"
#include "flight_screen/screen_state.h"
#include "platform/core/sysutils.h"
#include "platform/forms/application.h"
#include "platform/forms/screen.h"

using namespace plat;

namespace {

// Package load and unload.
struct PackageLifetime {
  PackageLifetime() { ResetScreenStateOnLoad(); }
  ~PackageLifetime() { ClearScreenStateOnUnload(); }
} package_lifetime;

}  // namespace

extern "C" void IniProc(Variant value) {
  if (value.IsNull()) {
    CriaVoo("MENU", "", nullptr);
    return;
  }
  const std::string place = value[0].AsString();
  const std::string dataset = value[1].AsString();
  auto* caller = reinterpret_cast<TForm*>(static_cast<intptr_t>(value[2].AsInteger()));
  CriaVoo(place, dataset, caller);
}

extern "C" void CriaVoo(const std::string& place, const std::string& datasetName, TForm* callerForm) {
  Screen->SetCursor(crHourGlass);
  try {
    StLocalCriacao = AnsiUpperCase(place);
    stCdsOriginal = datasetName;
    frmOrig = callerForm;
    if (!boStCriado) {
      Application->CreateForm(frmVoo);
      boStCriado = true;
    }
    frmVoo->Show();
    const bool vga = Screen->Width() == 640 && Screen->Height() == 480;
    frmVoo->SetWindowState(vga ? wsMaximized : wsNormal);
  } catch (...) {
    // The error reaches the host unchanged; the cursor does not stay busy.
    Screen->SetCursor(crDefault);
    throw;
  }
  Screen->SetCursor(crDefault);
}

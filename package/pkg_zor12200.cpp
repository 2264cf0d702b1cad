// Pkg_zor12200: IniProc, CriaVoo, CriaRelVoo, the flight screen's print
// hook and the lifetime of the exported state.
#include "package/pkg_zor12200.h"

#include <cstdint>

#include "flight_screen/cli_zor12200.h"
#include "flight_screen/screen_state.h"
#include "platform/core/sysutils.h"
#include "platform/forms/application.h"
#include "platform/forms/screen.h"

namespace zor::Pkg_zor12200 {

using namespace plat;

namespace {

// The report covers the branch and company the flight screen shows: the
// company by the code the flights are stored under.
void PrintFlights(Cli_zor12200::TfrmVoo& screen) {
  CriaRelVoo({screen.medCdFilial->Text(), screen.edtNmFilial->Text()},
             {screen.qryCompanhiaCDCIA->AsString(), screen.medSgCia->Text(), screen.edtNmCia->Text()});
}

// Package load and unload.
struct PackageLifetime {
  PackageLifetime() {
    Cli_zor12200::ResetScreenStateOnLoad();
    Cli_zor12200::OnImprimir = PrintFlights;
  }
  ~PackageLifetime() { Cli_zor12200::ClearScreenStateOnUnload(); }
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
  // An error reaches the host unchanged; the cursor does not stay busy.
  CursorScope busy(crHourGlass);
  Cli_zor12200::StLocalCriacao = AnsiUpperCase(place);
  Cli_zor12200::stCdsOriginal = datasetName;
  Cli_zor12200::frmOrig = callerForm;
  if (!Cli_zor12200::boStCriado) {
    Application->CreateForm(Cli_zor12200::frmVoo);
    Cli_zor12200::boStCriado = true;
  }
  Cli_zor12200::frmVoo->Show();
  const bool vga = Screen->Width() == 640 && Screen->Height() == 480;
  Cli_zor12200::frmVoo->SetWindowState(vga ? wsMaximized : wsNormal);
}

void CriaRelVoo(const Cli_zor12201::Filial& branch, const Cli_zor12201::Companhia& company) {
  CursorScope busy(crHourGlass);
  if (!Cli_zor12201::boStCriado) {
    Application->CreateForm(Cli_zor12201::frmRelVoo);
    Cli_zor12201::boStCriado = true;
  }
  Cli_zor12201::frmRelVoo->SetCoverage(branch, company);
  Cli_zor12201::frmRelVoo->ShowModal();
}

}  // namespace zor::Pkg_zor12200

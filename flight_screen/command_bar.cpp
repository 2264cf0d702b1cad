// The command bar, the tabs and the menus.
//
// One bar of seven commands serves three datasets: the flights (cdsVoo), the
// legs of the current flight (cdstrechoo) and the classes of the current leg
// (cdsClasseVoo). The class tab designates the classes; on the grid and
// record tabs a command acts on the legs when the leg grid of the record tab
// holds the focus, and on the flights otherwise. The data sources' state
// and data changes bring the modes in line (screen_modes.cpp).
#include "flight_screen/cli_zor12200.h"
#include "flight_screen/screen_modes.h"
#include "flight_screen/server_exchange.h"
#include "platform/library/consiste.h"
#include "platform/library/procurar.h"

namespace zor::Cli_zor12200 {

using namespace plat;

namespace {

bool Confirmed(const TMessages* table, const char* key) {
  return table->ShowMsg(key, MessageType::Confirmation, MessageButtons::YesNo, 0) == TMessages::kResultYes;
}

// After a refused flight deletion the screen shows what the server holds:
// the flights reloaded, that flight current (when it still exists) with its
// legs and classes. The refusal is what the person must read; a reload
// that fails as well must not hide it.
void ShowFlightAsStored(TfrmVoo& f, const std::string& flight) {
  try {
    Reload(f);
    f.cdsVoo->Locate("NRVOO", Variant(flight));
  } catch (...) {
  }
}

void CheckMenuOfActivePage(TfrmVoo& f) {
  TTabSheet* page = f.pgcPadrao->ActivePage();
  f.mnuConfigVoo->SetChecked(page == f.tshConfigVoo);
  f.mnuFolhaDados->SetChecked(page == f.tshFolhaDados);
  f.mnuFormulario->SetChecked(page == f.tshFormulario);
}

}  // namespace

// ---------------------------------------------------------------- commands

void TfrmVoo::sbtIncluirClick(TObject*) {
  if (OnClassTab(*this)) {
    cdsClasseVoo->Insert();
    cdsClasseVooSGCLASSE->FocusControl();
    return;
  }
  if (LegTarget(*this))
    cdstrechoo->Insert();
  else
    cdsVoo->Insert();
  mnuFormulario->SetEnabled(true);
  tshFormulario->SetEnabled(mnuFormulario->Enabled());
  mnuFormulario->SetChecked(true);
  mnuFolhaDados->SetChecked(false);
}

void TfrmVoo::sbtAlterarClick(TObject* Sender) {
  TTabSheet* page = pgcPadrao->ActivePage();
  if (page == tshConfigVoo) {
    cdsClasseVoo->Edit();
  } else if (page == tshFolhaDados) {
    cdsVoo->Edit();  // the flight's state change brings up the record tab
    dbeSgEquip->SetFocus();
  } else {
    const bool legs = LegTarget(*this);
    TfrmPadrao::sbtAlterarClick(Sender);
    if (legs) cdstrechoo->Edit();
  }
}

void TfrmVoo::sbtExcluirClick(TObject*) {
  if (OnClassTab(*this)) {
    if (Empty(cdsClasseVoo)) Consiste::MensErroAbort(msgPadrao->Msg("Nao_Existe_Dados"));
    if (!Confirmed(msgMensagensPadroes, "Excl")) return;
    cdsClasseVoo->Delete();
    if (cdsClasseVoo->IsEmpty()) ControlaBotoes();
    return;
  }

  if (Empty(cdsVoo)) Consiste::MensErroAbort(msgPadrao->Msg("Nao_Existe_Dados"));

  if (LegTarget(*this)) {
    if (Empty(cdstrechoo)) Consiste::MensErroAbort(msgPadrao->Msg("Nao_Existe_Dados"));
    if (!Confirmed(msgPadrao, "Excl")) return;
    // A flight must keep at least one leg.
    if (cdstrechoo->RecordCount() == 1) Consiste::MensErroAbort(msgPadrao->Msg("Trecho_Unico"));
    DeleteLeg(*this);
    return;
  }

  if (!Confirmed(msgPadrao, Empty(cdstrechoo) ? "Excl" : "ExclAll")) return;
  // The server deletes the flight with its legs and classes in one go, or
  // nothing at all when another desk changed the flight meanwhile.
  const std::string flight = cdsVooNRVOO->AsString();
  try {
    cdsVoo->Delete();  // its after-delete handler sends the deletion
  } catch (...) {
    ShowFlightAsStored(*this, flight);
    throw;
  }
  Reload(*this);
}

void TfrmVoo::sbtProcurarClick(TObject* Sender) {
  if (OnClassTab(*this)) {
    Procurar::Procura(cdsClasseVoo);
    return;
  }
  TfrmPadrao::sbtProcurarClick(Sender);
  if (cdsVoo->Active()) FollowFlight(*this);
}

void TfrmVoo::sbtVerificarClick(TObject*) { Reload(*this); }

void TfrmVoo::sbtCancelarClick(TObject*) {
  TTabSheet* page = pgcPadrao->ActivePage();
  if (page == tshConfigVoo) {
    if (Editing(cdsClasseVoo) && Confirmed(msgMensagensPadroes, "Canc")) {
      cdsClasseVoo->Cancel();
      if (cdsClasseVoo->IsEmpty()) ControlaBotoes();
    }
    return;
  }

  if (page == tshFolhaDados) {
    if (Confirmed(msgMensagensPadroes, "Canc")) cdsVoo->Cancel();
  } else {
    TDataSet* flights = dtsPadrao->DataSet();
    if (flights && (Editing(flights) || Editing(cdstrechoo)) && Confirmed(msgMensagensPadroes, "Canc")) {
      if (Editing(cdstrechoo)) cdstrechoo->Cancel();
      if (Editing(flights)) flights->Cancel();
    }
  }

  if (Empty(cdsVoo)) {
    mnuFormulario->SetEnabled(false);
    tshFormulario->SetEnabled(false);
  }
}

void TfrmVoo::sbtConfirmarClick(TObject*) { ConfirmEdits(); }

void TfrmVoo::ConfirmEdits() {
  TTabSheet* page = pgcPadrao->ActivePage();
  if (page == tshConfigVoo) {
    if (Editing(cdsClasseVoo)) {
      cdsClasseVoo->Post();
      Reload(*this);
    }
  } else if (page == tshFormulario) {
    // The flight goes first: a new leg belongs to a flight the server knows.
    if (Editing(cdsVoo)) cdsVoo->Post();
    if (Editing(cdstrechoo)) {
      cdstrechoo->Post();
      Reload(*this);
    }
  }
}

void TfrmVoo::ControlaBotoes() {
  for (TMenuItem* m : {mnuAlterar, mnuExcluir, mnuProcurar, mnuVerificar, mnuCancelar, mnuConfirmar})
    m->SetEnabled(false);
  for (TSpeedButton* b : {sbtAlterar, sbtExcluir, sbtProcurar, sbtVerificar, sbtCancelar, sbtConfirmar})
    b->SetEnabled(false);
}

// ---------------------------------------------------------------- data sources

void TfrmVoo::dtsPadraoStateChange(TObject*) { RefreshModes(*this, ModeChange::BaseState); }
void TfrmVoo::dtsVooStateChange(TObject*) { RefreshModes(*this, ModeChange::FlightState); }
void TfrmVoo::dtsVooDataChange(TObject*, TField*) { RefreshModes(*this, ModeChange::FlightData); }
void TfrmVoo::dtsTrechoStateChange(TObject*) { RefreshModes(*this, ModeChange::LegState); }
void TfrmVoo::dtsTrechoDataChange(TObject*, TField*) { RefreshModes(*this, ModeChange::LegData); }
void TfrmVoo::dtsClasseVooStateChange(TObject*) { RefreshModes(*this, ModeChange::ClassState); }

// ---------------------------------------------------------------- tabs and menus

void TfrmVoo::pgcPadraoChange(TObject* Sender) {
  TfrmPadrao::pgcPadraoChange(Sender);
  if (OnClassTab(*this)) LoadClasses(*this, CompanyOf::Context);
  RefreshModes(*this, ModeChange::Shown);
}

void TfrmVoo::mnuFolhaDadosClick(TObject* Sender) {
  TfrmPadrao::mnuFolhaDadosClick(Sender);
  mnuConfigVoo->SetChecked(OnClassTab(*this));
  // The page control does not report a change made from code.
  RefreshModes(*this, ModeChange::Shown);
}

void TfrmVoo::mnuFormularioClick(TObject* Sender) {
  TfrmPadrao::mnuFormularioClick(Sender);
  mnuConfigVoo->SetChecked(OnClassTab(*this));
  // The page control does not report a change made from code.
  RefreshModes(*this, ModeChange::Shown);
}

void TfrmVoo::mnuConfigVooClick(TObject*) {
  pgcPadrao->SetActivePage(tshConfigVoo);
  CheckMenuOfActivePage(*this);
  // The page control does not report a change made from code.
  RefreshModes(*this, ModeChange::Shown);
}

}  // namespace zor::Cli_zor12200

// The command bar, the tabs and menus, and the mode rules that enable them.
//
// One bar of seven commands serves three datasets: the flights (cdsVoo), the
// legs of the current flight (cdstrechoo) and the classes of the current leg
// (cdsClasseVoo). The class tab designates the classes; on the grid and
// record tabs a command acts on the legs when the leg grid of the record tab
// holds the focus, and on the flights otherwise. The state-change handlers of
// the three data sources keep commands, tabs, menu items and the context
// strip in step with what is being edited.
#include "data_access/server_methods.h"
#include "flight_screen/cli_zor12200.h"
#include "flight_screen/screen_state.h"
#include "platform/core/sysutils.h"
#include "platform/forms/application.h"
#include "platform/forms/screen.h"
#include "platform/library/consiste.h"
#include "platform/library/procurar.h"
#include "platform/library/showavi.h"
#include "platform/library/vornia.h"

using namespace plat;

namespace {

constexpr int kCheckAnimation = 6;

bool Editing(const TDataSet* ds) { return ds && ds->Editing(); }
bool Browsing(const TDataSet* ds) { return ds && ds->State() == dsBrowse; }
// A closed dataset counts as empty: it holds nothing to show or change.
bool Empty(const TDataSet* ds) { return !ds || !ds->Active() || ds->IsEmpty(); }

bool Confirmed(const TMessages* table, const char* key) {
  return table->ShowMsg(key, MessageType::Confirmation, MessageButtons::YesNo, 0) == TMessages::ResultYes;
}

// Buttons follow their menu twins.
void CopyMenusToButtons(TfrmVoo& f) {
  f.sbtIncluir->SetEnabled(f.mnuIncluir->Enabled());
  f.sbtAlterar->SetEnabled(f.mnuAlterar->Enabled());
  f.sbtExcluir->SetEnabled(f.mnuExcluir->Enabled());
  f.sbtProcurar->SetEnabled(f.mnuProcurar->Enabled());
  f.sbtVerificar->SetEnabled(f.mnuVerificar->Enabled());
  f.sbtCancelar->SetEnabled(f.mnuCancelar->Enabled());
  f.sbtConfirmar->SetEnabled(f.mnuConfirmar->Enabled());
}

bool OnFlightTabs(const TfrmVoo& f) {
  TTabSheet* page = f.pgcPadrao->ActivePage();
  return page == f.tshFolhaDados || page == f.tshFormulario;
}

bool OnClassTab(const TfrmVoo& f) { return f.pgcPadrao->ActivePage() == f.tshConfigVoo; }

// Commands on the grid and record tabs act on the legs while the leg grid
// of the record tab has the focus.
bool LegTarget(const TfrmVoo& f) { return Screen->ActiveControl() == f.dbgVooTrecho; }

// After a refused flight deletion the screen shows what the server holds:
// the flights reloaded, that flight current (when it still exists) with its
// legs and classes. The refusal is what the person must read; a reload
// that fails as well must not hide it.
void ShowFlightAsStored(TfrmVoo& f, const std::string& flight) {
  try {
    f.sbtVerificarClick(f.sbtVerificar);
    f.cdsVoo->Locate("NRVOO", Variant(flight));
  } catch (...) {
  }
}

// The rule shared by the state changes of flights and legs. `changed` is
// the dataset whose state changed (the navigator follows it).
void ApplyFlightAndLegRule(TfrmVoo& f, const TDataSet* changed) {
  if (!OnFlightTabs(f)) return;
  const bool flightEditing = Editing(f.cdsVoo);
  const bool legEditing = Editing(f.cdstrechoo);
  const bool anyEditing = flightEditing || legEditing;
  const bool commandsFree = Browsing(f.cdstrechoo) && !flightEditing;

  f.mnuConfirmar->SetEnabled(anyEditing);
  f.mnuCancelar->SetEnabled(anyEditing);
  f.mnuIncluir->SetEnabled(commandsFree);
  f.mnuAlterar->SetEnabled(commandsFree);
  f.mnuExcluir->SetEnabled(commandsFree);
  f.mnuProcurar->SetEnabled(commandsFree);
  f.mnuVerificar->SetEnabled(commandsFree);
  CopyMenusToButtons(f);

  f.dbnPadrao->SetEnabled(Browsing(changed));
  f.tshConfigVoo->SetEnabled(!anyEditing);
  f.mnuConfigVoo->SetEnabled(f.tshConfigVoo->Enabled());
}

// The strip's codes may change only while nothing is being edited: a new
// branch or company closes the data, which must not take a flight, leg or
// class being typed with it.
void EnableContextStrip(TfrmVoo& f) {
  const TDataSetState state = f.dtsVoo->State();
  const bool open = (state == dsInactive || state == dsBrowse) && !Editing(f.cdstrechoo) &&
                    !Editing(f.cdsClasseVoo) && !Cli_zor12200::boShowModal;
  f.btpCompanhia->SetEnabled(open);
  f.medSgCia->SetEnabled(open);
  f.lblCia->SetEnabled(open);
  if (!Vornia::ModuFili()) {
    f.btnPesqFilial->SetEnabled(open);
    f.medCdFilial->SetEnabled(open);
    f.lblFilial->SetEnabled(open);
  }
}

// After a tab was chosen from the menu: the page control does not report a
// change made from code, so the modes are brought in line with the new tab
// here (the classes themselves are current: every leg move reloads them).
void RefreshModesForTab(TfrmVoo& f) {
  f.dtsPadraoStateChange(f.dtsPadrao);
  f.dtsClasseVooStateChange(f.dtsClasseVoo);
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
    DeleteLegAndCheck();
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
  sbtVerificarClick(sbtVerificar);
}

void TfrmVoo::sbtProcurarClick(TObject* Sender) {
  if (OnClassTab(*this)) {
    Procurar::Procura(cdsClasseVoo);
    return;
  }
  TfrmPadrao::sbtProcurarClick(Sender);
  if (cdsVoo->Active()) cdsVooAfterScroll(cdsVoo);
}

void TfrmVoo::sbtVerificarClick(TObject*) {
  Showavi::BusyScope busy(Application->MainForm(), kCheckAnimation);
  data_access::VooTrechoServer server(*netVooTrecho);
  const std::string branch = medCdFilial->Text();
  if (OnClassTab(*this)) {
    cdsClasseVoo->SetData(Consiste::CheckResultServ(
        server.GetClasseVoo(branch, qryCompanhiaCDCIA->AsString(), cdstrechooCDTRECHO->AsString(),
                            cdsVooNRVOO->AsString()),
        true, 0));
  } else {
    if (!LegTarget(*this))
      cdsVoo->SetData(Consiste::CheckResultServ(server.GetVoo(branch, qryCompanhiaCDCIA->AsString()), true, 0));
    cdstrechoo->SetData(Consiste::CheckResultServ(
        server.GetTrecho(cdsVooCDCIA->AsString(), cdsVooNRVOO->AsString(), branch), true, 0));
  }
}

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

void TfrmVoo::sbtConfirmarClick(TObject*) {
  TTabSheet* page = pgcPadrao->ActivePage();
  if (page == tshConfigVoo) {
    if (Editing(cdsClasseVoo)) {
      cdsClasseVoo->Post();
      sbtVerificarClick(sbtVerificar);
    }
  } else if (page == tshFormulario) {
    // The flight goes first: a new leg belongs to a flight the server knows.
    if (Editing(cdsVoo)) cdsVoo->Post();
    if (Editing(cdstrechoo)) {
      cdstrechoo->Post();
      sbtVerificarClick(sbtVerificar);
    }
  }
}

void TfrmVoo::ControlaBotoes() {
  for (TMenuItem* m : {mnuAlterar, mnuExcluir, mnuProcurar, mnuVerificar, mnuCancelar, mnuConfirmar})
    m->SetEnabled(false);
  for (TSpeedButton* b : {sbtAlterar, sbtExcluir, sbtProcurar, sbtVerificar, sbtCancelar, sbtConfirmar})
    b->SetEnabled(false);
}

// ---------------------------------------------------------------- mode rules

void TfrmVoo::dtsPadraoStateChange(TObject* Sender) {
  if (!OnClassTab(*this) && cdsVoo->State() != dsEdit) {
    TfrmPadrao::dtsPadraoStateChange(Sender);
    // The base form leaves the commands alone; here they follow the state
    // of the flights and legs.
    ApplyFlightAndLegRule(*this, cdsVoo);
  }
  if (!Editing(cdsVoo)) {
    tshConfigVoo->SetEnabled(!Empty(cdsVoo));
    mnuConfigVoo->SetEnabled(tshConfigVoo->Enabled());
  }
}

void TfrmVoo::dtsVooStateChange(TObject*) {
  const TDataSetState state = dtsVoo->State();
  // Opening the flights (each load) is reported as a state change only: the
  // record's controls are brought up to date here as a data change would.
  if (state == dsBrowse) dtsVooDataChange(dtsVoo, nullptr);
  if (cdsVoo->State() == dsEdit) {
    tshFolhaDados->SetEnabled(false);
    pgcPadrao->SetActivePage(tshFormulario);
  } else if (cdsVoo->State() == dsBrowse && !Editing(cdsClasseVoo)) {
    // The grid tab was closed only for the time a flight is edited.
    tshFolhaDados->SetEnabled(true);
    mnuFolhaDados->SetEnabled(true);
  }

  dbeNrVoo->SetEnabled(state == dsInsert);

  EnableContextStrip(*this);

  // The record tab shows a flight: with none (a load that found none, the
  // last one deleted) it closes, also when it is the page on show.
  const bool aFlight = Editing(cdsVoo) || !Empty(cdsVoo);
  tshFormulario->SetEnabled(!Cli_zor12200::boShowModal && aFlight);
  if (!Cli_zor12200::boShowModal && !aFlight && pgcPadrao->ActivePage() == tshFormulario) pgcPadrao->SetActivePage(tshFolhaDados);

  if (cdsVoo->State() == dsInsert) {
    pgcPadrao->SetActivePage(tshFormulario);
    tshConfigVoo->SetEnabled(false);
    mnuConfigVoo->SetEnabled(tshConfigVoo->Enabled());
  }

  ApplyFlightAndLegRule(*this, cdsVoo);
  mnuFormulario->SetEnabled(tshFormulario->Enabled());
}

void TfrmVoo::dtsVooDataChange(TObject*, TField*) {
  const bool noFlights = Empty(cdsVoo);
  tshFormulario->SetEnabled(!noFlights);
  if (noFlights && pgcPadrao->ActivePage() == tshFormulario) pgcPadrao->SetActivePage(tshFolhaDados);

  const bool extra = cdsVoo->Active() && StrToIntDef(cdsVooIDTIPVOO->AsString(), 0) == 2;
  grbVig->SetEnabled(extra);
  lblDtInicio->SetEnabled(grbVig->Enabled());
  lblDtFim->SetEnabled(grbVig->Enabled());

  lblNome->SetCaption(cdsVoo->Active() ? cdsVooNRVOO->AsString() : std::string());

  // The two boxes show the stored services without running their click
  // handlers, which would write the code back.
  DetachedHandler quietSupply(ccbAbast->OnClick);
  DetachedHandler quietAttendance(ccbAtend->OnClick);
  if (cdsVoo->Active() && !cdsVooIDABASATEN->IsNull() && dtsVoo->State() == dsBrowse) {
    const std::string services = cdsVooIDABASATEN->AsString();
    if (services == "1") {
      ccbAbast->SetChecked(true);
      ccbAtend->SetChecked(false);
    } else if (services == "2") {
      ccbAbast->SetChecked(false);
      ccbAtend->SetChecked(true);
    } else if (services == "3") {
      ccbAbast->SetChecked(true);
      ccbAtend->SetChecked(true);
    }
  }
}

void TfrmVoo::dtsTrechoStateChange(TObject*) {
  ApplyFlightAndLegRule(*this, cdstrechoo);
  EnableContextStrip(*this);
  // A load of the legs is reported as a state change only.
  dtsTrechoDataChange(dtsTrecho, nullptr);
}

void TfrmVoo::dtsTrechoDataChange(TObject*, TField*) { sbtExluTrecho->SetEnabled(!Empty(cdstrechoo)); }

void TfrmVoo::dtsClasseVooStateChange(TObject*) {
  EnableContextStrip(*this);
  if (!OnClassTab(*this)) return;
  const bool editing = Editing(cdsClasseVoo);
  const bool browsing = Browsing(cdsClasseVoo);
  const bool anyClass = browsing && !cdsClasseVoo->IsEmpty();

  mnuConfirmar->SetEnabled(editing);
  mnuCancelar->SetEnabled(editing);
  mnuIncluir->SetEnabled(browsing);
  mnuAlterar->SetEnabled(anyClass);
  mnuExcluir->SetEnabled(anyClass);
  mnuProcurar->SetEnabled(anyClass);
  mnuVerificar->SetEnabled(anyClass);
  CopyMenusToButtons(*this);
  dbnPadrao->SetEnabled(browsing);

  tshFolhaDados->SetEnabled(!editing);
  tshFormulario->SetEnabled(!editing);
  mnuFolhaDados->SetEnabled(tshFolhaDados->Enabled());
  mnuFormulario->SetEnabled(tshFormulario->Enabled());
}

// ---------------------------------------------------------------- tabs and menus

void TfrmVoo::pgcPadraoChange(TObject* Sender) {
  TfrmPadrao::pgcPadraoChange(Sender);
  if (OnClassTab(*this)) {
    data_access::VooTrechoServer server(*netVooTrecho);
    cdsClasseVoo->SetData(Consiste::CheckResultServ(
        server.GetClasseVoo(medCdFilial->Text(), qryCompanhiaCDCIA->AsString(), cdstrechooCDTRECHO->AsString(),
                            cdsVooNRVOO->AsString()),
        true, 0));
  }
  dtsPadraoStateChange(dtsPadrao);
  dtsClasseVooStateChange(dtsClasseVoo);
}

void TfrmVoo::mnuFolhaDadosClick(TObject* Sender) {
  TfrmPadrao::mnuFolhaDadosClick(Sender);
  mnuConfigVoo->SetChecked(OnClassTab(*this));
  RefreshModesForTab(*this);
}

void TfrmVoo::mnuFormularioClick(TObject* Sender) {
  TfrmPadrao::mnuFormularioClick(Sender);
  mnuConfigVoo->SetChecked(OnClassTab(*this));
  RefreshModesForTab(*this);
}

void TfrmVoo::mnuConfigVooClick(TObject*) {
  pgcPadrao->SetActivePage(tshConfigVoo);
  CheckMenuOfActivePage(*this);
  RefreshModesForTab(*this);
}

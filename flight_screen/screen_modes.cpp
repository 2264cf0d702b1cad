// The mode rules of the screen. One bar of seven commands serves three
// datasets: the flights (cdsVoo), the legs of the current flight
// (cdstrechoo) and the classes of the current leg (cdsClasseVoo). These
// rules keep commands, tabs, menu items and the context strip in step with
// what is being edited.
#include "flight_screen/screen_modes.h"

#include "flight_screen/cli_zor12200.h"
#include "flight_screen/screen_state.h"
#include "platform/core/sysutils.h"
#include "platform/forms/screen.h"
#include "platform/library/vornia.h"

namespace zor::Cli_zor12200 {

using namespace plat;

bool Editing(const TDataSet* ds) { return ds && ds->Editing(); }
bool Browsing(const TDataSet* ds) { return ds && ds->State() == dsBrowse; }
bool Empty(const TDataSet* ds) { return !ds || !ds->Active() || ds->IsEmpty(); }

bool OnFlightTabs(const TfrmVoo& f) {
  TTabSheet* page = f.pgcPadrao->ActivePage();
  return page == f.tshFolhaDados || page == f.tshFormulario;
}

bool OnClassTab(const TfrmVoo& f) { return f.pgcPadrao->ActivePage() == f.tshConfigVoo; }

bool LegTarget(const TfrmVoo& f) { return Screen->ActiveControl() == f.dbgVooTrecho; }

namespace {

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
                    !Editing(f.cdsClasseVoo) && !boShowModal;
  f.btpCompanhia->SetEnabled(open);
  f.medSgCia->SetEnabled(open);
  f.lblCia->SetEnabled(open);
  if (!Vornia::ModuFili()) {
    f.btnPesqFilial->SetEnabled(open);
    f.medCdFilial->SetEnabled(open);
    f.lblFilial->SetEnabled(open);
  }
}

// The flights as the base form's data source sees them.
void ApplyBaseRule(TfrmVoo& f) {
  if (!OnClassTab(f) && f.cdsVoo->State() != dsEdit) {
    f.TfrmPadrao::dtsPadraoStateChange(f.dtsPadrao);
    // The base form leaves the commands alone; here they follow the state
    // of the flights and legs.
    ApplyFlightAndLegRule(f, f.cdsVoo);
  }
  if (!Editing(f.cdsVoo)) {
    f.tshConfigVoo->SetEnabled(!Empty(f.cdsVoo));
    f.mnuConfigVoo->SetEnabled(f.tshConfigVoo->Enabled());
  }
}

// What the record tab shows of the current flight.
void ShowFlightRecord(TfrmVoo& f) {
  const bool noFlights = Empty(f.cdsVoo);
  f.tshFormulario->SetEnabled(!noFlights);
  if (noFlights && f.pgcPadrao->ActivePage() == f.tshFormulario) f.pgcPadrao->SetActivePage(f.tshFolhaDados);

  const bool extra = f.cdsVoo->Active() && StrToIntDef(f.cdsVooIDTIPVOO->AsString(), 0) == 2;
  f.grbVig->SetEnabled(extra);
  f.lblDtInicio->SetEnabled(f.grbVig->Enabled());
  f.lblDtFim->SetEnabled(f.grbVig->Enabled());

  f.lblNome->SetCaption(f.cdsVoo->Active() ? f.cdsVooNRVOO->AsString() : std::string());

  // The two boxes show the stored services without running their click
  // handlers, which would write the code back.
  DetachedHandler quietSupply(f.ccbAbast->OnClick);
  DetachedHandler quietAttendance(f.ccbAtend->OnClick);
  if (f.cdsVoo->Active() && !f.cdsVooIDABASATEN->IsNull() && f.dtsVoo->State() == dsBrowse) {
    const std::string services = f.cdsVooIDABASATEN->AsString();
    if (services == "1") {
      f.ccbAbast->SetChecked(true);
      f.ccbAtend->SetChecked(false);
    } else if (services == "2") {
      f.ccbAbast->SetChecked(false);
      f.ccbAtend->SetChecked(true);
    } else if (services == "3") {
      f.ccbAbast->SetChecked(true);
      f.ccbAtend->SetChecked(true);
    }
  }
}

void ApplyFlightRule(TfrmVoo& f) {
  const TDataSetState state = f.dtsVoo->State();
  // Opening the flights (each load) is reported as a state change only: the
  // record's controls are brought up to date here as a data change would.
  if (state == dsBrowse) ShowFlightRecord(f);
  if (f.cdsVoo->State() == dsEdit) {
    f.tshFolhaDados->SetEnabled(false);
    f.pgcPadrao->SetActivePage(f.tshFormulario);
  } else if (f.cdsVoo->State() == dsBrowse && !Editing(f.cdsClasseVoo)) {
    // The grid tab was closed only for the time a flight is edited.
    f.tshFolhaDados->SetEnabled(true);
    f.mnuFolhaDados->SetEnabled(true);
  }

  f.dbeNrVoo->SetEnabled(state == dsInsert);

  EnableContextStrip(f);

  // The record tab shows a flight: with none (a load that found none, the
  // last one deleted) it closes, also when it is the page on show.
  const bool modal = boShowModal;
  const bool aFlight = Editing(f.cdsVoo) || !Empty(f.cdsVoo);
  f.tshFormulario->SetEnabled(!modal && aFlight);
  if (!modal && !aFlight && f.pgcPadrao->ActivePage() == f.tshFormulario) f.pgcPadrao->SetActivePage(f.tshFolhaDados);

  if (f.cdsVoo->State() == dsInsert) {
    f.pgcPadrao->SetActivePage(f.tshFormulario);
    f.tshConfigVoo->SetEnabled(false);
    f.mnuConfigVoo->SetEnabled(f.tshConfigVoo->Enabled());
  }

  ApplyFlightAndLegRule(f, f.cdsVoo);
  f.mnuFormulario->SetEnabled(f.tshFormulario->Enabled());
}

void ShowLegButtons(TfrmVoo& f) { f.sbtExluTrecho->SetEnabled(!Empty(f.cdstrechoo)); }

void ApplyLegRule(TfrmVoo& f) {
  ApplyFlightAndLegRule(f, f.cdstrechoo);
  EnableContextStrip(f);
  // A load of the legs is reported as a state change only.
  ShowLegButtons(f);
}

void ApplyClassRule(TfrmVoo& f) {
  EnableContextStrip(f);
  if (!OnClassTab(f)) return;
  const bool editing = Editing(f.cdsClasseVoo);
  const bool browsing = Browsing(f.cdsClasseVoo);
  const bool anyClass = browsing && !f.cdsClasseVoo->IsEmpty();

  f.mnuConfirmar->SetEnabled(editing);
  f.mnuCancelar->SetEnabled(editing);
  f.mnuIncluir->SetEnabled(browsing);
  f.mnuAlterar->SetEnabled(anyClass);
  f.mnuExcluir->SetEnabled(anyClass);
  f.mnuProcurar->SetEnabled(anyClass);
  f.mnuVerificar->SetEnabled(anyClass);
  CopyMenusToButtons(f);
  f.dbnPadrao->SetEnabled(browsing);

  f.tshFolhaDados->SetEnabled(!editing);
  f.tshFormulario->SetEnabled(!editing);
  f.mnuFolhaDados->SetEnabled(f.tshFolhaDados->Enabled());
  f.mnuFormulario->SetEnabled(f.tshFormulario->Enabled());
}

}  // namespace

void RefreshModes(TfrmVoo& f, ModeChange change) {
  switch (change) {
    case ModeChange::FlightState:
      ApplyFlightRule(f);
      return;
    case ModeChange::FlightData:
      ShowFlightRecord(f);
      return;
    case ModeChange::LegState:
      ApplyLegRule(f);
      return;
    case ModeChange::LegData:
      ShowLegButtons(f);
      return;
    case ModeChange::ClassState:
      ApplyClassRule(f);
      return;
    case ModeChange::BaseState:
      ApplyBaseRule(f);
      return;
    case ModeChange::Shown:
      ApplyBaseRule(f);
      ApplyClassRule(f);
      return;
  }
}

}  // namespace zor::Cli_zor12200

// The branch and company strip: validation of both, their lookups, and the
// load of the company's flights, the first flight's legs and the first
// leg's classes when the focus leaves the strip.
//
// The flights, legs and classes on screen always belong to the branch and
// company the strip shows: any change of either code while they are open
// (typed, or picked in a lookup) closes them as entering the strip does,
// and leaving the strip loads the new context. A lookup that ends without
// a choice leaves the context as it was.
#include "flight_screen/cli_zor12200.h"
#include "flight_screen/screen_modes.h"
#include "flight_screen/server_exchange.h"
#include "platform/library/consiste.h"

namespace zor::Cli_zor12200 {

using namespace plat;

void TfrmVoo::Vd_CdFilial(bool flag) {
  medCdFilial->SetText(Consiste::Ajusta(medCdFilial->Text(), 4));
  try {
    const std::string code = medCdFilial->Text();
    if (Consiste::EmptyString(code)) {
      if (flag) Consiste::MensErroAbort(msgPadrao->Msg("FILI_DEVE"));
      return;
    }
    if (flag) return;  // the existence check ran when the field was left
    qryFilial->Close();
    qryFilial->ParamByName("P_CDFILIAL").SetAsString(code);
    qryFilial->Open();
    edtNmFilial->SetText(qryFilial->FieldByName("NMFILIAL")->AsString());
    if (qryFilial->IsEmpty()) Consiste::MensErroAbort(msgPadrao->Msg("FILI_NAO_CAD"));
    if (qryFilial->FieldByName("IDCNTRRESC")->AsString() == "S")
      Consiste::MensErroAbort(msgPadrao->Msg("FILI_RESC"));
  } catch (...) {
    medCdFilial->SetFocus();
    throw;
  }
}

void TfrmVoo::Vd_Companhia(bool flag) {
  try {
    if (Consiste::EmptyString(medSgCia->Text())) {
      if (flag) Consiste::MensErroAbort(msgPadrao->Msg("Cia_Obr"));
      return;
    }
    qryCompanhia->Close();
    qryCompanhia->ParamByName("P_CDFILIAL").SetAsString(medCdFilial->Text());
    qryCompanhia->ParamByName("P_SGCIA").SetAsString(medSgCia->Text());
    qryCompanhia->ParamByName("P_TSGCIA").SetAsString("");
    qryCompanhia->Open();
    if (qryCompanhia->IsEmpty()) Consiste::MensErroAbort(msgPadrao->Msg("Cia_Nao_Cad"));
    edtNmCia->SetText(qryCompanhia->FieldByName("NMCIA")->AsString());
  } catch (...) {
    medSgCia->SetFocus();
    throw;
  }
}

void TfrmVoo::medCdFilialChange(TObject*) {
  edtNmFilial->SetText("");
  medSgCia->SetText("");
  CloseDataOfOtherContext();
}

void TfrmVoo::medCdFilialExit(TObject*) { Vd_CdFilial(false); }

void TfrmVoo::btnPesqFilialBeforePesq(TObject*, bool&) {
  qryFilial->Close();
  qryFilial->ParamByName("P_CDFILIAL").Clear();
  qryFilial->Open();
}

void TfrmVoo::btnPesqFilialAfterPesq(TObject*) {
  const bool wasOpen = cdsVoo->Active();
  medCdFilial->SetText(qryFilial->FieldByName("CDFILIAL")->AsString());
  edtNmFilial->SetText(qryFilial->FieldByName("NMFILIAL")->AsString());
  // Another branch closed the data: the person goes on in the strip, where
  // the branch is checked when its field is left.
  if (wasOpen && !cdsVoo->Active()) medCdFilial->SetFocus();
}

void TfrmVoo::medSgCiaChange(TObject*) {
  edtNmCia->SetText("");
  CloseDataOfOtherContext();
}

void TfrmVoo::medSgCiaExit(TObject*) { Vd_Companhia(false); }

void TfrmVoo::btpCompanhiaBeforePesq(TObject*, bool&) {
  qryCompanhia->Close();
  qryCompanhia->ParamByName("P_CDFILIAL").SetAsString(medCdFilial->Text());
  qryCompanhia->ParamByName("P_SGCIA").SetAsString("");
  qryCompanhia->ParamByName("P_TSGCIA").SetAsString("T");
  qryCompanhia->Open();
}

void TfrmVoo::btpCompanhiaAfterPesq(TObject*) {
  const bool wasOpen = cdsVoo->Active();
  medSgCia->SetText(qryCompanhia->FieldByName("SGCIA")->AsString());
  edtNmCia->SetText(qryCompanhia->FieldByName("NMCIA")->AsString());
  if (wasOpen && !cdsVoo->Active()) {
    medSgCia->SetFocus();
  } else if (wasOpen) {
    // The same company picked again: the context stays, and so does the
    // company query's row it is read from.
    RestoreContextCompany();
  }
}

void TfrmVoo::btpCompanhiaCancelPesq(TObject*) { RestoreContextCompany(); }

void TfrmVoo::RestoreContextCompany() {
  // The lookup listed every company of the branch in the query that holds
  // the context company: put it back on the company the strip shows.
  if (Consiste::EmptyString(medSgCia->Text())) return;
  qryCompanhia->Close();
  qryCompanhia->ParamByName("P_CDFILIAL").SetAsString(medCdFilial->Text());
  qryCompanhia->ParamByName("P_SGCIA").SetAsString(medSgCia->Text());
  qryCompanhia->ParamByName("P_TSGCIA").SetAsString("");
  qryCompanhia->Open();
}

void TfrmVoo::CloseDataOfOtherContext() {
  if (cdsVoo->Active()) CloseContextData();
}

void TfrmVoo::CloseContextData() {
  pgcPadrao->SetActivePage(tshFolhaDados);
  cdsVoo->Close();
  cdstrechoo->Close();
  cdsClasseVoo->Close();
  tshFormulario->SetEnabled(false);
  tshConfigVoo->SetEnabled(false);
  mnuFormulario->SetEnabled(tshFormulario->Enabled());
  mnuConfigVoo->SetEnabled(tshConfigVoo->Enabled());
  loaded_branch_.clear();
  loaded_company_.clear();
}

void TfrmVoo::panPlaVooCiaEnter(TObject*) { CloseContextData(); }

void TfrmVoo::panPlaVooCiaExit(TObject*) { LeaveContextStrip(); }

void TfrmVoo::LeaveContextStrip() {
  Vd_CdFilial(true);
  Vd_Companhia(true);
  // Entering the strip always closes the flights, so they are open here only
  // when the screen was opened on one flight: leaving the strip then must
  // not reload them and lose the flight the caller asked for, nor a flight
  // being inserted there. What decides is the context they were loaded
  // for, never the current record.
  if (cdsVoo->Active() && loaded_branch_ == medCdFilial->Text() &&
      loaded_company_ == qryCompanhiaCDCIA->AsString())
    return;

  LoadContext(*this);
  loaded_branch_ = medCdFilial->Text();
  loaded_company_ = qryCompanhiaCDCIA->AsString();

  const bool anyFlight = cdsVoo->RecordCount() > 0;
  mnuFolhaDados->SetEnabled(anyFlight);
  mnuFormulario->SetEnabled(anyFlight);
  mnuConfigVoo->SetEnabled(anyFlight);

  RefreshModes(*this, ModeChange::BaseState);

  sbtIncluir->SetEnabled(mnuIncluir->Enabled());
  tshFolhaDados->SetEnabled(mnuFolhaDados->Enabled());
  tshFormulario->SetEnabled(mnuFormulario->Enabled());
  tshConfigVoo->SetEnabled(mnuConfigVoo->Enabled());
}

}  // namespace zor::Cli_zor12200

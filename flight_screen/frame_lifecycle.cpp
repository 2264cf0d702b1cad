// The screen's frame: creation (server connection, presentation mode,
// branch default, flight types), show when opened on one flight, first
// activation, close, and the modal confirm/cancel bar.
#include "flight_screen/cli_zor12200.h"
#include "flight_screen/screen_modes.h"
#include "flight_screen/screen_state.h"
#include "flight_screen/server_exchange.h"
#include "platform/core/sysutils.h"
#include "platform/forms/screen.h"
#include "platform/library/vornia.h"

namespace zor::Cli_zor12200 {

using namespace plat;

namespace {

constexpr Word kCancelKey = 3;  // the break key
// Width of the modal bar when shown: the stored width is 0, while its
// buttons sit at left 4 and are 40 wide.
constexpr int kModalBarWidth = 48;

bool IsVgaDisplay() { return Screen->Width() == 640 && Screen->Height() == 480; }

}  // namespace

void TfrmVoo::FormCreate(TObject* Sender) {
  TfrmPadrao::FormCreate(Sender);

  ConnectToServer(*this);

  lblNome->SetCaption("");
  boActive = false;

  if (boShowModal && !boTrechoOk) {
    SetFormStyle(fsNormal);
    SetBorderIcons({biSystemMenu});
    panMenu->SetVisible(false);
    mnuOperacao->SetVisible(false);
    mnuEdicao->SetVisible(false);
    panNavigator->SetVisible(false);
    panNavigator->SetEnabled(false);
    panBotoes->SetWidth(kModalBarWidth);
    panBotoes->SetVisible(true);
    panBotoes->SetEnabled(true);
    mnuOperacao->SetEnabled(false);
    mnuEdicao->SetEnabled(false);
  } else if (boTrechoOk) {
    SetCaption(msgPadrao->Msg("Trecho_Voo"));
    SetFormStyle(fsNormal);
    SetBorderIcons({biSystemMenu});
    panMenu->SetVisible(true);
    mnuEdicao->SetVisible(true);
    mnuEdicao->SetEnabled(true);
    panBotoes->SetEnabled(true);
    mnuOperacao->SetVisible(false);
    mnuOperacao->SetEnabled(false);
    panNavigator->SetVisible(false);
    panNavigator->SetEnabled(false);
  }

  RefreshModes(*this, ModeChange::BaseState);

  mnuFormulario->SetEnabled(false);
  mnuConfigVoo->SetEnabled(false);
  tshFormulario->SetEnabled(mnuFormulario->Enabled());
  tshConfigVoo->SetEnabled(mnuConfigVoo->Enabled());

  // The branch code first: its change handler clears the name.
  medCdFilial->SetText(Vornia::FiliProc());
  edtNmFilial->SetText(Vornia::NomeFiliProc());

  const bool branchFixed = Vornia::ModuFili();
  for (TControl* c : std::initializer_list<TControl*>{medCdFilial, btnPesqFilial, lblFilial}) {
    c->SetEnabled(!branchFixed);
    c->SetTag(branchFixed ? 99 : 0);
  }

  LoadFlightTypes(*this);

  panTipoVoo->SetVisible(cdsTipoVoo->RecordCount() >= 1);

  TField* code = cdsTipoVoo->FieldByName("CDEXPTIPOVOO");
  TField* name = cdsTipoVoo->FieldByName("NMTIPOVOO");
  for (cdsTipoVoo->First(); !cdsTipoVoo->Eof(); cdsTipoVoo->Next()) {
    auto* tipo = new TTipoVoo;
    tipo->CdExpTipoVoo = Utf8Left(code->AsString(), 3);
    tipo->NmTipoVoo = Utf8Left(name->AsString(), 100);
    tipos_voo_.push_back(tipo);
    cbbTipoVoo->Items().AddObject(tipo->NmTipoVoo, tipo);
  }
}

void TfrmVoo::FormShow(TObject*) {
  if (StLocalCriacao != "ZOR12200") return;

  if (medCdFilial->Enabled()) {
    medCdFilial->SetFocus();
    if (auto* branch = FindComponentAs<TCustomEdit>(frmOrig, "medFilial")) medCdFilial->SetText(branch->Text());
  } else {
    Vd_CdFilial(false);  // what leaving the branch field checks
  }

  auto* caller = FindComponentAs<TDataSet>(frmOrig, stCdsOriginal);
  if (caller) medSgCia->SetText(caller->FieldByName("SGCIA")->AsString());

  LeaveContextStrip();

  if (caller) cdsVoo->Locate("NRVOO", Variant(caller->FieldByName("NRVOO")->AsString()), {loCaseInsensitive});
  pgcPadrao->SetActivePage(tshFormulario);
}

void TfrmVoo::FormActivate(TObject*) {
  Repaint();
  if (IsVgaDisplay()) SetWindowState(wsMaximized);
  if (boActive) return;

  TWinControl* first = Vornia::ModuFili() ? static_cast<TWinControl*>(medSgCia) : medCdFilial;
  if (cdsVoo->Active()) {
    // Opened on one flight: the data is loaded already, and entering the
    // strip here must not close it.
    DetachedHandler quiet(panPlaVooCia->OnEnter);
    first->SetFocus();
  } else {
    first->SetFocus();
  }
  boActive = true;
  dtsBase->DataSet()->Open();
}

void TfrmVoo::FormClose(TObject* Sender, TCloseAction& Action) {
  boStCriado = false;
  boShowModal = false;
  boTrechoOk = false;
  netVooTrecho->SetConnected(false);
  TfrmPadrao::FormClose(Sender, Action);
}

void TfrmVoo::FormKeyDown(TObject*, Word& Key, TShiftState) {
  // As the modal bar's cancel button.
  if (Key == kCancelKey && boShowModal) SetModalResult(mrCancel);
}

void TfrmVoo::sbtConfirmaClick(TObject*) {
  if (!boTrechoOk) ConfirmEdits();
  SetModalResult(mrOk);
}

void TfrmVoo::sbtCancelClick(TObject*) { SetModalResult(mrCancel); }

void TfrmVoo::netVooTrechoBeforeConnect(TObject*) {
  netVooTrecho->SetPort(Vornia::WebPort());
  netVooTrecho->SetHost(Vornia::WebURL());
}

// The package decides what printing opens (the report screen).
void TfrmVoo::sbtImprimirClick(TObject*) {
  if (OnImprimir) OnImprimir(*this);
}

}  // namespace zor::Cli_zor12200

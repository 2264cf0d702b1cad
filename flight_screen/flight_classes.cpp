// The service classes of the current leg, each with its service multiplier:
// a class is chosen only from those the company offers at the branch, a leg
// offers a class once, and every accepted insert, change or deletion is sent
// to the server at once.
#include <string>

#include "flight_screen/cli_zor12200.h"
#include "flight_screen/server_exchange.h"
#include "platform/core/sysutils.h"
#include "platform/library/consiste.h"
#include "platform/library/pesquisa.h"

namespace zor::Cli_zor12200 {

using namespace plat;

namespace {

void FocusClassColumn(TfrmVoo& f) {
  if (f.dbgConfVoo->Enabled()) f.cdsClasseVooSGCLASSE->FocusControl();
}

}  // namespace

// The class column is filled only from the company's classes at the branch;
// picking on an existing row replaces its class.
void TfrmVoo::dbgConfVooEditButtonClick(TObject*) {
  TField* selected = dbgConfVoo->SelectedField();
  if (!selected || AnsiUpperCase(selected->FieldName()) != "SGCLASSE") return;
  qryPesqClasse->Close();
  qryPesqClasse->ParamByName("CDCIA").SetAsString(cdsVooCDCIA->AsString());
  qryPesqClasse->ParamByName("CDFILIAL").SetAsString(cdsVooCDFILIAL->AsString());
  qryPesqClasse->Open();
  if (!Pesquisa::Pesquisar(dtsPesqClasse, msgPadrao->Msg("classe"), false, true)) return;
  cdsClasseVoo->Edit();  // an empty list starts a new row instead
  cdsClasseVooSGCLASSE->SetAsString(qryPesqClasse->FieldByName("SGCLASSE")->AsString());
  cdsClasseVooCDCLASSE->SetAsString(qryPesqClasse->FieldByName("CDCLASSE")->AsString());
}

void TfrmVoo::cdsClasseVooBeforePost(TDataSet*) {
  // A class belongs to a saved leg: a flight without one has none to offer.
  if (cdsClasseVoo->State() == dsInsert && Consiste::EmptyString(cdstrechooCDTRECHO->AsString()))
    Consiste::MensErroAbort(msgPadrao->Msg("Classe_Sem_Trecho"));
  if (Consiste::EmptyString(cdsClasseVooSGCLASSE->AsString())) {
    FocusClassColumn(*this);
    Consiste::MensErroAbort(msgPadrao->Msg("Sigla_Deve"));
  }

  // A leg offers each class once. An existing row is checked only when its
  // class was replaced: changing the multiplier alone cannot repeat a class.
  const bool inserting = cdsClasseVoo->State() == dsInsert;
  const Variant before = cdsClasseVooCDCLASSE->OldValue();
  const bool classChanged = before.IsNull() || before.AsString() != cdsClasseVooCDCLASSE->AsString();
  if (inserting || (cdsClasseVoo->State() == dsEdit && classChanged)) {
    qryValidClass->Close();
    qryValidClass->ParamByName("P_CDFILIAL").SetAsString(medCdFilial->Text());
    qryValidClass->ParamByName("P_CDCIA").SetAsString(cdsVooCDCIA->AsString());
    qryValidClass->ParamByName("P_NRVOO").SetAsString(cdsVooNRVOO->AsString());
    qryValidClass->ParamByName("P_CDTRECHO").SetAsString(cdstrechooCDTRECHO->AsString());
    qryValidClass->ParamByName("P_CDCLASSE").SetAsString(cdsClasseVooCDCLASSE->AsString());
    qryValidClass->Open();
    if (!qryValidClass->IsEmpty()) {
      FocusClassColumn(*this);
      Consiste::MensErroAbort(msgPadrao->Msg("Classe_Já_Cad"));
    }
  }

  if (!inserting) return;  // an existing row keeps its keys, and an emptied multiplier
  cdsClasseVooCDFILIAL->SetAsString(cdsVooCDFILIAL->AsString());
  cdsClasseVooCDCIA->SetAsString(cdsVooCDCIA->AsString());
  cdsClasseVooNRVOO->SetAsString(cdsVooNRVOO->AsString());
  // The pick put the class code in the row already; the look-up's row is
  // the fallback, and never overwrites it with nothing.
  if (Consiste::EmptyString(cdsClasseVooCDCLASSE->AsString()) && !qryPesqClasse->IsEmpty())
    cdsClasseVooCDCLASSE->SetAsString(qryPesqClasse->FieldByName("CDCLASSE")->AsString());
  cdsClasseVooCDTRECHO->SetAsString(cdstrechooCDTRECHO->AsString());
  if (cdsClasseVooNRMULSERV->IsNull()) cdsClasseVooNRMULSERV->SetAsString("0");
}

void TfrmVoo::cdsClasseVooAfterPost(TDataSet*) { SaveChanges(*this, SavedData::Classes); }

void TfrmVoo::cdsClasseVooAfterDelete(TDataSet*) { SaveChanges(*this, SavedData::Classes); }

}  // namespace zor::Cli_zor12200

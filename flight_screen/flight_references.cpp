// The flight's equipment, aircraft prefix, production shift and occupancy:
// their lookup buttons, the checks run when each control is left (and again
// by the flight's pre-post validation), and the key filters of the two
// number edits of the production map box.
//
// The equipment, prefix and shift checks read what is typed in the edits,
// not the field values: a check that runs from the edit's own exit handler
// sees the text the person has just left.
#include "flight_screen/cli_zor12200.h"
#include "flight_screen/server_exchange.h"
#include "platform/library/consiste.h"

namespace zor::Cli_zor12200 {

using namespace plat;

namespace {

// Puts a chosen or corrected value in a data-aware edit the way typing
// would: the edit's change handler runs, and the value goes into the field
// at once rather than waiting for the edit to be left (text set from code
// is not pending typing, so leaving the edit would otherwise drop it).
void PutInEdit(TDBEdit* edit, TField* field, const std::string& value) {
  edit->SetText(value);
  if (field->DataSet() && field->DataSet()->Editing()) field->SetAsString(value);
}

bool Editing(const TDataSource* source) {
  return source->State() == dsEdit || source->State() == dsInsert;
}

bool IsDigit(char key) { return key >= '0' && key <= '9'; }

}  // namespace

void TfrmVoo::Vd_Equipamento(bool required) {
  const bool empty = Consiste::EmptyString(dbeSgEquip->Text());
  try {
    if (!Editing(dtsPadrao)) return;
    if (empty) {
      if (required) Consiste::MensErroAbort(msgPadrao->Msg("Equip_Obr"));
      return;
    }
    qryEquipPesq->Close();
    qryEquipPesq->ParamByName("P_CDFILIAL").SetAsString(medCdFilial->Text());
    qryEquipPesq->ParamByName("P_CDCIA").SetAsString(qryCompanhiaCDCIA->AsString());
    qryEquipPesq->ParamByName("P_SGEQUIP").SetAsString(dbeSgEquip->Text());
    qryEquipPesq->Open();
    if (qryEquipPesq->IsEmpty()) Consiste::MensErroAbort(msgPadrao->Msg("Equip_Nao_Cad"));
    cdsVooCDEQUIP->SetAsString(qryEquipPesq->FieldByName("CDEQUIP")->AsString());
  } catch (...) {
    dbeSgEquip->SetFocus();
    throw;
  }
}

void TfrmVoo::Vd_Prefixo() {
  try {
    if (!Editing(dtsPadrao)) return;
    // The prefix is optional, and means nothing without an equipment.
    if (Consiste::EmptyString(dbeSgEquip->Text())) return;
    if (Consiste::EmptyString(dbeSgPrefixo->Text())) return;
    qryPrefPesq->Close();
    qryPrefPesq->ParamByName("P_CDFILIAL").SetAsString(medCdFilial->Text());
    qryPrefPesq->ParamByName("P_CDCIA").SetAsString(qryCompanhiaCDCIA->AsString());
    qryPrefPesq->ParamByName("P_CDEQUIP").SetAsString(cdsVooCDEQUIP->AsString());
    qryPrefPesq->ParamByName("P_SGPREFIXO").SetAsString(dbeSgPrefixo->Text());
    qryPrefPesq->Open();
    if (qryPrefPesq->IsEmpty()) Consiste::MensErroAbort(msgPadrao->Msg("Pref_Nao_Cad"));
    // The lookup ignores letter case; the flight keeps the prefix as registered.
    cdsVooSGPREFIXO->SetAsString(qryPrefPesq->FieldByName("SGPREFIXO")->AsString());
  } catch (...) {
    dbeSgPrefixo->SetFocus();
    throw;
  }
}

void TfrmVoo::vd_Turno(bool required) {
  if (Consiste::EmptyString(dbeTurnoProd->Text())) {
    if (required) {
      dbeTurnoProd->SetFocus();
      Consiste::MensErroAbort(msgPadrao->Msg("Turno_Deve"));
    }
    return;
  }
  PutInEdit(dbeTurnoProd, cdsVooNRTURNOPROD, Consiste::Ajusta(dbeTurnoProd->Text(), 2));

  LoadShift(*this, dbeTurnoProd->Text());
  if (cdsPesqTurno->IsEmpty()) {
    dbeTurnoProd->SetFocus();
    Consiste::MensErroAbort(msgPadrao->Msg("Turno_N_Cad"));
  }
  cdsVoo->Edit();
  // The shift code first: its change empties the description set next.
  cdsVooNRTURNOPROD->SetAsString(cdsPesqTurno->FieldByName("NRTURNO")->AsString());
  cdsVooDSTURNO->SetAsString(cdsPesqTurno->FieldByName("DSTURNO")->AsString());
}

void TfrmVoo::vd_Ocupacao() {
  if (!cdsVoo->Active()) return;
  // An empty percentage reads as 0 and is stored as 0.
  if (cdsVoo->Editing()) cdsVooVRPEROCUPACAO->SetAsFloat(Consiste::RoundDec(cdsVooVRPEROCUPACAO->AsFloat(), 3));
  const double occupancy = cdsVooVRPEROCUPACAO->AsFloat();
  if (occupancy < 0 || occupancy > 100) {
    dbePercentOcupacao->SetFocus();
    Consiste::MensErroAbort(msgPadrao->Msg("Oupacao_inv"));
  }
}

// ---- equipment ----

void TfrmVoo::btnPesqEquipBeforePesq(TObject*, bool&) {
  qryEquipCia->Close();
  qryEquipCia->ParamByName("P_CDFILIAL").SetAsString(medCdFilial->Text());
  qryEquipCia->ParamByName("P_CDCIA").SetAsString(qryCompanhiaCDCIA->AsString());
  qryEquipCia->Open();
}

void TfrmVoo::btnPesqEquipAfterPesq(TObject*) {
  if (!cdsVoo->Editing()) cdsVoo->Edit();
  const std::string code = qryEquipCia->FieldByName("CDEQUIP")->AsString();
  // The text first: its change handler clears the code, which is set after.
  PutInEdit(dbeSgEquip, cdsVooSGEQUIP, qryEquipCia->FieldByName("SGEQUIP")->AsString());
  cdsVooCDEQUIP->SetAsString(code);
}

void TfrmVoo::dbeSgEquipChange(TObject*) {
  if (!cdsVoo->Editing()) return;
  // Another equipment: its code is looked up again and the prefix dropped.
  cdsVooCDEQUIP->Clear();
  cdsVooSGPREFIXO->Clear();
  cdsVooDSEQUIP->Clear();
}

void TfrmVoo::dbeSgEquipExit(TObject*) { Vd_Equipamento(false); }

// ---- prefix ----

void TfrmVoo::btnPesqPrefixoBeforePesq(TObject*, bool&) {
  if (Consiste::EmptyString(dbeSgEquip->Text())) {
    dbeSgEquip->SetFocus();
    Consiste::MensErroAbort(msgPadrao->Msg("Equip_Obr"));
  }
  // An equipment typed but not yet checked (the button takes no focus, so
  // the equipment edit was not left) has no code yet: check it first, or
  // the list would wrongly say the equipment has no prefix.
  if (cdsVoo->Editing() && Consiste::EmptyString(cdsVooCDEQUIP->AsString())) Vd_Equipamento(true);
  qryPrefixoCia->Close();
  qryPrefixoCia->ParamByName("P_CDFILIAL").SetAsString(medCdFilial->Text());
  qryPrefixoCia->ParamByName("P_CDCIA").SetAsString(qryCompanhiaCDCIA->AsString());
  qryPrefixoCia->ParamByName("P_CDEQUIP").SetAsString(cdsVooCDEQUIP->AsString());
  qryPrefixoCia->ParamByName("P_SGPREFIXO").Clear();  // every prefix of the equipment
  qryPrefixoCia->Open();
}

void TfrmVoo::btnPesqPrefixoAfterPesq(TObject*) {
  if (!cdsVoo->Editing()) cdsVoo->Edit();
  PutInEdit(dbeSgPrefixo, cdsVooSGPREFIXO, qryPrefixoCia->FieldByName("SGPREFIXO")->AsString());
}

void TfrmVoo::dbeSgPrefixoExit(TObject*) { Vd_Prefixo(); }

// ---- production shift ----

void TfrmVoo::btpTurnoProdBeforePesq(TObject*, bool&) {
  LoadShiftList(*this);
}

void TfrmVoo::btpTurnoProdAfterPesq(TObject*) {
  cdsVoo->Edit();
  const std::string description = cdsPesqTurno->FieldByName("DSTURNO")->AsString();
  // The code first: its change handler empties the description set after.
  PutInEdit(dbeTurnoProd, cdsVooNRTURNOPROD, cdsPesqTurno->FieldByName("NRTURNO")->AsString());
  PutInEdit(dbeDsTurno, cdsVooDSTURNO, description);
}

void TfrmVoo::dbeTurnoProdChange(TObject*) {
  if (!cdsVoo->Editing()) return;
  // The description belongs to the shift last found; it is filled again
  // when the new code is checked.
  dbeDsTurno->SetText("");
  cdsVooDSTURNO->Clear();
}

void TfrmVoo::dbeTurnoProdExit(TObject*) {
  if (cdsVoo->Editing()) vd_Turno(false);
}

// ---- production days and occupancy ----

void TfrmVoo::dbeDiasProducaoKeyPress(TObject*, char& Key) {
  if (!IsDigit(Key) && Key != '\b') Key = 0;
}

void TfrmVoo::dbePercentOcupacaoKeyPress(TObject*, char& Key) {
  if (!IsDigit(Key) && Key != '\b' && Key != ',') Key = 0;
}

void TfrmVoo::dbePercentOcupacaoExit(TObject*) { vd_Ocupacao(); }

}  // namespace zor::Cli_zor12200

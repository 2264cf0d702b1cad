// Flight validation, saving to the server, deletion, and the reload of its legs.
//
// Every accepted post or delete is sent to the application server at once
// from the dataset's after-post or after-delete handler. On success the
// change log is merged, so the dataset never keeps changes the server has
// accepted; on failure the pending changes are cancelled, so it never keeps
// changes the server has refused, and the error goes on to whatever posted.
#include <cmath>
#include <string>

#include "flight_screen/cli_zor12200.h"
#include "flight_screen/screen_state.h"
#include "flight_screen/server_exchange.h"
#include "platform/library/consiste.h"

namespace zor::Cli_zor12200 {

using namespace plat;

namespace {

// "Data %s de vigência deve ser informada." with the date's label.
std::string WithLabel(std::string text, const std::string& label) {
  const auto at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, label);
  return text;
}

// Fails with `key`, the focus on `control`.
[[noreturn]] void Refuse(TfrmVoo& f, TWinControl* control, const char* key) {
  control->SetFocus();
  Consiste::MensErroAbort(f.msgPadrao->Msg(key));
  throw EAbort();  // MensErro with abort never returns; this keeps the compiler sure of it
}

// A validity date goes into the flight as the edit shows it; an empty edit
// leaves the flight without that date rather than storing the zero date.
// The edit holds no time of day: a stored date whose day is the one shown
// is left as it is, so that a time another program stored is not lost.
void StoreDate(TDateTimeField* field, const TDBDateEditPlus* edit) {
  if (edit->IsEmpty()) {
    field->Clear();
    return;
  }
  const TDateTime date = edit->GetDate();
  if (!field->IsNull() && std::floor(field->AsDateTime().Val) == std::floor(date.Val)) return;
  field->SetAsDateTime(date);
}

// A new flight's number is taken without blanks around it: "2000 " would
// be stored beside "2000" and look the same. An existing flight keeps the
// number it is stored under.
std::string TypedFlightNumber(const TfrmVoo& f) {
  const std::string text = f.dbeNrVoo->Text();
  return f.cdsVoo->State() == dsInsert ? Consiste::AllTrim(text) : text;
}

}  // namespace

void TfrmVoo::vd_Voo(bool required) {
  const std::string number = TypedFlightNumber(*this);
  // A number made only of blanks is no number either.
  if (Consiste::EmptyString(number)) {
    if (required) Refuse(*this, dbeNrVoo, "NrVoo_Obr");
    return;
  }
  // Only a new flight can repeat a number: an existing one cannot change it.
  if (cdsVoo->State() != dsInsert) return;
  qryTestaVoo->Close();
  qryTestaVoo->ParamByName("CDFILIAL").SetAsString(medCdFilial->Text());
  qryTestaVoo->ParamByName("CDCIA").SetAsString(qryCompanhiaCDCIA->AsString());
  qryTestaVoo->ParamByName("NRVOO").SetAsString(number);
  qryTestaVoo->Open();
  if (!qryTestaVoo->IsEmpty()) Refuse(*this, dbeNrVoo, "Voo_JaCad");
}

void TfrmVoo::dbeNrVooExit(TObject*) {
  if (cdsVoo->State() == dsInsert) vd_Voo(false);
}

void TfrmVoo::cdsVooAfterInsert(TDataSet*) {
  // A screen opened on one flight keeps that flight's company.
  if (boShowModal) {
    medSgCia->SetEnabled(false);
    btpCompanhia->SetEnabled(false);
  }
  dbeNrVoo->SetFocus();
}

// The checks run in a fixed order and the first failure alone is reported;
// values assigned by earlier steps stay assigned.
void TfrmVoo::cdsVooBeforePost(TDataSet*) {
  cdsVooCDFILIAL->SetAsString(medCdFilial->Text());
  cdsVooCDCIA->SetAsString(qryCompanhiaCDCIA->AsString());
  cdsVooNRVOO->SetAsString(TypedFlightNumber(*this));
  cdsVooSGPREFIXO->SetAsString(dbeSgPrefixo->Text());

  vd_Voo(true);
  Vd_Equipamento(true);
  Vd_Prefixo();
  vd_Turno(true);
  if (Consiste::EmptyString(cdsVooQTDIASPROD->AsString())) cdsVooQTDIASPROD->SetAsFloat(0);
  vd_Ocupacao();

  // A new flight always starts with every discount incident.
  if (cdsVoo->State() == dsInsert) {
    cdsVooIDINCDESDESV->SetAsString("1");
    cdsVooIDINCDESFIXO->SetAsString("1");
    cdsVooIDINCDESCOND->SetAsString("1");
  }

  if (Consiste::EmptyString(cdsVooQTHRKDTCAR->AsString())) Refuse(*this, dbeKDTCarrego, "kdt_car_null");
  CheckHours(cdsVooQTHRKDTCAR);
  if (Consiste::EmptyString(cdsVooQTHRKDTDES->AsString())) Refuse(*this, dbeKDTDescarrego, "kdt_des_null");
  CheckHours(cdsVooQTHRKDTDES);

  // An occasional flight needs its validity period.
  const bool extra = dcbTipo->Text() == msgPadrao->Msg("Extra");
  if (extra && depDtIniVigVoo->Text().empty()) {
    depDtIniVigVoo->SetFocus();
    Consiste::MensErroAbort(WithLabel(msgPadrao->Msg("Dt_Obr"), cdsVooDTINIVIGVOO->DisplayLabel()));
  }
  if (extra && depDtFimVigVoo->Text().empty()) {
    depDtFimVigVoo->SetFocus();
    Consiste::MensErroAbort(WithLabel(msgPadrao->Msg("Dt_Obr"), cdsVooDTFIMVIGVOO->DisplayLabel()));
  }
  // Equal dates pass; two empty edits (a regular flight) read as equal.
  if (depDtIniVigVoo->GetDate() > depDtFimVigVoo->GetDate()) Refuse(*this, depDtFimVigVoo, "Dt_Fim_Menor");
  StoreDate(cdsVooDTINIVIGVOO, depDtIniVigVoo);
  StoreDate(cdsVooDTFIMVIGVOO, depDtFimVigVoo);

  bool someDay = ccbDiario->Checked();
  for (TCheckBox* day : {dcbSeg, dcbTer, dcbQua, dcbQui, dcbSex, dcbSab, dcbDom}) someDay = someDay || day->Checked();
  if (!someDay) Refuse(*this, dcbSeg, "IdVoo_Obr");

  if (auto* tipo = dynamic_cast<TTipoVoo*>(cbbTipoVoo->SelectedObject()))
    cdsVooCDEXPTIPOVOO->SetAsString(tipo->CdExpTipoVoo.substr(0, 1));

  if (!ccbAbast->Checked() && !ccbAtend->Checked()) Refuse(*this, ccbAbast, "Abas_Atend_Obr");

  // A leg being typed in counts: it is posted right after the flight.
  if (cdstrechoo->IsEmpty()) {
    pgcPadrao->SetActivePage(tshFormulario);
    Refuse(*this, dbgVooTrecho, "VooTre_Vaz");
  }
}

// The flight goes to the server before any pending leg change: a new leg
// belongs to a flight the server must already know.
void TfrmVoo::cdsVooAfterPost(TDataSet*) {
  if (cdsVoo->ChangeCount() > 0) {
    const std::string posted = cdsVooNRVOO->AsString();
    try {
      SaveChanges(*this, SavedData::Flights);
    } catch (...) {
      // A refused new flight is gone and another flight is current: a leg
      // still being typed for the gone flight must not stay open, or the
      // next Confirm would save it under the flight now shown.
      if (cdsVoo->IsEmpty() || cdsVooNRVOO->AsString() != posted) {
        try {
          if (cdstrechoo->Editing()) cdstrechoo->Cancel();
          FollowFlight(*this);
        } catch (...) {
          // The refusal is what the person must see; a failed reload of
          // the legs was reported on its own.
        }
      }
      throw;
    }
  }
  // The flight stays saved if its legs are refused.
  SaveChanges(*this, SavedData::Legs);
}

void TfrmVoo::cdsVooBeforeCancel(TDataSet*) {
  if (cdstrechoo->Editing()) cdstrechoo->Cancel();
}

// The legs shown again are the server's, for the flight now current.
void TfrmVoo::cdsVooAfterCancel(TDataSet*) { FollowFlight(*this); }

// A deleted flight is sent at once; the server removes its legs and
// classes with it. On failure the deletion is undone locally and the error
// goes on.
void TfrmVoo::cdsVooAfterDelete(TDataSet*) {
  SaveChanges(*this, SavedData::Flights);
}

// Every move to another flight shows that flight's legs as the server holds
// them.
void TfrmVoo::cdsVooAfterScroll(TDataSet*) { FollowFlight(*this); }

}  // namespace zor::Cli_zor12200

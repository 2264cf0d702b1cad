// Defaults of a new flight and the small rules of the record tab that keep
// linked controls and fields consistent while a flight is edited: the
// "Diário" box against the seven weekday boxes, the two service boxes that
// together form one coded field, the flight type against the validity
// dates, and the date check on leaving a date edit.
//
// Check boxes run their click handler whenever their state changes, from
// code and from loading a field too; the weekday and daily rules below lean
// on that and on the flag boChecado to tell a browse-time reload from a
// person's click.
#include <array>

#include "flight_screen/cli_zor12200.h"
#include "flight_screen/screen_state.h"

namespace zor::Cli_zor12200 {

using namespace plat;

namespace {

// The weekday boxes and their fields, Monday to Sunday.
std::array<TDBCheckBox*, 7> WeekdayBoxes(const TfrmVoo& f) {
  return {f.dcbSeg, f.dcbTer, f.dcbQua, f.dcbQui, f.dcbSex, f.dcbSab, f.dcbDom};
}

std::array<TField*, 7> WeekdayFields(const TfrmVoo& f) {
  return {f.cdsVooIDVOOSEG, f.cdsVooIDVOOTER, f.cdsVooIDVOOQUA, f.cdsVooIDVOOQUI,
          f.cdsVooIDVOOSEX, f.cdsVooIDVOOSAB, f.cdsVooIDVOODOM};
}

// The weekday boxes are free to change only while "Diário" is unchecked.
void EnableWeekdays(const TfrmVoo& f) {
  for (TDBCheckBox* box : WeekdayBoxes(f)) box->SetEnabled(!f.ccbDiario->Checked());
}

// Sets a plain check box without running its click handler; the handler is
// attached again whatever happens.
void SetQuietly(TCheckBox* box, bool checked) {
  DetachedHandler quiet(box->OnClick);
  box->SetChecked(checked);
}

// Both service boxes make one code; with both unchecked the code is kept
// and the flight's validation refuses the save.
void StoreServices(TfrmVoo& f) {
  if (f.cdsVoo->State() == dsBrowse) f.cdsVoo->Edit();
  const bool supply = f.ccbAbast->Checked();
  const bool attendance = f.ccbAtend->Checked();
  if (supply && attendance)
    f.cdsVooIDABASATEN->SetAsString("3");
  else if (supply)
    f.cdsVooIDABASATEN->SetAsString("1");
  else if (attendance)
    f.cdsVooIDABASATEN->SetAsString("2");
}

}  // namespace

void TfrmVoo::cdsVooNewRecord(TDataSet*) {
  {
    DetachedHandler quiet(ccbDiario->OnClick);
    ccbDiario->SetChecked(false);
    EnableWeekdays(*this);
    cdsVooCDCIA->SetAsString(qryCompanhiaCDCIA->AsString());
    for (TField* day : WeekdayFields(*this)) day->SetAsString("2");
  }

  for (TField* activity : {cdsVooIDCARGA, cdsVooIDDESCAR, cdsVooIDTRANSLADO, cdsVooIDCARREGO})
    activity->SetAsString("2");
  cdsVooIDBASETRAN->SetAsString("1");
  cdsVooIDABASATEN->SetAsString("1");
  cdsVooIDNACIVOO->SetAsString("1");
  cdsVooIDTIPVOO->SetAsString("1");
  cdsVooIDSITVOO->SetAsString("1");
  // A flight opened for another screen is an occasional one by default.
  if (boShowModal) cdsVooIDTIPVOO->SetAsString("2");

  // While a flight is inserted its three coded lists write their choice
  // back into the record whenever they show it; still showing the previous
  // flight's choices, they would replace the defaults just set.
  dcbNacionalidade->SetItemIndex(0);
  dcbSituacao->SetItemIndex(0);
  dcbTipo->SetItemIndex(boShowModal ? 1 : 0);

  // The service boxes are not bound to the field: left as the previous
  // flight showed them, they would show a service other than the one the
  // new flight holds and would be saved with.
  SetQuietly(ccbAbast, true);
  SetQuietly(ccbAtend, false);
}

void TfrmVoo::ccbDiarioClick(TObject*) {
  // A click while browsing starts editing; a reload of the weekday boxes
  // while browsing (boChecado) must not.
  if (!boChecado && cdsVoo->State() == dsBrowse && !cdsVoo->IsEmpty()) cdsVoo->Edit();
  if (cdsVoo->Editing()) {
    const char* value = ccbDiario->Checked() ? "1" : "2";
    for (TField* day : WeekdayFields(*this)) day->SetAsString(value);
  }
  EnableWeekdays(*this);
}

void TfrmVoo::dcbSegClick(TObject*) {
  boChecado = cdsVoo->State() == dsBrowse;
  try {
    // While "Diário" is checked in an edit, the boxes change because it
    // wrote the seven fields: they must not switch it back.
    if (!ccbDiario->Checked() || boChecado) {
      bool everyDay = true;
      for (TDBCheckBox* box : WeekdayBoxes(*this)) {
        if (!box->Checked()) {
          everyDay = false;
          break;
        }
      }
      ccbDiario->SetChecked(everyDay);
    }
  } catch (...) {
    boChecado = false;
    throw;
  }
  boChecado = false;
}

void TfrmVoo::ccbAbastClick(TObject*) { StoreServices(*this); }

void TfrmVoo::ccbAtendClick(TObject*) { StoreServices(*this); }

void TfrmVoo::dcbTipoChange(TObject*) {
  const bool regular = dcbTipo->Text() == msgPadrao->Msg("Regular");
  if (regular) {
    // A regular flight has no validity period.
    if (cdsVoo->Editing()) {
      cdsVooDTINIVIGVOO->Clear();
      cdsVooDTFIMVIGVOO->Clear();
    }
    depDtIniVigVoo->SetText("");
    depDtFimVigVoo->SetText("");
  }
  grbVig->SetEnabled(!regular);
  lblDtInicio->SetEnabled(!regular);
  lblDtFim->SetEnabled(!regular);
}

void TfrmVoo::depDtIniVigVooExit(TObject*) { depDtIniVigVoo->CheckValidDate(); }

void TfrmVoo::depDtFimVigVooExit(TObject*) { depDtFimVigVoo->CheckValidDate(); }

}  // namespace zor::Cli_zor12200

// The leg record's field behaviour: the take-off and landing times shown
// with the time separator and entered through the mask, the texts of the
// time-reference and situation codes, and the base checks that turn a typed
// abbreviation into the leg's hidden base code.
#include <string>

#include "flight_screen/cli_zor12200.h"
#include "flight_screen/text_codes.h"
#include "platform/core/sysutils.h"
#include "platform/library/consiste.h"

namespace zor::Cli_zor12200 {

using namespace plat;

namespace {

// ---- times

void TimeGetText(TField* field, std::string& text) { text = HoursToText(field->AsString()); }

// The mask's five characters become four digits (or nothing); assigning
// them runs the field's check.
void TimeSetText(TField* field, const std::string& text) { field->SetAsString(HoursFromText(text)); }

void TimeValidate(TfrmVoo& form, TField* field) {
  const std::string value = field->AsString();
  if (value.empty()) return;
  if (!IsValidHours(value)) Consiste::MensErroAbort(HoursCheckText(value) + form.msgPadrao->Msg("Hr_Inv"));
}

// ---- codes

// "1" and "2" show the texts of their keys; anything else shows nothing.
void CodeGetText(TfrmVoo& form, TField* field, const char* key1, const char* key2, std::string& text) {
  if (field->IsNull()) return;
  switch (StrToIntDef(field->AsString(), 0)) {
    case 1: text = form.msgPadrao->Msg(key1); break;
    case 2: text = form.msgPadrao->Msg(key2); break;
    default: break;
  }
}

// The grid column whose pick list gives the code's texts: the selected one,
// where the field is edited; should the selection stand on another column
// (the field set from elsewhere), the column showing the field, so that a
// foreign pick list never decides the code.
TColumn* PickColumnFor(TDBGrid* grid, TField* field) {
  TColumn* selected = grid->SelectedColumn();
  if (selected && selected->Field() == field) return selected;
  for (int i = 0; i < grid->Columns().Count(); ++i)
    if (grid->Columns()[i]->Field() == field) return grid->Columns()[i];
  return selected;
}

// Position of the text in the pick list, compared exactly; -1 when absent.
int PickPosition(const TColumn* column, const std::string& text) {
  if (!column) return -1;
  const TStrings& items = column->PickList();
  for (int i = 0; i < items.Count(); ++i)
    if (items.Strings(i) == text) return i;
  return -1;
}

// ---- bases

// The typed abbreviation must name a base; its code goes to the hidden code
// field, whose own check may still refuse it (and the abbreviation with it).
void BaseAbbreviationValidate(TfrmVoo& form, TField* abbreviation, TField* code) {
  const std::string typed = abbreviation->AsString();
  if (typed.empty()) {
    if (form.dbgVooTrecho->SelectedField() != abbreviation) abbreviation->FocusControl();
    Consiste::MensErroAbort(form.msgPadrao->Msg("Base_Obr"));
  }
  form.qryBase->Close();
  form.qryBase->ParamByName("P_SGBASE").SetAsString(typed);
  form.qryBase->Open();
  if (form.qryBase->IsEmpty()) Consiste::MensErroAbort(form.msgPadrao->Msg("Base_Nao_Cad"));
  code->SetAsString(form.qryBaseCDBASE->AsString());
}

// A leg may not end where it starts, whichever side was entered last.
void BaseCodeValidate(TfrmVoo& form, TField* code, TField* other) {
  if (!other->IsNull() && other->AsString() == code->AsString())
    Consiste::MensErroAbort(form.msgPadrao->Msg("Base_Igual"));
}

}  // namespace

void TfrmVoo::cdstrechooHRDECOLVOOGetText(TField* Sender, std::string& Text, bool) { TimeGetText(Sender, Text); }
void TfrmVoo::cdstrechooHRDECOLVOOSetText(TField* Sender, const std::string& Text) { TimeSetText(Sender, Text); }
void TfrmVoo::cdstrechooHRDECOLVOOValidate(TField* Sender) { TimeValidate(*this, Sender); }
void TfrmVoo::cdstrechooHRPOUSOVOOGetText(TField* Sender, std::string& Text, bool) { TimeGetText(Sender, Text); }
void TfrmVoo::cdstrechooHRPOUSOVOOSetText(TField* Sender, const std::string& Text) { TimeSetText(Sender, Text); }
void TfrmVoo::cdstrechooHRPOUSOVOOValidate(TField* Sender) { TimeValidate(*this, Sender); }

void TfrmVoo::cdstrechooIDTIPAJUSFATGetText(TField* Sender, std::string& Text, bool) {
  CodeGetText(*this, Sender, "Plano_Voo_Atual", "Plano_Voo_Seguinte", Text);
}

// First item → "1", second → "2", a text not in the list → "0".
void TfrmVoo::cdstrechooIDTIPAJUSFATSetText(TField* Sender, const std::string& Text) {
  const int position = PickPosition(PickColumnFor(dbgVooTrecho, Sender), Text);
  Sender->SetAsString(std::to_string(position + 1));
}

void TfrmVoo::cdstrechooIDSITVOOTREGetText(TField* Sender, std::string& Text, bool) {
  CodeGetText(*this, Sender, "Ativo", "Inativo", Text);
}

void TfrmVoo::cdstrechooIDSITVOOTRESetText(TField* Sender, const std::string& Text) {
  Sender->SetAsString(Consiste::AllTrim(Text) == msgPadrao->Msg("Inativo") ? "2" : "1");
}

void TfrmVoo::cdstrechooSGBASEORIValidate(TField* Sender) {
  BaseAbbreviationValidate(*this, Sender, cdstrechooCDBASEORI);
}
void TfrmVoo::cdstrechooSGBASEDESValidate(TField* Sender) {
  BaseAbbreviationValidate(*this, Sender, cdstrechooCDBASEDES);
}
void TfrmVoo::cdstrechooCDBASEORIValidate(TField* Sender) { BaseCodeValidate(*this, Sender, cdstrechooCDBASEDES); }
void TfrmVoo::cdstrechooCDBASEDESValidate(TField* Sender) { BaseCodeValidate(*this, Sender, cdstrechooCDBASEORI); }

}  // namespace zor::Cli_zor12200

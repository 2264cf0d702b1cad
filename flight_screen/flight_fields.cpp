// The flight record's coded fields: the two-choice codes edited through
// drop-down lists, the incidence indicators edited in the flight grid, the
// flight type's effect on the validity dates, and the KDT hours.
#include "flight_screen/cli_zor12200.h"
#include "flight_screen/text_codes.h"
#include "platform/core/format_settings.h"
#include "platform/core/sysutils.h"
#include "platform/library/consiste.h"

namespace zor::Cli_zor12200 {

using namespace plat;

namespace {

// A combo-coded field shows the message of its code; while the flight is
// edited the stored code follows the list's current choice.
void ComboCodeGetText(TfrmVoo& form, TField* field, TComboBox* combo, const char* key1, const char* key2,
                      std::string& text) {
  if (field->IsNull()) return;
  const int chosen = combo->ItemIndex() + 1;
  if (form.cdsVoo->Editing() && StrToIntDef(field->AsString(), 0) != chosen)
    field->SetAsString(std::to_string(chosen));
  switch (StrToIntDef(field->AsString(), 0)) {
    case 1: text = form.msgPadrao->Msg(key1); break;
    case 2: text = form.msgPadrao->Msg(key2); break;
    default: break;
  }
}

// The entered text is ignored: the list's choice decides the code.
void ComboCodeSetText(TField* field, TComboBox* combo) {
  field->SetAsString(std::to_string(combo->ItemIndex() + 1));
}

void IncidenceGetText(TfrmVoo& form, TField* field, std::string& text) {
  text = form.msgPadrao->Msg(field->AsString() == "1" ? "Incide" : "NaoIncide");
}

void IncidenceSetText(TfrmVoo& form, TField* field, const std::string& text) {
  field->SetAsString(Consiste::AllTrim(text) == form.msgPadrao->Msg("NaoIncide") ? "2" : "1");
}

}  // namespace

void TfrmVoo::cdsVooIDNACIVOOGetText(TField* Sender, std::string& Text, bool) {
  ComboCodeGetText(*this, Sender, dcbNacionalidade, "Nacional", "Internacional", Text);
}
void TfrmVoo::cdsVooIDNACIVOOSetText(TField* Sender, const std::string&) { ComboCodeSetText(Sender, dcbNacionalidade); }

void TfrmVoo::cdsVooIDSITVOOGetText(TField* Sender, std::string& Text, bool) {
  ComboCodeGetText(*this, Sender, dcbSituacao, "Ativo", "Inativo", Text);
}
void TfrmVoo::cdsVooIDSITVOOSetText(TField* Sender, const std::string&) { ComboCodeSetText(Sender, dcbSituacao); }

void TfrmVoo::cdsVooIDTIPVOOGetText(TField* Sender, std::string& Text, bool) {
  ComboCodeGetText(*this, Sender, dcbTipo, "Regular", "Extra", Text);
}
void TfrmVoo::cdsVooIDTIPVOOSetText(TField* Sender, const std::string&) { ComboCodeSetText(Sender, dcbTipo); }

void TfrmVoo::cdsVooIDTIPVOOChange(TField*) {
  if (!cdsVooDTINIVIGVOO->IsNull() && cdsVooIDTIPVOO->AsString() == "1") {
    cdsVooDTINIVIGVOO->Clear();
    depDtIniVigVoo->SetText("");
  }
  if (!cdsVooDTFIMVIGVOO->IsNull() && cdsVooIDTIPVOO->AsString() == "1") {
    cdsVooDTFIMVIGVOO->Clear();
    depDtFimVigVoo->SetText("");
  }
}

void TfrmVoo::cdsVooQTHRKDTCARGetText(TField* Sender, std::string& Text, bool) {
  Text = HoursToText(Sender->AsString());
}

void TfrmVoo::cdsVooQTHRKDTCARSetText(TField* Sender, const std::string& Text) {
  const std::string hours = HoursFromText(Text);
  if (hours.empty())
    Sender->Clear();
  else
    Sender->SetAsString(hours);
}

void TfrmVoo::cdsVooQTHRKDTCARValidate(TField* Sender) { CheckHours(Sender); }

void TfrmVoo::CheckHours(TField* hours) {
  const std::string value = hours->AsString();
  if (value.empty()) return;
  if (!IsValidHours(value)) {
    hours->FocusControl();
    Consiste::MensErroAbort(HoursCheckText(value) + msgPadrao->Msg("Hr_Inv"));
  }
}

void TfrmVoo::cdsVooIDINCDESDESVGetText(TField* Sender, std::string& Text, bool) { IncidenceGetText(*this, Sender, Text); }
void TfrmVoo::cdsVooIDINCDESDESVSetText(TField* Sender, const std::string& Text) { IncidenceSetText(*this, Sender, Text); }
void TfrmVoo::cdsVooIDINCDESFIXOGetText(TField* Sender, std::string& Text, bool) { IncidenceGetText(*this, Sender, Text); }
void TfrmVoo::cdsVooIDINCDESFIXOSetText(TField* Sender, const std::string& Text) { IncidenceSetText(*this, Sender, Text); }
void TfrmVoo::cdsVooIDINCDESCONDGetText(TField* Sender, std::string& Text, bool) { IncidenceGetText(*this, Sender, Text); }
void TfrmVoo::cdsVooIDINCDESCONDSetText(TField* Sender, const std::string& Text) { IncidenceSetText(*this, Sender, Text); }

}  // namespace zor::Cli_zor12200

// Data-aware check boxes.
#include "platform/dbcontrols/db_check_box.h"

#include "platform/core/sysutils.h"
#include "platform/data/field.h"

namespace zor::plat {

namespace {

// True when `text` is one of the ';'-separated values.
bool Matches(const std::string& values, const std::string& text) {
  size_t start = 0;
  while (start <= values.size()) {
    size_t end = values.find(';', start);
    if (end == std::string::npos) end = values.size();
    if (AnsiUpperCase(Trim(values.substr(start, end - start))) == AnsiUpperCase(Trim(text))) return true;
    start = end + 1;
  }
  return false;
}

std::string FirstValue(const std::string& values) { return values.substr(0, values.find(';')); }

}  // namespace

TDBCheckBox::TDBCheckBox(TComponent* owner) : TFieldLinkedControl(owner) {}

void TDBCheckBox::SetValueChecked(const std::string& v) {
  value_checked_ = v;
  ShowField();
}

void TDBCheckBox::SetValueUnchecked(const std::string& v) {
  value_unchecked_ = v;
  ShowField();
}

void TDBCheckBox::ShowField() {
  TField* f = link_.Field();
  TCheckBoxState state = AllowGrayed() ? cbGrayed : cbUnchecked;
  if (f && !f->IsNull()) {
    std::string text = f->Text();
    if (Matches(value_checked_, text))
      state = cbChecked;
    else if (Matches(value_unchecked_, text))
      state = cbUnchecked;
  }
  SetState(state);
}

void TDBCheckBox::WriteField() {
  TField* f = link_.Field();
  if (!f) return;
  switch (State()) {
    case cbChecked: f->SetText(FirstValue(value_checked_)); break;
    case cbUnchecked: f->SetText(FirstValue(value_unchecked_)); break;
    case cbGrayed: f->Clear(); break;
  }
}

void TDBCheckBox::Click() {
  if (!link_.Edit()) return;  // nothing to edit, or the dataset refuses
  Toggle();
  // The click handler may have written the field itself (the box then
  // already shows it); writing the box's state again changes nothing.
  link_.WriteChoice();
}

void TDBCheckBox::DefaultKeyPress(char& key) {
  if (key == ' ') Click();
}

}  // namespace zor::plat

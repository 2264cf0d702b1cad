// Data-aware combo boxes.
#include "platform/dbcontrols/db_combo_box.h"

#include "platform/controls/gesture.h"
#include "platform/data/field.h"

namespace zor::plat {

TDBComboBox::TDBComboBox(TComponent* owner) : TFieldLinkedControl(owner) {
  // Items arriving after the field was shown may now hold its text.
  Items().Changed.Subscribe([this] {
    if (!link_.IsModified()) ShowField();
  });
}

void TDBComboBox::WriteField() {
  if (TField* f = link_.Field()) f->SetText(Text());
}

void TDBComboBox::ShowField() {
  TField* f = link_.Field();
  std::string text = f ? f->DisplayText() : std::string();
  int index = Items().IndexOf(text);
  if (index >= 0 && Items().Strings(index) == text)
    SetItemIndex(index);
  else
    SetText(text);
}

bool TDBComboBox::UserSelect(int index) {
  if (!Enabled() || !Showing() || index < 0 || index >= Items().Count()) return false;
  bool chosen = false;
  bool ok = RunGesture([&] {
    if (!link_.Edit()) return;  // nothing to edit, or the dataset refuses
    if (!TComboBox::UserSelect(index)) return;
    chosen = true;
    link_.WriteChoice();
  });
  return ok && chosen;
}

bool TDBComboBox::UserSetText(const std::string& text) {
  if (Style() == csDropDownList) return TComboBox::UserSetText(text);  // a choice: UserSelect
  if (!Enabled() || !Showing()) return false;
  bool typed = false;
  bool ok = RunGesture([&] {
    if (!link_.Edit()) return;
    typed = TComboBox::UserSetText(text);
    if (typed) link_.Modified();
  });
  return ok && typed;
}

void TDBComboBox::DoExit() {
  link_.UpdateRecord();  // raising keeps the focus here
  TComboBox::DoExit();
}

}  // namespace zor::plat

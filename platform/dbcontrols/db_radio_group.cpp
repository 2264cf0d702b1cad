// Data-aware radio groups.
#include "platform/dbcontrols/db_radio_group.h"

#include "platform/controls/gesture.h"
#include "platform/data/field.h"

namespace zor::plat {

TDBRadioGroup::TDBRadioGroup(TComponent* owner) : TFieldLinkedControl(owner) {
  values_.Changed.Subscribe([this] { ShowField(); });
  Items().Changed.Subscribe([this] { ShowField(); });
}

std::string TDBRadioGroup::ValueOf(int index) const {
  if (index < 0 || index >= Items().Count()) return {};
  return index < values_.Count() ? values_.Strings(index) : Items().Strings(index);
}

std::string TDBRadioGroup::Value() const { return ValueOf(ItemIndex()); }

void TDBRadioGroup::WriteField() {
  if (TField* f = link_.Field()) f->SetText(Value());
}

void TDBRadioGroup::ShowField() {
  TField* f = link_.Field();
  int index = -1;
  if (f && !f->IsNull()) {
    std::string text = f->Text();
    for (int i = 0; i < Items().Count() && index < 0; ++i)
      if (ValueOf(i) == text) index = i;
  }
  SetItemIndex(index);
}

bool TDBRadioGroup::UserSelect(int index) {
  if (!Enabled() || !Showing() || index < 0 || index >= Items().Count()) return false;
  bool chosen = false;
  bool ok = RunGesture([&] {
    if (!link_.Edit()) return;  // nothing to edit, or the dataset refuses
    SetItemIndex(index);
    chosen = true;
    link_.WriteChoice();
  });
  return ok && chosen;
}

}  // namespace zor::plat

// Data-aware radio groups.
#include "platform/dbcontrols/db_radio_group.h"

#include "platform/controls/gesture.h"
#include "platform/data/field.h"

namespace plat {

TDBRadioGroup::TDBRadioGroup(TComponent* owner) : TRadioGroup(owner) {
  link_.SetControl(this);
  link_.OnDataChange = [this](TObject*) { ShowField(); };
  link_.OnUpdateData = [this](TObject*) {
    if (TField* f = link_.Field()) f->SetText(Value());
  };
  link_.OnFocusControl = [this](TObject*) {
    if (CanFocus()) SetFocus();
  };
  values_.Changed.Subscribe([this] { ShowField(); });
  Items().Changed.Subscribe([this] { ShowField(); });
}

TDBRadioGroup::~TDBRadioGroup() {
  link_.OnDataChange = nullptr;
  link_.SetDataSource(nullptr);
}

void TDBRadioGroup::SetDataSource(TDataSource* source) {
  link_.SetDataSource(source);
  ShowField();
}

void TDBRadioGroup::SetDataField(const std::string& name) {
  link_.SetFieldName(name);
  ShowField();
}

std::string TDBRadioGroup::ValueOf(int index) const {
  if (index < 0 || index >= Items().Count()) return {};
  return index < values_.Count() ? values_.Strings(index) : Items().Strings(index);
}

std::string TDBRadioGroup::Value() const { return ValueOf(ItemIndex()); }

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
    link_.Modified();
    try {
      link_.UpdateRecord();
    } catch (...) {
      chosen = false;
      link_.Reset();
      throw;
    }
  });
  return ok && chosen;
}

}  // namespace plat

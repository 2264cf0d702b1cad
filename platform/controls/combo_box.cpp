// Combo boxes.
#include "platform/controls/combo_box.h"

#include "platform/controls/gesture.h"
#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"

namespace zor::plat {

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  SetDefaultSize(145, 21);
  SetColor(clWindow);
  items_.Changed.Subscribe([this] { ItemsChanged(); });
}

void TComboBox::ItemsChanged() {
  // Keep the choice on its item when it still exists.
  if (item_index_ >= items_.Count()) {
    item_index_ = -1;
    Changed(Prop::ItemIndex);
  }
  if (item_index_ >= 0 && items_.Strings(item_index_) != text_) {
    int same = items_.IndexOf(text_);
    Store(same, same >= 0 ? items_.Strings(same) : (style_ == csDropDownList ? "" : text_));
  }
  Changed(Prop::Items);
}

void TComboBox::Store(int index, const std::string& text) {
  if (index != item_index_) {
    item_index_ = index;
    Changed(Prop::ItemIndex);
  }
  if (text != text_) {
    text_ = text;
    Changed(Prop::Caption);
  }
}

void TComboBox::SetStyle(TComboBoxStyle s) {
  if (s == style_) return;
  style_ = s;
  Changed(Prop::Style);
  if (style_ == csDropDownList && item_index_ < 0) Store(-1, "");
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_.Count())
    throw Exception(PlatformText("list.index_out_of_bounds", {std::to_string(index)}));
  Store(index, index >= 0 ? items_.Strings(index) : "");
}

void TComboBox::SetText(const std::string& v) {
  int index = items_.IndexOf(v);
  if (index >= 0 && items_.Strings(index) == v) {
    Store(index, v);
  } else if (style_ == csDropDownList) {
    // List-only: an exact item (case aside) or nothing.
    Store(index, index >= 0 ? items_.Strings(index) : "");
  } else {
    Store(-1, v);
  }
}

TObject* TComboBox::SelectedObject() const {
  return item_index_ >= 0 ? items_.Objects(item_index_) : nullptr;
}

bool TComboBox::UserSelect(int index) {
  if (!Enabled() || !Showing() || index < 0 || index >= items_.Count()) return false;
  return RunGesture([&] {
    bool changed = index != item_index_;
    Store(index, items_.Strings(index));
    if (changed) Fire(OnChange, this);
    Fire(OnSelect, this);
    Fire(OnClick, this);
  });
}

bool TComboBox::UserSetText(const std::string& text) {
  if (!Enabled() || !Showing()) return false;
  if (style_ == csDropDownList) {
    int index = items_.IndexOf(text);
    if (index < 0) return false;
    return UserSelect(index);
  }
  return RunGesture([&] {
    if (text == text_) return;
    int index = items_.IndexOf(text);
    Store(index >= 0 && items_.Strings(index) == text ? index : -1, text);
    Fire(OnChange, this);
  });
}

}  // namespace zor::plat

// Menu items and menus.
#include "platform/controls/menus.h"

#include <algorithm>

#include "platform/controls/gesture.h"
#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"

namespace zor::plat {

std::string StripHotkey(std::string_view caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
      continue;
    }
    out += caption[i];
  }
  return out;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  for (TMenuItem* item : items_) item->parent_ = nullptr;
}

void TMenuItem::SetCaption(const std::string& v) {
  if (v == caption_) return;
  caption_ = v;
  Changed(Prop::Caption);
}

void TMenuItem::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Changed(Prop::Enabled);
}

void TMenuItem::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed(Prop::Visible);
}

void TMenuItem::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  if (v && radio_item_ && parent_)
    for (TMenuItem* sibling : parent_->items_)
      if (sibling != this && sibling->radio_item_ && sibling->group_index_ == group_index_ && sibling->checked_) {
        sibling->checked_ = false;
        sibling->Changed(Prop::Checked);
      }
  Changed(Prop::Checked);
}

void TMenuItem::SetRadioItem(bool v) {
  if (v == radio_item_) return;
  radio_item_ = v;
  Changed(Prop::RadioItem);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  for (TMenuItem* p = this; p; p = p->parent_)
    if (p == item) throw Exception(PlatformText("menu.contains_itself"));
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Changed(Prop::Items);
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Changed(Prop::Items);
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
  std::string wanted = StripHotkey(caption);
  for (TMenuItem* item : items_)
    if (SameText(StripHotkey(item->caption_), wanted)) return item;
  return nullptr;
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (auto_check_) SetChecked(!checked_);
  Fire(OnClick, this);
}

bool TMenuItem::UserClick() {
  for (const TMenuItem* p = this; p; p = p->parent_)
    if (!p->enabled_ || !p->visible_) return false;
  return RunGesture([this] { Click(); });
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), root_(new TMenuItem(this)) {}

}  // namespace zor::plat

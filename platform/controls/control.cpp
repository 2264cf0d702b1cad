// Controls: geometry, state, parent chains and tab order.
#include "platform/controls/control.h"

#include <algorithm>

#include "platform/controls/custom_form.h"
#include "platform/controls/gesture.h"

namespace zor::plat {

// ---- TControl --------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
  Changed(Prop::Parent);
}

TCustomForm* TControl::GetParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed(Prop::Bounds);
}

void TControl::SetAlign(TAlign a) {
  if (a == align_) return;
  align_ = a;
  Changed(Prop::Align);
}

void TControl::SetAnchors(TAnchors a) {
  if (a == anchors_) return;
  anchors_ = a;
  Changed(Prop::Anchors);
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Changed(Prop::Enabled);
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed(Prop::Visible);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (dynamic_cast<const TCustomForm*>(c)) return true;
    if (!c->visible_) return false;
  }
  return true;
}

void TControl::SetText(const std::string& v) {
  if (v == text_) return;
  text_ = v;
  Changed(Prop::Caption);
}

void TControl::SetHint(const std::string& v) {
  if (v == hint_) return;
  hint_ = v;
  Changed(Prop::Hint);
}

void TControl::SetShowHint(bool v) {
  if (v == show_hint_) return;
  show_hint_ = v;
  Changed(Prop::ShowHint);
}

void TControl::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  Changed(Prop::Color);
}

void TControl::SetFont(const TFont& f) {
  if (f == font_) return;
  font_ = f;
  Changed(Prop::Font);
}

void TControl::SetFontBold(bool bold) {
  TFont f = font_;
  f.Bold = bold;
  SetFont(f);
}

void TControl::SetFontColor(TColor c) {
  TFont f = font_;
  f.Color = c;
  SetFont(f);
}

void TControl::SetCursor(TCursor c) {
  if (c == cursor_) return;
  cursor_ = c;
  Changed(Prop::Cursor);
}

void TControl::Click() { Fire(OnClick, this); }

void TControl::DblClick() { Fire(OnDblClick, this); }

bool TControl::UserClick() {
  if (!enabled_ || !Showing()) return false;
  return RunGesture([this] { Click(); });
}

bool TControl::UserDblClick() {
  if (!enabled_ || !Showing()) return false;
  return RunGesture([this] { DblClick(); });
}

void TControl::DoEnter() { Fire(OnEnter, this); }

void TControl::DoExit() { Fire(OnExit, this); }

// ---- TWinControl -----------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children may outlive us for a moment (the owner destroys them later):
  // cut them loose so none of them reaches back into a dead parent.
  if (TCustomForm* form = GetParentForm()) form->ForgetControl(this);
  // Leave the parent while still a windowed control (its tab list holds us as one).
  if (Parent()) Parent()->RemoveControl(this);
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  tab_list_.clear();
}

bool TWinControl::ContainsControl(const TControl* c) const {
  for (; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  c->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(c)) tab_list_.push_back(w);
}

void TWinControl::RemoveControl(TControl* c) {
  if (TCustomForm* form = GetParentForm()) form->ForgetControl(c);
  std::erase(controls_, c);
  std::erase(tab_list_, static_cast<TWinControl*>(nullptr));
  tab_list_.erase(std::remove_if(tab_list_.begin(), tab_list_.end(),
                                 [c](TWinControl* w) { return static_cast<TControl*>(w) == c; }),
                  tab_list_.end());
  c->parent_ = nullptr;
}

int TWinControl::TabOrder() const {
  if (!Parent()) return 0;
  const auto& list = Parent()->tab_list_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->tab_list_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
  for (TWinControl* w : list) w->Changed(Prop::TabOrder);
}

void TWinControl::SetTabStop(bool v) {
  if (v == tab_stop_) return;
  tab_stop_ = v;
  Changed(Prop::TabStop);
}

bool TWinControl::CanFocus() const {
  if (!GetParentForm()) return false;
  for (const TControl* c = this; c && !dynamic_cast<const TCustomForm*>(c); c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  TCustomForm* form = GetParentForm();
  return form && form->ActiveControl() == this;
}

bool TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm();
  return form && form->FocusControl(this);
}

void TWinControl::KeyDown(Word& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
  if (key != 0) DefaultKeyDown(key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
  if (key != 0) DefaultKeyPress(key);
}

}  // namespace zor::plat

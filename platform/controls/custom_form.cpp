// The focus engine of a form: exit/enter walks, re-entrant moves, tab order.
#include "platform/controls/custom_form.h"

#include <algorithm>

#include "platform/controls/gesture.h"

namespace zor::plat {

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) { SetVisible(false); }

TCustomForm::~TCustomForm() {
  active_ = nullptr;
  entered_ = nullptr;
}

Observers<TCustomForm*, TWinControl*, TWinControl*>& TCustomForm::AllFocusChanges() {
  static Observers<TCustomForm*, TWinControl*, TWinControl*> all;
  return all;
}

void TCustomForm::SetActive(TWinControl* control) {
  if (control == active_) return;
  TWinControl* old = active_;
  active_ = control;
  if (old) old->Changes.Notify(old, Prop::Focus);
  if (control) control->Changes.Notify(control, Prop::Focus);
  Changes.Notify(this, Prop::ActiveControl);
  FocusChanges.Notify(this, old, control);
  AllFocusChanges().Notify(this, old, control);
}

bool TCustomForm::FocusControl(TWinControl* target) {
  if (target && (target->GetParentForm() != this || !target->CanFocus())) return false;
  // Every request, even one for the control that has the focus already,
  // supersedes a move in progress: that is how an exit handler keeps the
  // focus where it wants it.
  const unsigned gen = ++generation_;
  if (target && target == active_ && target == entered_) return true;

  // Exit walk: leave the entered controls, innermost first, up to the
  // first container that holds the target.
  while (entered_ && !(target && entered_->ContainsControl(target))) {
    TWinControl* leaving = entered_;
    try {
      leaving->DoExit();
    } catch (...) {
      // The move is cancelled: the focus stays where it was (or where the
      // handler put it), and the control counts as entered again.
      if (generation_ == gen) entered_ = active_;
      throw;
    }
    if (generation_ != gen) return false;
    TWinControl* up = leaving->Parent();
    entered_ = (up == this) ? nullptr : up;
  }

  // Enter walk: the containers below the entered one, outermost first.
  std::vector<TWinControl*> path;
  for (TWinControl* c = target; c && c != this && c != entered_; c = c->Parent()) path.push_back(c);
  std::reverse(path.begin(), path.end());

  SetActive(target);
  for (TWinControl* c : path) {
    entered_ = c;
    try {
      c->DoEnter();
    } catch (...) {
      if (generation_ == gen) entered_ = active_;
      throw;
    }
    if (generation_ != gen) return active_ == target;
  }
  entered_ = target;
  return true;
}

std::vector<TWinControl*> TCustomForm::TabOrderList() const {
  std::vector<TWinControl*> out;
  // Depth first, each container's children in their tab order.
  struct Walk {
    static void Add(const TWinControl* parent, std::vector<TWinControl*>& out) {
      for (TWinControl* child : parent->TabList()) {
        out.push_back(child);
        Add(child, out);
      }
    }
  };
  Walk::Add(this, out);
  return out;
}

TWinControl* TCustomForm::FindNextControl(TWinControl* current, bool forward) const {
  std::vector<TWinControl*> list = TabOrderList();
  const int n = static_cast<int>(list.size());
  if (n == 0) return nullptr;
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (list[i] == current) start = i;
  if (start < 0) start = forward ? -1 : n;
  for (int step = 1; step <= n; ++step) {
    int i = forward ? start + step : start - step;
    i = ((i % n) + n) % n;
    TWinControl* c = list[i];
    if (c != current && c->TabStop() && c->CanFocus()) return c;
  }
  return nullptr;
}

bool TCustomForm::UserFocus(TWinControl* target) {
  bool moved = false;
  RunGesture([&] { moved = FocusControl(target); });
  return moved && active_ == target;
}

bool TCustomForm::UserTab(bool forward) {
  TWinControl* next = FindNextControl(active_, forward);
  if (!next) return false;
  return UserFocus(next);
}

bool TCustomForm::UserKeyDown(Word key, TShiftState shift) {
  bool tab = false;
  bool ok = RunGesture([&] {
    Word k = key;
    if (key_preview_ && OnKeyDown) OnKeyDown(this, k, shift);
    if (k != 0 && active_) active_->KeyDown(k, shift);
    tab = (k == VK_TAB) && !(active_ && active_->WantsTab());
  });
  if (ok && tab) return UserTab(!shift.Contains(ssShift));
  return ok;
}

bool TCustomForm::UserKeyPress(char key) {
  return RunGesture([&] {
    char k = key;
    if (key_preview_ && OnKeyPress) OnKeyPress(this, k);
    if (k != 0 && active_) active_->KeyPress(k);
  });
}

void TCustomForm::ForgetControl(const TControl* control) {
  if (!control) return;
  auto inside = [control](const TControl* c) {
    for (; c; c = c->Parent())
      if (c == control) return true;
    return false;
  };
  if (entered_ && inside(entered_)) {
    TWinControl* up = control->Parent();
    entered_ = (up == nullptr || up == this) ? nullptr : up;
  }
  if (active_ && inside(active_)) {
    // The control may be half destroyed: tell the form's observers only
    // (they may compare the pointer, never use it).
    TWinControl* old = active_;
    active_ = nullptr;
    Changes.Notify(this, Prop::ActiveControl);
    FocusChanges.Notify(this, old, nullptr);
    AllFocusChanges().Notify(this, old, nullptr);
  }
}

}  // namespace zor::plat

// Page controls and their tab sheets.
#include "platform/controls/page_control.h"

#include <algorithm>

#include "platform/controls/custom_form.h"
#include "platform/controls/gesture.h"

namespace zor::plat {

// ---- TTabSheet -------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  tab_stop_ = false;
  TControl::SetVisible(false);
}

TTabSheet::~TTabSheet() {
  // Leave the page control while still a sheet.
  if (page_control_) page_control_->RemoveControl(this);
}

void TTabSheet::SetPageControl(TPageControl* pc) { SetParent(pc); }

void TTabSheet::SetParent(TWinControl* parent) {
  // A sheet lives in a page control or nowhere.
  auto* pc = dynamic_cast<TPageControl*>(parent);
  if (parent && !pc) return;
  TWinControl::SetParent(pc);
}

int TTabSheet::PageIndex() const {
  if (!page_control_) return -1;
  const auto& pages = page_control_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
  if (page_control_) page_control_->MovePage(this, index);
}

void TTabSheet::SetTabVisible(bool v) {
  if (v == tab_visible_) return;
  tab_visible_ = v;
  Changed(Prop::TabVisible);
}

int TTabSheet::TabIndex() const {
  if (!page_control_ || !tab_visible_) return -1;
  int index = 0;
  for (TTabSheet* s : page_control_->pages_) {
    if (s == this) return index;
    if (s->tab_visible_) ++index;
  }
  return -1;
}

// ---- TPageControl ----------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) { SetDefaultSize(289, 193); }

TPageControl::~TPageControl() {
  for (TTabSheet* s : pages_) s->page_control_ = nullptr;
  pages_.clear();
  active_ = nullptr;
}

void TPageControl::InsertControl(TControl* c) {
  TWinControl::InsertControl(c);
  if (auto* sheet = dynamic_cast<TTabSheet*>(c)) {
    pages_.push_back(sheet);
    sheet->page_control_ = this;
    sheet->TControl::SetVisible(false);
    Changed(Prop::Items);
    if (!active_) SetActivePage(sheet);
  }
}

void TPageControl::RemoveControl(TControl* c) {
  auto it = std::find(pages_.begin(), pages_.end(), c);
  if (it != pages_.end()) {
    TTabSheet* sheet = *it;
    size_t index = it - pages_.begin();
    pages_.erase(it);
    sheet->page_control_ = nullptr;
    if (sheet == active_) {
      active_ = nullptr;
      TTabSheet* next = pages_.empty() ? nullptr : pages_[std::min(index, pages_.size() - 1)];
      if (next) {
        active_ = next;
        next->TControl::SetVisible(true);
      }
      Changed(Prop::ActivePage);
    }
    Changed(Prop::Items);
  }
  TWinControl::RemoveControl(c);
}

void TPageControl::MovePage(TTabSheet* sheet, int index) {
  auto it = std::find(pages_.begin(), pages_.end(), sheet);
  if (it == pages_.end()) return;
  pages_.erase(it);
  index = std::clamp(index, 0, static_cast<int>(pages_.size()));
  pages_.insert(pages_.begin() + index, sheet);
  for (TTabSheet* s : pages_) s->Changed(Prop::PageIndex);
  Changed(Prop::Items);
}

void TPageControl::SetActivePage(TTabSheet* sheet) {
  if (sheet == active_) return;
  if (sheet && sheet->page_control_ != this) return;
  TCustomForm* form = GetParentForm();
  if (form && active_ && form->ActiveControl() && active_->ContainsControl(form->ActiveControl())) {
    // The focused control is about to disappear with its page.
    if (CanFocus()) form->FocusControl(this);
  }
  TTabSheet* old = active_;
  active_ = sheet;
  if (old) old->TControl::SetVisible(false);
  if (sheet) sheet->TControl::SetVisible(true);
  Changed(Prop::ActivePage);
}

int TPageControl::ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? pages_[index] : nullptr);
}

bool TPageControl::SelectPage(TTabSheet* sheet) {
  if (!sheet || sheet->page_control_ != this || sheet == active_) return false;
  if (!sheet->Enabled() || !sheet->TabVisible() || !Enabled() || !Showing()) return false;
  bool allow = true;
  bool ok = RunGesture([&] {
    if (OnChanging) OnChanging(this, allow);
    if (!allow) return;
    SetActivePage(sheet);
    if (active_ == sheet) Fire(OnChange, this);
  });
  return ok && allow && active_ == sheet;
}

}  // namespace zor::plat

// The display, its forms and the active form.
#include "platform/forms/screen.h"

#include <algorithm>

#include "platform/forms/form.h"

namespace zor::plat {

TScreen::TScreen() {
  focus_subscription_ = TCustomForm::AllFocusChanges().Subscribe([this](TCustomForm* form, TWinControl*, TWinControl*) {
    if (form && form == active_form_) Changes.Notify(this, Prop::ActiveControl);
  });
}

TScreen::~TScreen() { TCustomForm::AllFocusChanges().Unsubscribe(focus_subscription_); }

void TScreen::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  Changes.Notify(this, Prop::ScreenSize);
}

void TScreen::SetCursor(TCursor c) {
  if (c == cursor_) return;
  cursor_ = c;
  Changes.Notify(this, Prop::Cursor);
}

TWinControl* TScreen::ActiveControl() const { return active_form_ ? active_form_->ActiveControl() : nullptr; }

void TScreen::Reset() {
  SetSize(1024, 768);
  SetCursor(crDefault);
}

void TScreen::AddForm(TForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TForm* form) {
  std::erase(forms_, form);
  std::erase(z_order_, form);
  if (active_form_ == form) {
    active_form_ = nullptr;
    Changes.Notify(this, Prop::ActiveForm);
  }
}

void TScreen::ActivateForm(TForm* form) {
  std::erase(z_order_, form);
  z_order_.push_back(form);
  if (form == active_form_) return;
  TForm* old = active_form_;
  active_form_ = form;
  if (old) old->DoDeactivate();
  Changes.Notify(this, Prop::ActiveForm);
  // A deactivation handler may have activated another form meanwhile.
  if (active_form_ == form) form->DoActivate();
}

void TScreen::FormHidden(TForm* form) {
  std::erase(z_order_, form);
  if (form != active_form_) return;
  active_form_ = nullptr;
  form->DoDeactivate();
  Changes.Notify(this, Prop::ActiveForm);
  for (auto it = z_order_.rbegin(); it != z_order_.rend(); ++it)
    if ((*it)->Visible()) {
      ActivateForm(*it);
      return;
    }
}

}  // namespace zor::plat

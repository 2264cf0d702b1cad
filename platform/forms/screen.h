// TScreen: the display and the windows on it: size (settable, so a
// 640 × 480 display can be tested), the mouse cursor, every form, the
// active form and its focused control. `Screen` is the process's one.
#pragma once

#include <vector>

#include "platform/controls/change_notify.h"
#include "platform/controls/graphics.h"
#include "platform/core/component.h"

namespace zor::plat {

class TForm;
class TWinControl;

class TScreen : public TComponent {
 public:
  TScreen();
  ~TScreen() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);
  void SetWidth(int w) { SetSize(w, height_); }
  void SetHeight(int h) { SetSize(width_, h); }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);

  int FormCount() const { return static_cast<int>(forms_.size()); }
  TForm* Forms(int index) const { return forms_.at(index); }
  TForm* ActiveForm() const { return active_form_; }
  TWinControl* ActiveControl() const;

  // Back to a 1024 × 768 display and the default cursor (for tests).
  void Reset();

  // Changes: Cursor, ScreenSize, ActiveForm, ActiveControl (the active
  // form's focus moved).
  ChangeObservers Changes;

  // Used by TForm.
  void AddForm(TForm* form);
  void RemoveForm(TForm* form);
  void ActivateForm(TForm* form);
  // The form was hidden: when it was active, the topmost visible form becomes active.
  void FormHidden(TForm* form);

 private:
  int width_ = 1024;
  int height_ = 768;
  TCursor cursor_ = crDefault;
  std::vector<TForm*> forms_;     // creation order
  std::vector<TForm*> z_order_;   // last is topmost
  TForm* active_form_ = nullptr;
  int focus_subscription_ = 0;
};

extern TScreen* const Screen;

// Shows `cursor` for a scope (the hourglass while a screen opens) and the
// default cursor again on every way out, exceptions included.
class CursorScope {
 public:
  explicit CursorScope(TCursor cursor) { Screen->SetCursor(cursor); }
  ~CursorScope() { Screen->SetCursor(crDefault); }
  CursorScope(const CursorScope&) = delete;
  CursorScope& operator=(const CursorScope&) = delete;
};

}  // namespace zor::plat

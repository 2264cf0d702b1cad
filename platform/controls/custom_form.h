// TCustomForm: the top of a control tree and the owner of its focus. One
// control per form is active (focused). Moving the focus runs the exit
// handlers of the control being left and of every container being left
// (innermost first), then the enter handlers of the containers being
// entered and of the new control (outermost first). An exception from an
// exit handler cancels the move; a handler that moves the focus itself wins
// over the move that ran it. The lifecycle of windows (show, close, modal
// runs) lives in TForm (platform/forms).
#pragma once

#include <vector>

#include "platform/controls/control.h"

namespace zor::plat {

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* owner = nullptr);
  ~TCustomForm() override;

  TWinControl* ActiveControl() const { return active_; }
  // As the ActiveControl property assigned from code: a focus move.
  bool SetActiveControl(TWinControl* control) { return FocusControl(control); }

  // The focus engine. `target` null leaves every control (no focus).
  // Exceptions from handlers propagate; false when the move was refused
  // (target cannot take the focus) or a handler moved the focus elsewhere.
  bool FocusControl(TWinControl* target);

  // Every focusable control of the form in tab order (children follow
  // their container), and the next one after `current`, wrapping around.
  std::vector<TWinControl*> TabOrderList() const;
  TWinControl* FindNextControl(TWinControl* current, bool forward) const;

  // Gestures. Each reports its exceptions the standard way and returns
  // false when the focus did not end where the person sent it, so the
  // renderer can put its own focus back on ActiveControl().
  bool UserFocus(TWinControl* target);
  bool UserTab(bool forward = true);
  // A key pressed while the form has the focus: the form sees it first
  // when KeyPreview is on, then the active control; an unhandled Tab moves
  // the focus (Shift+Tab backwards).
  bool UserKeyDown(Word key, TShiftState shift = {});
  bool UserKeyPress(char key);

  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool v) { key_preview_ = v; }

  // The form's focus changes: (form, control left, control now focused).
  // When a focused control is destroyed, the control left is the dying
  // control: observers may compare it, never use it.
  Observers<TCustomForm*, TWinControl*, TWinControl*> FocusChanges;
  // The same for every form of the process (the screen object follows it).
  static Observers<TCustomForm*, TWinControl*, TWinControl*>& AllFocusChanges();

  // A control is leaving the form (destroyed or re-parented): drop every
  // reference to it and to what it contains, without events.
  void ForgetControl(const TControl* control);

  bool CanFocus() const override { return false; }

 private:
  void SetActive(TWinControl* control);
  TWinControl* active_ = nullptr;
  // The innermost control whose enter handler has run and whose exit
  // handler has not; it climbs while a move runs the exit handlers.
  TWinControl* entered_ = nullptr;
  unsigned generation_ = 0;
  bool key_preview_ = false;
};

}  // namespace zor::plat

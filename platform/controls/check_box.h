// TCheckBox: a box the person ticks. Changing Checked, from code too, runs
// OnClick; detaching OnClick (nullptr) around a change made from data is
// how a handler sets the box quietly.
#pragma once

#include "platform/controls/control.h"

namespace zor::plat {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner = nullptr);

  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState s);
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool v) { allow_grayed_ = v; }

  // The person clicks the box: it toggles (through grayed when allowed).
  void Toggle();

  // A click from the person toggles the box, which runs OnClick.
  void Click() override { Toggle(); }

 protected:
  void DefaultKeyPress(char& key) override;

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allow_grayed_ = false;
};

}  // namespace zor::plat

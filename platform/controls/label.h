// TLabel: a caption on the form, optionally naming the control it labels.
#pragma once

#include "platform/controls/control.h"

namespace zor::plat {

class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner = nullptr);
  ~TLabel() override;

  // The control that takes the focus for this label's accelerator.
  TWinControl* FocusControl() const { return focus_control_; }
  void SetFocusControl(TWinControl* c);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v) { auto_size_ = v; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TWinControl* focus_control_ = nullptr;
  TAlignment alignment_ = taLeftJustify;
  bool auto_size_ = true;
  bool transparent_ = false;
};

}  // namespace zor::plat

// Labels.
#include "platform/controls/label.h"

namespace zor::plat {

TLabel::TLabel(TComponent* owner) : TControl(owner) {}

TLabel::~TLabel() = default;

void TLabel::SetFocusControl(TWinControl* c) {
  if (c == focus_control_) return;
  if (focus_control_) RemoveFreeNotification(focus_control_);
  focus_control_ = c;
  if (c) FreeNotification(c);
  Changed(Prop::FocusControl);
}

void TLabel::SetAlignment(TAlignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Changed(Prop::Other);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
  TControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == focus_control_) focus_control_ = nullptr;
}

}  // namespace zor::plat

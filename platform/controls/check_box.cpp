// Check boxes.
#include "platform/controls/check_box.h"

namespace zor::plat {

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) { SetDefaultSize(97, 17); }

void TCheckBox::SetState(TCheckBoxState s) {
  if (s == state_) return;
  state_ = s;
  Changed(Prop::Checked);
  Fire(OnClick, this);
}

void TCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(allow_grayed_ ? cbGrayed : cbUnchecked); break;
    case cbGrayed: SetState(cbUnchecked); break;
  }
}

void TCheckBox::DefaultKeyPress(char& key) {
  if (key == ' ') Toggle();
}

}  // namespace zor::plat

// Panels, group boxes, scroll boxes and bevels.
#include "platform/controls/containers.h"

namespace zor::plat {

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
  SetDefaultSize(185, 41);
  tab_stop_ = false;
}

void TPanel::SetBevelInner(TBevelCut b) {
  if (b == bevel_inner_) return;
  bevel_inner_ = b;
  Changed(Prop::Bevel);
}

void TPanel::SetBevelOuter(TBevelCut b) {
  if (b == bevel_outer_) return;
  bevel_outer_ = b;
  Changed(Prop::Bevel);
}

void TPanel::SetBevelWidth(int w) {
  if (w == bevel_width_) return;
  bevel_width_ = w;
  Changed(Prop::Bevel);
}

void TPanel::SetAlignment(TAlignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Changed(Prop::Other);
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  SetDefaultSize(185, 105);
  tab_stop_ = false;
}

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
  tab_stop_ = false;
  SetColor(clWindow);
}

void TBevel::SetShape(TBevelShape s) {
  if (s == shape_) return;
  shape_ = s;
  Changed(Prop::Other);
}

}  // namespace zor::plat

// Speed buttons.
#include "platform/controls/speed_button.h"

namespace zor::plat {

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner) { SetDefaultSize(23, 22); }

void TSpeedButton::SetFlat(bool v) {
  if (v == flat_) return;
  flat_ = v;
  Changed(Prop::Flat);
}

void TSpeedButton::SetGlyph(const std::string& name) {
  if (name == glyph_) return;
  glyph_ = name;
  Changed(Prop::Glyph);
}

void TSpeedButton::SetDown(bool v) {
  if (group_index_ == 0) v = false;
  if (v == down_) return;
  if (!v && !allow_all_up_) {
    // One button of the group must stay down unless all may be up.
    bool otherDown = false;
    if (Parent())
      for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (b && b != this && b->group_index_ == group_index_ && b->down_) otherDown = true;
      }
    if (!otherDown) return;
  }
  down_ = v;
  if (down_ && Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
      if (b && b != this && b->group_index_ == group_index_ && b->down_) {
        b->down_ = false;
        b->Changed(Prop::Down);
      }
    }
  Changed(Prop::Down);
}

void TSpeedButton::Click() {
  if (!Enabled()) return;
  if (group_index_ > 0) SetDown(allow_all_up_ ? !down_ : true);
  Fire(OnClick, this);
}

}  // namespace zor::plat

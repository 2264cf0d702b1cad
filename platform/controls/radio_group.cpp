// Radio groups.
#include "platform/controls/radio_group.h"

#include "platform/controls/gesture.h"
#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"

namespace zor::plat {

TRadioGroup::TRadioGroup(TComponent* owner) : TWinControl(owner) {
  SetDefaultSize(185, 105);
  tab_stop_ = true;
  items_.Changed.Subscribe([this] {
    if (item_index_ >= items_.Count()) {
      item_index_ = -1;
      Changed(Prop::ItemIndex);
    }
    Changed(Prop::Items);
  });
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= items_.Count())
    throw Exception(PlatformText("list.index_out_of_bounds", {std::to_string(index)}));
  if (index == item_index_) return;
  item_index_ = index;
  Changed(Prop::ItemIndex);
  Fire(OnClick, this);
}

void TRadioGroup::SetColumns(int v) {
  if (v < 1) v = 1;
  if (v == columns_) return;
  columns_ = v;
  Changed(Prop::Columns);
}

bool TRadioGroup::UserSelect(int index) {
  if (!Enabled() || !Showing() || index < 0 || index >= items_.Count()) return false;
  return RunGesture([&] { SetItemIndex(index); });
}

}  // namespace zor::plat

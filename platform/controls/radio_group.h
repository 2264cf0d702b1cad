// TRadioGroup: a captioned group of mutually exclusive choices. Changing
// ItemIndex, from code too, runs OnClick (as a check box does).
#pragma once

#include "platform/controls/control.h"
#include "platform/controls/strings.h"

namespace zor::plat {

class TRadioGroup : public TWinControl {
 public:
  explicit TRadioGroup(TComponent* owner = nullptr);

  TStrings& Items() { return items_; }
  const TStrings& Items() const { return items_; }
  int ItemIndex() const { return item_index_; }
  // -1 clears the choice; out of range raises.
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int v);

  // Gesture: the person picks a choice.
  virtual bool UserSelect(int index);

 private:
  TStrings items_;
  int item_index_ = -1;
  int columns_ = 1;
};

}  // namespace zor::plat

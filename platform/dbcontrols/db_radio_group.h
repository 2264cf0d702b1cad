// TDBRadioGroup: a radio group bound to one field. Values holds the value
// stored for each item, in item order (without Values an item's caption is
// its value). The choice follows the field's text; a value that is none of
// them leaves no choice. The person's choice first puts a browsing dataset
// into edit (refused when it cannot), runs OnClick, and writes the item's
// value into the field at once through the field's set-text.
#pragma once

#include <string>

#include "platform/controls/radio_group.h"
#include "platform/controls/strings.h"
#include "platform/dbcontrols/field_linked_control.h"

namespace zor::plat {

class TDBRadioGroup : public TFieldLinkedControl<TRadioGroup> {
 public:
  explicit TDBRadioGroup(TComponent* owner = nullptr);

  TStrings& Values() { return values_; }
  const TStrings& Values() const { return values_; }
  // The value of the chosen item; empty without a choice.
  std::string Value() const;

  bool UserSelect(int index) override;

 private:
  std::string ValueOf(int index) const;
  void ShowField() override;
  void WriteField() override;
  TStrings values_;
};

}  // namespace zor::plat

// TDBCheckBox: a check box bound to one field. The box is checked when the
// field's text is ValueChecked and unchecked when it is ValueUnchecked
// (each may list several accepted texts separated by ';', the first being
// the one written; the texts compare without regard to letter case). A
// null field or any other value shows the box grayed when AllowGrayed is
// set, unchecked otherwise.
//
// Loading the field's value into the box changes its state and so runs
// OnClick, as a plain check box does when code changes it. The person's
// click (or Space) first puts a browsing dataset into edit (refused when it
// cannot), toggles the box, runs OnClick, and writes the new value into the
// field at once through the field's set-text.
#pragma once

#include <string>

#include "platform/controls/check_box.h"
#include "platform/dbcontrols/field_linked_control.h"

namespace zor::plat {

class TDBCheckBox : public TFieldLinkedControl<TCheckBox> {
 public:
  explicit TDBCheckBox(TComponent* owner = nullptr);

  const std::string& ValueChecked() const { return value_checked_; }
  void SetValueChecked(const std::string& v);
  const std::string& ValueUnchecked() const { return value_unchecked_; }
  void SetValueUnchecked(const std::string& v);

  // The person's click.
  void Click() override;

 protected:
  void DefaultKeyPress(char& key) override;

 private:
  void ShowField() override;
  void WriteField() override;
  std::string value_checked_ = "True";
  std::string value_unchecked_ = "False";
};

}  // namespace zor::plat

// TDBComboBox: a combo box bound to one field. Its choice follows the
// field's display text (in the list-only style an unknown text leaves no
// choice). The person's choice first puts a browsing dataset into edit
// (refused when it cannot), then runs OnChange/OnSelect/OnClick as a plain
// combo box does, and writes the chosen text into the field at once through
// the field's set-text; when the field refuses it the combo box shows the
// field's value again and the error travels on. Free text typed in the
// drop-down style is written when the combo box is left or the dataset
// asks for pending text (UpdateRecord).
#pragma once

#include <string>

#include "platform/controls/combo_box.h"
#include "platform/dbcontrols/field_linked_control.h"

namespace zor::plat {

class TDBComboBox : public TFieldLinkedControl<TComboBox> {
 public:
  explicit TDBComboBox(TComponent* owner = nullptr);

  bool UserSelect(int index) override;
  bool UserSetText(const std::string& text) override;
  void DoExit() override;

 private:
  void ShowField() override;
  void WriteField() override;
};

}  // namespace zor::plat

// What every data-aware choice control (check box, combo box, radio group)
// shares: a link to one field of a data source, the field shown again on
// every data change, the control's value written into the field when the
// dataset asks for pending values, and the focus taken when the field asks.
// A control supplies ShowField and WriteField.
#pragma once

#include <string>

#include "platform/data/data_link.h"
#include "platform/data/data_source.h"

namespace zor::plat {

template <typename Control>
class TFieldLinkedControl : public Control {
 public:
  explicit TFieldLinkedControl(TComponent* owner) : Control(owner) {
    link_.SetControl(this);
    link_.OnDataChange = [this](TObject*) { ShowField(); };
    link_.OnUpdateData = [this](TObject*) { WriteField(); };
    link_.OnFocusControl = [this](TObject*) {
      if (this->CanFocus()) this->SetFocus();
    };
  }
  ~TFieldLinkedControl() override {
    // The control is gone: nothing may reach its handlers while unlinking.
    link_.OnDataChange = nullptr;
    link_.OnUpdateData = nullptr;
    link_.OnFocusControl = nullptr;
    link_.SetDataSource(nullptr);
  }

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* source) {
    link_.SetDataSource(source);
    ShowField();
  }
  const std::string& DataField() const { return link_.FieldName(); }
  void SetDataField(const std::string& name) {
    link_.SetFieldName(name);
    ShowField();
  }
  TField* Field() const { return link_.Field(); }
  bool ReadOnly() const { return link_.ReadOnly(); }
  void SetReadOnly(bool v) { link_.SetReadOnly(v); }

 protected:
  // Shows the field's current value.
  virtual void ShowField() = 0;
  // Writes the control's value into the field.
  virtual void WriteField() = 0;

  TFieldDataLink link_;
};

}  // namespace zor::plat

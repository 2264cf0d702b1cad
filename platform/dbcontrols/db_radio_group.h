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
#include "platform/data/data_link.h"
#include "platform/data/data_source.h"

namespace plat {

class TDBRadioGroup : public TRadioGroup {
 public:
  explicit TDBRadioGroup(TComponent* owner = nullptr);
  ~TDBRadioGroup() override;

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* source);
  const std::string& DataField() const { return link_.FieldName(); }
  void SetDataField(const std::string& name);
  TField* Field() const { return link_.Field(); }
  bool ReadOnly() const { return link_.ReadOnly(); }
  void SetReadOnly(bool v) { link_.SetReadOnly(v); }

  TStrings& Values() { return values_; }
  const TStrings& Values() const { return values_; }
  // The value of the chosen item; empty without a choice.
  std::string Value() const;

  bool UserSelect(int index) override;

 private:
  std::string ValueOf(int index) const;
  void ShowField();
  TFieldDataLink link_;
  TStrings values_;
};

}  // namespace plat

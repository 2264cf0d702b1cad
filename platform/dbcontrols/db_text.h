// TDBText: a label that shows the display text of one field of a data
// source and follows every change of it. The person cannot edit it.
#pragma once

#include <string>

#include "platform/controls/label.h"
#include "platform/data/data_link.h"
#include "platform/data/data_source.h"

namespace zor::plat {

class TDBText : public TLabel {
 public:
  explicit TDBText(TComponent* owner = nullptr);
  ~TDBText() override;

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* source);
  const std::string& DataField() const { return link_.FieldName(); }
  void SetDataField(const std::string& name);
  TField* Field() const { return link_.Field(); }

 private:
  void ShowField();
  TFieldDataLink link_;
};

}  // namespace zor::plat

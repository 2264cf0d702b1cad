// The search dialog: choose the field to search by, type the value, then
// "Procurar" or "Cancelar".
#pragma once

#include <QDialog>

#include "platform/ui/ui_port.h"

class QComboBox;
class QLineEdit;

namespace zor::desktop {

class SearchDialog : public QDialog {
  Q_OBJECT
 public:
  SearchDialog(const plat::SearchRequest& request, QWidget* parent = nullptr);

  plat::SearchAnswer Answer() const;
  QComboBox* FieldChooser() const { return fields_; }
  QLineEdit* ValueBox() const { return value_; }

 private:
  std::vector<std::string> names_;
  QComboBox* fields_;
  QLineEdit* value_;
};

}  // namespace zor::desktop

// Search dialog: a field chooser and a value.
#include "desktop/search_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zor::desktop {

SearchDialog::SearchDialog(const plat::SearchRequest& request, QWidget* parent)
    : QDialog(parent), names_(request.FieldNames), fields_(new QComboBox(this)), value_(new QLineEdit(this)) {
  setObjectName("zorSearch");
  setWindowTitle(request.Title.empty() ? QStringLiteral("Procurar") : QString::fromStdString(request.Title));
  setModal(true);
  fields_->setObjectName("field");
  value_->setObjectName("value");
  for (size_t i = 0; i < request.FieldNames.size(); ++i) {
    const std::string& label = i < request.FieldLabels.size() && !request.FieldLabels[i].empty()
                                   ? request.FieldLabels[i]
                                   : request.FieldNames[i];
    fields_->addItem(QString::fromStdString(label));
  }

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Campo:"), fields_);
  form->addRow(QStringLiteral("Valor:"), value_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* find = buttons->addButton(QStringLiteral("Procurar"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
  find->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  value_->setFocus();
}

plat::SearchAnswer SearchDialog::Answer() const {
  plat::SearchAnswer a;
  int i = fields_->currentIndex();
  if (i >= 0 && i < static_cast<int>(names_.size())) a.FieldName = names_[i];
  a.Value = value_->text().toStdString();
  return a;
}

}  // namespace zor::desktop

// Pick list dialog over the rows a pick list request carries.
#include "desktop/pick_list_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace zor::desktop {

PickListDialog::PickListDialog(const plat::PickListRequest& request, QWidget* parent)
    : QDialog(parent),
      model_(new QStandardItemModel(this)),
      proxy_(new QSortFilterProxyModel(this)),
      filter_(new QLineEdit(this)),
      table_(new QTableView(this)) {
  setObjectName("zorPickList");
  setWindowTitle(QString::fromStdString(request.Title));
  setModal(true);

  QStringList labels;
  for (const auto& l : request.ColumnLabels) labels << QString::fromStdString(l);
  model_->setColumnCount(labels.size());
  model_->setHorizontalHeaderLabels(labels);
  for (const auto& row : request.Rows) {
    QList<QStandardItem*> items;
    for (int c = 0; c < labels.size(); ++c) {
      auto* item = new QStandardItem(c < static_cast<int>(row.size()) ? QString::fromStdString(row[c]) : QString());
      item->setEditable(false);
      items << item;
    }
    model_->appendRow(items);
  }

  // The filter keeps the rows where any column contains the typed text.
  proxy_->setSourceModel(model_);
  proxy_->setFilterKeyColumn(-1);
  proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);

  filter_->setObjectName("filter");
  filter_->setPlaceholderText(QStringLiteral("Filtrar"));
  filter_->installEventFilter(this);
  connect(filter_, &QLineEdit::textChanged, this, &PickListDialog::ApplyFilter);

  table_->setObjectName("rows");
  table_->setModel(proxy_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->resizeColumnsToContents();
  connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) {
      table_->setCurrentIndex(index);
      accept();
    }
  });

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("Selecionar"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (table_->currentIndex().isValid()) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(filter_);
  layout->addWidget(table_);
  layout->addWidget(buttons);
  resize(480, 320);

  if (request.CurrentRow >= 0 && request.CurrentRow < model_->rowCount())
    table_->selectRow(proxy_->mapFromSource(model_->index(request.CurrentRow, 0)).row());
  EnsureCurrent();
  table_->setFocus();
}

std::optional<int> PickListDialog::ChosenRow() const {
  if (result() != QDialog::Accepted) return std::nullopt;
  QModelIndex current = table_->currentIndex();
  if (!current.isValid()) return std::nullopt;
  return proxy_->mapToSource(current).row();
}

int PickListDialog::VisibleRows() const { return proxy_->rowCount(); }

void PickListDialog::ApplyFilter(const QString& text) {
  proxy_->setFilterFixedString(text);
  EnsureCurrent();
}

void PickListDialog::EnsureCurrent() {
  if (!table_->currentIndex().isValid() && proxy_->rowCount() > 0) table_->selectRow(0);
}

bool PickListDialog::eventFilter(QObject* watched, QEvent* event) {
  // The arrow and page keys typed in the filter box move through the rows,
  // so one can filter and choose without leaving the keyboard's home row.
  if (watched == filter_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown: {
        QKeyEvent copy(key->type(), key->key(), key->modifiers());
        QCoreApplication::sendEvent(table_, &copy);
        return true;
      }
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zor::desktop

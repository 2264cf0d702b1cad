// The pick list dialog: a table of the visible fields under their labels,
// a filter box above it, Enter or a double-click picks the current row and
// Escape cancels.
#pragma once

#include <optional>

#include <QDialog>

#include "platform/ui/ui_port.h"

class QLineEdit;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace zor::desktop {

class PickListDialog : public QDialog {
  Q_OBJECT
 public:
  PickListDialog(const plat::PickListRequest& request, QWidget* parent = nullptr);

  // The chosen row in the request's numbering, once accepted.
  std::optional<int> ChosenRow() const;

  QLineEdit* FilterBox() const { return filter_; }
  QTableView* Table() const { return table_; }
  // Number of rows the filter lets through.
  int VisibleRows() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyFilter(const QString& text);
  void EnsureCurrent();

  QStandardItemModel* model_;
  QSortFilterProxyModel* proxy_;
  QLineEdit* filter_;
  QTableView* table_;
};

}  // namespace zor::desktop

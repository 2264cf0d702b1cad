// The data grid: a QTableView over a model that reads the platform grid's
// cells (display texts, and the colours and fonts its drawing, the
// screen's draw handler included, gives each cell). The platform grid does
// the work: the person's clicks, double-clicks and keys go to it as
// gestures, and the view follows its current row and column, its rows and
// its in-place editor (a text box, a pick list or an ellipsis button laid
// over the current cell).
#pragma once

#include <map>

#include <QAbstractTableModel>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

#include "desktop/render/control_view.h"
#include "platform/dbcontrols/db_grid.h"

namespace zor::desktop {

class GridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit GridModel(plat::TDBGrid* grid, QObject* parent = nullptr) : QAbstractTableModel(parent), grid_(grid) {}
  void Detach() { grid_ = nullptr; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;

  // Columns shown (the visible ones) and their index in the grid's columns.
  int GridColumn(int shown) const;
  int ShownColumn(int gridColumn) const;
  void Reset();
  void RowChanged(int row);

 private:
  const plat::TCellPaint& Paint(int row, int col) const;
  plat::TDBGrid* grid_;
  std::vector<int> shown_;
  mutable std::map<std::pair<int, int>, plat::TCellPaint> cache_;
};

class GridTable;

class GridView : public ControlView {
 public:
  GridView(plat::TDBGrid* grid, QWidget* parent, FormView* form);
  ~GridView() override;
  void Sync(plat::Prop p) override;
  bool WantsTab() const override { return true; }
  bool RoutesKeys() const override { return true; }

  QTableView* Table() const;
  GridModel* Model() const { return model_; }
  QLineEdit* Editor() const { return editor_; }
  QComboBox* PickList() const { return pick_; }
  QToolButton* EllipsisButton() const { return ellipsis_; }

  // Gestures from the table.
  void Press(const QModelIndex& index);
  void DoubleClick(const QModelIndex& index);
  void Key(QKeyEvent* e);
  // The view follows the grid.
  void SyncCurrent();
  void SyncEditor();

 private:
  void OnGridChange(const plat::TGridChange& change);
  void SyncColumns();
  plat::TDBGrid* grid_;
  GridModel* model_;
  QLineEdit* editor_;
  QComboBox* pick_;
  QToolButton* ellipsis_;
  int grid_subscription_ = 0;
  bool syncing_ = false;
};

class NavigatorView : public ControlView {
 public:
  NavigatorView(plat::TControl* navigator, QWidget* parent, FormView* form);
  void Sync(plat::Prop p) override;
  QToolButton* Button(int which) const { return buttons_[which]; }

 private:
  QToolButton* buttons_[10] = {};
};

}  // namespace zor::desktop

// The data grid and the navigator.
#include "desktop/render/grid_view.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

#include "desktop/render/container_views.h"
#include "desktop/render/form_view.h"
#include "desktop/render/qt_convert.h"
#include "platform/controls/gesture.h"
#include "platform/data/field.h"
#include "platform/dbcontrols/db_navigator.h"

namespace zor::desktop {

// ---- model ---------------------------------------------------------------------

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !grid_ ? 0 : grid_->RowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !grid_ ? 0 : static_cast<int>(shown_.size());
}

int GridModel::GridColumn(int shown) const {
  return shown >= 0 && shown < static_cast<int>(shown_.size()) ? shown_[shown] : -1;
}

int GridModel::ShownColumn(int gridColumn) const {
  for (size_t i = 0; i < shown_.size(); ++i)
    if (shown_[i] == gridColumn) return static_cast<int>(i);
  return -1;
}

void GridModel::Reset() {
  beginResetModel();
  shown_.clear();
  cache_.clear();
  if (grid_)
    for (int i = 0; i < grid_->Columns().Count(); ++i)
      if (grid_->Columns().Items(i)->Visible()) shown_.push_back(i);
  endResetModel();
}

void GridModel::RowChanged(int row) {
  std::erase_if(cache_, [row](const auto& e) { return e.first.first == row; });
  if (row >= 0 && row < rowCount() && columnCount() > 0) emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

const plat::TCellPaint& GridModel::Paint(int row, int col) const {
  auto key = std::make_pair(row, col);
  auto it = cache_.find(key);
  if (it == cache_.end()) {
    // The grid's drawing runs the screen's draw handler, which reads the
    // row's record; a failing handler leaves the cell plain.
    plat::TCellPaint p;
    try {
      p = grid_->PaintCell(row, col);
    } catch (const std::exception&) {
      p.Text = grid_->CellText(row, col);
    }
    it = cache_.emplace(key, std::move(p)).first;
  }
  return it->second;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!grid_ || !index.isValid()) return {};
  const int col = GridColumn(index.column());
  if (col < 0) return {};
  switch (role) {
    case Qt::DisplayRole:
      return Q(Paint(index.row(), col).Text);
    case Qt::BackgroundRole:
      return ToQColor(Paint(index.row(), col).Background);
    case Qt::ForegroundRole:
      return ToQColor(Paint(index.row(), col).TextColor);
    case Qt::FontRole:
      return ToQFont(Paint(index.row(), col).Font, QApplication::font());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(ToQtAlignment(grid_->Columns().Items(col)->Alignment()));
    default:
      return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const {
  if (!grid_ || o != Qt::Horizontal) return {};
  const int col = GridColumn(section);
  if (col < 0) return {};
  if (role == Qt::DisplayRole) return Q(grid_->Columns().Items(col)->Title().Caption());
  if (role == Qt::FontRole) return ToQFont(grid_->TitleFont(), QApplication::font());
  return {};
}

// ---- table ---------------------------------------------------------------------

// The table sends the person's mouse and keys to the platform grid instead
// of acting on them itself.
class GridTable : public QTableView {
 public:
  GridTable(GridView* view, QWidget* parent) : QTableView(parent), view_(view) {}

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    const QModelIndex index = indexAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && index.isValid()) {
      view_->Press(index);
      return;
    }
    QTableView::mousePressEvent(e);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    const QModelIndex index = indexAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && index.isValid()) view_->DoubleClick(index);
  }
  void mouseMoveEvent(QMouseEvent*) override {}
  void keyPressEvent(QKeyEvent* e) override { view_->Key(e); }
  bool focusNextPrevChild(bool) override { return false; }  // Tab belongs to the grid
  void scrollContentsBy(int dx, int dy) override {
    QTableView::scrollContentsBy(dx, dy);
    view_->SyncEditor();
  }

 private:
  GridView* view_;
};

GridView::GridView(plat::TDBGrid* grid, QWidget* parent, FormView* form)
    : ControlView(grid, new GridTable(this, parent), form), grid_(grid) {
  QTableView* t = Table();
  model_ = new GridModel(grid, t);
  t->setModel(model_);
  t->setSelectionMode(QAbstractItemView::NoSelection);  // the grid's drawing shows the selection
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setTabKeyNavigation(false);
  t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  t->horizontalHeader()->setHighlightSections(false);
  t->setFocusPolicy(Qt::StrongFocus);

  editor_ = new QLineEdit(t->viewport());
  editor_->setObjectName("gridEditor");
  editor_->setFocusPolicy(Qt::NoFocus);  // the grid keeps the focus and the keys
  editor_->setAttribute(Qt::WA_TransparentForMouseEvents);
  editor_->hide();
  pick_ = new QComboBox(t->viewport());
  pick_->setObjectName("gridPickList");
  pick_->setFocusPolicy(Qt::NoFocus);
  pick_->hide();
  QObject::connect(pick_, &QComboBox::activated, pick_, [this](int i) {
    if (Control()) grid_->UserChoosePickItem(i);
    SyncEditor();
    Form()->SyncQtFocus();
  });
  ellipsis_ = new QToolButton(t->viewport());
  ellipsis_->setObjectName("gridEllipsis");
  ellipsis_->setText(QStringLiteral("…"));
  ellipsis_->setFocusPolicy(Qt::NoFocus);
  ellipsis_->hide();
  QObject::connect(ellipsis_, &QToolButton::clicked, ellipsis_, [this] {
    if (Control()) grid_->UserEditButtonClick();
    SyncEditor();
  });

  grid_subscription_ = grid->GridChanges.Subscribe([this](plat::TDBGrid*, const plat::TGridChange& c) {
    if (Control()) OnGridChange(c);
  });
  SyncColumns();
}

GridView::~GridView() {
  if (Control()) grid_->GridChanges.Unsubscribe(grid_subscription_);
  model_->Detach();
}

QTableView* GridView::Table() const { return static_cast<QTableView*>(Widget()); }

void GridView::SyncColumns() {
  model_->Reset();
  QTableView* t = Table();
  t->horizontalHeader()->setVisible(grid_->Options().Contains(plat::dgTitles));
  t->verticalHeader()->setVisible(grid_->Options().Contains(plat::dgIndicator));
  t->verticalHeader()->setDefaultSectionSize(std::max(12, grid_->DefaultRowHeight()));
  t->setShowGrid(grid_->Options().Contains(plat::dgColLines) || grid_->Options().Contains(plat::dgRowLines));
  for (int i = 0; i < model_->columnCount(); ++i)
    t->setColumnWidth(i, grid_->Columns().Items(model_->GridColumn(i))->Width());
  SyncCurrent();
  SyncEditor();
}

void GridView::OnGridChange(const plat::TGridChange& c) {
  switch (c.Kind) {
    case plat::TGridChangeKind::Columns:
    case plat::TGridChangeKind::Options:
      SyncColumns();
      break;
    case plat::TGridChangeKind::Rows:
      model_->Reset();
      SyncCurrent();
      SyncEditor();
      break;
    case plat::TGridChangeKind::Row:
      model_->RowChanged(c.Row);
      break;
    case plat::TGridChangeKind::CurrentCell:
      SyncCurrent();
      SyncEditor();
      break;
    case plat::TGridChangeKind::Editor:
      SyncEditor();
      break;
  }
}

void GridView::SyncCurrent() {
  QTableView* t = Table();
  const int row = grid_->Row();
  const int col = model_->ShownColumn(grid_->SelectedIndex());
  // The selection colours come from the grid's drawing: repaint the rows.
  model_->Reset();
  for (int i = 0; i < model_->columnCount(); ++i)
    t->setColumnWidth(i, grid_->Columns().Items(model_->GridColumn(i))->Width());
  if (row < 0 || col < 0) return;
  const QModelIndex index = model_->index(row, col);
  syncing_ = true;
  t->setCurrentIndex(index);
  t->scrollTo(index);
  syncing_ = false;
}

void GridView::SyncEditor() {
  QTableView* t = Table();
  const QModelIndex index = t->currentIndex();
  const QRect cell = index.isValid() ? t->visualRect(index) : QRect();
  plat::TColumn* column = grid_->SelectedColumn();
  const bool editing = grid_->EditorMode() && cell.isValid() && column;
  const bool pick = editing && column->ShowsPickList();
  const bool ellipsis = editing && column->ButtonStyle() == plat::cbsEllipsis;
  QRect area = cell;
  if (ellipsis) {
    const int w = std::min(18, cell.width() / 2);
    ellipsis_->setGeometry(cell.right() - w + 1, cell.top(), w, cell.height());
    area.setRight(cell.right() - w);
  }
  ellipsis_->setVisible(ellipsis);
  if (pick) {
    pick_->blockSignals(true);
    pick_->clear();
    for (int i = 0; i < column->PickList().Count(); ++i) pick_->addItem(Q(column->PickList().Strings(i)));
    pick_->setCurrentIndex(pick_->findText(Q(grid_->EditorText())));
    pick_->blockSignals(false);
    pick_->setGeometry(area);
  }
  pick_->setVisible(pick);
  if (editing && !pick) {
    editor_->setGeometry(area);
    if (editor_->text() != Q(grid_->EditorText())) editor_->setText(Q(grid_->EditorText()));
  }
  editor_->setVisible(editing && !pick);
}

void GridView::Press(const QModelIndex& index) {
  const int col = model_->GridColumn(index.column());
  if (col >= 0) grid_->UserSelectCell(index.row(), col);
  if (!Control()) return;
  SyncCurrent();
  SyncEditor();
  Form()->SyncQtFocus();
}

void GridView::DoubleClick(const QModelIndex& index) {
  const int col = model_->GridColumn(index.column());
  if (col >= 0) grid_->UserDblClickCell(index.row(), col);
}

void GridView::Key(QKeyEvent* e) {
  const plat::Word vk = ToVirtualKey(e->key());
  plat::TShiftState shift = ToShiftState(e->modifiers());
  if (e->key() == Qt::Key_Backtab) shift.Include(plat::ssShift);
  const char ch = ToKeyChar(*e);
  // Keys go through the form (key preview first) to the grid, which does
  // its own moving, editing and appending; a typed character follows as a
  // key press, as the platform's keyboard delivers it.
  if (vk != 0) grid_->UserKeyDown(vk, shift);
  if (Control() && ch != 0 && ch != '\t' && ch != '\r' && ch != 27 && !(e->modifiers() & Qt::ControlModifier))
    grid_->UserKeyPress(ch);
  if (!Control()) return;
  Form()->SyncQtFocus();
}

void GridView::Sync(plat::Prop p) {
  if (!Control()) return;
  switch (p) {
    case plat::Prop::Color: {
      QPalette pal = Table()->palette();
      SetEnabledColor(pal, QPalette::Base, ToQColor(grid_->Color()));
      Table()->setPalette(pal);
      break;
    }
    default:
      SyncCommon(p);
  }
}

// ---- navigator ---------------------------------------------------------------------

NavigatorView::NavigatorView(plat::TControl* navigator, QWidget* parent, FormView* form)
    : ControlView(navigator, new QWidget(parent), form) {
  static const char* const kGlyphs[] = {"primeiro", "anterior", "proximo", "ultimo", "incluir",
                                        "excluir",  "alterar",  "confirmar", "cancelar", "verificar"};
  auto* layout = new QHBoxLayout(Widget());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (int b = plat::nbFirst; b <= plat::nbRefresh; ++b) {
    auto* button = new QToolButton(Widget());
    const auto which = static_cast<plat::TNavigateBtn>(b);
    button->setObjectName(QStringLiteral("nav%1").arg(b));
    button->setToolTip(QString::fromUtf8(plat::TDBNavigator::ButtonHint(which)));
    button->setIcon(ButtonIcon(kGlyphs[b], "", plat::TDBNavigator::ButtonHint(which)));
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    QObject::connect(button, &QToolButton::clicked, button, [this, which] {
      if (auto* nav = static_cast<plat::TDBNavigator*>(Control())) nav->UserClickButton(which);
      Sync(plat::Prop::Other);
    });
    layout->addWidget(button);
    buttons_[b] = button;
  }
}

void NavigatorView::Sync(plat::Prop p) {
  auto* nav = static_cast<plat::TDBNavigator*>(Control());
  if (!nav) return;
  if (p == plat::Prop::Other || p == plat::Prop::Enabled) {
    for (int b = plat::nbFirst; b <= plat::nbRefresh; ++b) {
      const auto which = static_cast<plat::TNavigateBtn>(b);
      buttons_[b]->setVisible(nav->VisibleButtons().Contains(which));
      buttons_[b]->setEnabled(nav->ButtonEnabled(which));
    }
    return;
  }
  SyncCommon(p);
}

}  // namespace zor::desktop

// Panels, group boxes, bevels, page controls and speed buttons.
#include "desktop/render/container_views.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QTabBar>

#include "desktop/render/form_view.h"
#include "desktop/render/qt_convert.h"
#include "platform/controls/containers.h"
#include "platform/controls/menus.h"
#include "platform/controls/page_control.h"
#include "platform/controls/speed_button.h"

namespace zor::desktop {

namespace {
// A group box that asks for its children to be placed when resized.
class DockGroupBox : public QGroupBox {
 public:
  explicit DockGroupBox(QWidget* parent) : QGroupBox(parent) {}
  std::function<void()> on_resize;

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QGroupBox::resizeEvent(e);
    if (on_resize) on_resize();
  }
};
}  // namespace

// ---- panel ---------------------------------------------------------------------

PanelView::PanelView(plat::TPanel* panel, QWidget* parent, FormView* form)
    : ContainerView(panel, parent, form), caption_(new QLabel(Widget())) {
  caption_->setAttribute(Qt::WA_TransparentForMouseEvents);
  caption_->lower();
  auto* host = static_cast<DockHost*>(Widget());
  host->SetOnResize([this] {
    caption_->setGeometry(Widget()->contentsRect());
    if (Control() && Form()) Form()->Relayout(Control());
  });
}

void PanelView::Sync(plat::Prop p) {
  auto* panel = static_cast<plat::TPanel*>(Control());
  if (!panel) return;
  auto* frame = static_cast<QFrame*>(Widget());
  switch (p) {
    case plat::Prop::Bevel: {
      const auto outer = panel->BevelOuter();
      const auto inner = panel->BevelInner();
      if (outer == plat::bvNone && inner == plat::bvNone) {
        frame->setFrameStyle(QFrame::NoFrame);
      } else {
        const auto cut = outer != plat::bvNone ? outer : inner;
        frame->setFrameStyle(QFrame::Panel | (cut == plat::bvLowered ? QFrame::Sunken : QFrame::Raised));
        frame->setLineWidth(std::max(1, panel->BevelWidth()) * ((outer != plat::bvNone && inner != plat::bvNone) ? 2 : 1));
      }
      break;
    }
    case plat::Prop::Caption:
    case plat::Prop::Other:
      caption_->setText(Q(panel->Caption()));
      caption_->setAlignment(ToQtAlignment(panel->Alignment()));
      break;
    default:
      ContainerView::Sync(p);
  }
}

// ---- group box ---------------------------------------------------------------------

GroupBoxView::GroupBoxView(plat::TControl* box, QWidget* parent, FormView* form)
    : ControlView(box, new DockGroupBox(parent), form) {
  static_cast<DockGroupBox*>(Widget())->on_resize = [this] {
    if (Control() && Form()) Form()->Relayout(Control());
  };
}

void GroupBoxView::Sync(plat::Prop p) {
  if (!Control()) return;
  if (p == plat::Prop::Caption)
    static_cast<QGroupBox*>(Widget())->setTitle(Q(Control()->Caption()).remove('&'));
  else
    SyncCommon(p);
}

// ---- bevel ---------------------------------------------------------------------

BevelView::BevelView(plat::TBevel* bevel, QWidget* parent, FormView* form)
    : ControlView(bevel, new QFrame(parent), form) {
  Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BevelView::Sync(plat::Prop p) {
  auto* b = static_cast<plat::TBevel*>(Control());
  if (!b) return;
  auto* f = static_cast<QFrame*>(Widget());
  if (p == plat::Prop::Other || p == plat::Prop::Bevel) {
    switch (b->Shape()) {
      case plat::bsTopLine:
      case plat::bsBottomLine: f->setFrameStyle(QFrame::HLine | QFrame::Sunken); break;
      case plat::bsLeftLine:
      case plat::bsRightLine: f->setFrameStyle(QFrame::VLine | QFrame::Sunken); break;
      case plat::bsSpacer: f->setFrameStyle(QFrame::NoFrame); break;
      default: f->setFrameStyle(QFrame::Box | QFrame::Sunken);
    }
  } else {
    SyncCommon(p);
  }
}

// ---- page control ---------------------------------------------------------------------

PageControlView::PageControlView(plat::TPageControl* pc, QWidget* parent, FormView* form)
    : ControlView(pc, new QTabWidget(parent), form), tabs_(static_cast<QTabWidget*>(Widget())) {
  // The person's tab choice goes to the platform, which may refuse it; the
  // tab shown always ends as the platform's active page.
  QObject::connect(tabs_, &QTabWidget::currentChanged, tabs_, [this](int index) {
    auto* pc = static_cast<plat::TPageControl*>(Control());
    if (!pc || syncing_) return;
    QWidget* page = tabs_->widget(index);
    plat::TTabSheet* chosen = nullptr;
    for (int i = 0; i < pc->PageCount(); ++i)
      if (Form()->WidgetOf(pc->Pages(i)) == page) chosen = pc->Pages(i);
    if (chosen && chosen != pc->ActivePage()) pc->SelectPage(chosen);
    Sync(plat::Prop::ActivePage);
  });
}

void PageControlView::ChildViewAdded(ControlView* child) {
  auto* sheet = dynamic_cast<plat::TTabSheet*>(child->Control());
  if (!sheet) return;
  syncing_ = true;
  tabs_->insertTab(std::min(sheet->PageIndex(), tabs_->count()), child->Widget(), Q(sheet->Caption()).remove('&'));
  syncing_ = false;
  SyncPage(sheet);
}

void PageControlView::SyncPage(plat::TTabSheet* sheet) {
  const int index = tabs_->indexOf(Form()->WidgetOf(sheet));
  if (index < 0) return;
  syncing_ = true;
  tabs_->setTabText(index, Q(sheet->Caption()).remove('&'));
  tabs_->setTabEnabled(index, sheet->Enabled());
  tabs_->setTabVisible(index, sheet->TabVisible());
  syncing_ = false;
  // Qt moves the current tab off a tab it disables or hides; the page
  // shown stays the platform's active page, whatever its tab looks like.
  Sync(plat::Prop::ActivePage);
}

void PageControlView::SyncPages() {
  auto* pc = static_cast<plat::TPageControl*>(Control());
  syncing_ = true;
  // Order the tabs as the pages.
  for (int i = 0; i < pc->PageCount(); ++i) {
    QWidget* w = Form()->WidgetOf(pc->Pages(i));
    const int at = tabs_->indexOf(w);
    if (w && at >= 0 && at != i) tabs_->tabBar()->moveTab(at, i);
  }
  syncing_ = false;
  for (int i = 0; i < pc->PageCount(); ++i) SyncPage(pc->Pages(i));
}

void PageControlView::Sync(plat::Prop p) {
  auto* pc = static_cast<plat::TPageControl*>(Control());
  if (!pc) return;
  switch (p) {
    case plat::Prop::Items:
      SyncPages();
      Sync(plat::Prop::ActivePage);
      break;
    case plat::Prop::ActivePage: {
      QWidget* w = Form()->WidgetOf(pc->ActivePage());
      syncing_ = true;
      if (w && tabs_->currentWidget() != w) tabs_->setCurrentWidget(w);
      syncing_ = false;
      break;
    }
    default:
      SyncCommon(p);
  }
}

TabSheetView::TabSheetView(plat::TTabSheet* sheet, QWidget* parent, FormView* form)
    : ContainerView(sheet, parent, form) {}

void TabSheetView::Sync(plat::Prop p) {
  auto* sheet = static_cast<plat::TTabSheet*>(Control());
  if (!sheet) return;
  auto* pcv = dynamic_cast<PageControlView*>(Form()->ViewOf(sheet->PageControl()));
  switch (p) {
    case plat::Prop::Caption:
    case plat::Prop::Enabled:
    case plat::Prop::TabVisible:
      if (pcv) pcv->SyncPage(sheet);
      // A disabled page keeps its contents readable but not editable.
      if (p == plat::Prop::Enabled) Widget()->setEnabled(sheet->Enabled());
      break;
    case plat::Prop::Visible:
    case plat::Prop::Bounds:
    case plat::Prop::Align:
      break;  // the tab widget shows and sizes the active page
    case plat::Prop::PageIndex:
      if (pcv) pcv->Sync(plat::Prop::Items);
      break;
    default:
      ContainerView::Sync(p);
  }
}

// ---- speed button ---------------------------------------------------------------------

namespace {
struct IconChoice {
  const char* key;
  const char* theme;
  QStyle::StandardPixmap standard;
};
const IconChoice kIcons[] = {
    {"incluir", "list-add", QStyle::SP_FileIcon},
    {"alterar", "document-edit", QStyle::SP_FileDialogDetailedView},
    {"excluir", "edit-delete", QStyle::SP_TrashIcon},
    {"exlu", "edit-delete", QStyle::SP_TrashIcon},
    {"procurar", "edit-find", QStyle::SP_FileDialogContentsView},
    {"pesq", "edit-find", QStyle::SP_FileDialogContentsView},
    {"verificar", "view-refresh", QStyle::SP_BrowserReload},
    {"cancel", "dialog-cancel", QStyle::SP_DialogCancelButton},
    {"confirm", "dialog-ok", QStyle::SP_DialogOkButton},
    {"imprimir", "document-print", QStyle::SP_FileDialogListView},
    {"ajuda", "help-contents", QStyle::SP_DialogHelpButton},
    {"fechar", "window-close", QStyle::SP_DialogCloseButton},
    {"primeiro", "go-first", QStyle::SP_MediaSkipBackward},
    {"anterior", "go-previous", QStyle::SP_MediaSeekBackward},
    {"proximo", "go-next", QStyle::SP_MediaSeekForward},
    {"ultimo", "go-last", QStyle::SP_MediaSkipForward},
};

QIcon DrawnIcon(const QString& letter) {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(70, 110, 170));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
  p.setPen(Qt::white);
  QFont f = QApplication::font();
  f.setPixelSize(11);
  f.setBold(true);
  p.setFont(f);
  p.drawText(pm.rect(), Qt::AlignCenter, letter.left(1).toUpper());
  return QIcon(pm);
}
}  // namespace

QIcon ButtonIcon(const std::string& glyph, const std::string& name, const std::string& hint) {
  const QString key = (Q(glyph) + " " + Q(name)).toLower();
  for (const IconChoice& c : kIcons) {
    if (!key.contains(QLatin1String(c.key))) continue;
    QIcon themed = QIcon::fromTheme(QLatin1String(c.theme));
    if (!themed.isNull()) return themed;
    return QApplication::style()->standardIcon(c.standard);
  }
  const QString letter = !hint.empty() ? Q(hint) : (!glyph.empty() ? Q(glyph) : Q(name).mid(3));
  return DrawnIcon(letter.isEmpty() ? QStringLiteral("?") : letter);
}

namespace {
// The hint of a tool button names the key of the menu command it stands
// for (the item of the same form whose caption is the hint): "Incluir (F2)".
QString HintWithShortCut(const plat::TSpeedButton* b) {
  const QString hint = Q(b->Hint());
  plat::TComponent* owner = b->Owner();
  if (hint.isEmpty() || !owner) return hint;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    auto* item = dynamic_cast<plat::TMenuItem*>(owner->Components(i));
    if (!item || item->ShortCut() <= 0 || Q(item->Caption()).remove('&') != hint) continue;
    return QStringLiteral("%1 (%2)").arg(hint, ToQKeySequence(item->ShortCut()).toString(QKeySequence::NativeText));
  }
  return hint;
}
}  // namespace

SpeedButtonView::SpeedButtonView(plat::TSpeedButton* button, QWidget* parent, FormView* form)
    : ControlView(button, new QToolButton(parent), form), button_(static_cast<QToolButton*>(Widget())) {
  button_->setFocusPolicy(Qt::NoFocus);  // speed buttons never take the focus
  button_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  QObject::connect(button_, &QToolButton::clicked, button_, [this] {
    if (auto* b = static_cast<plat::TSpeedButton*>(Control())) b->UserClick();
    Sync(plat::Prop::Down);
  });
}

void SpeedButtonView::Sync(plat::Prop p) {
  auto* b = static_cast<plat::TSpeedButton*>(Control());
  if (!b) return;
  switch (p) {
    case plat::Prop::Flat:
      button_->setAutoRaise(b->Flat());
      break;
    case plat::Prop::Glyph:
    case plat::Prop::Hint:
      button_->setIcon(ButtonIcon(b->Glyph(), b->Name(), b->Hint()));
      button_->setIconSize(QSize(16, 16));
      button_->setToolTip(HintWithShortCut(b));
      break;
    case plat::Prop::Caption:
      button_->setText(Q(b->Caption()).remove('&'));
      button_->setToolButtonStyle(b->Caption().empty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
      break;
    case plat::Prop::Down:
      button_->setCheckable(b->GroupIndex() > 0);
      button_->setChecked(b->Down());
      break;
    default:
      SyncCommon(p);
  }
}

}  // namespace zor::desktop

// Platform menus in a Qt menu bar.
#include "desktop/render/menu_view.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "desktop/render/qt_convert.h"
#include "platform/controls/menus.h"

namespace zor::desktop {

struct MenuView::Entry {
  QPointer<QAction> action;
  int subscription = 0;
  bool alive = true;
};

class MenuView::Watcher : public plat::TComponent {
 public:
  explicit Watcher(MenuView* view) : view_(view) {}

 protected:
  void Notification(plat::TComponent* c, plat::TOperation op) override {
    if (op == plat::TOperation::opRemove) view_->ItemDestroyed(c);
  }

 private:
  MenuView* view_;
};

MenuView::MenuView(plat::TMenuItem* root, QMenuBar* bar)
    : QObject(bar), root_(root), bar_(bar), watcher_(std::make_unique<Watcher>(this)) {
  Rebuild();
}

MenuView::~MenuView() {
  Unsubscribe();
  watcher_.reset();
}

void MenuView::Unsubscribe() {
  for (auto& [item, e] : entries_)
    if (e.alive) const_cast<plat::TMenuItem*>(item)->Changes.Unsubscribe(e.subscription);
  entries_.clear();
}

void MenuView::ItemDestroyed(const void* item) {
  if (item == root_) root_ = nullptr;
  auto it = entries_.find(static_cast<const plat::TMenuItem*>(item));
  if (it != entries_.end()) {
    it->second.alive = false;
    if (it->second.action) it->second.action->setVisible(false);
  }
}

QAction* MenuView::ActionOf(const plat::TMenuItem* item) const {
  auto it = entries_.find(item);
  return it == entries_.end() ? nullptr : it->second.action.data();
}

QAction* MenuView::ActionNamed(const QString& name) const {
  for (const auto& [item, e] : entries_)
    if (e.alive && Q(item->Name()).compare(name, Qt::CaseInsensitive) == 0) return e.action.data();
  return nullptr;
}

void MenuView::Rebuild() {
  if (!bar_) return;
  Unsubscribe();
  bar_->clear();
  if (!root_) return;
  watcher_->FreeNotification(root_);
  Entry& re = entries_[root_];
  re.subscription = root_->Changes.Subscribe([this](plat::TComponent*, plat::Prop p) {
    if (p == plat::Prop::Items) QTimer::singleShot(0, this, &MenuView::Rebuild);
  });
  Fill(bar_, root_);
}

void MenuView::Fill(QWidget* menu, plat::TMenuItem* parent) {
  auto* groupOwner = new QObject(menu);
  std::map<int, QActionGroup*> groups;
  for (int i = 0; i < parent->Count(); ++i) {
    plat::TMenuItem* item = parent->Items(i);
    QAction* action = nullptr;
    if (item->Caption() == "-") {
      action = new QAction(menu);
      action->setSeparator(true);
    } else if (item->Count() > 0) {
      auto* sub = new QMenu(Q(item->Caption()), menu);
      sub->setObjectName(Q(item->Name()));
      action = sub->menuAction();
      Fill(sub, item);
    } else {
      action = new QAction(Q(item->Caption()), menu);
      QObject::connect(action, &QAction::triggered, this, [this, item] {
        auto it = entries_.find(item);
        if (it == entries_.end() || !it->second.alive) return;
        item->UserClick();
        Sync(item);
      });
    }
    action->setObjectName(Q(item->Name()));
    if (item->RadioItem()) {
      QActionGroup*& g = groups[item->GroupIndex()];
      if (!g) {
        g = new QActionGroup(groupOwner);
        g->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);  // the platform decides
      }
      g->addAction(action);
    }
    menu->addAction(action);
    watcher_->FreeNotification(item);
    Entry& e = entries_[item];
    e.action = action;
    e.subscription = item->Changes.Subscribe([this, item](plat::TComponent*, plat::Prop p) {
      if (p == plat::Prop::Items)
        QTimer::singleShot(0, this, &MenuView::Rebuild);
      else
        Sync(item);
    });
    Sync(item);
  }
}

void MenuView::Sync(plat::TMenuItem* item) {
  QAction* a = ActionOf(item);
  if (!a) return;
  if (!a->isSeparator()) a->setText(Q(item->Caption()));
  if (!a->menu()) a->setShortcut(ToQKeySequence(item->ShortCut()));
  a->setEnabled(item->Enabled());
  a->setVisible(item->Visible());
  const bool checkable = item->Checked() || item->RadioItem() || item->AutoCheck();
  a->setCheckable(checkable);
  if (checkable) a->setChecked(item->Checked());
}

}  // namespace zor::desktop

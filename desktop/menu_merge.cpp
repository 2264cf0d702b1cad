// Merging the active screen's menus into the host's menu bar.
#include "desktop/menu_merge.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace zor::desktop {

namespace {
QString Title(const QAction* a) { return a->text().remove('&').trimmed(); }
}  // namespace

MenuMerger::MenuMerger(QMenuBar* hostBar) : host_bar_(hostBar) {}

MenuMerger::~MenuMerger() { Unmerge(); }

void MenuMerger::Show(QMenuBar* screenBar) {
  if (screenBar == screen_bar_ && screenBar) return;
  Unmerge();
  if (screen_bar_) screen_bar_->removeEventFilter(this);
  screen_bar_ = screenBar;
  if (!screen_bar_) return;
  screen_bar_->hide();
  screen_bar_->installEventFilter(this);
  Merge();
}

void MenuMerger::Unmerge() {
  if (host_bar_)
    for (const auto& a : merged_)
      if (a) host_bar_->removeAction(a);
  for (const auto& a : hidden_)
    if (a) a->setVisible(true);
  merged_.clear();
  hidden_.clear();
}

void MenuMerger::Merge() {
  if (!host_bar_ || !screen_bar_) return;
  const QList<QAction*> host = host_bar_->actions();
  const QList<QAction*> screen = screen_bar_->actions();
  // The screen's menus go before the host's windows menu.
  QAction* before = nullptr;
  for (QAction* h : host)
    if (h->menu() && h->menu()->objectName() == QLatin1String("zorWindowMenu")) before = h;
  for (QAction* h : host)
    for (QAction* s : screen)
      if (h != before && Title(h) == Title(s) && h->isVisible()) {
        h->setVisible(false);
        hidden_ << h;
      }
  for (QAction* s : screen) {
    host_bar_->insertAction(before, s);
    merged_ << s;
  }
}

bool MenuMerger::eventFilter(QObject* watched, QEvent* event) {
  const auto t = event->type();
  if (watched == screen_bar_ && (t == QEvent::ActionAdded || t == QEvent::ActionRemoved) && !remerge_queued_) {
    // The screen rebuilt its menus: merge them again once it has finished.
    remerge_queued_ = true;
    QTimer::singleShot(0, this, [this] {
      remerge_queued_ = false;
      Unmerge();
      Merge();
    });
  }
  if (watched == screen_bar_ && t == QEvent::Show) QTimer::singleShot(0, this, [this] {
      if (screen_bar_) screen_bar_->hide();
    });
  return QObject::eventFilter(watched, event);
}

}  // namespace zor::desktop

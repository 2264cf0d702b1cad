// Menus of the active MDI screen shown in the host's menu bar, as MDI
// children's menus are: one menu bar, whether the screen is maximised or
// not. A host menu with the title of one of the screen's menus (both have
// "Operação") gives way to it while the screen is active.
#pragma once

#include <QAction>
#include <QList>
#include <QMenuBar>
#include <QObject>
#include <QPointer>

namespace zor::desktop {

class MenuMerger : public QObject {
  Q_OBJECT
 public:
  explicit MenuMerger(QMenuBar* hostBar);
  ~MenuMerger() override;

  // Shows `screen_bar`'s menus in the host's bar (null: only the host's
  // own). The screen's bar is hidden; its menus stay its own and follow it
  // when the screen changes them.
  void Show(QMenuBar* screenBar);
  QMenuBar* Shown() const { return screen_bar_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Unmerge();
  void Merge();

  QPointer<QMenuBar> host_bar_;
  QPointer<QMenuBar> screen_bar_;
  QList<QPointer<QAction>> merged_;
  QList<QPointer<QAction>> hidden_;
  bool remerge_queued_ = false;
};

}  // namespace zor::desktop

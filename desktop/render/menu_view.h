// A platform menu tree shown as a Qt menu bar: one QAction per menu item,
// kept in step (caption, enabled, visible, checked, sub-items) through the
// items' change notifications; choosing an action is the person's click
// on the item.
#pragma once

#include <map>
#include <memory>

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace zor::plat {
class TMenuItem;
}

namespace zor::desktop {

class MenuView : public QObject {
  Q_OBJECT
 public:
  // Shows the sub-items of `root` in `bar`.
  MenuView(plat::TMenuItem* root, QMenuBar* bar);
  ~MenuView() override;

  // The action of an item (by its component name), or null.
  QAction* ActionNamed(const QString& name) const;
  QAction* ActionOf(const plat::TMenuItem* item) const;

 private:
  class Watcher;
  struct Entry;
  void Rebuild();
  void Fill(QWidget* menu, plat::TMenuItem* parent);
  void Sync(plat::TMenuItem* item);
  void Unsubscribe();
  void ItemDestroyed(const void* item);

  plat::TMenuItem* root_;
  QPointer<QMenuBar> bar_;
  std::unique_ptr<Watcher> watcher_;
  std::map<const plat::TMenuItem*, Entry> entries_;
  bool rebuilding_ = false;
};

}  // namespace zor::desktop

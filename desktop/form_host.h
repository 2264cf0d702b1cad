// Shows the platform's forms on the desktop: an MDI child form in a sub-
// window of the host's MDI area, another shown form in a window of its own,
// a modal form in a dialog that ends when the form sets its modal result.
// Follows the screen object (which forms are shown, which is active, the
// mouse cursor) and each form's window state, and sends the person's window
// gestures (activating, closing) back as platform calls.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>

class QMdiArea;
class QMenuBar;

namespace zor::plat {
class TForm;
}

namespace zor::desktop {

class FormView;
class MenuMerger;
class MenuView;

// The inside of a form's window: its menu bar (when the form has a main
// menu) above the rendered form.
class FormWindow : public QWidget {
  Q_OBJECT
 public:
  explicit FormWindow(plat::TForm* form, QWidget* parent = nullptr);
  FormView* View() const { return view_; }
  QMenuBar* MenuBar() const { return menu_bar_; }
  MenuView* Menus() const { return menus_; }

 private:
  FormView* view_;
  QMenuBar* menu_bar_ = nullptr;
  MenuView* menus_ = nullptr;
};

class FormHost : public QObject {
  Q_OBJECT
 public:
  explicit FormHost(QMdiArea* mdi);
  ~FormHost() override;

  // Brings the windows in step with the screen object's forms.
  void Sync();
  // Runs a form modally in a dialog over `parent`; its modal result. With
  // `drive` (a script replaying) the dialog is shown without a loop of its
  // own and `drive` runs the form until it has a result.
  int RunModal(plat::TForm& form, QWidget* parent, const std::function<int()>& drive = {});

  FormWindow* WindowOf(const plat::TForm* form) const;
  QMdiSubWindow* SubWindowOf(const plat::TForm* form) const;
  // The platform form of the active sub-window, or null.
  plat::TForm* ActiveForm() const;
  // The host's own platform form (the main form) is never shown.
  void SetHostForm(plat::TForm* form) { host_form_ = form; }
  // The host's menu bar: the active MDI screen's menus show there instead
  // of in a bar of their own.
  void SetHostMenuBar(QMenuBar* bar);

 private:
  struct Hosted {
    QPointer<FormWindow> window;
    QPointer<QMdiSubWindow> sub;  // null for a window of its own
    int subscription = 0;
    QString name;  // the form's, kept for when the form is gone
  };
  void Host(plat::TForm* form);
  void Unhost(const plat::TForm* form, bool alive);
  void SyncWindowState(plat::TForm* form);
  void SyncCursor();
  void SyncMenus();

  QPointer<QMdiArea> mdi_;
  plat::TForm* host_form_ = nullptr;
  std::map<const plat::TForm*, Hosted> hosted_;
  int screen_subscription_ = 0;
  bool activating_ = false;
  bool cursor_overridden_ = false;
  std::unique_ptr<MenuMerger> menus_;
};

}  // namespace zor::desktop

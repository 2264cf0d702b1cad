// The Qt rendering of one platform form: a widget per control, placed by the
// controls' alignment, bounds and anchors, kept in step with the platform.
// Person's gestures go back as platform calls: a focus change becomes a
// platform focus move (a refused one puts the Qt focus back where the
// platform says it is), keys reach the platform's key handlers first, Tab
// moves the focus in the platform's tab order.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include <QPointer>

class QKeyEvent;

#include "desktop/render/dock_host.h"

namespace zor::plat {
class TControl;
class TCustomForm;
class TWinControl;
}  // namespace zor::plat

namespace zor::desktop {

class ControlView;

class FormView : public DockHost {
  Q_OBJECT
 public:
  explicit FormView(plat::TCustomForm* form, QWidget* parent = nullptr);
  ~FormView() override;

  // Null once the platform form has been destroyed.
  plat::TCustomForm* PlatformForm() const { return form_; }
  // The view and widget of a control of this form, or null.
  ControlView* ViewOf(const plat::TControl* control) const;
  QWidget* WidgetOf(const plat::TControl* control) const;
  // Finds the widget of a control by the control's name.
  QWidget* WidgetNamed(const QString& name) const;
  // Every control's view, the form's own included.
  std::vector<ControlView*> Views() const;

  // Makes views for controls added to the form since the last scan.
  void Rescan();
  // Places the children of a container again.
  void Relayout(plat::TControl* container);
  // A control moved to another parent: its widget follows.
  void Reparent(plat::TControl* control);
  void RefreshTabOrder() {}
  // Puts the Qt focus on the platform's active control.
  void SyncQtFocus();

  // The size the form's children were designed in.
  QSize DesignClientSize() const;

  // Called by the watcher when a platform control is destroyed.
  void ControlDestroyed(const void* control);

 signals:
  // The platform form was destroyed; whoever shows this view closes it.
  void FormDestroyed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build(plat::TControl* control, QWidget* host);
  ControlView* ViewOfWidget(QObject* widget) const;
  bool HandleKey(ControlView* view, QObject* target, QKeyEvent* event);
  void HandleFocusIn(ControlView* view);
  // Focus changes Qt makes on its own, not the person's (see the .cpp).
  static bool MovedByQt(Qt::FocusReason reason);
  void FocusMovedByQt();
  void ParkFocus();
  void RegisterWidget(ControlView* view);

  class Watcher;
  plat::TCustomForm* form_;
  std::unique_ptr<Watcher> watcher_;
  std::map<const plat::TControl*, std::unique_ptr<ControlView>> views_;
  std::map<const QObject*, ControlView*> by_widget_;
  int focus_subscription_ = 0;
  bool syncing_focus_ = false;
  bool replaying_key_ = false;
};

}  // namespace zor::desktop

// The Qt side of one platform control: the widget that shows it, kept in
// step with the control through its change notifications. Views are made
// and owned by the FormView of the control's form.
#pragma once

#include <functional>

#include <QPointer>
#include <QWidget>

#include "platform/controls/change_notify.h"

namespace zor::plat {
class TControl;
class TWinControl;
}  // namespace zor::plat

namespace zor::desktop {

class FormView;

class ControlView {
 public:
  // `owns_widget` false: the widget belongs to someone else (the form's own
  // view shows the form in the FormView itself).
  ControlView(plat::TControl* control, QWidget* widget, FormView* form, bool ownsWidget = true);
  virtual ~ControlView();
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;

  // Null once the control has been destroyed.
  plat::TControl* Control() const { return control_; }
  plat::TWinControl* WinControl() const;
  QWidget* Widget() const { return widget_.data(); }
  FormView* Form() const { return form_; }

  // The widget a child control's widget is placed in; null for controls
  // that hold no children.
  virtual QWidget* HostFor(plat::TControl* child);
  // The widget that takes the keyboard focus for the control.
  virtual QWidget* FocusWidget() const { return widget_.data(); }
  // Controls that use Tab themselves (grids) get it; others let the form
  // move the focus.
  virtual bool WantsTab() const { return false; }
  // Views that send every key to their control themselves (the grid).
  virtual bool RoutesKeys() const { return false; }

  // A child control's view has been made (page controls add their pages).
  virtual void ChildViewAdded(ControlView*) {}
  // True when the view places its children itself (the page control).
  virtual bool PlacesChildren() const { return false; }
  // The size the control's children were designed in.
  virtual QSize DesignSize() const;

  // Brings the widget in step with one property, or with all of them.
  virtual void Sync(plat::Prop p);
  void SyncAll();

  // The control is gone: stop listening, hide the widget and let Qt delete it.
  void Detach();

 protected:
  // Applies the common properties; views override Sync for their own and
  // call this for the rest.
  void SyncCommon(plat::Prop p);
  // Colour of the widget's background; views whose background is drawn by
  // the style (buttons) leave it alone.
  virtual void ApplyColor();
  // True when a click may act: a control that takes the focus must have it
  // (a refused focus move cancels the click, as the exit handler said no).
  bool FocusAccepted() const;
  // Runs a person's gesture on the control as one platform gesture.
  bool Gesture(const std::function<void()>& fn);

 private:
  plat::TControl* control_;
  QPointer<QWidget> widget_;
  FormView* form_;
  int subscription_ = 0;
  bool owns_widget_;
};

}  // namespace zor::desktop

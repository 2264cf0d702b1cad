// Views of the plain controls: the form itself, labels, edits, and
// containers (panels and anything else that holds controls).
#pragma once

#include <QLabel>
#include <QLineEdit>

#include "desktop/render/control_view.h"
#include "desktop/render/dock_host.h"

namespace zor::plat {
class TCustomEdit;
class TCustomForm;
class TLabel;
}  // namespace zor::plat

namespace zor::desktop {

class FormControlView : public ControlView {
 public:
  FormControlView(plat::TCustomForm* form, FormView* view);
  QWidget* HostFor(plat::TControl*) override { return Widget(); }
  void Sync(plat::Prop p) override;
};

class LabelView : public ControlView {
 public:
  LabelView(plat::TLabel* label, QWidget* parent, FormView* form);
  void Sync(plat::Prop p) override;

 protected:
  void ApplyColor() override {}

 private:
  QLabel* label_;
};

class EditView : public ControlView {
 public:
  EditView(plat::TCustomEdit* edit, QLineEdit* widget, FormView* form);
  EditView(plat::TCustomEdit* edit, QWidget* parent, FormView* form)
      : EditView(edit, new QLineEdit(parent), form) {}
  void Sync(plat::Prop p) override;

 protected:
  QLineEdit* line_;
  plat::TCustomEdit* edit_;
};

// A control that holds others and shows nothing of its own but its colour
// and, for panels, a bevel.
class ContainerView : public ControlView {
 public:
  ContainerView(plat::TControl* control, DockHost* widget, FormView* form);
  ContainerView(plat::TControl* control, QWidget* parent, FormView* form)
      : ContainerView(control, new DockHost(parent), form) {}
  QWidget* HostFor(plat::TControl*) override { return Widget(); }
};

}  // namespace zor::desktop

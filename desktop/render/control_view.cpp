// Common properties of every control's widget.
#include "desktop/render/control_view.h"

#include <QApplication>

#include "desktop/render/form_view.h"
#include "desktop/render/qt_convert.h"
#include "platform/controls/control.h"
#include "platform/controls/custom_form.h"
#include "platform/controls/gesture.h"

namespace zor::desktop {

ControlView::ControlView(plat::TControl* control, QWidget* widget, FormView* form, bool ownsWidget)
    : control_(control), widget_(widget), form_(form), owns_widget_(ownsWidget) {
  widget->setObjectName(Q(control->Name()));
  subscription_ = control->Changes.Subscribe([this](plat::TComponent*, plat::Prop p) { Sync(p); });
}

ControlView::~ControlView() {
  if (control_) control_->Changes.Unsubscribe(subscription_);
  if (widget_ && owns_widget_) {
    widget_->hide();
    widget_->deleteLater();
  }
}

plat::TWinControl* ControlView::WinControl() const { return dynamic_cast<plat::TWinControl*>(control_); }

QWidget* ControlView::HostFor(plat::TControl*) { return nullptr; }

QSize ControlView::DesignSize() const {
  if (!control_) return QSize();
  return QSize(control_->Width(), control_->Height());
}

bool ControlView::FocusAccepted() const {
  auto* w = WinControl();
  if (!w || !w->CanFocus() || !w->TabStop()) return control_ != nullptr;
  plat::TCustomForm* f = w->GetParentForm();
  return !f || f->ActiveControl() == w;
}

void ControlView::Detach() {
  control_ = nullptr;  // its observer list died with it
  if (widget_) widget_->hide();
}

bool ControlView::Gesture(const std::function<void()>& fn) {
  if (!control_) return false;
  return plat::RunGesture(fn);
}

void ControlView::SyncAll() {
  for (plat::Prop p : {plat::Prop::Enabled, plat::Prop::Visible, plat::Prop::Caption, plat::Prop::Hint,
                       plat::Prop::Color, plat::Prop::Font, plat::Prop::Cursor, plat::Prop::ReadOnly,
                       plat::Prop::MaxLength, plat::Prop::EditMask, plat::Prop::CharCase, plat::Prop::Checked,
                       plat::Prop::Items, plat::Prop::ItemIndex, plat::Prop::ActivePage, plat::Prop::Columns,
                       plat::Prop::Flat, plat::Prop::Glyph, plat::Prop::Down, plat::Prop::Style,
                       plat::Prop::TabVisible, plat::Prop::Bevel, plat::Prop::Other, plat::Prop::FocusControl})
    Sync(p);
  if (form_) form_->Relayout(control_);
}

void ControlView::Sync(plat::Prop p) { SyncCommon(p); }

void ControlView::ApplyColor() {
  QWidget* w = widget_.data();
  QPalette pal = w->palette();
  SetEnabledColor(pal, QPalette::Window, ToQColor(control_->Color()));
  SetEnabledColor(pal, QPalette::Base, ToQColor(control_->Color()));
  w->setPalette(pal);
}

void ControlView::SyncCommon(plat::Prop p) {
  QWidget* w = widget_.data();
  if (!control_ || !w) return;
  switch (p) {
    case plat::Prop::Enabled:
      w->setEnabled(control_->Enabled());
      break;
    case plat::Prop::Visible:
      w->setVisible(control_->Visible());
      if (form_) form_->Relayout(control_->Parent());
      break;
    case plat::Prop::Bounds:
    case plat::Prop::Align:
    case plat::Prop::Anchors:
      if (form_) form_->Relayout(control_->Parent());
      break;
    case plat::Prop::Parent:
      if (form_) form_->Reparent(control_);
      break;
    case plat::Prop::Hint:
    case plat::Prop::ShowHint:
      w->setToolTip(Q(control_->Hint()));
      break;
    case plat::Prop::Color:
      ApplyColor();
      break;
    case plat::Prop::Font: {
      QFont f = ToQFont(control_->Font(), QApplication::font());
      w->setFont(f);
      QPalette pal = w->palette();
      const QColor text = ToQColor(control_->Font().Color);
      SetEnabledColor(pal, QPalette::WindowText, text);
      SetEnabledColor(pal, QPalette::Text, text);
      SetEnabledColor(pal, QPalette::ButtonText, text);
      w->setPalette(pal);
      break;
    }
    case plat::Prop::Cursor:
      if (control_->Cursor() == plat::crDefault)
        w->unsetCursor();
      else if (control_->Cursor() == plat::crHourGlass || control_->Cursor() == plat::crSQLWait)
        w->setCursor(Qt::WaitCursor);
      else if (control_->Cursor() == plat::crHandPoint)
        w->setCursor(Qt::PointingHandCursor);
      break;
    case plat::Prop::TabOrder:
      if (form_) form_->RefreshTabOrder();
      break;
    default:
      break;
  }
}

}  // namespace zor::desktop

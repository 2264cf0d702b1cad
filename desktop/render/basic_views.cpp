// The form, labels, edits and containers.
#include "desktop/render/basic_views.h"

#include "desktop/render/form_view.h"
#include "desktop/render/qt_convert.h"
#include "platform/controls/custom_form.h"
#include "platform/controls/edit.h"
#include "platform/controls/label.h"

namespace zor::desktop {

FormControlView::FormControlView(plat::TCustomForm* form, FormView* view)
    : ControlView(form, view, view, /*owns_widget=*/false) {}

void FormControlView::Sync(plat::Prop p) {
  plat::TControl* c = Control();
  if (!c) return;
  switch (p) {
    case plat::Prop::Caption:
      Widget()->setWindowTitle(PlainCaption(c->Caption()).remove('&'));
      break;
    case plat::Prop::Visible:
    case plat::Prop::Parent:
      break;  // the form's window is shown and hidden by whoever hosts the view
    case plat::Prop::Bounds:
      Form()->Relayout(c);
      break;
    default:
      SyncCommon(p);
  }
}

LabelView::LabelView(plat::TLabel* label, QWidget* parent, FormView* form)
    : ControlView(label, new QLabel(parent), form), label_(static_cast<QLabel*>(Widget())) {
  label_->setTextFormat(Qt::PlainText);
}

void LabelView::Sync(plat::Prop p) {
  auto* l = static_cast<plat::TLabel*>(Control());
  if (!l) return;
  switch (p) {
    case plat::Prop::Caption: {
      // '&' marks the accelerator; the label shows the letter underlined
      // only with a buddy, so the mark is dropped from the text otherwise.
      QString text = Q(l->Caption());
      label_->setTextFormat(Qt::PlainText);
      label_->setText(text.replace("&&", "\x01").remove('&').replace('\x01', '&'));
      if (l->AutoSize()) Form()->Relayout(l->Parent());
      break;
    }
    case plat::Prop::Other:
    case plat::Prop::FocusControl:
      label_->setAlignment(ToQtAlignment(l->Alignment()) | Qt::AlignTop);
      if (QWidget* buddy = Form()->WidgetOf(l->FocusControl())) label_->setBuddy(buddy);
      break;
    default:
      SyncCommon(p);
  }
}

EditView::EditView(plat::TCustomEdit* edit, QLineEdit* widget, FormView* form)
    : ControlView(edit, widget, form), line_(widget), edit_(edit) {
  line_->setFrame(true);
  // The person's edits go to the platform as the new text; the change
  // handlers run there and may rewrite it (case, masks), which comes back
  // through Sync.
  QObject::connect(line_, &QLineEdit::textEdited, line_, [this](const QString& text) {
    if (!Control()) return;
    Gesture([&] { edit_->UserSetText(S(text)); });
    Sync(plat::Prop::Caption);
  });
}

void EditView::Sync(plat::Prop p) {
  if (!Control()) return;
  switch (p) {
    case plat::Prop::Caption: {
      const QString text = Q(edit_->Text());
      if (line_->text() != text) {
        const int pos = line_->cursorPosition();
        line_->setText(text);
        line_->setCursorPosition(std::min(pos, static_cast<int>(text.size())));
      }
      break;
    }
    case plat::Prop::ReadOnly:
      line_->setReadOnly(edit_->ReadOnly());
      break;
    case plat::Prop::MaxLength:
      line_->setMaxLength(edit_->MaxLength() > 0 ? edit_->MaxLength() : 32767);
      break;
    default:
      SyncCommon(p);
  }
}

ContainerView::ContainerView(plat::TControl* control, DockHost* widget, FormView* form)
    : ControlView(control, widget, form) {
  widget->setAutoFillBackground(true);
  widget->SetOnResize([this] {
    if (Control() && Form()) Form()->Relayout(Control());
  });
}

}  // namespace zor::desktop

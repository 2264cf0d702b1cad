// Check boxes, combo boxes, radio groups and masked edits.
#include "desktop/render/choice_views.h"

#include <QResizeEvent>

#include "desktop/render/form_view.h"
#include "desktop/render/qt_convert.h"
#include "platform/controls/check_box.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/edit_mask.h"
#include "platform/controls/mask_edit.h"
#include "platform/controls/radio_group.h"

namespace zor::desktop {

namespace {
// Calls a function whenever the watched widget is resized.
class ResizeWatch : public QObject {
 public:
  ResizeWatch(QWidget* w, std::function<void()> fn) : QObject(w), fn_(std::move(fn)) { w->installEventFilter(this); }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Resize) fn_();
    return QObject::eventFilter(o, e);
  }

 private:
  std::function<void()> fn_;
};
}  // namespace

// ---- check box ---------------------------------------------------------------

CheckBoxView::CheckBoxView(plat::TCheckBox* box, QWidget* parent, FormView* form)
    : ControlView(box, new QCheckBox(parent), form), check_(static_cast<QCheckBox*>(Widget())) {
  QObject::connect(check_, &QCheckBox::clicked, check_, [this] {
    auto* b = static_cast<plat::TCheckBox*>(Control());
    if (b && FocusAccepted()) Gesture([b] { b->Toggle(); });
    Sync(plat::Prop::Checked);
  });
}

void CheckBoxView::Sync(plat::Prop p) {
  auto* b = static_cast<plat::TCheckBox*>(Control());
  if (!b) return;
  switch (p) {
    case plat::Prop::Checked:
      check_->setTristate(b->AllowGrayed());
      check_->setCheckState(b->State() == plat::cbChecked   ? Qt::Checked
                            : b->State() == plat::cbGrayed ? Qt::PartiallyChecked
                                                           : Qt::Unchecked);
      break;
    case plat::Prop::Caption:
      check_->setText(Q(b->Caption()));
      break;
    case plat::Prop::Color:
      break;  // the box follows the style; its parent's colour shows through
    default:
      SyncCommon(p);
  }
}

// ---- combo box ---------------------------------------------------------------

ComboBoxView::ComboBoxView(plat::TComboBox* combo, QWidget* parent, FormView* form)
    : ControlView(combo, new QComboBox(parent), form), combo_(static_cast<QComboBox*>(Widget())) {
  combo_->setInsertPolicy(QComboBox::NoInsert);
  combo->Items().Changed.Subscribe([this] {
    if (Control()) Sync(plat::Prop::Items);
  });
  QObject::connect(combo_, &QComboBox::activated, combo_, [this](int index) {
    auto* c = static_cast<plat::TComboBox*>(Control());
    if (!c || filling_) return;
    if (FocusAccepted()) c->UserSelect(index);
    Sync(plat::Prop::ItemIndex);
  });
}

void ComboBoxView::FillItems() {
  auto* c = static_cast<plat::TComboBox*>(Control());
  filling_ = true;
  combo_->clear();
  for (int i = 0; i < c->Items().Count(); ++i) combo_->addItem(Q(c->Items().Strings(i)));
  filling_ = false;
}

void ComboBoxView::Sync(plat::Prop p) {
  auto* c = static_cast<plat::TComboBox*>(Control());
  if (!c) return;
  switch (p) {
    case plat::Prop::Style: {
      const bool editable = c->Style() != plat::csDropDownList;
      if (combo_->isEditable() != editable) {
        combo_->setEditable(editable);
        if (editable) {
          QObject::connect(combo_->lineEdit(), &QLineEdit::textEdited, combo_, [this](const QString& text) {
            if (auto* cc = static_cast<plat::TComboBox*>(Control())) cc->UserSetText(S(text));
          });
        }
      }
      Sync(plat::Prop::Caption);
      break;
    }
    case plat::Prop::Items:
      FillItems();
      Sync(plat::Prop::ItemIndex);
      break;
    case plat::Prop::ItemIndex:
    case plat::Prop::Caption:
      filling_ = true;
      if (combo_->count() != c->Items().Count()) FillItems();
      filling_ = true;
      combo_->setCurrentIndex(c->ItemIndex());
      if (combo_->isEditable() && combo_->currentText() != Q(c->Text())) combo_->setEditText(Q(c->Text()));
      filling_ = false;
      break;
    default:
      SyncCommon(p);
  }
}

// ---- radio group ---------------------------------------------------------------

RadioGroupView::RadioGroupView(plat::TRadioGroup* group, QWidget* parent, FormView* form)
    : ControlView(group, new QGroupBox(parent), form), box_(static_cast<QGroupBox*>(Widget())) {
  new ResizeWatch(box_, [this] { PlaceButtons(); });
}

void RadioGroupView::MakeButtons() {
  auto* g = static_cast<plat::TRadioGroup*>(Control());
  for (QRadioButton* b : buttons_) b->deleteLater();
  buttons_.clear();
  for (int i = 0; i < g->Items().Count(); ++i) {
    auto* b = new QRadioButton(Q(g->Items().Strings(i)), box_);
    b->setAutoExclusive(false);  // the platform decides which one is on
    QObject::connect(b, &QRadioButton::clicked, b, [this, i] {
      auto* rg = static_cast<plat::TRadioGroup*>(Control());
      if (rg && FocusAccepted()) rg->UserSelect(i);
      Sync(plat::Prop::ItemIndex);
    });
    b->show();
    buttons_.push_back(b);
  }
  PlaceButtons();
}

void RadioGroupView::PlaceButtons() {
  auto* g = static_cast<plat::TRadioGroup*>(Control());
  if (!g || buttons_.empty()) return;
  const int cols = std::max(1, g->Columns());
  const int rows = (static_cast<int>(buttons_.size()) + cols - 1) / cols;
  const QRect r = box_->contentsRect().adjusted(8, 14, -4, -2);
  const int w = r.width() / cols;
  const int h = std::max(1, r.height() / rows);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const int col = static_cast<int>(i) / rows;
    const int row = static_cast<int>(i) % rows;
    buttons_[i]->setGeometry(r.left() + col * w, r.top() + row * h, w, std::min(h, 22));
  }
}

void RadioGroupView::Sync(plat::Prop p) {
  auto* g = static_cast<plat::TRadioGroup*>(Control());
  if (!g) return;
  switch (p) {
    case plat::Prop::Caption:
      box_->setTitle(Q(g->Caption()).remove('&'));
      break;
    case plat::Prop::Items:
      MakeButtons();
      Sync(plat::Prop::ItemIndex);
      break;
    case plat::Prop::Columns:
      PlaceButtons();
      break;
    case plat::Prop::ItemIndex:
      if (static_cast<int>(buttons_.size()) != g->Items().Count()) MakeButtons();
      for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setChecked(static_cast<int>(i) == g->ItemIndex());
      break;
    default:
      SyncCommon(p);
  }
}

// ---- masked edit ---------------------------------------------------------------

QString ToQtInputMask(const std::string& editMask) {
  if (editMask.empty()) return QString();
  const plat::TEditMask mask(editMask);
  const std::string chars = editMask.substr(0, editMask.find(';'));
  QString out;
  for (size_t i = 0; i < chars.size(); ++i) {
    const char c = chars[i];
    switch (c) {
      case '0': out += '9'; break;  // required digit
      case '9': out += '0'; break;  // optional digit
      case '#': out += '#'; break;
      case 'L': out += 'A'; break;
      case 'l': out += 'a'; break;
      case 'A': out += 'N'; break;
      case 'a': out += 'n'; break;
      case 'C': out += 'X'; break;
      case 'c': out += 'x'; break;
      case '!': break;  // right alignment of short texts: the platform does it
      case '<':
        if (i + 1 < chars.size() && chars[i + 1] == '>') {
          out += '!';
          ++i;
        } else {
          out += '<';
        }
        break;
      case '>': out += '>'; break;
      case '\\':
        if (i + 1 < chars.size()) out += QStringLiteral("\\") + QChar::fromLatin1(chars[++i]);
        break;
      default:
        // Letters and signs that Qt reads as mask characters are escaped.
        if (QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}").contains(QChar::fromLatin1(c))) out += '\\';
        out += QChar::fromLatin1(c);
    }
  }
  out += ';';
  out += QChar::fromLatin1(mask.Blank());
  return out;
}

MaskEditView::MaskEditView(plat::TMaskEdit* edit, QWidget* parent, FormView* form)
    : EditView(edit, parent, form), mask_edit_(edit) {
  // Masked typing happens in Qt; the whole layout then goes to the platform,
  // which reads it position by position.
  QObject::disconnect(line_, &QLineEdit::textEdited, nullptr, nullptr);
  QObject::connect(line_, &QLineEdit::textEdited, line_, [this] {
    if (!Control()) return;
    const QString layout = line_->inputMask().isEmpty() ? line_->text() : line_->displayText();
    Gesture([&] { mask_edit_->UserSetText(S(layout)); });
    Sync(plat::Prop::Caption);
  });
}

void MaskEditView::Sync(plat::Prop p) {
  if (!Control()) return;
  switch (p) {
    case plat::Prop::EditMask: {
      const QString m = ToQtInputMask(mask_edit_->EditMask());
      if (line_->inputMask() != m) line_->setInputMask(m);
      Sync(plat::Prop::Caption);
      break;
    }
    case plat::Prop::Caption: {
      const QString layout = Q(mask_edit_->EditText());
      const QString shown = line_->inputMask().isEmpty() ? line_->text() : line_->displayText();
      if (shown != layout) {
        const int pos = line_->cursorPosition();
        line_->setText(layout);
        line_->setCursorPosition(std::min(pos, static_cast<int>(layout.size())));
      }
      break;
    }
    default:
      EditView::Sync(p);
  }
}

}  // namespace zor::desktop

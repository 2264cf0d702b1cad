// Checking a rendered form the way a person looks at it (see layout_check.h).
#include "desktop/render/layout_check.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>

#include "desktop/render/control_view.h"
#include "desktop/render/form_view.h"
#include "desktop/render/qt_convert.h"
#include "platform/controls/control.h"
#include "platform/controls/custom_form.h"
#include "platform/controls/page_control.h"

namespace zor::desktop {

namespace {

QString NameOf(const plat::TControl* c) { return QString::fromStdString(c->Name()); }

// The caption as drawn: '&' marks an accelerator, "&&" is an ampersand.
QString Drawn(const std::string& caption) {
  QString t = Q(caption);
  return t.replace("&&", "\x01").remove('&').replace('\x01', '&');
}

// Shown, and on the page each page control above it shows.
bool SeenByPerson(const plat::TControl* c) {
  if (!c->Showing()) return false;
  for (const plat::TControl* p = c; p; p = p->Parent())
    if (auto* sheet = dynamic_cast<const plat::TTabSheet*>(p))
      if (sheet->PageControl() && sheet->PageControl()->ActivePage() != sheet) return false;
  return true;
}

int TextWidth(const QWidget* w, const QString& text) { return QFontMetrics(w->font()).horizontalAdvance(text); }

// Room a check box or radio button leaves for its text.
int ButtonTextRoom(const QAbstractButton* b) {
  const bool radio = qobject_cast<const QRadioButton*>(b) != nullptr;
  QStyle* s = b->style();
  const int indicator = s->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, b);
  const int spacing =
      s->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr, b);
  return b->width() - indicator - spacing;
}

class Checker {
 public:
  explicit Checker(const FormView& view) : view_(view) {}

  QStringList Run() {
    for (ControlView* v : view_.Views()) {
      plat::TControl* c = v->Control();
      if (!c || c == view_.PlatformForm() || !SeenByPerson(c)) continue;
      CheckControl(c, v->Widget());
    }
    return problems_;
  }

 private:
  void Problem(const plat::TControl* c, const QString& what) { problems_ << NameOf(c) + ": " + what; }

  void CheckControl(plat::TControl* c, QWidget* w) {
    if (!w) return Problem(c, QStringLiteral("não tem janela"));
    if (view_.isVisible() ? !w->isVisible() : !w->isVisibleTo(&view_))
      return Problem(c, QStringLiteral("não aparece"));
    // A label with nothing to say may have no width; anything else needs room.
    const bool emptyLabel = qobject_cast<QLabel*>(w) && Drawn(c->Caption()).isEmpty();
    if (!emptyLabel && (w->width() <= 0 || w->height() <= 0))
      return Problem(c, QStringLiteral("tem tamanho %1×%2").arg(w->width()).arg(w->height()));
    if (QWidget* parent = w->parentWidget(); parent && !dynamic_cast<plat::TTabSheet*>(c)) {
      if (!parent->rect().contains(w->geometry()))
        Problem(c, QStringLiteral("sai da área do seu contêiner (%1,%2 %3×%4 em %5×%6)")
                       .arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height())
                       .arg(parent->width()).arg(parent->height()));
    }
    CheckCaption(c, w);
    if (auto* table = qobject_cast<QTableView*>(w)) CheckGrid(c, table);
  }

  void CheckCaption(plat::TControl* c, QWidget* w) {
    const QString caption = Drawn(c->Caption());
    if (auto* label = qobject_cast<QLabel*>(w)) {
      if (label->text() != caption) Problem(c, QStringLiteral("mostra \"%1\" em vez de \"%2\"").arg(label->text(), caption));
      if (!label->wordWrap()) Fits(c, w, caption, label->contentsRect().width());
      CheckOverlap(c, w, TextWidth(w, caption));
    } else if (auto* radioBox = qobject_cast<QGroupBox*>(w)) {
      if (radioBox->title() != caption.trimmed() && radioBox->title() != caption)
        Problem(c, QStringLiteral("mostra \"%1\" em vez de \"%2\"").arg(radioBox->title(), caption));
      Fits(c, w, radioBox->title(), w->width() - 16);
      for (auto* b : w->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly))
        if (b->isVisible() || b->isVisibleTo(w)) Fits(c, b, b->text(), ButtonTextRoom(b));
    } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
      if (box->text() != Q(c->Caption()) && box->text().remove('&') != caption)
        Problem(c, QStringLiteral("mostra \"%1\" em vez de \"%2\"").arg(box->text(), caption));
      Fits(c, w, caption, ButtonTextRoom(box));
      CheckOverlap(c, w, w->width() - ButtonTextRoom(box) + TextWidth(w, caption));
    } else if (auto* sheet = dynamic_cast<plat::TTabSheet*>(c)) {
      auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr);
      const int index = tabs ? tabs->indexOf(w) : -1;
      if (index < 0) return Problem(c, QStringLiteral("não tem aba"));
      if (tabs->tabText(index) != caption)
        Problem(c, QStringLiteral("a aba mostra \"%1\" em vez de \"%2\"").arg(tabs->tabText(index), caption));
      if (sheet->TabVisible() && !tabs->tabBar()->rect().contains(tabs->tabBar()->tabRect(index)))
        Problem(c, QStringLiteral("a aba \"%1\" não cabe na barra de abas").arg(caption));
    }
  }

  void Fits(plat::TControl* c, QWidget* w, const QString& text, int room) {
    const int need = TextWidth(w, text);
    if (!text.isEmpty() && need > room)
      Problem(c, QStringLiteral("o texto \"%1\" precisa de %2 px e tem %3 px").arg(text).arg(need).arg(room));
  }

  // The text, drawn from the widget's left edge, must not run into a
  // visible neighbour that starts to its right on the same line.
  void CheckOverlap(plat::TControl* c, QWidget* w, int textRight) {
    QWidget* parent = w->parentWidget();
    if (!parent) return;
    const QRect text(w->x(), w->y(), std::min(textRight, w->width() + 200), w->height());
    for (QWidget* other : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (other == w || !(other->isVisible() || other->isVisibleTo(parent))) continue;
      if (other->testAttribute(Qt::WA_TransparentForMouseEvents) || other->x() <= w->x()) continue;
      if (other->geometry().contains(w->geometry())) continue;  // a frame drawn around it
      if (text.intersects(other->geometry()))
        Problem(c, QStringLiteral("o texto \"%1\" encosta em %2").arg(Drawn(c->Caption()), other->objectName()));
    }
  }

  void CheckGrid(plat::TControl* c, QTableView* t) {
    QAbstractItemModel* m = t->model();
    if (!m) return;
    const int margin = t->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, t) + 1;
    for (int col = 0; col < m->columnCount(); ++col) {
      if (t->isColumnHidden(col)) continue;
      const QString title = m->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
      const int width = t->columnWidth(col);
      if (t->horizontalHeader()->isVisible()) {
        // The header draws the title inside its margins and elides it
        // when it does not fit there.
        const QVariant tf = m->headerData(col, Qt::Horizontal, Qt::FontRole);
        const QFontMetrics hfm(tf.isValid() ? tf.value<QFont>() : t->horizontalHeader()->font());
        const int hmargin = t->horizontalHeader()->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, t->horizontalHeader());
        const int need = hfm.horizontalAdvance(title) + 2 * hmargin + 2;
        if (need > width)
          Problem(c, QStringLiteral("o título \"%1\" precisa de %2 px e a coluna tem %3 px").arg(title).arg(need).arg(width));
      }
      for (int row = 0; row < m->rowCount(); ++row) {
        const QModelIndex index = m->index(row, col);
        const QString text = m->data(index, Qt::DisplayRole).toString();
        const QVariant font = m->data(index, Qt::FontRole);
        const QFontMetrics fm(font.isValid() ? font.value<QFont>() : t->font());
        const int need = fm.horizontalAdvance(text) + 2 * margin;
        if (need > width)
          Problem(c, QStringLiteral("a célula \"%1\" (linha %2, coluna \"%3\") precisa de %4 px e tem %5 px")
                         .arg(text).arg(row + 1).arg(title).arg(need).arg(width));
      }
    }
  }

  const FormView& view_;
  QStringList problems_;
};

}  // namespace

QStringList CheckLayout(const FormView& view) { return Checker(view).Run(); }

}  // namespace zor::desktop

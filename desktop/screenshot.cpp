// Window grab to PNG, and the forms on screen.
#include "desktop/screenshot.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "desktop/render/form_view.h"

namespace zor::desktop {

namespace {
void Settle() {
  // Two rounds: the first lays out and polishes, the second paints what the
  // layout changed (MDI children settle their geometry late).
  for (int i = 0; i < 2; ++i) {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
  }
}

// Top-level windows other than the main one, in stacking order as far as
// Qt tells it (the active one last).
std::vector<QWidget*> WindowsOver(QWidget* window) {
  std::vector<QWidget*> over;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w == window || !w->isVisible() || w->windowType() == Qt::ToolTip) continue;
    if (w == QApplication::activeWindow() || w == QApplication::activeModalWidget())
      over.push_back(w);
    else
      over.insert(over.begin(), w);
  }
  return over;
}
}  // namespace

bool SaveScreenshot(QWidget* window, const QString& file, QString* error) {
  if (!window->isVisible()) window->show();
  Settle();
  QPixmap picture = window->grab();
  {
    QPainter p(&picture);
    const QPoint origin = window->mapToGlobal(QPoint(0, 0));
    for (QWidget* w : WindowsOver(window)) {
      const QPixmap shot = w->grab();
      QPoint at = w->mapToGlobal(QPoint(0, 0)) - origin;
      // A window placed off the main one (offscreen there is no window
      // manager to centre it) is drawn in the middle.
      if (!picture.rect().contains(QRect(at, shot.size())))
        at = QPoint(std::max(0, (picture.width() - shot.width()) / 2), std::max(0, (picture.height() - shot.height()) / 2));
      p.setPen(Qt::darkGray);
      p.drawRect(QRect(at, shot.size()).adjusted(-1, -1, 0, 0));
      p.drawPixmap(at, shot);
    }
  }
  const QString dir = QFileInfo(file).absolutePath();
  if (!QDir().mkpath(dir) || picture.isNull() || !picture.save(file, "PNG")) {
    if (error) *error = QStringLiteral("Não foi possível gravar a imagem da janela em %1.").arg(file);
    return false;
  }
  return true;
}

std::vector<FormView*> ShownFormViews() {
  std::vector<FormView*> views;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible()) continue;
    if (auto* v = qobject_cast<FormView*>(top)) views.push_back(v);
    for (FormView* v : top->findChildren<FormView*>())
      if (v->isVisible() && v->PlatformForm()) views.push_back(v);
  }
  return views;
}

}  // namespace zor::desktop

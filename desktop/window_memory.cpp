// Remembered window places (see window_memory.h).
#include "desktop/window_memory.h"

#include <algorithm>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTimer>

namespace zor::desktop {

namespace {
QString Key(const QString& formName) { return QStringLiteral("janelas/") + formName; }
}  // namespace

namespace {
// A window never placed before takes the whole area, once the area has its
// size (the main window lays itself out after it is shown).
void FillArea(QMdiSubWindow* window) {
  QMdiArea* area = window->mdiArea();
  if (!area || window->isMaximized()) return;
  const QSize room = area->viewport()->size();
  if (room.width() >= window->width() && room.height() >= window->height()) window->setGeometry(QRect(QPoint(0, 0), room));
}
}  // namespace

void RestoreWindowPlace(QMdiSubWindow* window, const QString& formName) {
  if (formName.isEmpty()) return;
  QRect place = QSettings().value(Key(formName)).toRect();
  if (!place.isValid() || place.width() < 100 || place.height() < 80) {
    FillArea(window);
    QTimer::singleShot(0, window, [window] { FillArea(window); });
    return;
  }
  if (QMdiArea* area = window->mdiArea()) {
    // A place remembered on a larger screen is brought back inside.
    const QSize room = area->viewport()->size();
    if (room.width() > 100 && room.height() > 80) {
      place.setSize(place.size().boundedTo(room));
      place.moveLeft(std::clamp(place.left(), 0, std::max(0, room.width() - place.width())));
      place.moveTop(std::clamp(place.top(), 0, std::max(0, room.height() - place.height())));
    }
  }
  window->setGeometry(place);
}

void SaveWindowPlace(const QMdiSubWindow* window, const QString& formName) {
  if (formName.isEmpty() || window->isMaximized() || window->isMinimized()) return;
  QSettings().setValue(Key(formName), window->geometry());
}

}  // namespace zor::desktop

// Window grab to PNG.
#include "desktop/screenshot.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QWidget>

namespace desktop {

bool SaveScreenshot(QWidget* window, const QString& file, QString* error) {
  if (!window->isVisible()) window->show();
  // Two rounds: the first lays out and polishes, the second paints what the
  // layout changed (MDI children settle their geometry late).
  for (int i = 0; i < 2; ++i) {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
  }
  const QPixmap picture = window->grab();
  const QString dir = QFileInfo(file).absolutePath();
  if (!QDir().mkpath(dir) || picture.isNull() || !picture.save(file, "PNG")) {
    if (error) *error = QStringLiteral("Não foi possível gravar a imagem da janela em %1.").arg(file);
    return false;
  }
  return true;
}

}  // namespace desktop

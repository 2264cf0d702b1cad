// Application-wide look and language (see app_setup.h).
#include "desktop/app_setup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zor::desktop {

QString FormFaceFamily() {
  static const QString kFamily = [] {
    const QString wanted = QStringLiteral("Liberation Sans");
    return QFontDatabase::families().contains(wanted) ? wanted : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  }();
  return kFamily;
}

namespace {
// Qt's dialogs and standard buttons ("Sim", "Cancelar", the print dialog)
// speak the person's language: Brazilian Portuguese, whatever the system's.
void LoadQtTranslations(QApplication& app) {
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* catalogue : {"qtbase", "qt"}) {
    auto* t = new QTranslator(&app);
    if (t->load(QLocale(), QString::fromLatin1(catalogue), QStringLiteral("_"), dir))
      app.installTranslator(t);
    else
      delete t;
  }
}
// The application's icon: a white aeroplane on the company's blue, drawn
// here so that no image format plugin is needed.
QIcon ApplicationIcon() {
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1f, 0x4e, 0x8c));
  p.drawRoundedRect(2, 2, 60, 60, 10, 10);
  p.setBrush(Qt::white);
  const QPointF plane[] = {{10, 38}, {54, 22}, {56, 27}, {36, 35}, {30, 52}, {25, 53},
                           {27, 38}, {16, 42}, {13, 48}, {9, 48}};
  p.drawPolygon(plane, 10);
  p.setBrush(QColor(0xf2, 0xb7, 0x05));
  p.drawRect(10, 55, 44, 3);
  return QIcon(pixmap);
}
}  // namespace

void SetUpApplication(QApplication& app) {
  QFont font(FormFaceFamily());
  font.setPixelSize(11);  // the host's menus, status bar and dialogs: 8 points at 96 dpi
  app.setFont(font);
  LoadQtTranslations(app);
  app.setWindowIcon(ApplicationIcon());
}

}  // namespace zor::desktop

// zor-host: the desktop host of the flight screen.
#include <cstdlib>
#include <cstring>

#include <QApplication>

#include "desktop/app_setup.h"
#include "desktop/host_app.h"

int main(int argc, char** argv) {
  // A screenshot needs no display: without one, render offscreen instead of
  // failing to open a window.
  bool screenshot = false;
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--screenshot", 12) == 0) screenshot = true;
  if (screenshot && !std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

  QApplication app(argc, argv);
  QApplication::setApplicationName("zor-host");
  QApplication::setOrganizationName("zor");
  QApplication::setApplicationVersion(QStringLiteral(ZOR_VERSION));
  zor::desktop::SetUpApplication(app);
  zor::desktop::HostApp host;
  return host.Run(QApplication::arguments());
}

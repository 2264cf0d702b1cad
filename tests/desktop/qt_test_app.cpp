// The shared QApplication of the desktop tests.
#include "qt_test_app.h"

#include <QPointer>
#include <QTest>

#include "desktop/app_setup.h"

namespace zor::desktop_test {

QApplication& App() {
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "desktop_tests";
    static char* argv[] = {name, nullptr};
    auto* app = new QApplication(argc, argv);
    desktop::SetUpApplication(*app);
    return app;
  }();
  return *app;
}

void WhenModalOpens(std::function<void(QWidget*)> fn) {
  // Polls: the dialog's own event loop runs the timer.
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, fn] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      (void)QTest::qWaitForWindowExposed(w);
      QPointer<QWidget> dialog(w);
      fn(w);
      // A test whose answer did not close the dialog must not hang.
      QTimer::singleShot(3000, [dialog] {
        if (dialog && dialog->isVisible()) dialog->close();
      });
    }
  });
  timer->start();
}

bool ShowActive(QWidget* w) {
  w->show();
  QApplication::setActiveWindow(w);
  return QTest::qWaitForWindowActive(w);
}

}  // namespace zor::desktop_test

// The host application: reads the context, starts the demo server when
// asked, shows the main window, opens the flight screen through the package,
// replays a script and takes a screenshot when asked.
#pragma once

#include <memory>
#include <sstream>

#include <QStringList>

#include "desktop/demo_server.h"
#include "desktop/host_context.h"
#include "desktop/main_window.h"
#include "desktop/package_loader.h"
#include "desktop/qt_ui.h"

namespace zor::plat {
class TForm;
}

namespace zor::desktop {
class FormHost;
class WindowScriptHost;
}  // namespace zor::desktop

namespace zor::script {
class ScriptInterpreter;
}

namespace zor::desktop {

// Why the database at `url` cannot be opened before trying it (empty when
// it may be tried): none given, or a SQLite file that does not exist.
QString DatabaseProblem(const QString& url, const QString& configFile);

// The records the screen's main grid lists (its data source dtsPadrao);
// -1 when the form lists none.
int ListedRecords(plat::TForm* form);

class HostApp {
 public:
  HostApp();
  ~HostApp();

  // Exit code of the host: 0 fine, 1 a failure shown or printed (an
  // expectation of the script included), 2 a bad command line or a script
  // that cannot be read. Without a screenshot, and unless the script
  // failed, it runs the event loop.
  int Run(const QStringList& args);
  int RunPreview();

  MainWindow& Window() { return *window_; }
  QtUi& Ui() { return *ui_; }
  const HostOptions& Options() const { return options_; }
  FormHost* Forms() const { return forms_.get(); }

  // Opens the flight screen through the package's IniProc; errors raised by
  // the package are shown, the silent abort is not.
  bool OpenFlightScreen(QString* error);

  // Replays the script file into the window: 0 when every expectation
  // held; otherwise the transcript goes to stderr and the status is the
  // driver's (1 an expectation failed, 2 the script cannot be read).
  int RunScript(const QString& file);

 private:
  // A failure at start: shown in a message box when the window is up and
  // the host is interactive, printed to stderr otherwise.
  void Report(const QString& text);
  // Opens the session with the server: with a known password (file,
  // ZOR_PASSWORD, or the demo's) at once, otherwise through the login
  // dialog. Fills the context from the answer. False: not logged in (the
  // reason reported, or the person cancelled).
  bool LogIn();
  // "" when logged in, else why not.
  QString TryLogIn(const QString& user, const QString& password);
  void ApplyContext();
  // The platform side of the host: its main form, the screen size, the
  // user's context and the shared database connection.
  void SetUpPlatform();

  HostOptions options_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<QtUi> ui_;
  std::unique_ptr<PackageLoader> package_;
  std::unique_ptr<FormHost> forms_;
  plat::TForm* host_form_ = nullptr;
  DemoServer demo_;
  // Why the database cannot be used (empty when it can): the screen is
  // not opened then.
  QString database_problem_;
  // Kept after the replay: a flight opened by the script keeps its caller
  // form until the host ends.
  std::ostringstream transcript_;
  std::unique_ptr<WindowScriptHost> script_host_;
  std::unique_ptr<zor::script::ScriptInterpreter> script_;
};

}  // namespace zor::desktop

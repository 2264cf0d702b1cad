// The host's main window: the MDI area the screens open in, the menu that
// opens the flight screen, and a status bar with user, branch and server.
#pragma once

#include <functional>

#include <QMainWindow>

#include "desktop/host_context.h"

class QLabel;
class QMdiArea;
class QAction;

namespace zor::desktop {

// A screen's help page as installed, or empty when it is missing.
QString HelpPagePath(const QString& screenCode);

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);

  QMdiArea* Mdi() const { return mdi_; }
  QAction* FlightScreenAction() const { return open_flight_screen_; }
  QAction* ScheduleImportAction() const { return import_schedule_; }
  QAction* ScheduleExportAction() const { return export_schedule_; }

  void SetContext(const HostContext& context);
  // What the menu entry runs; the host installs the package loader here.
  void SetFlightScreenOpener(std::function<void()> opener) { opener_ = std::move(opener); }
  void OpenFlightScreen();
  // The schedule exchange dialogs (SSIM files), for the context's branch.
  void ImportSchedule();
  void ExportSchedule();

  // The number of records the active screen lists (its main grid), shown
  // in the status bar; negative when no screen lists any.
  void SetListedCount(int count);
  QString ListedText() const;
  QString UserText() const;
  QString BranchText() const;
  QString ServerText() const;
  // The "Sobre" text, with the version.
  QString AboutText() const;
  // Opens a screen's help page (installed with the program) in a window;
  // the flight screen's when no code is given.
  void ShowScreenHelp(const QString& screenCode = QStringLiteral("ZOR12200"));
  // Caption of the active screen, empty when none is open.
  QString ActiveScreenCaption() const;

 private:
  QMdiArea* mdi_;
  QAction* open_flight_screen_;
  QAction* import_schedule_;
  QAction* export_schedule_;
  HostContext context_;
  QLabel* user_;
  QLabel* branch_;
  QLabel* server_;
  QLabel* listed_;
  std::function<void()> opener_;
};

}  // namespace zor::desktop

// The ui port in Qt: message boxes, yes/no questions, the pick list and
// search dialogs, the busy indicator and modal forms, all over the host's
// main window.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/ui/ui_port.h"

namespace zor::desktop {

class BusyIndicator;

class QtUi : public plat::UiPort {
 public:
  // Builds the window that shows a platform form inside a modal dialog and
  // calls `done` with the modal result once the form sets one. Installed by
  // the renderer; without it a modal form ends at once as cancelled.
  // In script mode `drive` runs the form instead of the dialog's own loop.
  using ModalRunner = std::function<int(plat::TForm& form, QWidget* parent, std::function<int()> drive)>;

  explicit QtUi(QWidget* mainWindow = nullptr);
  ~QtUi() override;

  void SetMainWindow(QWidget* w);
  QWidget* MainWindow() const { return main_window_; }
  void SetModalRunner(ModalRunner runner) { modal_runner_ = std::move(runner); }
  // Caption of the active screen, used when a message comes without one.
  void SetCaptionSource(std::function<QString()> source) { caption_source_ = std::move(source); }

  // Script mode, while a script replays into the window (null ends it).
  // Messages, questions, pick lists and searches go to `script` instead of
  // a dialog: it consumes the script's queued answers (a question nobody
  // prepared an answer for is answered No, a pick list or search is
  // cancelled) and records what was shown, so no dialog ever waits for a
  // person the script stands in for. The busy indicator shows in the window
  // and is reported to `script` too. A modal form is shown in its dialog
  // without a loop of its own: `script` runs it (the script's next gestures
  // work inside it) until it has a modal result. Not owned.
  void SetScriptPort(plat::UiPort* script) { script_ = script; }
  plat::UiPort* ScriptPort() const { return script_; }

  void ShowError(const std::string& caption, const std::string& text) override;
  void ShowInfo(const std::string& caption, const std::string& text) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  std::optional<int> PickRow(const plat::PickListRequest& request) override;
  std::optional<plat::SearchAnswer> Search(const plat::SearchRequest& request) override;
  void ShowBusy(int kind) override;
  void HideBusy() override;
  int RunModal(plat::TForm& form) override;
  // A window with the HTML document and a print button (printer or PDF).
  bool ShowDocument(const std::string& caption, const std::string& path, bool print) override;
  void ShowHelp(const std::string& screenCode) override;
  // Who opens a screen's help page (the host's main window).
  void SetHelpOpener(std::function<void(const QString&)> opener) { help_opener_ = std::move(opener); }

  int BusyDepth() const;
  // The caption a message box gets: the given one, else the active screen's,
  // else the screen's own title.
  QString CaptionFor(const std::string& caption) const;

 private:
  QWidget* DialogParent() const;

  QPointer<QWidget> main_window_;
  std::unique_ptr<BusyIndicator> busy_;
  ModalRunner modal_runner_;
  std::function<QString()> caption_source_;
  std::function<void(const QString&)> help_opener_;
  plat::UiPort* script_ = nullptr;
};

}  // namespace zor::desktop

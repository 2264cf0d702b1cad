// The host's start-up sequence.
#include "desktop/host_app.h"

#include <cstdio>

#include <QApplication>
#include <QFile>
#include <QMessageBox>

#include "desktop/screenshot.h"
#include "platform/core/exceptions.h"
#include "platform/core/variant.h"

namespace desktop {

HostApp::HostApp() : window_(std::make_unique<MainWindow>()), ui_(std::make_unique<QtUi>(window_.get())) {
  ui_->SetCaptionSource([w = window_.get()] { return w->ActiveScreenCaption(); });
  plat::SetUi(ui_.get());
  window_->SetFlightScreenOpener([this] {
    QString error;
    if (!OpenFlightScreen(&error) && !error.isEmpty()) ui_->ShowError("", error.toStdString());
  });
}

HostApp::~HostApp() {
  plat::SetUi(nullptr);
  demo_.Stop();
}

void HostApp::Report(const QString& text) {
  if (options_.ScreenshotFile.isEmpty() && window_->isVisible())
    ui_->ShowError("", text.toStdString());
  else
    std::fprintf(stderr, "zor-host: %s\n", text.toLocal8Bit().constData());
}

void HostApp::ApplyContext() {
  window_->SetContext(options_.Context);
  package_ = std::make_unique<PackageLoader>(options_.Context.PackagePath);
}

bool HostApp::OpenFlightScreen(QString* error) {
  if (!package_) package_ = std::make_unique<PackageLoader>(options_.Context.PackagePath);
  try {
    // Null: opened from the host menu.
    return package_->Run(plat::Variant(), error);
  } catch (const plat::EAbort&) {
    return true;  // the package has shown what went wrong
  } catch (const std::exception& e) {
    if (error) *error = QString::fromStdString(e.what());
    return false;
  }
}

int HostApp::Run(const QStringList& args) {
  QString error;
  if (!ParseHostOptions(args, options_, &error)) {
    const bool help = args.contains("--help") || args.contains("-h");
    std::fprintf(help ? stdout : stderr, "%s\n", error.toLocal8Bit().constData());
    return help ? 0 : 2;
  }

  if (options_.Demo) {
    const QString program = options_.ServerProgram.isEmpty() ? DemoServer::FindServerProgram() : options_.ServerProgram;
    if (!demo_.Start(program, DemoServer::DefaultDatabaseFile(), &error)) {
      std::fprintf(stderr, "zor-host: %s\n", error.toLocal8Bit().constData());
      if (options_.ScreenshotFile.isEmpty()) QMessageBox::critical(nullptr, QStringLiteral("Vôo/Trecho"), error);
      return 1;
    }
    options_.Context.DatabaseUrl = demo_.DatabaseUrl();
    options_.Context.ServerHost = QStringLiteral("127.0.0.1");
    options_.Context.ServerPort = demo_.Port();
  }
  ApplyContext();

  window_->show();
  int status = 0;
  if (options_.OpenScreen && !OpenFlightScreen(&error)) {
    Report(error);
    status = 1;
  }

  if (!options_.ScreenshotFile.isEmpty()) {
    if (!SaveScreenshot(window_.get(), options_.ScreenshotFile, &error)) {
      Report(error);
      return 1;
    }
    return status;
  }
  return QApplication::exec();
}

}  // namespace desktop

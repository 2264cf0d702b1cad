// Replaying a script into the desktop window (see window_script_host.h).
#include "desktop/window_script_host.h"

#include <QApplication>

#include "desktop/form_host.h"
#include "desktop/host_app.h"
#include "desktop/main_window.h"
#include "desktop/package_loader.h"
#include "desktop/render/form_view.h"
#include "desktop/render/layout_check.h"
#include "desktop/screenshot.h"
#include "platform/core/exceptions.h"
#include "platform/core/variant.h"
#include "platform/controls/custom_form.h"

namespace zor::desktop {

WindowScriptHost::WindowScriptHost(PackageLoader& loader, FormHost& forms, QWidget* window)
    : loader_(loader), forms_(forms), window_(window) {}

bool WindowScriptHost::LoadExports(std::string& error) {
  // The same path the loader opened: dlopen hands back the one library
  // already in the process.
  return exports_.Load(loader_.Path().toStdString(), error);
}

void WindowScriptHost::Enter(const plat::Variant& argument) {
  QString error;
  const bool ok = loader_.Run(argument, &error);
  forms_.Sync();
  if (!ok) throw plat::Exception(error.toStdString());
}

void WindowScriptHost::Create(const std::string& place, const std::string& dataSetName, plat::TForm* caller) {
  std::string error;
  if (!LoadExports(error)) throw plat::Exception(error);
  exports_.Create(place, dataSetName, caller);
  forms_.Sync();
}

bool WindowScriptHost::SetDialogFlags(bool showModal, bool legDialog, std::string& error) {
  return LoadExports(error) && exports_.SetDialogFlags(showModal, legDialog, error);
}

plat::TForm* WindowScriptHost::ScreenForm() {
  std::string error;
  return LoadExports(error) ? exports_.ScreenForm() : nullptr;
}

}  // namespace zor::desktop

namespace zor::desktop {

bool WindowScriptHost::TakeScreenshot(const std::string& file, std::string& error) {
  // The status bar's count is refreshed by a timer; the picture shows it now.
  if (auto* main = qobject_cast<MainWindow*>(window_)) main->SetListedCount(ListedRecords(forms_.ActiveForm()));
  QString why;
  if (SaveScreenshot(window_, QString::fromStdString(file), &why)) return true;
  error = why.toStdString();
  if (error.empty()) error = "não foi possível tirar a imagem " + file;
  return false;
}

bool WindowScriptHost::CheckWindow(std::vector<std::string>& problems) {
  forms_.Sync();
  // The windows settle their layout as the person would see it.
  for (int i = 0; i < 2; ++i) {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
  }
  for (FormView* view : ShownFormViews()) {
    plat::TCustomForm* f = view->PlatformForm();
    const QString form = f ? QString::fromStdString(f->Name().empty() ? f->Caption() : f->Name()) : QString();
    for (const QString& p : CheckLayout(*view)) problems.push_back((form + "." + p).toStdString());
  }
  return true;
}

}  // namespace zor::desktop

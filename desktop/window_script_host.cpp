// Replaying a script into the desktop window (see window_script_host.h).
#include "desktop/window_script_host.h"

#include "desktop/form_host.h"
#include "desktop/package_loader.h"
#include "platform/core/exceptions.h"
#include "platform/core/variant.h"

namespace desktop {

WindowScriptHost::WindowScriptHost(PackageLoader& loader, FormHost& forms) : loader_(loader), forms_(forms) {}

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

}  // namespace desktop

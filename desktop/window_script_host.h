// The script driver's host inside the desktop window: a script given with
// `zor-host --script` opens the screen through the package as the host menu
// does and its gestures run on the same platform objects the window
// renders, so the window shows what the script did.
#pragma once

#include <memory>
#include <string>

#include "desktop/script/package_host.h"
#include "desktop/script/script_interpreter.h"

class QWidget;

namespace zor::desktop {

class FormHost;
class PackageLoader;

class WindowScriptHost : public zor::script::ScriptHost {
 public:
  // None is owned; all outlive this host.
  WindowScriptHost(PackageLoader& loader, FormHost& forms, QWidget* window);

  // IniProc through the host's package loader, then the new windows are
  // shown; a package that cannot be loaded raises its message.
  void Enter(const plat::Variant& argument) override;
  void Create(const std::string& place, const std::string& dataSetName, plat::TForm* caller) override;
  bool SetDialogFlags(bool showModal, bool legDialog, std::string& error) override;
  plat::TForm* ScreenForm() override;
  // The whole window with the dialogs over it, and the check of every form shown.
  bool TakeScreenshot(const std::string& file, std::string& error) override;
  bool CheckWindow(std::vector<std::string>& problems) override;

 private:
  // The package's other exports (CriaVoo, the dialog flags, the screen
  // instance), resolved from the library the loader uses.
  bool LoadExports(std::string& error);

  PackageLoader& loader_;
  FormHost& forms_;
  QWidget* window_;
  zor::script::PackageHost exports_;
};

}  // namespace zor::desktop

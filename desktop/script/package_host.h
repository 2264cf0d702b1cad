// The screen package loaded with dlopen, as the script driver hosts it:
// IniProc and CriaVoo are the entry points; the dialog flags and the screen instance are
// read and set through the package's exported globals (boShowModal,
// boTrechoOk, boStCriado, frmVoo). Qt-free, so the desktop host may reuse it.
#pragma once

#include <string>

#include "desktop/script/script_interpreter.h"

namespace zor::script {

class PackageHost : public ScriptHost {
 public:
  using EntryPoint = void (*)(plat::Variant);
  using CreateEntry = void (*)(const std::string&, const std::string&, plat::TForm*);

  PackageHost() = default;
  // The library stays loaded until the process ends: forms and handlers it
  // made may be referenced until then.
  ~PackageHost() override = default;
  PackageHost(const PackageHost&) = delete;
  PackageHost& operator=(const PackageHost&) = delete;

  // The package path the driver uses when none is given: the one the build
  // tree names, else libPkg_zor12200.so beside the executable or in the
  // build tree's package folder.
  static std::string DefaultPath();

  // Loads the library (RTLD_GLOBAL, so the package and the driver share
  // the platform's process-wide state) and resolves IniProc. False with a
  // message for the person when it cannot.
  bool Load(const std::string& path, std::string& error);
  bool Loaded() const { return entry_ != nullptr; }

  void Enter(const plat::Variant& argument) override;
  // CriaVoo when the package exports it; else IniProc with the same three
  // values as an array (the caller form carried as an integer).
  void Create(const std::string& place, const std::string& dataSetName, plat::TForm* caller) override;
  bool SetDialogFlags(bool showModal, bool legDialog, std::string& error) override;
  plat::TForm* ScreenForm() override;

 private:
  std::string path_;
  void* handle_ = nullptr;
  EntryPoint entry_ = nullptr;
  CreateEntry create_ = nullptr;
  bool* show_modal_ = nullptr;
  bool* leg_dialog_ = nullptr;
  bool* created_ = nullptr;
  void** screen_ = nullptr;
};

}  // namespace zor::script

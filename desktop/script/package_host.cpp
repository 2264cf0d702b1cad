// dlopen/dlsym of the screen package (see package_host.h).
#include "desktop/script/package_host.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>

#include "platform/forms/form.h"
#include "platform/forms/screen.h"

namespace zor::script {

namespace {

const char* const kLibraryName = "libPkg_zor12200.so";

std::filesystem::path ExecutableDir() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : exe.parent_path();
}

}  // namespace

std::string PackageHost::DefaultPath() {
  namespace fs = std::filesystem;
  std::vector<fs::path> candidates;
  const fs::path dir = ExecutableDir();
  // An installed driver finds the package beside the platform libraries.
  candidates.push_back(dir / ".." / "lib" / "zor" / kLibraryName);
#ifdef ZOR_SCRIPT_PACKAGE_PATH
  candidates.emplace_back(ZOR_SCRIPT_PACKAGE_PATH);
#endif
  candidates.push_back(dir / kLibraryName);
  candidates.push_back(dir / ".." / ".." / "package" / kLibraryName);
  candidates.push_back(dir / ".." / "package" / kLibraryName);
  candidates.push_back(dir / ".." / "lib" / kLibraryName);
  for (const auto& c : candidates) {
    std::error_code ec;
    if (fs::exists(c, ec)) return fs::weakly_canonical(c, ec).string();
  }
  return candidates.front().lexically_normal().string();
}

bool PackageHost::Load(const std::string& path, std::string& error) {
  if (entry_) return true;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    error = "O pacote da tela Vôo/Trecho não foi encontrado em " + path +
            ". Compile o pacote Pkg_zor12200 ou informe o caminho com --package.";
    return false;
  }
  // RTLD_GLOBAL: the package's platform symbols join the driver's, so both
  // use one ui port, one host context and one screen list.
  void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (!h) {
    const char* why = dlerror();
    error = "Não foi possível carregar o pacote " + path + ": " + (why ? why : "erro desconhecido");
    return false;
  }
  auto entry = reinterpret_cast<EntryPoint>(dlsym(h, "IniProc"));
  if (!entry) {
    error = "O pacote " + path + " não exporta a entrada IniProc.";
    dlclose(h);
    return false;
  }
  path_ = path;
  handle_ = h;
  entry_ = entry;
  create_ = reinterpret_cast<CreateEntry>(dlsym(h, "CriaVoo"));
  show_modal_ = static_cast<bool*>(dlsym(h, "boShowModal"));
  leg_dialog_ = static_cast<bool*>(dlsym(h, "boTrechoOk"));
  created_ = static_cast<bool*>(dlsym(h, "boStCriado"));
  screen_ = static_cast<void**>(dlsym(h, "frmVoo"));
  return true;
}

void PackageHost::Enter(const plat::Variant& argument) { entry_(argument); }

void PackageHost::Create(const std::string& place, const std::string& dataSetName, plat::TForm* caller) {
  if (create_) {
    create_(place, dataSetName, caller);
    return;
  }
  auto reference = static_cast<int64_t>(reinterpret_cast<intptr_t>(caller));
  entry_(plat::Variant(plat::Variant::Array{plat::Variant(place), plat::Variant(dataSetName), plat::Variant(reference)}));
}

bool PackageHost::SetDialogFlags(bool showModal, bool legDialog, std::string& error) {
  if (!show_modal_ || !leg_dialog_) {
    error = "o pacote " + path_ + " não exporta boShowModal e boTrechoOk";
    return false;
  }
  *show_modal_ = showModal;
  *leg_dialog_ = legDialog;
  return true;
}

plat::TForm* PackageHost::ScreenForm() {
  if (!screen_ || (created_ && !*created_) || !*screen_) return nullptr;
  // frmVoo keeps its value after the screen is closed and freed: only a
  // form still on the screen's list is the screen. Comparing the most
  // derived addresses needs no knowledge of the screen's class.
  for (int i = 0; i < plat::Screen->FormCount(); ++i) {
    plat::TForm* f = plat::Screen->Forms(i);
    if (dynamic_cast<void*>(f) == *screen_) return f;
  }
  return nullptr;
}

}  // namespace zor::script

// Loads the screen package (a shared library) on demand and calls its
// generic entry point `IniProc`. The library stays loaded for the life of
// the host: the screens it creates live in the host's window.
#pragma once

#include <QString>

namespace zor::plat {
class Variant;
}

namespace zor::desktop {

class PackageLoader {
 public:
  // The entry point every package exports unmangled.
  using EntryPoint = void (*)(plat::Variant);

  explicit PackageLoader(QString path = QString());
  ~PackageLoader();
  PackageLoader(const PackageLoader&) = delete;
  PackageLoader& operator=(const PackageLoader&) = delete;

  // The path tried when none is configured: next to the host, then in the
  // build tree's package folder.
  static QString DefaultPath();

  const QString& Path() const { return path_; }
  bool Loaded() const { return handle_ != nullptr; }

  // Loads the library and finds IniProc. On failure returns false with a
  // message for the person in `error`.
  bool Load(QString* error);
  // Loads when needed and calls IniProc(argument). Exceptions raised by the
  // package pass through.
  bool Run(const plat::Variant& argument, QString* error);

 private:
  QString path_;
  void* handle_ = nullptr;
  EntryPoint entry_ = nullptr;
};

}  // namespace zor::desktop

// dlopen/dlsym of the screen package.
#include "desktop/package_loader.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/core/variant.h"

namespace zor::desktop {

namespace {
const char* const kLibraryName = "libPkg_zor12200.so";
}

PackageLoader::PackageLoader(QString path) : path_(path.isEmpty() ? DefaultPath() : std::move(path)) {}

PackageLoader::~PackageLoader() {
  // The library is deliberately not closed: forms, handlers and objects it
  // created may still be referenced by the host until the process ends.
}

QString PackageLoader::DefaultPath() {
  const QString dir = QCoreApplication::applicationDirPath();
  const QStringList candidates = {
      dir + "/../lib/zor/" + kLibraryName,  // installed
      dir + "/" + kLibraryName,
      dir + "/../package/" + kLibraryName,
      dir + "/../lib/" + kLibraryName,
  };
  for (const QString& c : candidates)
    if (QFileInfo::exists(c)) return QDir::cleanPath(c);
  return QDir::cleanPath(candidates.front());
}

bool PackageLoader::Load(QString* error) {
  if (handle_) return true;
  if (!QFileInfo::exists(path_)) {
    if (error)
      *error = QStringLiteral("O pacote da tela Vôo/Trecho não foi encontrado em %1. "
                              "Compile o pacote Pkg_zor12200 ou informe o caminho com --package.")
                   .arg(QDir::toNativeSeparators(path_));
    return false;
  }
  // RTLD_GLOBAL: the package's platform symbols join the host's, so both
  // use one ui port, one host context and one screen list.
  void* h = dlopen(path_.toLocal8Bit().constData(), RTLD_NOW | RTLD_GLOBAL);
  if (!h) {
    if (error)
      *error = QStringLiteral("Não foi possível carregar o pacote %1: %2")
                   .arg(QDir::toNativeSeparators(path_), QString::fromLocal8Bit(dlerror()));
    return false;
  }
  auto entry = reinterpret_cast<EntryPoint>(dlsym(h, "IniProc"));
  if (!entry) {
    if (error)
      *error = QStringLiteral("O pacote %1 não exporta a entrada IniProc.").arg(QDir::toNativeSeparators(path_));
    dlclose(h);
    return false;
  }
  handle_ = h;
  entry_ = entry;
  return true;
}

bool PackageLoader::Run(const plat::Variant& argument, QString* error) {
  if (!Load(error)) return false;
  entry_(argument);
  return true;
}

}  // namespace zor::desktop

// Report folders and document file names.
#include "platform/reports/report_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"

namespace fs = std::filesystem;

namespace zor::plat {

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

}  // namespace

fs::path InstalledReportFolder() { return fs::path(ZOR_REPORT_DATA_DIR); }

std::vector<fs::path> ReportDefinitionFolders(const std::string& configured) {
  std::vector<fs::path> folders;
  if (!configured.empty() && fs::path(configured).is_absolute()) folders.emplace_back(configured);
  folders.push_back(InstalledReportFolder());
  return folders;
}

std::optional<fs::path> FindReportDefinition(const std::vector<fs::path>& folders, const std::string& code) {
  for (const fs::path& folder : folders) {
    std::error_code ignored;
    const fs::path file = folder / (code + ".rel");
    if (fs::is_regular_file(file, ignored)) return file;
  }
  return std::nullopt;
}

fs::path ReportOutputFolder() {
  if (const std::string chosen = Env("ZOR_REPORT_OUTPUT"); !chosen.empty()) return chosen;
  fs::path data = Env("XDG_DATA_HOME");
  if (data.empty() || !data.is_absolute()) {
    const std::string home = Env("HOME");
    if (home.empty()) throw Exception(PlatformText("report.no_home"));
    data = fs::path(home) / ".local" / "share";
  }
  return data / "zor12200" / "relatorios";
}

fs::path CreateUniqueReportFile(const fs::path& folder, const std::string& code, const std::string& stamp,
                                const std::string& extension) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error)
    throw Exception(PlatformText("report.folder_failed", {folder.string(), error.message()}));
  for (int n = 1; n < 10000; ++n) {
    const std::string stem = code + "-" + stamp + (n == 1 ? std::string() : "-" + std::to_string(n));
    const fs::path path = folder / (stem + extension);
    // O_EXCL: the name is ours only if nobody made it first, even another process.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::close(fd);
      return path;
    }
    if (errno != EEXIST)
      throw Exception(PlatformText("report.write_failed_because", {path.string(), std::strerror(errno)}));
  }
  throw Exception(PlatformText("report.names_exhausted", {folder.string()}));
}

}  // namespace zor::plat

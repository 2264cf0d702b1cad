// Where reports live on disk: the folders replacement definitions may come
// from, the person's folder for written documents, and a fresh file name
// for every document so that no report overwrites another.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zor::plat {

// The folders a replacement definition may come from, in the order they
// are searched: the configured folder when it is an absolute path (a
// relative one would depend on where the program was started, so it is
// never used), then the installed data folder.
std::vector<std::filesystem::path> ReportDefinitionFolders(const std::string& configured);

// The installed data folder of report definitions.
std::filesystem::path InstalledReportFolder();

// The file <code>.rel in the first of `folders` that has one.
std::optional<std::filesystem::path> FindReportDefinition(const std::vector<std::filesystem::path>& folders,
                                                          const std::string& code);

// The person's folder for report documents: $ZOR_REPORT_OUTPUT when set,
// else "relatorios" in the XDG data folder ($XDG_DATA_HOME, else
// ~/.local/share) of this program.
std::filesystem::path ReportOutputFolder();

// Creates, in `folder` (made when missing), a new empty file
// "<code>-<yyyymmdd-hhmmss>[-n]<extension>" that did not exist before, and
// returns its path; another report of the same second gets the next n.
// Raises Exception with a message for the person when it cannot.
std::filesystem::path CreateUniqueReportFile(const std::filesystem::path& folder, const std::string& code,
                                             const std::string& stamp, const std::string& extension);

}  // namespace zor::plat

// The "ssim export" and "ssim import" commands of zor12200-server: the
// schedule exchange run from a shell against the server's database.
#pragma once

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <string>

namespace zor::server::ssim {

class SsimCommands {
 public:
  // Adds the "ssim" command with its two subcommands to the server's app.
  explicit SsimCommands(CLI::App& app);
  bool Chosen() const;
  // Runs the chosen subcommand on the database; the exit status.
  int Run(const std::string& db, std::ostream& out, std::ostream& err) const;

 private:
  int RunExport(const std::string& db, std::ostream& out, std::ostream& err) const;
  int RunImport(const std::string& db, std::ostream& out, std::ostream& err) const;

  CLI::App* ssim_ = nullptr;
  CLI::App* export_ = nullptr;
  CLI::App* import_ = nullptr;
  std::string branch_, company_, from_, to_, output_, file_, station_;
  bool apply_ = false;
};

}  // namespace zor::server::ssim

// Writing a company's flights at a branch as a schedule file. A flight the
// file cannot express is left out with the reason; the others are written.
#pragma once

#include <string>
#include <vector>

#include "server/db_connection.h"
#include "server/ssim/ssim_date.h"

namespace zor::server::ssim {

struct ExportOptions {
  std::string branch, company;
  // The season: the period of every Regular flight and of the carrier
  // record. Extra flights whose validity misses it are not written.
  Date seasonFrom, seasonTo;
  Date created;
  int createdMinutes = 0;
};

struct ExportResult {
  std::string file;
  int flights = 0;                   // written
  int outsideSeason = 0;             // Extra flights whose validity misses the season
  std::vector<std::string> refused;  // "Vôo 1234: reason", one per flight left out
};

// Throws std::runtime_error (Portuguese) when nothing can be written at
// all (unknown branch or company, a designator that is not 2 or 3 characters).
ExportResult ExportSchedule(Connection& c, const ExportOptions& options);

}  // namespace zor::server::ssim

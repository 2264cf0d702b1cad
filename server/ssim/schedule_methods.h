// The schedule exchange as methods of the flight data module, so that the
// desktop runs the same export, plan and application over its server
// connection: GetSsim, GetPlanoSsim, SetSsim (docs/ssim.md).
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "server/audit_trail.h"
#include "server/db_connection.h"

namespace zor::server::ssim {

// (branch, company, first day, last day): the file and what was left out.
nlohmann::ordered_json ExportMethod(Connection& c, const std::string& branch, const std::string& company,
                                    const std::string& from, const std::string& to);
// (branch, company, file text, station): the plan as a table, and its counts.
nlohmann::ordered_json PlanMethod(Connection& c, const std::string& branch, const std::string& company,
                                  const std::string& file, const std::string& station);
// (branch, company, file text, station, the plan shown): plans again and
// applies only when the plan is still the one the person confirmed.
nlohmann::ordered_json ApplyMethod(Connection& c, AuditRecorder* audit, const std::string& branch, const std::string& company,
                                   const std::string& file, const std::string& station, const std::string& shown);

}  // namespace zor::server::ssim

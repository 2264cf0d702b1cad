// Comparing the flights of a schedule file with the flights a branch holds
// for the company: which to create, which change (weekdays, validity,
// equipment, indicator, legs, classes), which are the same, which the file
// cannot give (with the reasons, per record), and which the branch holds
// but the file lacks. Reads the database, writes nothing.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "server/db_connection.h"
#include "server/ssim/held_schedule.h"
#include "server/ssim/ssim_file.h"

namespace zor::server::ssim {

struct ImportOptions {
  std::string branch, company;
  std::string station;  // only flights with a leg from or to it ("" all)
  // The season; when not given, the carrier record's period. A flight
  // operating the whole season is Regular, any other Extra.
  std::optional<Date> seasonFrom, seasonTo;
};

// A flight as the file wants it, in the branch's codes.
struct WantedLeg {
  std::string from, to, fromCode, toCode;
  std::string departure, arrival;
  std::vector<std::string> letters, classCodes;
};
struct WantedFlight {
  std::string number;
  std::string kind;                // "1" Regular, "2" Extra
  std::string validFrom, validTo;  // yyyy-mm-dd, Extra only
  std::array<bool, 7> days{};
  std::string flightType;          // CDEXPTIPOVOO
  std::string equipment, equipmentAbbreviation;
  std::string timeReference;       // IDTIPAJUSFAT of the legs
  std::vector<WantedLeg> legs;
};

enum class Action { Create, Change, Same, Skip, Absent };

struct PlanItem {
  Action action;
  std::string number;
  std::vector<std::string> details;  // what changes, why skipped, or a summary
  WantedFlight wanted;               // create, change, same
  int held = -1;                     // index into Plan::held (change, same, absent)
};

struct Plan {
  std::string airline;
  References refs;
  std::vector<HeldFlight> held;
  std::vector<PlanItem> items;       // file order, then the absent ones
  std::vector<std::string> issues;   // faults of the file outside any flight
  int Count(Action a) const;
};

// Throws std::runtime_error (Portuguese) when the file has no carrier
// record of the company's designator, or the branch or company is unknown.
Plan PlanImport(Connection& c, const Document& doc, const ImportOptions& options);

// The plan as a table for a person: one line per flight, then the counts.
std::string PlanTable(const Plan& plan);

}  // namespace zor::server::ssim

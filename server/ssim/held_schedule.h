// What a branch holds for one company, read for the schedule exchange:
// its flights with their legs and the legs' classes (each row kept in its
// dataset's field order, so that a change can name the values it was
// planned against), and the reference tables that translate schedule codes
// (stations, aircraft types, booking letters, service types) into the
// branch's own codes.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "server/db_connection.h"

namespace zor::server::ssim {

using Row = std::vector<SqlValue>;

struct HeldClass {
  Row row;  // ClasseVooDataset() order
  std::string code, letter;
};

struct HeldLeg {
  Row row;  // TrechoDataset() order
  std::string code;                 // CDTRECHO
  std::string fromCode, toCode;     // CDBASEORI, CDBASEDES
  std::string from, to;             // the bases' abbreviations
  std::string departure, arrival;   // HHMM
  std::string timeReference;        // IDTIPAJUSFAT
  std::vector<HeldClass> classes;
};

struct HeldFlight {
  Row row;  // VooDataset() order
  std::string number;
  std::string equipment;    // CDEQUIP
  std::string kind;         // IDTIPVOO: "1" Regular, "2" Extra
  std::string validFrom, validTo;  // yyyy-mm-dd or ""
  std::array<bool, 7> days{};      // Monday .. Sunday
  std::string flightType;   // CDEXPTIPOVOO
  std::vector<HeldLeg> legs;
};

// The flights of the company at the branch, in number order, legs in leg
// code order, classes in class code order.
std::vector<HeldFlight> ReadHeldFlights(Connection& c, const std::string& branch, const std::string& company);

// The weekday fields of a flight, Monday first.
extern const std::array<const char*, 7> kDayFields;

struct Equipment {
  std::string code, abbreviation, iataType;
};

// Reference data of one company at one branch.
struct References {
  std::string airline;                                  // SGCIA
  std::map<std::string, Equipment> equipment;           // by CDEQUIP, the company's at the branch
  std::map<std::string, std::string> stationCodes;      // SGBASE -> CDBASE
  std::map<std::string, std::string> classCodes;        // SGCLASSE -> CDCLASSE, the company's at the branch
  std::vector<std::string> flightTypes;                 // CDEXPTIPOVOO held
  std::string firstShift;                               // NRTURNO given to new flights

  // Equipment of the company at the branch with this aircraft type.
  std::vector<const Equipment*> WithIataType(const std::string& type) const;
};

// Throws std::runtime_error (Portuguese) when the branch, the company or
// their link does not exist.
References ReadReferences(Connection& c, const std::string& branch, const std::string& company);

// A stored value as text ("" for null).
std::string Text(const SqlValue& v);

}  // namespace zor::server::ssim

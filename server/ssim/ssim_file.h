// Schedule files of fixed 200-character records (header, carrier, flight
// leg, segment data, trailer, and records of zeros that fill blocks of
// five), read into flights and written from them. Pure text work: nothing
// here knows the database; docs/ssim.md gives the columns.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "server/ssim/ssim_date.h"

namespace zor::server::ssim {

constexpr size_t kRecordLength = 200;

struct Leg {
  int line = 0;                          // where the record was read (0: built)
  int sequence = 0;                      // leg sequence number
  std::string from, to;                  // station codes
  std::string departure, arrival;        // aircraft times, HHMM
  int departureDay = 0, arrivalDay = 0;  // days after the flight's day (-1 to 9)
  std::string aircraftType;
  std::string classes;                   // booking designators, one letter each
};

struct Flight {
  std::string airline;    // designator, without blanks
  std::string number;     // digits without leading zeros, then the suffix if any
  std::string itinerary;  // itinerary variation identifier as read
  char serviceType = 'J';
  Date from, to;          // period of operation
  bool openEnded = false; // "to" was 00XXX00
  std::array<bool, 7> days{};  // Monday .. Sunday
  std::vector<Leg> legs;       // in leg order
  // Why this flight cannot be taken from the file, one text per fault,
  // each naming its line; empty for a usable flight.
  std::vector<std::string> errors;
};

struct Carrier {
  int line = 0;
  char timeMode = 'L';  // 'L' local times, 'U' UTC
  std::string airline;
  bool hasPeriod = false;
  Date validFrom, validTo;  // period of schedule validity
  std::vector<Flight> flights;
};

// A fault that belongs to no flight (a record of unknown type, a flight
// record before any carrier record, a line too long...).
struct Issue {
  int line = 0;
  std::string message;
};

struct Document {
  std::vector<Carrier> carriers;
  std::vector<Issue> issues;
  int segmentRecords = 0;  // segment data records, read past
};

// Reads a whole file. Tolerates CRLF and LF, blanks cut off at the end of
// a record, missing or extra filler records and empty lines. Never throws
// on content: faults become issues or flight errors.
Document ReadSchedule(const std::string& text);

// What the carrier record says about the file being written.
struct FileHeader {
  std::string airline;
  char timeMode = 'L';
  Date seasonFrom, seasonTo;
  Date created;
  int createdMinutes = 0;  // time of day of the creation, in minutes
};

// One file for one carrier: header, carrier, the flights' leg records in
// the given order, trailer; records numbered, blocks filled with zeros.
// Flight numbers are written as 4 digits and a suffix; legs numbered
// from 1; itinerary variation 01. Lines end with LF.
std::string WriteSchedule(const FileHeader& header, const std::vector<Flight>& flights);

// Monday..Sunday as "1234567" with a blank for each day off.
std::string DaysText(const std::array<bool, 7>& days);

}  // namespace zor::server::ssim

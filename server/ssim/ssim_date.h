// Calendar dates as schedule files write them (DDMMMYY, "05JAN26") and as
// the database stores them ("2026-01-05"), with the day arithmetic the
// schedule exchange needs (comparing periods). No time zones: a schedule
// date is a plain calendar day.
#pragma once

#include <optional>
#include <string>

namespace zor::server::ssim {

struct Date {
  int year = 0, month = 0, day = 0;

  // Days since 1970-01-01, for comparisons.
  long serial() const;
  auto operator<=>(const Date& o) const { return serial() <=> o.serial(); }
  bool operator==(const Date& o) const { return serial() == o.serial(); }

  std::string iso() const;    // "2026-01-05"
  std::string ssim() const;   // "05JAN26"
};

// A real calendar day or nothing (31FEB26, 05XYZ26, blanks).
std::optional<Date> makeDate(int year, int month, int day);
// DDMMMYY, years 00-99 read as 2000-2099.
std::optional<Date> parseSsimDate(const std::string& text);
// "yyyy-mm-dd", optionally followed by a time ("T10:00:00"), as stored.
std::optional<Date> parseIsoDate(const std::string& text);
// The date of today (UTC).
Date today();

}  // namespace zor::server::ssim

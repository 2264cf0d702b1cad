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
  long Serial() const;
  auto operator<=>(const Date& o) const { return Serial() <=> o.Serial(); }
  bool operator==(const Date& o) const { return Serial() == o.Serial(); }

  std::string Iso() const;    // "2026-01-05"
  std::string Ssim() const;   // "05JAN26"
};

// A real calendar day or nothing (31FEB26, 05XYZ26, blanks).
std::optional<Date> MakeDate(int year, int month, int day);
// DDMMMYY, years 00-99 read as 2000-2099.
std::optional<Date> ParseSsimDate(const std::string& text);
// "yyyy-mm-dd", optionally followed by a time ("T10:00:00"), as stored.
std::optional<Date> ParseIsoDate(const std::string& text);
// The date of today (UTC).
Date Today();

}  // namespace zor::server::ssim

// Schedule dates (see ssim_date.h).
#include "server/ssim/ssim_date.h"

#include "wire/date_time.h"

#include <cctype>
#include <chrono>
#include <cstdio>

namespace zor::server::ssim {

namespace {

const char* const kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

using wire::ReadDigits;

}  // namespace

long Date::Serial() const {
  return std::chrono::sys_days(std::chrono::year_month_day(std::chrono::year(year), std::chrono::month(month),
                                                           std::chrono::day(day)))
      .time_since_epoch()
      .count();
}

std::string Date::Iso() const {
  char b[16];
  std::snprintf(b, sizeof b, "%04d-%02d-%02d", year, month, day);
  return b;
}

std::string Date::Ssim() const {
  char b[16];
  std::snprintf(b, sizeof b, "%02d%s%02d", day, kMonths[month - 1], year % 100);
  return b;
}

std::optional<Date> MakeDate(int year, int month, int day) {
  if (month < 1 || month > 12 || day < 1 || day > 31 || year < 1900 || year > 2999) return std::nullopt;
  std::chrono::year_month_day ymd{std::chrono::year(year), std::chrono::month(month), std::chrono::day(day)};
  if (!ymd.ok()) return std::nullopt;
  return Date{year, month, day};
}

std::optional<Date> ParseSsimDate(const std::string& text) {
  int day, year;
  if (text.size() != 7 || !ReadDigits(text, 0, 2, day) || !ReadDigits(text, 5, 2, year)) return std::nullopt;
  std::string mon = text.substr(2, 3);
  for (auto& ch : mon) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  for (int m = 0; m < 12; ++m)
    if (mon == kMonths[m]) return MakeDate(2000 + year, m + 1, day);
  return std::nullopt;
}

std::optional<Date> ParseIsoDate(const std::string& text) {
  int y, m, d;
  if (text.size() < 10 || !ReadDigits(text, 0, 4, y) || text[4] != '-' || !ReadDigits(text, 5, 2, m) ||
      text[7] != '-' || !ReadDigits(text, 8, 2, d))
    return std::nullopt;
  if (text.size() > 10 && text[10] != 'T' && text[10] != ' ') return std::nullopt;
  return MakeDate(y, m, d);
}

Date Today() {
  auto ymd = std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
  return Date{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
              static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

}  // namespace zor::server::ssim

// Calendar arithmetic for TDateTime (proleptic Gregorian calendar).
#include "platform/core/date_time.h"

#include <cmath>
#include <ctime>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"

namespace zor::plat {
namespace {

// Days from 1970-01-01 to the given civil date (H. Hinnant's algorithm).
long DaysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long yy = static_cast<long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

constexpr long kEpochOffset = 25569;  // days from 1899-12-30 to 1970-01-01

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

}  // namespace

bool IsValidDate(int year, int month, int day) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  int max = kDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
  return day <= max;
}

bool IsValidTime(int hour, int min, int sec, int msec) {
  return hour >= 0 && hour < 24 && min >= 0 && min < 60 && sec >= 0 && sec < 60 && msec >= 0 &&
         msec < 1000;
}

TDateTime EncodeDate(int year, int month, int day) {
  if (!IsValidDate(year, month, day))
    throw EConvertError(PlatformText(
        "convert.bad_date_parts", {std::to_string(day), std::to_string(month), std::to_string(year)}));
  return TDateTime{static_cast<double>(DaysFromCivil(year, month, day) + kEpochOffset)};
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  if (!IsValidTime(hour, min, sec, msec))
    throw EConvertError(PlatformText("convert.bad_time_parts", {std::to_string(hour), std::to_string(min)}));
  return TDateTime{(hour * 3600000.0 + min * 60000.0 + sec * 1000.0 + msec) / 86400000.0};
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day) {
  long days = static_cast<long>(std::floor(dt.Val + 1e-9));
  CivilFromDays(days - kEpochOffset, year, month, day);
}

void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec) {
  double frac = std::fabs(dt.Val - std::trunc(dt.Val));
  long ms = std::lround(frac * 86400000.0);
  if (ms >= 86400000) ms = 86399999;
  hour = static_cast<int>(ms / 3600000);
  min = static_cast<int>(ms / 60000 % 60);
  sec = static_cast<int>(ms / 1000 % 60);
  msec = static_cast<int>(ms % 1000);
}

int DayOfWeek(TDateTime dt) {
  // 30/12/1899 was a Saturday.
  long days = static_cast<long>(std::floor(dt.Val + 1e-9));
  long r = ((days % 7) + 7) % 7;  // 0 = Saturday
  return static_cast<int>((r + 6) % 7) + 1;
}

TDateTime Now() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return TDateTime{EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday).Val +
                   EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec).Val};
}

TDateTime Date() { return DateOf(Now()); }
TDateTime DateOf(TDateTime dt) { return TDateTime{std::floor(dt.Val + 1e-9)}; }
TDateTime TimeOf(TDateTime dt) { return TDateTime{dt.Val - std::floor(dt.Val + 1e-9)}; }

}  // namespace zor::plat

// The wire's date-time format (see date_time.h).
#include "wire/date_time.h"

#include <cstdio>

namespace zor::wire {

bool ReadDigits(std::string_view s, size_t at, size_t count, int& out) {
  if (at > s.size() || count > s.size() - at) return false;
  out = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    out = out * 10 + (s[i] - '0');
  }
  return true;
}

bool IsValid(const DateTime& v) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (v.Year < 1 || v.Year > 9999 || v.Month < 1 || v.Month > 12 || v.Day < 1) return false;
  bool leap = (v.Year % 4 == 0 && v.Year % 100 != 0) || v.Year % 400 == 0;
  if (v.Day > kDays[v.Month - 1] + (v.Month == 2 && leap ? 1 : 0)) return false;
  return v.Hour >= 0 && v.Hour <= 23 && v.Minute >= 0 && v.Minute <= 59 && v.Second >= 0 && v.Second <= 59;
}

std::string FormatDateTime(const DateTime& v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", v.Year, v.Month, v.Day, v.Hour, v.Minute,
                v.Second);
  return buf;
}

bool ParseDateTime(std::string_view s, DateTime& out) {
  if (s.size() != 19 || s[4] != '-' || s[7] != '-' || (s[10] != 'T' && s[10] != ' ') || s[13] != ':' ||
      s[16] != ':')
    return false;
  DateTime v;
  if (!ReadDigits(s, 0, 4, v.Year) || !ReadDigits(s, 5, 2, v.Month) || !ReadDigits(s, 8, 2, v.Day) ||
      !ReadDigits(s, 11, 2, v.Hour) || !ReadDigits(s, 14, 2, v.Minute) || !ReadDigits(s, 17, 2, v.Second) ||
      !IsValid(v))
    return false;
  out = v;
  return true;
}

}  // namespace zor::wire

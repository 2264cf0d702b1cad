// Date and time as the desktop runtime counts them: days since 30/12/1899 in
// the integral part, the fraction of the day in the fractional part.
#pragma once

#include <compare>

namespace zor::plat {

struct TDateTime {
  double Val = 0.0;
  auto operator<=>(const TDateTime&) const = default;
  bool operator==(const TDateTime&) const = default;
};

bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int min, int sec, int msec = 0);
// Raise EConvertError on an invalid date or time.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec = 0);
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec);
// 1 = Sunday … 7 = Saturday.
int DayOfWeek(TDateTime dt);
TDateTime Date();  // today, local time
TDateTime Now();   // now, local time
TDateTime DateOf(TDateTime dt);
TDateTime TimeOf(TDateTime dt);

}  // namespace zor::plat

// The one date-time format on the wire, "yyyy-mm-ddThh:nn:ss" (local time,
// no zone, whole seconds): how packets and deltas carry a date-time.
#pragma once

#include <string>
#include <string_view>

namespace zor::wire {

struct DateTime {
  int Year = 1, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
  bool operator==(const DateTime&) const = default;
};

// Whether the date is in the calendar (years 1 to 9999) and the time within the day.
bool IsValid(const DateTime& value);

// Reads the `count` decimal digits at `at` into `out`; false when the text
// ends first or any of them is not a digit.
bool ReadDigits(std::string_view text, size_t at, size_t count, int& out);

// "yyyy-mm-ddThh:nn:ss".
std::string FormatDateTime(const DateTime& value);

// Reads exactly "yyyy-mm-ddThh:nn:ss" with a real date and time; a blank in
// place of the T is read too (callers have sent it so). False for anything
// else: a date alone, missing seconds, a zone, fractions of a second.
bool ParseDateTime(std::string_view text, DateTime& out);

}  // namespace zor::wire

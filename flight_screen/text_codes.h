// Hours stored as four digits, hours then minutes, without separator
// ("0730"), shown and entered as hh<separator>mm through the mask
// "!99:99;1; ". Shared by the flight's KDT hours and the legs' times.
#pragma once

#include <string>

namespace zor::Cli_zor12200 {

// "0730" → "07:30" with the system time separator; no check is made, so an
// empty value gives the separator alone.
std::string HoursToText(const std::string& stored);
// The five-character edit text (blanks for empty positions) → the stored
// value: empty when all four digit positions are blank, otherwise blanks
// become zeros and the first time separator is removed ("␣7:3␣" → "0730").
// A shorter text counts its missing positions as blanks.
std::string HoursFromText(const std::string& text);
// The text the check converts: characters 1–2, the separator, the rest.
std::string HoursCheckText(const std::string& stored);
// True when HoursCheckText is a valid time of day (hours 0–23, minutes 0–59).
bool IsValidHours(const std::string& stored);

}  // namespace zor::Cli_zor12200

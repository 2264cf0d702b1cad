// String, number and date conversions that the screens use, following the
// process-wide format settings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/date_time.h"

namespace zor::plat {

std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// ASCII upper/lower case.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Upper/lower case that also maps the accented Latin-1 letters of UTF-8 text
// (á → Á, ç → Ç).
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);  // ASCII case-insensitive
// Number of characters (not bytes) of UTF-8 text, and the first n characters.
size_t Utf8Length(std::string_view s);
std::string Utf8Left(std::string_view s, size_t n);

std::string IntToStr(int64_t v);
// Decimal integer with optional sign and surrounding blanks; raises EConvertError.
int64_t StrToInt(std::string_view s);
int64_t StrToIntDef(std::string_view s, int64_t def);
bool TryStrToInt(std::string_view s, int64_t& out);

// Floats use the decimal separator of the settings.
std::string FloatToStr(double v);
double StrToFloat(std::string_view s);
bool TryStrToFloat(std::string_view s, double& out);
// Fixed number of decimals, decimal separator of the settings.
std::string FormatFloatFixed(double v, int decimals);

// Dates in dd/mm/yyyy order with the date separator; two-digit years are
// taken as 20yy below 50 and 19yy otherwise.
std::string DateToStr(TDateTime dt);
TDateTime StrToDate(std::string_view s);
bool TryStrToDate(std::string_view s, TDateTime& out);
// Times as h[h]:nn[:ss] with the time separator.
std::string TimeToStr(TDateTime dt);  // long time format (hh:nn:ss)
TDateTime StrToTime(std::string_view s);
bool TryStrToTime(std::string_view s, TDateTime& out);
// "dd/mm/yyyy hh:nn:ss", the time part left out when it is midnight.
std::string DateTimeToStr(TDateTime dt);
// Format codes: d dd ddd dddd m mm yy yyyy h hh n nn s ss, '/' and ':' are
// the settings' separators, text in double or single quotes is literal.
std::string FormatDateTime(std::string_view format, TDateTime dt);

// ISO 8601 ("yyyy-mm-ddThh:nn:ss"), used on the wire and in the database.
std::string DateTimeToIso(TDateTime dt);
bool TryIsoToDateTime(std::string_view s, TDateTime& out);

}  // namespace zor::plat

// Conversions between stored hours and their text.
#include "flight_screen/text_codes.h"

#include "platform/core/format_settings.h"
#include "platform/core/sysutils.h"

namespace zor::Cli_zor12200 {

namespace {

std::string Separator() { return std::string(1, plat::FormatSettings().TimeSeparator); }

std::string Slice(const std::string& s, size_t from, size_t count = std::string::npos) {
  return from < s.size() ? s.substr(from, count) : std::string();
}

}  // namespace

std::string HoursToText(const std::string& stored) { return Slice(stored, 0, 2) + Separator() + Slice(stored, 2, 2); }

std::string HoursFromText(const std::string& text) {
  auto blank = [&](size_t i) { return i >= text.size() || text[i] == ' '; };
  if (blank(0) && blank(1) && blank(3) && blank(4)) return "";
  std::string out = text;
  for (char& c : out)
    if (c == ' ') c = '0';
  size_t sep = out.find(plat::FormatSettings().TimeSeparator);
  if (sep != std::string::npos) out.erase(sep, 1);
  return out;
}

std::string HoursCheckText(const std::string& stored) { return Slice(stored, 0, 2) + Separator() + Slice(stored, 2); }

bool IsValidHours(const std::string& stored) {
  plat::TDateTime t;
  return plat::TryStrToTime(HoursCheckText(stored), t);
}

}  // namespace zor::Cli_zor12200

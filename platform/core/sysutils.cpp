// Conversions between text and numbers or dates.
#include "platform/core/sysutils.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"
#include "platform/core/platform_texts.h"

namespace zor::plat {

TFormatSettings& FormatSettings() {
  static TFormatSettings settings;
  return settings;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Maps the second byte of a two-byte UTF-8 sequence starting with 0xC3
// (U+00C0..U+00FF) between upper and lower case.
std::string MapLatin1(std::string_view s, bool upper) {
  std::string out(s);
  for (size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (c < 0x80) {
      out[i] = static_cast<char>(upper ? std::toupper(c) : std::tolower(c));
    } else if (c == 0xC3 && i + 1 < out.size()) {
      unsigned char d = static_cast<unsigned char>(out[i + 1]);
      if (upper && d >= 0xA0 && d <= 0xBE && d != 0xB7) out[i + 1] = static_cast<char>(d - 0x20);
      if (!upper && d >= 0x80 && d <= 0x9E && d != 0x97) out[i + 1] = static_cast<char>(d + 0x20);
      ++i;
    }
  }
  return out;
}

// Splits "a<sep>b<sep>c" into numeric parts; false when a part is not digits.
bool SplitNumbers(std::string_view s, char sep, std::vector<int>& parts) {
  parts.clear();
  std::string t = Trim(s);
  if (t.empty()) return false;
  size_t start = 0;
  while (true) {
    size_t pos = t.find(sep, start);
    std::string_view part = std::string_view(t).substr(start, pos == std::string::npos ? pos : pos - start);
    std::string p = Trim(part);
    if (p.empty() || p.size() > 4) return false;
    for (char c : p)
      if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    parts.push_back(std::stoi(p));
    if (pos == std::string::npos) break;
    start = pos + 1;
  }
  return true;
}

std::string Pad2(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

}  // namespace

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return std::string(s.substr(0, n));
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string AnsiUpperCase(std::string_view s) { return MapLatin1(s, true); }
std::string AnsiLowerCase(std::string_view s) { return MapLatin1(s, false); }

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

size_t Utf8Length(std::string_view s) {
  size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string Utf8Left(std::string_view s, size_t n) {
  size_t chars = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (chars == n) return std::string(s.substr(0, i));
      ++chars;
    }
  }
  return std::string(s);
}

std::string IntToStr(int64_t v) { return std::to_string(v); }

bool TryStrToInt(std::string_view s, int64_t& out) {
  std::string t = Trim(s);
  if (t.empty()) return false;
  const char* b = t.data();
  const char* e = t.data() + t.size();
  if (*b == '+') ++b;
  auto [p, ec] = std::from_chars(b, e, out);
  return ec == std::errc() && p == e;
}

int64_t StrToInt(std::string_view s) {
  int64_t v;
  if (!TryStrToInt(s, v)) throw EConvertError(PlatformText("convert.not_integer", {s}));
  return v;
}

int64_t StrToIntDef(std::string_view s, int64_t def) {
  int64_t v;
  return TryStrToInt(s, v) ? v : def;
}

std::string FloatToStr(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  std::string out(buf);
  for (char& c : out)
    if (c == '.') c = FormatSettings().DecimalSeparator;
  return out;
}

std::string FormatFloatFixed(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  std::string out(buf);
  for (char& c : out)
    if (c == '.') c = FormatSettings().DecimalSeparator;
  return out;
}

bool TryStrToFloat(std::string_view s, double& out) {
  std::string t = Trim(s);
  if (t.empty()) return false;
  for (char& c : t) {
    if (c == FormatSettings().DecimalSeparator) c = '.';
    else if (c == '.') return false;  // only the settings' separator is accepted
  }
  if (t.find_first_of("eEnNiIxX") != std::string::npos) return false;
  const char* b = t.data();
  if (*b == '+') ++b;
  auto [p, ec] = std::from_chars(b, t.data() + t.size(), out);
  return ec == std::errc() && p == t.data() + t.size();
}

double StrToFloat(std::string_view s) {
  double v;
  if (!TryStrToFloat(s, v)) throw EConvertError(PlatformText("convert.not_number", {s}));
  return v;
}

std::string DateToStr(TDateTime dt) { return FormatDateTime("dd/mm/yyyy", dt); }

bool TryStrToDate(std::string_view s, TDateTime& out) {
  std::vector<int> p;
  if (!SplitNumbers(s, FormatSettings().DateSeparator, p) || p.size() != 3) return false;
  int year = p[2];
  std::string t = Trim(s);
  size_t last = t.rfind(FormatSettings().DateSeparator);
  if (t.size() - last - 1 <= 2) year += year < 50 ? 2000 : 1900;
  if (!IsValidDate(year, p[1], p[0])) return false;
  out = EncodeDate(year, p[1], p[0]);
  return true;
}

TDateTime StrToDate(std::string_view s) {
  TDateTime d;
  if (!TryStrToDate(s, d)) throw EConvertError(PlatformText("convert.not_date", {s}));
  return d;
}

std::string TimeToStr(TDateTime dt) { return FormatDateTime("hh:nn:ss", dt); }

bool TryStrToTime(std::string_view s, TDateTime& out) {
  std::vector<int> p;
  if (!SplitNumbers(s, FormatSettings().TimeSeparator, p) || p.size() < 2 || p.size() > 3) return false;
  int sec = p.size() == 3 ? p[2] : 0;
  if (!IsValidTime(p[0], p[1], sec)) return false;
  out = EncodeTime(p[0], p[1], sec);
  return true;
}

TDateTime StrToTime(std::string_view s) {
  TDateTime t;
  if (!TryStrToTime(s, t)) throw EConvertError(PlatformText("convert.not_time", {s}));
  return t;
}

std::string DateTimeToStr(TDateTime dt) {
  std::string out = DateToStr(dt);
  if (TimeOf(dt).Val > 1e-9) out += " " + TimeToStr(dt);
  return out;
}

std::string FormatDateTime(std::string_view f, TDateTime dt) {
  int y, m, d, h, n, s, ms;
  DecodeDate(dt, y, m, d);
  DecodeTime(dt, h, n, s, ms);
  const TFormatSettings& fs = FormatSettings();
  std::string out;
  size_t i = 0;
  auto run = [&](char c) {
    size_t k = i;
    while (k < f.size() && std::tolower(static_cast<unsigned char>(f[k])) == c) ++k;
    size_t len = k - i;
    i = k;
    return len;
  };
  while (i < f.size()) {
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(f[i])));
    if (f[i] == '"' || f[i] == '\'') {
      char q = f[i++];
      while (i < f.size() && f[i] != q) out += f[i++];
      ++i;
    } else if (c == 'd') {
      size_t len = run('d');
      if (len == 1) out += std::to_string(d);
      else if (len == 2) out += Pad2(d);
      else if (len == 3) out += fs.ShortDayNames[DayOfWeek(dt) - 1];
      else out += fs.LongDayNames[DayOfWeek(dt) - 1];
    } else if (c == 'm') {
      size_t len = run('m');
      out += len == 1 ? std::to_string(m) : Pad2(m);
    } else if (c == 'y') {
      size_t len = run('y');
      char buf[16];
      if (len <= 2) std::snprintf(buf, sizeof buf, "%02d", y % 100);
      else std::snprintf(buf, sizeof buf, "%04d", y);
      out += buf;
    } else if (c == 'h') {
      out += run('h') == 1 ? std::to_string(h) : Pad2(h);
    } else if (c == 'n') {
      out += run('n') == 1 ? std::to_string(n) : Pad2(n);
    } else if (c == 's') {
      out += run('s') == 1 ? std::to_string(s) : Pad2(s);
    } else if (f[i] == '/') {
      out += fs.DateSeparator;
      ++i;
    } else if (f[i] == ':') {
      out += fs.TimeSeparator;
      ++i;
    } else {
      out += f[i++];
    }
  }
  return out;
}

std::string DateTimeToIso(TDateTime dt) {
  int y, m, d, h, n, s, ms;
  DecodeDate(dt, y, m, d);
  DecodeTime(dt, h, n, s, ms);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", y, m, d, h, n, s);
  return buf;
}

bool TryIsoToDateTime(std::string_view s, TDateTime& out) {
  int y = 0, m = 0, d = 0, h = 0, n = 0, sec = 0;
  std::string t(s);
  int got = std::sscanf(t.c_str(), "%4d-%2d-%2d%*1[T ]%2d:%2d:%2d", &y, &m, &d, &h, &n, &sec);
  if (got != 3 && got != 5 && got != 6) return false;
  if (!IsValidDate(y, m, d) || !IsValidTime(h, n, sec)) return false;
  out = TDateTime{EncodeDate(y, m, d).Val + EncodeTime(h, n, sec).Val};
  return true;
}

}  // namespace zor::plat

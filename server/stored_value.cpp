// Normal forms of stored values (see stored_value.h).
#include "server/stored_value.h"

#include <cctype>
#include <charconv>
#include <cstdio>

#include "server/packet.h"
#include "wire/date_time.h"

namespace zor::server {

namespace {


// A stored number as the packet carries it: a text that is no number reads 0.
double AsDouble(const SqlValue& v) {
  if (auto* d = std::get_if<double>(&v)) return *d;
  if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  const std::string& s = std::get<std::string>(v);
  double out = 0;
  std::from_chars(s.data(), s.data() + s.size(), out);
  return out;
}

using wire::ReadDigits;

// A zone suffix: "Z", "+hh", "+hhmm", "+hh:mm" (or with '-').
bool Zone(const std::string& s, size_t at) {
  if (at == s.size()) return true;
  if (s[at] == 'Z') return at + 1 == s.size();
  if (s[at] != '+' && s[at] != '-') return false;
  int h, m;
  if (!ReadDigits(s, at + 1, 2, h)) return false;
  size_t rest = at + 3;
  if (rest == s.size()) return true;
  if (s[rest] == ':') ++rest;
  return ReadDigits(s, rest, 2, m) && rest + 2 == s.size();
}

}  // namespace

std::string StoredDateTime(const std::string& text) {
  int y, mo, d, h = 0, mi = 0, sec = 0;
  if (!ReadDigits(text, 0, 4, y) || text.size() < 10 || text[4] != '-' || !ReadDigits(text, 5, 2, mo) ||
      text[7] != '-' || !ReadDigits(text, 8, 2, d))
    return {};
  size_t at = 10;
  if (at < text.size() && (text[at] == ' ' || text[at] == 'T')) {
    if (!ReadDigits(text, at + 1, 2, h) || text.size() < at + 6 || text[at + 3] != ':' ||
        !ReadDigits(text, at + 4, 2, mi))
      return {};
    at += 6;
    if (at < text.size() && text[at] == ':') {
      if (!ReadDigits(text, at + 1, 2, sec)) return {};
      at += 3;
      if (at < text.size() && text[at] == '.') {
        size_t first = ++at;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
        if (at == first) return {};
      }
    }
  }
  if (!Zone(text, at)) return {};
  wire::DateTime value{y, mo, d, h, mi, sec};
  if (!wire::IsValid(value)) return {};
  return wire::FormatDateTime(value);
}

std::string AsText(const SqlValue& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  if (auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
  if (auto* d = std::get_if<double>(&v)) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, *d);
    return std::string(buf, r.ptr);
  }
  return {};
}

SqlValue NormalForm(const DatasetField& f, const SqlValue& stored) {
  if (IsNull(stored)) return stored;
  switch (f.Type) {
    case wire::FieldType::String: {
      std::string s = AsText(stored);
      if (s.empty()) return std::monostate{};
      return s;
    }
    case wire::FieldType::Float:
      return AsDouble(stored);
    case wire::FieldType::Integer:
      if (auto* i = std::get_if<std::int64_t>(&stored)) return *i;
      return static_cast<std::int64_t>(AsDouble(stored));
    case wire::FieldType::Boolean: {
      if (auto* i = std::get_if<std::int64_t>(&stored)) return static_cast<std::int64_t>(*i != 0);
      std::string s = AsText(stored);
      return static_cast<std::int64_t>(s == "t" || s == "true" || s == "1");
    }
    case wire::FieldType::DateTime: {
      std::string canon = StoredDateTime(AsText(stored));
      if (canon.empty()) return std::monostate{};
      return canon;
    }
  }
  return stored;
}

bool SameValue(const DatasetField& f, const SqlValue& a, const SqlValue& b) { return NormalForm(f, a) == NormalForm(f, b); }

}  // namespace zor::server

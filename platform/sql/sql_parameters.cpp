// Scanning SQL text for named parameters.
#include "platform/sql/sql_parameters.h"

#include "platform/core/sysutils.h"

namespace zor::plat {

namespace {

bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }
// Identifiers may carry '$' on PostgreSQL, and non-ASCII letters (UTF-8 bytes).
bool IsIdentChar(char c) { return IsNameChar(c) || c == '$' || static_cast<unsigned char>(c) >= 0x80; }

// Offset just past a quoted run that began at `i` with `quote`; a doubled
// quote stands for one. With `backslash`, a backslash escapes the next byte.
size_t SkipQuoted(std::string_view s, size_t i, char quote, bool backslash) {
  ++i;
  while (i < s.size()) {
    char c = s[i];
    if (backslash && c == '\\') {
      i += 2;
      continue;
    }
    if (c == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return s.size();  // unterminated: the database will report it
}

// Block comments nest on PostgreSQL.
size_t SkipBlockComment(std::string_view s, size_t i) {
  int depth = 0;
  while (i < s.size()) {
    if (s.compare(i, 2, "/*") == 0) {
      ++depth;
      i += 2;
    } else if (s.compare(i, 2, "*/") == 0) {
      i += 2;
      if (--depth == 0) return i;
    } else {
      ++i;
    }
  }
  return s.size();
}

// A dollar-quoted body `$tag$ … $tag$` starting at i; 0 when there is none here.
size_t SkipDollarQuoted(std::string_view s, size_t i) {
  size_t j = i + 1;
  if (j < s.size() && IsNameStart(s[j]))
    while (j < s.size() && IsNameChar(s[j])) ++j;
  if (j >= s.size() || s[j] != '$') return 0;
  std::string_view tag = s.substr(i, j - i + 1);
  size_t end = s.find(tag, j + 1);
  return end == std::string_view::npos ? s.size() : end + tag.size();
}

}  // namespace

std::vector<SqlParameterUse> FindSqlParameters(std::string_view s) {
  std::vector<SqlParameterUse> uses;
  size_t i = 0;
  while (i < s.size()) {
    char c = s[i];
    bool afterIdent = i > 0 && IsIdentChar(s[i - 1]);
    if (c == '\'') {
      // E'…' strings take backslash escapes.
      bool escape = i > 0 && (s[i - 1] == 'E' || s[i - 1] == 'e') && !(i > 1 && IsIdentChar(s[i - 2]));
      i = SkipQuoted(s, i, '\'', escape);
    } else if (c == '"') {
      i = SkipQuoted(s, i, '"', false);
    } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
      size_t eol = s.find('\n', i);
      i = eol == std::string_view::npos ? s.size() : eol + 1;
    } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
      i = SkipBlockComment(s, i);
    } else if (c == '$' && !afterIdent) {
      size_t end = SkipDollarQuoted(s, i);
      i = end ? end : i + 1;
    } else if (c == ':') {
      if (i + 1 < s.size() && s[i + 1] == ':') {
        i += 2;  // a cast, value::type
      } else if (i + 1 < s.size() && IsNameStart(s[i + 1]) && !afterIdent) {
        size_t j = i + 1;
        while (j < s.size() && IsNameChar(s[j])) ++j;
        uses.push_back({i, j - i, std::string(s.substr(i + 1, j - i - 1))});
        i = j;
      } else {
        ++i;  // an array slice bound or a lone colon
      }
    } else {
      ++i;
    }
  }
  return uses;
}

std::vector<std::string> SqlParameterNames(std::string_view sql) {
  std::vector<std::string> names;
  for (auto& use : FindSqlParameters(sql)) {
    bool seen = false;
    for (auto& n : names) seen = seen || SameText(n, use.Name);
    if (!seen) names.push_back(use.Name);
  }
  return names;
}

PositionalSql ToPositionalSql(std::string_view sql) {
  PositionalSql out;
  size_t copied = 0;
  for (auto& use : FindSqlParameters(sql)) {
    size_t n = 0;
    while (n < out.Names.size() && !SameText(out.Names[n], use.Name)) ++n;
    if (n == out.Names.size()) out.Names.push_back(use.Name);
    out.Text.append(sql.substr(copied, use.Pos - copied));
    // Appended piecewise: `"$" + std::to_string(…)` trips a false -Wrestrict in g++ 12 at -O3.
    out.Text += '$';
    out.Text += std::to_string(n + 1);
    copied = use.Pos + use.Length;
  }
  out.Text.append(sql.substr(copied));
  return out;
}

}  // namespace zor::plat

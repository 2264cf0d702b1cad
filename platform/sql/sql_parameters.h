// Finding the named parameters (`:NAME`) of an SQL text, and rewriting them
// into the positional form ($1, $2 …) that PostgreSQL's protocol takes.
// The scanner skips string literals, quoted identifiers, comments,
// dollar-quoted bodies and `::` casts, so only real parameters are found.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zor::plat {

struct SqlParameterUse {
  size_t Pos = 0;     // offset of the colon
  size_t Length = 0;  // colon and name
  std::string Name;   // as written, without the colon
};

// Every use of a named parameter, in order of occurrence.
std::vector<SqlParameterUse> FindSqlParameters(std::string_view sql);

// The distinct parameter names in order of first occurrence; names that
// differ only in letter case are one parameter (the first spelling is kept).
std::vector<std::string> SqlParameterNames(std::string_view sql);

struct PositionalSql {
  std::string Text;                 // `:NAME` replaced by `$n`
  std::vector<std::string> Names;   // Names[n-1] is the parameter behind `$n`
};

// Rewrites the text for a positional protocol; every use of one name
// becomes the same `$n`.
PositionalSql ToPositionalSql(std::string_view sql);

}  // namespace zor::plat

// The neutral value a packet or delta holds in a column: null, a text, an
// integer, a number, a date-time or a logical value. Each side turns it
// into its own kind of value (the desk's variants, the server's statement
// parameters).
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "wire/date_time.h"

namespace zor::wire {

using Value = std::variant<std::monostate, bool, std::int64_t, double, std::string, DateTime>;

inline bool IsNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

}  // namespace zor::wire

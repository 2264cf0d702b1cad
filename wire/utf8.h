// UTF-8 as the wire checks it, writing and reading alike.
#pragma once

#include <cstddef>
#include <string_view>

namespace zor::wire {

// Length of the valid UTF-8 sequence starting at s[i], or 0 when the bytes
// there are not one (overlong forms, surrogates and code points beyond
// U+10FFFF included).
size_t Utf8SequenceAt(std::string_view s, size_t i);

}  // namespace zor::wire

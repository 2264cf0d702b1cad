// The bytes a JSON text carries as they are: printable ASCII other than the
// quote and the backslash. Writer and reader both skip runs of them before
// looking at any byte more closely. (Reading eight bytes at a time was
// tried: the values of a packet are too short for it to pay.)
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace zor::wire {

constexpr std::array<bool, 256> PlainByteTable() {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c < 0x80; ++c) plain[c] = c != '"' && c != '\\';
  return plain;
}
inline constexpr std::array<bool, 256> kPlainByte = PlainByteTable();

// The end of the run of plain bytes of `s` that starts at `i`.
inline size_t PlainRunEnd(std::string_view s, size_t i) {
  while (i < s.size() && kPlainByte[static_cast<unsigned char>(s[i])]) ++i;
  return i;
}

}  // namespace zor::wire

// Code page 932 (Shift JIS) bytes: which start and which may end a two-byte
// character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestil::cp932 {

// 0x81-0x9F and 0xE0-0xFC start a two-byte character; any byte may follow.
constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Bytes that may stand second in a defined two-byte code.
constexpr bool IsTrailByte(unsigned char b) {
  return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

}  // namespace kestil::cp932

// Code page 932 (Shift JIS) byte strings: lead bytes, character stepping and
// the tag case rule. Positions are byte offsets.
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

// Length in bytes of the character that starts at pos (1 or 2). A lead byte
// at the very end of the text is a character of its own.
inline std::size_t CharLength(std::string_view s, std::size_t pos) {
  return (IsLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size()) ? 2 : 1;
}

// Position of the character after the one at pos.
inline std::size_t NextChar(std::string_view s, std::size_t pos) {
  return pos + CharLength(s, pos);
}

// The character boundary at or before pos, found by stepping from the start.
std::size_t FloorToBoundary(std::string_view s, std::size_t pos);

// The tag case rule: ASCII a-z become A-Z; a two-byte character is one unit
// whose bytes are never changed; every other byte stays as it is.
void UpperCaseInPlace(std::string& s);
std::string UpperCased(std::string s);

// The text for a menu item: each "&" doubled, so that it shows as typed
// (a trail byte 0x26 is part of its character and stays single).
std::string MenuEscaped(std::string_view s);

}  // namespace kestil::cp932

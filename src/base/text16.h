// Small rules for the program's UTF-16 texts: characters (a surrogate pair
// is one), the tag case rule, and menu text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestil {

constexpr bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Units of the character that starts at i: 2 for a surrogate pair, else 1.
inline std::size_t CharUnits(std::u16string_view s, std::size_t i) {
  return IsHighSurrogate(s[i]) && i + 1 < s.size() && IsLowSurrogate(s[i + 1]) ? 2 : 1;
}
inline std::size_t NextChar(std::u16string_view s, std::size_t i) { return i + CharUnits(s, i); }

// The ASCII text as UTF-16 (markup, numbers, colour codes).
std::u16string Widen(std::string_view ascii);

// The tag case rule: ASCII a-z become A-Z; every other unit stays.
void UpperAsciiInPlace(std::u16string& s);
std::u16string UpperAscii(std::u16string s);

// The text for a menu item: each "&" doubled, so that it shows as typed.
std::u16string MenuEscaped(std::u16string_view s);

// Paths compared as Windows compares them for the recent list: ASCII letters
// in any case.
bool SameAsciiFold(std::u16string_view a, std::u16string_view b);

}  // namespace kestil

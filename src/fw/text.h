// The program's UTF-16 strings and the wide strings of the W functions,
// which hold the same units on Windows.
#pragma once

#include <string>
#include <string_view>

namespace fw {

inline std::wstring AsWide(std::u16string_view s) { return {s.begin(), s.end()}; }
inline std::u16string AsU16(std::wstring_view s) { return {s.begin(), s.end()}; }
// An ASCII name (a registry section or value) as a wide string.
inline std::wstring AsciiWide(std::string_view s) {
  std::wstring out;
  out.reserve(s.size());
  for (const char c : s) out += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return out;
}

}  // namespace fw

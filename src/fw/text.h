// Conversions between the program's code page 932 strings and the wide
// strings of the W functions, always through code page 932 itself, never the
// system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

#include "base/codec.h"

namespace fw {

// Lossless for any bytes: a spelling other than the default one and any byte
// that is no character come back unchanged from ToBytes.
std::wstring ToWide(std::string_view bytes);
std::string ToBytes(std::wstring_view wide);

inline std::wstring AsWide(const std::u16string& s) { return {s.begin(), s.end()}; }
inline std::u16string AsU16(std::wstring_view s) { return {s.begin(), s.end()}; }

}  // namespace fw

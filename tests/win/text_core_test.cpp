// The codec against the platform's own code page 932 conversion.
#include <gtest/gtest.h>

#include "base/codec.h"
#include "fw/win.h"

namespace kestil::cp932 {
namespace {

TEST(PlatformCodePage, EveryDoubleByteCodeDecodesAsWindowsDoes) {
  int defined = 0;
  int mismatches = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0; trail < 256; ++trail) {
      const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      wchar_t out[4] = {};
      const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, 2, out, 4);
      const char16_t ours = DecodeDoubleByte(static_cast<unsigned char>(lead),
                                             static_cast<unsigned char>(trail));
      const char16_t theirs = n == 1 ? static_cast<char16_t>(out[0]) : 0;
      if (ours != 0) ++defined;
      if (ours != theirs) {
        ++mismatches;
        ADD_FAILURE() << std::hex << "code " << lead << trail << ": ours " << int(ours)
                      << ", platform " << int(theirs) << " (" << std::dec << n << " units)";
        if (mismatches > 20) return;
      }
    }
  }
  EXPECT_EQ(defined, 9604);
}

TEST(PlatformCodePage, DefaultSpellingIsTheOneWindowsWrites) {
  int mismatches = 0;
  for (unsigned u = 0x80; u < 0x10000; ++u) {
    if (u >= 0xD800 && u <= 0xDFFF) continue;
    const std::uint16_t ours = DefaultCode(static_cast<char16_t>(u));
    if (ours == 0) continue;
    const wchar_t in = static_cast<wchar_t>(u);
    char out[4] = {};
    BOOL used_default = FALSE;
    const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &in, 1, out, 4, nullptr,
                                      &used_default);
    unsigned theirs = 0;
    if (n == 1) theirs = static_cast<unsigned char>(out[0]);
    if (n == 2) theirs = static_cast<unsigned char>(out[0]) << 8 | static_cast<unsigned char>(out[1]);
    if (ours != theirs || used_default) {
      ++mismatches;
      ADD_FAILURE() << std::hex << "U+" << u << ": ours " << ours << ", platform " << theirs;
      if (mismatches > 20) return;
    }
  }
}

}  // namespace
}  // namespace kestil::cp932

#include "base/text16.h"

#include <algorithm>

namespace kestil {
namespace {

constexpr char16_t FoldAscii(char16_t u) { return u >= u'a' && u <= u'z' ? u - 0x20 : u; }

}  // namespace

std::u16string Widen(std::string_view ascii) {
  std::u16string out(ascii.size(), u'\0');
  std::transform(ascii.begin(), ascii.end(), out.begin(),
                 [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
  return out;
}

void UpperAsciiInPlace(std::u16string& s) {
  for (char16_t& u : s) u = FoldAscii(u);
}

std::u16string UpperAscii(std::u16string s) {
  UpperAsciiInPlace(s);
  return s;
}

std::u16string MenuEscaped(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (char16_t u : s) {
    out += u;
    if (u == u'&') out += u'&';
  }
  return out;
}

bool SameAsciiFold(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

}  // namespace kestil

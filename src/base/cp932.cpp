#include "base/cp932.h"

namespace kestil::cp932 {

std::size_t FloorToBoundary(std::string_view s, std::size_t pos) {
  if (pos >= s.size()) return s.size();
  std::size_t i = 0;
  while (i < pos) {
    std::size_t next = NextChar(s, i);
    if (next > pos) return i;
    i = next;
  }
  return i;
}

void UpperCaseInPlace(std::string& s) {
  const std::size_t n = s.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (IsLeadByte(b)) {
      i += 2;  // the trail byte (if any) belongs to this character
    } else {
      if (b >= 'a' && b <= 'z') s[i] = static_cast<char>(b - ('a' - 'A'));
      ++i;
    }
  }
}

std::string UpperCased(std::string s) {
  UpperCaseInPlace(s);
  return s;
}

std::string MenuEscaped(std::string_view s) {
  std::string text;
  for (std::size_t i = 0; i < s.size(); i = NextChar(s, i)) {
    const std::size_t length = CharLength(s, i);
    text.append(s, i, length);
    if (length == 1 && s[i] == '&') text += '&';
  }
  return text;
}

}  // namespace kestil::cp932

#include "base/line_endings.h"

namespace kestil {

LineEnding LineEndingCounts::Dominant() const {
  if (crlf >= lf && crlf >= cr) return LineEnding::kCrLf;
  return lf >= cr ? LineEnding::kLf : LineEnding::kCr;
}

LineEndingCounts CountLineEndings(std::u16string_view text) {
  LineEndingCounts counts;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r') {
      if (i + 1 < text.size() && text[i + 1] == u'\n') {
        ++counts.crlf;
        ++i;
      } else {
        ++counts.cr;
      }
    } else if (text[i] == u'\n') {
      ++counts.lf;
    }
  }
  return counts;
}

namespace {

struct EndingText {
  std::u16string_view spelling;
  std::u16string_view name;
};

// In the order of the enumeration.
constexpr EndingText kEndings[] = {{u"\r\n", u"CRLF"}, {u"\n", u"LF"}, {u"\r", u"CR"}};

}  // namespace

std::u16string_view Spelling(LineEnding ending) {
  return kEndings[static_cast<int>(ending)].spelling;
}

std::u16string_view Name(LineEnding ending) { return kEndings[static_cast<int>(ending)].name; }

std::u16string WithLineEnding(std::u16string_view text, LineEnding ending) {
  const std::u16string_view eol = Spelling(ending);
  std::u16string out;
  out.reserve(text.size() + text.size() / 32);
  std::size_t from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    out.append(text.substr(from, i - from));
    out.append(eol);
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    from = i + 1;
  }
  out.append(text.substr(from));
  return out;
}

}  // namespace kestil

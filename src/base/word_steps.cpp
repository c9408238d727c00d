#include "base/word_steps.h"

#include "base/text16.h"

namespace kestil {
namespace {

enum class Kind { kSpace, kWord, kPunctuation, kKanji, kHiragana, kKatakana, kWide };

Kind KindOf(char32_t c) {
  if (c == u' ' || c == u'\t' || c == 0x3000) return Kind::kSpace;
  if (c < 0x80) {
    const bool word = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
    return word ? Kind::kWord : Kind::kPunctuation;
  }
  if ((c >= 0x3041 && c <= 0x309F)) return Kind::kHiragana;
  if ((c >= 0x30A0 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) || (c >= 0xFF66 && c <= 0xFF9F)) {
    return Kind::kKatakana;
  }
  if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF) ||
      (c >= 0x20000 && c <= 0x3FFFF) || c == 0x3005 || c == 0x3006) {
    return Kind::kKanji;
  }
  if ((c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A)) {
    return Kind::kWide;
  }
  if ((c >= 0x3000 && c <= 0x303F) || (c >= 0xFF01 && c <= 0xFF65) || (c >= 0x2000 && c <= 0x2BFF)) {
    return Kind::kPunctuation;
  }
  return Kind::kWord;  // letters of other scripts
}

char32_t At(std::u16string_view s, std::size_t i) {
  if (CharUnits(s, i) == 2) return 0x10000 + ((s[i] - 0xD800) << 10) + (s[i + 1] - 0xDC00);
  return s[i];
}

// The start of the character that ends at i.
std::size_t Before(std::u16string_view s, std::size_t i) {
  return i >= 2 && IsLowSurrogate(s[i - 1]) && IsHighSurrogate(s[i - 2]) ? i - 2 : i - 1;
}

// A long vowel mark continues the kana before it.
Kind KindAt(std::u16string_view s, std::size_t i) {
  const char32_t c = At(s, i);
  if (c == 0x30FC && i > 0) {
    const Kind before = KindOf(At(s, Before(s, i)));
    if (before == Kind::kHiragana) return before;
  }
  return KindOf(c);
}

}  // namespace

std::size_t NextWordStop(std::u16string_view line, std::size_t pos) {
  if (pos >= line.size()) return line.size();
  const Kind kind = KindAt(line, pos);
  if (kind != Kind::kSpace) {
    while (pos < line.size() && KindAt(line, pos) == kind) pos = NextChar(line, pos);
  }
  while (pos < line.size() && KindAt(line, pos) == Kind::kSpace) pos = NextChar(line, pos);
  return pos;
}

std::size_t PreviousWordStop(std::u16string_view line, std::size_t pos) {
  if (pos > line.size()) pos = line.size();
  while (pos > 0 && KindAt(line, Before(line, pos)) == Kind::kSpace) pos = Before(line, pos);
  if (pos == 0) return 0;
  const Kind kind = KindAt(line, Before(line, pos));
  while (pos > 0 && KindAt(line, Before(line, pos)) == kind) pos = Before(line, pos);
  return pos;
}

}  // namespace kestil

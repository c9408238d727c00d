#include "sample_text.h"

#include <random>

namespace kestil::bench {

namespace {

// Common characters of Japanese prose in code page 932: hiragana, katakana,
// kanji (表 and ソ have '\' as their second byte), punctuation, and a few of
// NEC row 13 (① and ≒).
const char* const kJapanese[] = {
    "\x82\xA0", "\x82\xA2", "\x82\xA4", "\x82\xA9", "\x82\xB1", "\x82\xB5", "\x82\xBD",
    "\x82\xC4", "\x82\xC6", "\x82\xC8", "\x82\xC9", "\x82\xCC", "\x82\xCD", "\x82\xDC",
    "\x82\xE9", "\x82\xF0", "\x82\xF1", "\x83\x41", "\x83\x43", "\x83\x4E", "\x83\x5C",
    "\x83\x67", "\x83\x65", "\x83\x58", "\x93\xFA", "\x96\x7B", "\x8C\xEA", "\x95\x5C",
    "\x8E\xA6", "\x8E\x9E", "\x8A\xD4", "\x90\x6C", "\x91\xE5", "\x8F\x91", "\x95\xB6",
    "\x8E\x9A", "\x81\x41", "\x81\x42", "\x81\x75", "\x81\x76", "\x87\x40", "\x87\x90",
};

const char* const kOpen[] = {"<p>", "<td align=\"center\">", "<li>", "<h2>", "<b>",
                             "<a href=\"page.htm\">", "<font color=\"#ff8000\">"};
const char* const kClose[] = {"</p>", "</td>", "</li>", "</h2>", "</b>", "</a>", "</font>"};

}  // namespace

std::string SampleText(std::size_t bytes) {
  std::mt19937 rng(2002);
  std::string text;
  text.reserve(bytes + 256);
  while (text.size() < bytes) {
    const std::size_t tag = rng() % std::size(kOpen);
    text += kOpen[tag];
    const std::size_t chars = 4 + rng() % 28;
    for (std::size_t c = 0; c < chars; ++c) {
      const unsigned r = rng() % 100;
      if (r < 4) {
        text += "HTML";
      } else if (r < 6) {
        text += "\xB6\xC0\xB6\xC5";  // half-width katakana
      } else {
        text += kJapanese[rng() % std::size(kJapanese)];
      }
    }
    text += kClose[tag];
    text += "\r\n";
  }
  text.resize(bytes);
  // Do not end inside a two-byte character.
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    i += ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ? 2 : 1;
  }
  if (i > text.size()) text.pop_back();
  return text;
}

}  // namespace kestil::bench

#include "sample_text.h"

#include <random>

namespace kestil::bench {

std::string SampleText(std::size_t bytes) {
  static const char* const kPieces[] = {
      "<p>", "</p>", "<a href=\"index.htm\">", "</a>", "<br>\r\n", "\r\n", "table ", "color ",
      "\x93\xFA\x96\x7B\x8C\xEA",          // 日本語
      "\x82\xB1\x82\xEA\x82\xCD",          // これは
      "\x83\x65\x83\x58\x83\x67",          // テスト
      "\x82\xC5\x82\xB7\x81\x42",          // です。
      "\x95\x5C\x8E\xA6",                  // 表示 (second byte of 表 is '\')
      "\xB6\xC0\xB6\xC5",                  // half-width kana
      "\x87\x40\x87\x90",                  // NEC row 13
  };
  std::mt19937 rng(2002);
  std::string text;
  text.reserve(bytes + 32);
  while (text.size() < bytes) text += kPieces[rng() % std::size(kPieces)];
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

// Byte strings that any code page 932 handling must keep unchanged.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace kestil::testing {

struct CorpusEntry {
  std::string name;
  std::string bytes;
};

inline std::vector<CorpusEntry> RoundTripCorpus() {
  std::vector<CorpusEntry> c;
  for (int b = 0; b < 256; ++b) {
    c.push_back({"byte " + std::to_string(b), std::string(1, static_cast<char>(b))});
  }
  // Every lead byte with every second byte, a space between the pairs so that
  // each pair is read on its own, and a lone lead byte at the very end.
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    std::string s;
    for (int trail = 0; trail < 256; ++trail) {
      s += static_cast<char>(lead);
      s += static_cast<char>(trail);
      s += ' ';
    }
    s += static_cast<char>(lead);
    c.push_back({"lead " + std::to_string(lead), s});
  }
  c.push_back({"nul", std::string("a\0b\0\0c", 6)});
  c.push_back({"line breaks", "cr\rlf\ncrlf\r\nlfcr\n\r\r\r\n\n"});
  c.push_back({"lead before line break", "\x82\r\n\x82\n\x82\r\x82"});
  // NEC row 13, NEC-selected IBM and IBM spellings, each alone and mixed.
  c.push_back({"nec row 13", "\x87\x90\x87\x91\x87\x92\x87\x54\x87\x9A"});
  c.push_back({"jis duplicates", "\x81\xE0\x81\xDF\x81\xE7\x81\xCA\x81\xE6"});
  c.push_back({"ibm", "\xFA\x40\xFA\x54\xFA\x5B\xFA\x4A\xFB\x40\xFC\x4B"});
  c.push_back({"nec selected ibm", "\xEE\xEF\xEE\xF9\xED\x40\xEE\xFC"});
  c.push_back({"mixed spellings", "\x81\xE0\x87\x90\x81\xE0\x87\x90\xFA\x40\xEE\xEF\xFA\x40"});
  c.push_back({"half-width katakana", "\xB1\xB2\xB3\xDE\xDF\xA1\xA5"});
  c.push_back({"user-defined area", "\xF0\x40\xF9\xFC\xF5\x80"});
  std::mt19937 rng(932);
  for (int i = 0; i < 64; ++i) {
    std::string s(static_cast<std::size_t>(rng() % 400), '\0');
    for (char& ch : s) ch = static_cast<char>(rng() & 0xFF);
    c.push_back({"random " + std::to_string(i), s});
  }
  return c;
}

}  // namespace kestil::testing

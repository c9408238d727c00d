#include "base/codec.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/cp932.h"
#include "corpus.h"

namespace kestil::cp932 {
namespace {

// Each decoded from a buffer of exactly its size, for the address sanitizer.
TEST(Codec, CorpusRoundTripsByteForByte) {
  for (const auto& entry : testing::RoundTripCorpus()) {
    const std::vector<char> buffer(entry.bytes.begin(), entry.bytes.end());
    Spellings memo;
    const std::u16string text = Decode(std::string_view(buffer.data(), buffer.size()), memo);
    EXPECT_EQ(Encode(text, memo), entry.bytes) << entry.name;
  }
}

// The order among duplicate spellings (every code is also checked against
// the platform under Wine).
TEST(Codec, DefaultSpellings) {
  EXPECT_EQ(DefaultCode(u'\u2252'), 0x81E0);  // JIS before NEC row 13
  EXPECT_EQ(DefaultCode(u'\u2160'), 0x8754);  // NEC row 13 before IBM
  EXPECT_EQ(DefaultCode(u'\u2170'), 0xFA40);  // IBM before NEC-selected IBM
}

TEST(Codec, NonCharactersBecomeReservedUnits) {
  Spellings memo;
  EXPECT_EQ(Decode(std::string("\0\x80\xA0\xFD\xFF", 5), memo),
            u"\xDC00\xDC80\xDCA0\xDCFD\xDCFF");
  EXPECT_EQ(Decode("\x82\r\n", memo), u"\xDC82\r\n");  // a lead before a byte that cannot follow
  EXPECT_EQ(Decode("\x85\x40", memo), u"\xDC85\xDC40");  // an undefined code
}

TEST(Codec, RemembersTheSpellingADocumentUsed) {
  Spellings memo;
  EXPECT_EQ(Decode("\x87\x90", memo), u"\u2252");
  EXPECT_EQ(Encode(u"\u2252\u2252", memo), "\x87\x90\x87\x90");  // as the document spells it
  EXPECT_EQ(Encode(u"\u2252\u2170", Spellings()), "\x81\xE0\xFA\x40");  // a fresh one: defaults
  // Defaults: a character met first in another spelling keeps that one.
  Spellings defaults = Spellings::Defaults();
  EXPECT_EQ(Decode("\x87\x90", defaults), u"\u2252");
  EXPECT_EQ(Encode(u"\u2252\u2252", defaults), "\x87\x90\x81\xE0");
}

// 纊 (ED40, FA5C) and ￢ (81CA, EEF9, FA54) spelled several ways in one text:
// each is the character, and keeps its own bytes; occurrences added beyond
// them take the first spelling.
TEST(Codec, ACharacterSpelledSeveralWaysInOneText) {
  const std::string bytes = "\xED\x40\xFA\x5C\x81\xCA\xEE\xF9\xFA\x54\xED\x40\xFA\x5C";
  Spellings memo;
  const std::u16string text = Decode(bytes, memo);
  EXPECT_EQ(text, u"纊纊￢￢￢纊纊");
  EXPECT_EQ(Encode(text, memo), bytes);
  EXPECT_EQ(Encode(text + u"￢纊", memo), bytes + "\x81\xCA\xED\x40");
  memo.Clear();
  EXPECT_EQ(Encode(u"纊￢", memo), "\xFA\x5C\x81\xCA");  // Windows' spellings
}

TEST(Codec, UnmappableCharactersBecomeQuestionMarks) {
  std::size_t bad = 0;
  EXPECT_EQ(Encode(u"a\u00E9b\U0001F600c\xD800", Spellings(), &bad), "a?b?c?");
  EXPECT_EQ(bad, 3u);
  // After a high surrogate a reserved unit is the low half of a pair.
  EXPECT_EQ(Encode(u"\xD83D\xDC00", Spellings()), "?");
}

}  // namespace
}  // namespace kestil::cp932

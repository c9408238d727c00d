#include "base/utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kestil::utf8 {
namespace {

// The Unicode Standard's table of well-formed byte sequences, one sequence
// at a time; every other byte is its reserved unit. An independent oracle.
std::u16string ByTheTable(const std::string& bytes) {
  std::u16string out;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    unsigned second_min = 0x80;
    unsigned second_max = 0xBF;
    if (b <= 0x7F) length = 1;
    else if (b >= 0xC2 && b <= 0xDF) length = 2;
    else if (b == 0xE0) length = 3, second_min = 0xA0;
    else if (b == 0xED) length = 3, second_max = 0x9F;
    else if (b >= 0xE1 && b <= 0xEF) length = 3;
    else if (b == 0xF0) length = 4, second_min = 0x90;
    else if (b == 0xF4) length = 4, second_max = 0x8F;
    else if (b >= 0xF1 && b <= 0xF3) length = 4;
    bool ok = length > 0 && i + length <= bytes.size();
    char32_t c = length == 1 ? b : b & (0x7F >> length);
    for (std::size_t k = 1; ok && k < length; ++k) {
      const auto t = static_cast<unsigned char>(bytes[i + k]);
      ok = t >= (k == 1 ? second_min : 0x80) && t <= (k == 1 ? second_max : 0xBF);
      c = c << 6 | (t & 0x3F);
    }
    if (!ok) {
      out += static_cast<char16_t>(0xDC00 + b);
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += length;
  }
  return out;
}

// Decode (from an exact-size buffer, for the address sanitizer) against the
// table, the round trip, the length and the classification.
void CheckBytes(const std::string& bytes, const std::string& what) {
  const std::vector<char> buffer(bytes.begin(), bytes.end());
  const std::u16string text = Decode(std::string_view(buffer.data(), buffer.size()));
  ASSERT_EQ(text, ByTheTable(bytes)) << what;
  ASSERT_EQ(Encode(text), bytes) << what;
  ASSERT_EQ(EncodedLength(text), bytes.size()) << what;
  bool ascii = true, reserved = false;
  for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  for (const char16_t u : text) reserved = reserved || (u >= 0xDC80 && u <= 0xDCFF);
  ASSERT_EQ(Classify(bytes), reserved ? Form::kIllFormed : ascii ? Form::kAscii : Form::kWellFormed)
      << what;
}

// One defect or one kind of character each, at the start, middle and end
// of page-like text, at every offset of a 32-byte block.
TEST(Utf8, PiecesInContextDecodeAsTheTableSays) {
  const std::string jp = "<p>\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6\x96\x87</p>";
  const std::string page = jp + jp + jp;
  const std::string pieces[] = {
      "\x80", "\xE3\x81", "\xE3\x81\xE3\x81\x82", "\xF0\x9F\x98", "\xC3\xA9\xA9", "\xC0\x80",
      "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF", std::string("a\0b\0", 4),
      "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"};
  for (const std::string& piece : pieces) {
    for (std::size_t shift = 0; shift < 34; ++shift) {
      const std::string lead = page.substr(0, shift);
      for (const std::string& bytes : {lead + piece, page + lead + piece + page, page + lead + piece}) {
        ASSERT_NO_FATAL_FAILURE(CheckBytes(bytes, testing::PrintToString(piece)));
      }
    }
  }
  EXPECT_EQ(Decode("\xE3\x81" "a"), u"\xDCE3\xDC81" "a");
  EXPECT_EQ(Decode("\xF0\x9F\x98\x80"), u"\U0001F600");
}

// Every two-byte string, and three- and four-byte strings led by a lead of a
// longer sequence, between spaces: all of the table's boundaries.
TEST(Utf8, EveryShortByteStringDecodesAsTheTableSays) {
  std::string bytes;
  const auto add = [&bytes](std::initializer_list<int> xs) {
    for (const int x : xs) bytes += static_cast<char>(x);
    bytes += ' ';
  };
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) add({a, b});
  }
  for (int a = 0xE0; a <= 0xF4; ++a) {
    for (int b = 0x70; b <= 0xD0; ++b) {
      for (int c = 0; c < 256; ++c) add({a, b, c});
    }
  }
  for (int a = 0xF0; a <= 0xF5; ++a) {
    for (int b = 0x7F; b <= 0xC0; ++b) {
      for (const int c : {0x7F, 0x80, 0xBF, 0xC0}) {
        for (const int d : {0x41, 0x80, 0xBF, 0xC0, 0xFF}) add({a, b, c, d});
      }
    }
  }
  CheckBytes(bytes, "short strings");
}

TEST(Utf8, EncodesAnyText) {
  std::size_t bad = 0;
  // Reserved units are their bytes, those below 0x80 too.
  EXPECT_EQ(Encode(u"\xDC80\xDCFF\xDC00\xDC7F", &bad), std::string("\x80\xFF\0\x7F", 4));
  EXPECT_EQ(bad, 0u);
  // Lone surrogates outside the reserved units have no UTF-8 form.
  EXPECT_EQ(Encode(u"\xD800" "a\xDD00\xD83D", &bad), "\xEF\xBF\xBD" "a\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(bad, 3u);
  // After a high surrogate a reserved unit is the low half of a pair.
  EXPECT_EQ(Encode(u"\xD800\xDC80", &bad), "\xF0\x90\x82\x80");
  EXPECT_EQ(bad, 0u);

  // Long texts through the block code agree with each unit encoded alone.
  const std::u16string units = u"a\x7F\x80\x7FF\x800\uFFFF\xD83D\xDE00\xDC80\xDCFF\xDC41";
  std::mt19937 rng(16);
  for (int round = 0; round < 100; ++round) {
    std::u16string text(rng() % 400, u'\0');
    const std::size_t common = rng() % units.size();
    for (char16_t& u : text) u = units[rng() % 100 < 80 ? common : rng() % units.size()];
    std::string expected;
    std::size_t expected_bad = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                        text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
      std::size_t one_bad = 0;
      expected += Encode(text.substr(i, pair ? 2 : 1), &one_bad);
      expected_bad += one_bad;
      if (pair) ++i;
    }
    ASSERT_EQ(Encode(text, &bad), expected) << round;
    ASSERT_EQ(bad, expected_bad) << round;
  }
}

}  // namespace
}  // namespace kestil::utf8

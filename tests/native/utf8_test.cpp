#include "base/utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kestil::utf8 {
namespace {

// Decodes from a buffer of exactly the input's size, so that the address
// sanitizer catches any read past the end.
std::u16string DecodeExact(const std::string& bytes) {
  const std::vector<char> buffer(bytes.begin(), bytes.end());
  return Decode(std::string_view(buffer.data(), buffer.size()));
}

// Decoding as the Unicode Standard's table of well-formed byte sequences
// puts it, one sequence at a time; every other byte is its reserved unit.
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

bool HasReservedUnit(const std::u16string& text) {
  for (const char16_t u : text) {
    if (u >= 0xDC80 && u <= 0xDCFF) return true;
  }
  return false;
}

// Decode against the table, the round trip, the length and the
// classification of one input.
void CheckBytes(const std::string& bytes, const std::string& what) {
  const std::u16string text = DecodeExact(bytes);
  ASSERT_EQ(text, ByTheTable(bytes)) << what;
  ASSERT_EQ(Encode(text), bytes) << what;
  ASSERT_EQ(EncodedLength(text), bytes.size()) << what;
  bool ascii = true;
  for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  const Form expected = HasReservedUnit(text) ? Form::kIllFormed
                        : ascii               ? Form::kAscii
                                              : Form::kWellFormed;
  ASSERT_EQ(Classify(bytes), expected) << what;
}

// Page-like text around the bytes under test: long enough on each side for
// the 32-byte blocks, and shifted through every offset within a block.
void CheckInContext(const std::string& piece, const std::string& name) {
  const std::string japanese = "<p>\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6\x96\x87</p>";
  const std::string before = japanese + japanese + japanese;
  for (std::size_t shift = 0; shift < 34; ++shift) {
    const std::string lead = before.substr(0, shift);
    CheckBytes(lead + piece, name + " at the start, shift " + std::to_string(shift));
    CheckBytes(before + lead + piece + before, name + " in the middle, shift " + std::to_string(shift));
    CheckBytes(before + lead + piece, name + " at the end, shift " + std::to_string(shift));
  }
  CheckBytes(piece, name + " alone");
}

struct Piece {
  const char* name;
  std::string bytes;
};

// One defect each, so that no other defect nearby hands the block to the
// byte-at-a-time code before the block code has judged it.
const std::vector<Piece>& IllFormedPieces() {
  static const std::vector<Piece> pieces = {
      {"continuation byte alone", "\x80"},
      {"last continuation byte alone", "\xBF"},
      {"two-byte lead before ASCII", "\xC3("},
      {"two-byte lead cut", "\xC3"},
      {"three-byte lead cut after one", "\xE3"},
      {"three-byte lead cut after two", "\xE3\x81"},
      {"three-byte lead before a lead", "\xE3\x81\xE3\x81\x82"},
      {"four-byte lead cut after one", "\xF0"},
      {"four-byte lead cut after two", "\xF0\x9F"},
      {"four-byte lead cut after three", "\xF0\x9F\x98"},
      {"one continuation too many", "\xC3\xA9\xA9"},
      {"C0", "\xC0\x80"},
      {"C1", "\xC1\xBF"},
      {"overlong three-byte, lowest", "\xE0\x80\x80"},
      {"overlong three-byte, highest", "\xE0\x9F\xBF"},
      {"overlong four-byte, lowest", "\xF0\x80\x80\x80"},
      {"overlong four-byte, highest", "\xF0\x8F\xBF\xBF"},
      {"encoded high surrogate", "\xED\xA0\x80"},
      {"encoded low surrogate", "\xED\xBF\xBF"},
      {"above U+10FFFF", "\xF4\x90\x80\x80"},
      {"F5", "\xF5\x80\x80\x80"},
      {"F7", "\xF7\xBF\xBF\xBF"},
      {"F8", "\xF8\x88\x80\x80\x80"},
      {"FE", "\xFE"},
      {"FF", "\xFF"},
  };
  return pieces;
}

TEST(Utf8, IllFormedBytesBecomeTheirReservedUnitsAnywhere) {
  for (const Piece& piece : IllFormedPieces()) {
    ASSERT_NO_FATAL_FAILURE(CheckInContext(piece.bytes, piece.name));
  }
  // What the table says, spelled out for a few.
  EXPECT_EQ(Decode("\xE3\x81" "a"), u"\xDCE3\xDC81" "a");
  EXPECT_EQ(Decode("\xE0\x80\x80"), u"\xDCE0\xDC80\xDC80");
  EXPECT_EQ(Decode("\xED\xA0\x80"), u"\xDCED\xDCA0\xDC80");
  EXPECT_EQ(Decode("\xF0\x9F\x98"), u"\xDCF0\xDC9F\xDC98");
  EXPECT_EQ(Decode("\xE3\x81\xE3\x81\x82"), u"\xDCE3\xDC81\u3042");
}

TEST(Utf8, WellFormedSequencesBecomeTheirCharacters) {
  const std::vector<Piece> pieces = {
      {"NUL", std::string("a\0b\0", 4)},
      {"range ends", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"},
      {"four-byte", "\xF0\x90\x80\x80\xF0\x9F\x98\x80\xF3\xBF\xBF\xBF\xF4\x8F\xBF\xBF"},
      {"byte order mark alone", "\xEF\xBB\xBF"},
      {"line breaks", "cr\rlf\ncrlf\r\nlfcr\n\r\r\r\n\n\xE3\x81\x82\r\n\xE3\x81\x82\r"},
      {"half-width katakana", "\xEF\xBD\xB1\xEF\xBE\x9F"},
  };
  for (const Piece& piece : pieces) {
    ASSERT_NO_FATAL_FAILURE(CheckInContext(piece.bytes, piece.name));
  }
  EXPECT_EQ(Decode(std::string("a\0", 2)), std::u16string(u"a\0", 2));
  EXPECT_EQ(Decode("\xC3\xA9\xE3\x81\x82\xEF\xBF\xBF"), u"\u00E9\u3042\uFFFF");
  EXPECT_EQ(Decode("\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\xF0\x9F\x98\x80"),
            u"\U00010000\U0010FFFF\U0001F600");
  EXPECT_EQ(Decode("\xEF\xBB\xBF"), u"\uFEFF");
  EXPECT_EQ(Decode(""), u"");
  EXPECT_EQ(Encode(u""), "");
}

// Every two-byte string, and every three- and four-byte string whose first
// byte leads a longer sequence, one after another between spaces: all of the
// table's boundaries, at every offset of a block.
TEST(Utf8, EveryShortByteStringDecodesAsTheTableSays) {
  std::string pairs;
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      pairs += static_cast<char>(a);
      pairs += static_cast<char>(b);
      pairs += ' ';
    }
  }
  CheckBytes(pairs, "pairs");
  std::string triples;
  for (int a = 0xE0; a <= 0xF4; ++a) {
    for (int b = 0x70; b <= 0xD0; ++b) {
      for (int c = 0; c < 256; ++c) {
        triples += static_cast<char>(a);
        triples += static_cast<char>(b);
        triples += static_cast<char>(c);
        triples += ' ';
      }
    }
  }
  CheckBytes(triples, "triples");
  std::string quads;
  const int lasts[] = {0x00, 0x41, 0x7F, 0x80, 0x9F, 0xA0, 0xBF, 0xC0, 0xE3, 0xF0, 0xFF};
  for (int a = 0xF0; a <= 0xF5; ++a) {
    for (int b = 0x7F; b <= 0xC0; ++b) {
      for (const int c : {0x7F, 0x80, 0xBF, 0xC0}) {
        for (const int d : lasts) {
          quads += static_cast<char>(a);
          quads += static_cast<char>(b);
          quads += static_cast<char>(c);
          quads += static_cast<char>(d);
          quads += ' ';
        }
      }
    }
  }
  CheckBytes(quads, "quads");
}

// Each first byte beyond ASCII with the second bytes at the table's
// boundaries and third and fourth bytes that do or do not continue, alone in
// clean text at every offset of a block.
TEST(Utf8, EachBoundaryAloneDecodesAsTheTableSays) {
  const std::string clean = "<p>\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E</p>\r\n<b>HTML</b>\xE3\x81\x82";
  const int seconds[] = {0x00, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xFF};
  const int thirds[] = {0x41, 0x80, 0xBF, 0xC0};
  const int fourths[] = {0x41, 0x80, 0xBF};
  std::size_t shift = 0;
  for (int a = 0x80; a <= 0xFF; ++a) {
    for (const int b : seconds) {
      for (const int c : thirds) {
        for (const int d : fourths) {
          std::string piece;
          for (const int x : {a, b, c, d}) piece += static_cast<char>(x);
          shift = (shift + 1) % 34;
          ASSERT_NO_FATAL_FAILURE(CheckBytes(std::string(shift, 'x') + clean + piece + clean + clean,
                                             "bytes " + std::to_string(a) + " " + std::to_string(b) +
                                                 " " + std::to_string(c) + " " + std::to_string(d)));
        }
      }
    }
  }
}

// Random mixtures of characters of every length and of broken bytes, in
// runs long and short, so that the block code and the byte-at-a-time code
// hand over to each other everywhere.
TEST(Utf8, RandomTextsDecodeAsTheTableSays) {
  const char* const kPieces[] = {"a", "<p>", "\r\n", "\xC3\xA9", "\xE3\x81\x82", "\xE6\x97\xA5",
                                 "\xEF\xBD\xB1", "\xF0\x9F\x98\x80", "\x80", "\xE3\x81", "\xFF",
                                 "\xED\xA0\x80", "\xC0"};
  std::mt19937 rng(8);
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    const std::size_t pieces = rng() % 200;
    // Mostly one common piece, so that runs form; some rounds all random.
    const std::size_t common = rng() % 7;
    for (std::size_t k = 0; k < pieces; ++k) {
      const std::size_t pick = rng() % 100 < 85 ? common : rng() % std::size(kPieces);
      bytes += kPieces[pick];
    }
    ASSERT_NO_FATAL_FAILURE(CheckBytes(bytes, "round " + std::to_string(round)));
  }
  for (int round = 0; round < 200; ++round) {
    std::string bytes(rng() % 300, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    ASSERT_NO_FATAL_FAILURE(CheckBytes(bytes, "random bytes " + std::to_string(round)));
  }
}

TEST(Utf8, LongTextRoundTrips) {
  // 2 MB of page-like text with a broken byte now and then.
  std::mt19937 rng(2);
  const char* const kWords[] = {"<td align=\"center\">", "</td>\r\n", "\xE3\x81\x82\xE3\x81\x84",
                                "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "HTML", "\xF0\x9F\x98\x80",
                                "\xC3\xA9", "\xEF\xBD\xB6"};
  std::string bytes;
  while (bytes.size() < 2 * 1024 * 1024) {
    bytes += kWords[rng() % std::size(kWords)];
    if (rng() % 5000 == 0) bytes += "\x82";
  }
  CheckBytes(bytes, "2 MB");
}

// Encode of text that came from anywhere, checked unit by unit: a long text
// goes through the block code, each of its characters alone through the
// byte-at-a-time code, and the two must agree.
TEST(Utf8, EncodesAnyText) {
  std::size_t bad = 0;
  // Every reserved unit is its byte, those below 0x80 (which only another
  // encoding's decoder gives) too.
  EXPECT_EQ(Encode(u"\xDC80\xDCFF\xDC00\xDC7F", &bad), std::string("\x80\xFF\0\x7F", 4));
  EXPECT_EQ(bad, 0u);
  // No UTF-8 form: a lone high or low surrogate outside the reserved units.
  EXPECT_EQ(Encode(u"\xD800" "a\xDBFF" "b\xDD00\xDFFF", &bad),
            "\xEF\xBF\xBD" "a\xEF\xBF\xBD" "b\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(bad, 4u);
  EXPECT_EQ(Encode(u"x\xD83D", &bad), "x\xEF\xBF\xBD");
  EXPECT_EQ(bad, 1u);
  // After a high surrogate a reserved unit is the low half of a pair.
  EXPECT_EQ(Encode(u"\xD800\xDC80", &bad), "\xF0\x90\x82\x80");
  EXPECT_EQ(bad, 0u);
  // Reserved units side by side may spell a character once written.
  EXPECT_EQ(Decode(Encode(u"\xDCC3\xDCA9")), u"\u00E9");

  const char16_t kUnits[] = {u'a', u'\r', u'\n', 0x7F, 0x80, 0x7FF, 0x800, 0x3042, 0xFFFF,
                             0xD83D, 0xDE00, 0xDC80, 0xDCFF, 0xDC41, 0xD7FF, 0xE000};
  std::mt19937 rng(16);
  for (int round = 0; round < 300; ++round) {
    std::u16string text(rng() % 400, u'\0');
    const std::size_t common = rng() % std::size(kUnits);
    for (char16_t& u : text) u = kUnits[rng() % 100 < 80 ? common : rng() % std::size(kUnits)];
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
    std::size_t got_bad = 0;
    ASSERT_EQ(Encode(text, &got_bad), expected) << round;
    ASSERT_EQ(got_bad, expected_bad) << round;
    ASSERT_EQ(EncodedLength(text), expected.size()) << round;
  }
}

}  // namespace
}  // namespace kestil::utf8

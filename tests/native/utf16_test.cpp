#include "base/utf16.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestil::utf16 {
namespace {

Decoded DecodeExact(const std::string& bytes, bool big_endian) {
  const std::vector<char> buffer(bytes.begin(), bytes.end());
  return Decode(std::string_view(buffer.data(), buffer.size()), big_endian);
}

TEST(Utf16, UnitsInEachByteOrder) {
  EXPECT_EQ(Decode(std::string("A\0B\x30", 4), false).text, u"A\u3042");
  EXPECT_EQ(Decode(std::string("\0A\x30\x42", 4), true).text, u"A\u3042");
  EXPECT_EQ(Encode(u"A\u3042", false), std::string("A\0B\x30", 4));
  EXPECT_EQ(Encode(u"A\u3042", true), std::string("\0A\x30\x42", 4));
  EXPECT_EQ(Decode("\xFE\xFF", true).text, u"\uFEFF");  // the mark is a unit like any other
}

TEST(Utf16, UnpairedSurrogatesStayUnits) {
  // A pair, then lone halves, among them units that other codecs reserve.
  const std::u16string text = u"\xD83D\xDE00\xD800" "a\xDC80\xDCFF\xDC00\xDFFF\xDBFF";
  for (const bool big_endian : {false, true}) {
    const std::string bytes = Encode(text, big_endian);
    EXPECT_EQ(bytes.size(), 2 * text.size());
    EXPECT_EQ(Decode(bytes, big_endian).text, text);
  }
}

TEST(Utf16, OddLastByteIsKeptApartFromTheText) {
  // A lone 0xDC and a unit 0xDCDC written whole are different files.
  const Decoded lone = DecodeExact(std::string("A\0\xDC", 3), false);
  EXPECT_EQ(lone.text, u"A");
  EXPECT_EQ(lone.trailing_byte, 0xDC);
  const Decoded unit = DecodeExact(std::string("A\0\xDC\xDC", 4), false);
  EXPECT_EQ(unit.text, u"A\xDCDC");
  EXPECT_FALSE(unit.trailing_byte.has_value());
  // Edited text keeps the byte at its end.
  EXPECT_EQ(Encode(u"AB", false, 0xDC), std::string("A\0B\0\xDC", 5));
}

}  // namespace
}  // namespace kestil::utf16

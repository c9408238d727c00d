#include "base/utf16.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kestil::utf16 {
namespace {

Decoded DecodeExact(const std::string& bytes, bool big_endian) {
  const std::vector<char> buffer(bytes.begin(), bytes.end());
  return Decode(std::string_view(buffer.data(), buffer.size()), big_endian);
}

std::string RoundTrip(const std::string& bytes, bool big_endian) {
  const Decoded d = DecodeExact(bytes, big_endian);
  EXPECT_EQ(d.text.size(), bytes.size() / 2);
  EXPECT_EQ(d.trailing_byte.has_value(), bytes.size() % 2 == 1);
  return Encode(d.text, big_endian, d.trailing_byte);
}

TEST(Utf16, EveryByteStringRoundTripsInBothOrders) {
  std::mt19937 rng(16);
  std::vector<std::string> inputs = {"", std::string(1, '\0'), "\xFF\xFE", "\xFE\xFF", "\xFF\xFE\xDC"};
  for (int length = 0; length < 80; ++length) {
    std::string s(static_cast<std::size_t>(length), '\0');
    for (char& c : s) c = static_cast<char>(rng());
    inputs.push_back(s);
  }
  std::string big(2 * 1024 * 1024 + 1, '\0');
  for (char& c : big) c = static_cast<char>(rng());
  inputs.push_back(big);
  for (const bool big_endian : {false, true}) {
    for (const std::string& bytes : inputs) {
      ASSERT_EQ(RoundTrip(bytes, big_endian), bytes) << bytes.size() << " " << big_endian;
    }
  }
}

TEST(Utf16, UnitsInEachByteOrder) {
  EXPECT_EQ(Decode(std::string("A\0B\x30", 4), false).text, u"A\u3042");
  EXPECT_EQ(Decode(std::string("\0A\x30\x42", 4), true).text, u"A\u3042");
  EXPECT_EQ(Encode(u"A\u3042", false), std::string("A\0B\x30", 4));
  EXPECT_EQ(Encode(u"A\u3042", true), std::string("\0A\x30\x42", 4));
  // The mark is a unit like any other.
  EXPECT_EQ(Decode("\xFF\xFE", false).text, u"\uFEFF");
  EXPECT_EQ(Decode("\xFE\xFF", true).text, u"\uFEFF");
  // Line breaks of every kind stay as they are.
  EXPECT_EQ(Decode(std::string("\r\0\n\0\n\0\r\0\r\0", 10), false).text, u"\r\n\n\r\r");
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
  const Decoded alone = DecodeExact("\x7F", true);
  EXPECT_EQ(alone.text, u"");
  EXPECT_EQ(alone.trailing_byte, 0x7F);
  // Edited text keeps the byte at its end.
  EXPECT_EQ(Encode(u"AB", false, 0xDC), std::string("A\0B\0\xDC", 5));
  EXPECT_EQ(Encode(u"", true, 0x00), std::string(1, '\0'));
}

}  // namespace
}  // namespace kestil::utf16

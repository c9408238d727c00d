#include "base/cp932.h"

#include <gtest/gtest.h>

namespace kestil::cp932 {
namespace {

TEST(Cp932, LeadBytesAndStepping) {
  int leads = 0;
  for (int b = 0; b < 256; ++b) leads += IsLeadByte(static_cast<unsigned char>(b));
  EXPECT_EQ(leads, 31 + 29);
  EXPECT_FALSE(IsLeadByte(0x80));
  EXPECT_FALSE(IsLeadByte(0xA0));
  EXPECT_FALSE(IsLeadByte(0xFD));
  const std::string s = "a\x83\x5C\\\xB1\x82";  // ソ has '\' as its second byte
  EXPECT_EQ(NextChar(s, 0), 1u);
  EXPECT_EQ(NextChar(s, 1), 3u);
  EXPECT_EQ(NextChar(s, 3), 4u);
  EXPECT_EQ(NextChar(s, 4), 5u);
  EXPECT_EQ(NextChar(s, 5), 6u);  // a lead byte at the end stands alone
  EXPECT_EQ(FloorToBoundary(s, 2), 1u);
  EXPECT_EQ(FloorToBoundary(s, 3), 3u);
  EXPECT_EQ(FloorToBoundary(s, 99), 6u);
}

TEST(Cp932, TagCaseChangesOnlyOneByteLetters) {
  EXPECT_EQ(UpperCased("<a href=\"x.htm\">z</a>"), "<A HREF=\"X.HTM\">Z</A>");
  // Second bytes in the range of a-z, full-width letters, katakana, digits,
  // quotes and line breaks stay as they are.
  const std::string two_byte = "\x83\x61\x83\x7A\x82\x81\x82\x9A";
  EXPECT_EQ(UpperCased(two_byte), two_byte);
  EXPECT_EQ(UpperCased("\xB1\xDE" "09\"'\r\n{}`~"), "\xB1\xDE" "09\"'\r\n{}`~");
  EXPECT_EQ(UpperCased("x\x83" "ab"), "X\x83" "aB");
  EXPECT_EQ(UpperCased("ab\x83"), "AB\x83");
  EXPECT_EQ(UpperCased(""), "");
}

}  // namespace
}  // namespace kestil::cp932

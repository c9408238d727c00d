#include "base/cp932.h"

#include <gtest/gtest.h>

namespace kestil::cp932 {
namespace {

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

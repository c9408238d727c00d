#include "gradient/gradient.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kestil {
namespace {

std::string Element(const std::string& color, const std::string& ch) {
  return "<font color=\"" + color + "\">" + ch + "</font>";
}

std::string UpperElement(const std::string& color, const std::string& ch) {
  return "<FONT COLOR=\"" + color + "\">" + ch + "</FONT>";
}

TEST(Gradient, ColorText) {
  EXPECT_EQ(ColorText(0x0080FF), "#ff8000");
  EXPECT_EQ(ColorText(0x000000), "#000000");
  EXPECT_EQ(ColorText(0xFFFFFF), "#ffffff");
  EXPECT_EQ(ColorText(0x0C0B0A), "#0a0b0c");
  EXPECT_EQ(ColorText(0xAB0080FF), "#ff8000");  // the top byte is not a colour
  EXPECT_EQ(ShadowColor(0xC86432), 0x882400u);   // (50, 100, 200) -> (0, 36, 136)
}

TEST(Gradient, WorkedExampleAndEdges) {
  EXPECT_EQ(GradientMarkup("abc", kRed, kBlue, 0),
            Element("#ff0000", "a") + Element("#7f007f", "b") + Element("#0000ff", "c"));
  // A two-byte character is one element; "<" is not escaped.
  EXPECT_EQ(GradientMarkup("\x95\x5C<", kRed, kBlue, 0),
            Element("#ff0000", "\x95\x5C") + Element("#0000ff", "<"));
  // Fewer than two characters: the one character in the start colour, or nothing.
  EXPECT_EQ(GradientMarkup("a", 0x123456, kBlue, 0), Element("#563412", "a"));
  EXPECT_EQ(GradientMarkup("", kRed, kBlue, 0), "");
  // A lead byte at the end is a character of its own.
  EXPECT_EQ(SplitCharacters("a\x82").size(), 2u);
}

// Upper case is the markup's: tag, attribute and colour digits. The text's
// own letters, and two-byte characters whose second byte looks like a letter
// (ヂ is 83 61, Ｚ is 82 79), come out as typed.
TEST(Gradient, UpperCaseTouchesOnlyTheMarkup) {
  EXPECT_EQ(GradientMarkup("abc", kRed, kBlue, 1),
            UpperElement("#FF0000", "a") + UpperElement("#7F007F", "b") + UpperElement("#0000FF", "c"));
  EXPECT_EQ(GradientMarkup("Hi", 0xABCDEF, 0xABCDEF, 1),
            UpperElement("#EFCDAB", "H") + UpperElement("#EFCDAB", "i"));
  EXPECT_EQ(GradientMarkup("\x83\x61<b>\x82\x79", 0, 0, 1),
            UpperElement("#000000", "\x83\x61") + UpperElement("#000000", "<") +
                UpperElement("#000000", "b") + UpperElement("#000000", ">") +
                UpperElement("#000000", "\x82\x79"));
  // Any non-zero option value means upper case.
  EXPECT_EQ(GradientMarkup("xy", kRed, kBlue, 5), GradientMarkup("xy", kRed, kBlue, 1));
}

std::string FromHex(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return out;
}

TEST(Gradient, IndependentReferenceTable) {
  std::ifstream in(KESTIL_TEST_DATA "/gradient_reference.txt");
  ASSERT_TRUE(in.good());
  std::string line;
  int cases = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string text;
    std::string start;
    std::string end;
    std::string markup;
    fields >> text >> start >> end >> markup;
    const std::string got = GradientMarkup(FromHex(text), std::stoul(start, nullptr, 16),
                                           std::stoul(end, nullptr, 16), 0);
    EXPECT_EQ(got, FromHex(markup)) << "case " << cases;
    ++cases;
  }
  EXPECT_GE(cases, 50);
}

}  // namespace
}  // namespace kestil

#include "gradient/gradient.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kestil {
namespace {

std::string Element(const std::string& color, const std::string& ch) {
  return "<font color=\"" + color + "\">" + ch + "</font>";
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
  EXPECT_EQ(GradientMarkup("abc", kRed, kBlue),
            Element("#ff0000", "a") + Element("#7f007f", "b") + Element("#0000ff", "c"));
  // A two-byte character is one element; "<" is not escaped.
  EXPECT_EQ(GradientMarkup("\x95\x5C<", kRed, kBlue),
            Element("#ff0000", "\x95\x5C") + Element("#0000ff", "<"));
  // Fewer than two characters: the one character in the start colour, or nothing.
  EXPECT_EQ(GradientMarkup("a", 0x123456, kBlue), Element("#563412", "a"));
  EXPECT_EQ(GradientMarkup("", kRed, kBlue), "");
  // A lead byte at the end is a character of its own.
  EXPECT_EQ(SplitCharacters("a\x82").size(), 2u);
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
                                           std::stoul(end, nullptr, 16));
    EXPECT_EQ(got, FromHex(markup)) << "case " << cases;
    ++cases;
  }
  EXPECT_GE(cases, 50);
}

}  // namespace
}  // namespace kestil

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
  EXPECT_EQ(GradientMarkup("ab", kRed, kBlue), Element("#ff0000", "a") + Element("#0000ff", "b"));
  EXPECT_EQ(GradientMarkup("xyz", 0x123456, 0x123456),
            Element("#563412", "x") + Element("#563412", "y") + Element("#563412", "z"));
  const std::string eight = GradientMarkup("abcdefgh", 0x000004, 0x0000FF);
  EXPECT_NE(eight.find(Element("#fe0000", "h")), std::string::npos);
  EXPECT_NE(eight.find(Element("#db0000", "g")), std::string::npos);
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

TEST(GradientStore, SectionLayoutBoundsAndDefaults) {
  MemoryProfile p;
  GradientStore s;
  s.Load(p);
  EXPECT_EQ(s.m_RegCount, 0);
  EXPECT_EQ(s.start, kRed);
  EXPECT_EQ(s.end, kBlue);
  EXPECT_EQ(s.text, "");
  s.m_RegCount = 2;
  s.m_RegStColor = {1, 2};
  s.m_RegEdColor = {3, 4};
  s.m_RegTitle[0] = "a";
  s.m_RegTitle[1] = " ";
  s.start = 5;
  s.end = 6;
  s.text = "\x95\x5C";
  s.Save(p);
  std::vector<std::string> names;
  for (const auto& key : p.write_order()) {
    EXPECT_EQ(key.first, "Dialog\\Grad");
    names.push_back(key.second);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"m_RegCount", "m_RegStColor_00", "m_RegEdColor_00",
                                             "m_RegTitle_00", "m_RegStColor_01", "m_RegEdColor_01",
                                             "m_RegTitle_01", "DefStColor", "DefEdColor",
                                             "DefStr"}));
  GradientStore back;
  back.Load(p);
  EXPECT_EQ(back.m_RegCount, 2);
  EXPECT_EQ(back.m_RegEdColor[1], 4u);
  EXPECT_EQ(back.m_RegTitle[1], " ");
  EXPECT_EQ(back.text, "\x95\x5C");
  // A count out of range is bounded; a missing colour reads as black.
  p.WriteInt("Dialog\\Grad", "m_RegCount", 2147483647);
  GradientStore big;
  big.Load(p);
  EXPECT_EQ(big.m_RegCount, 16);
  EXPECT_EQ(big.m_RegStColor[5], 0u);
  p.WriteInt("Dialog\\Grad", "m_RegCount", -1);
  GradientStore negative;
  negative.Load(p);
  EXPECT_EQ(negative.m_RegCount, 0);
}

}  // namespace
}  // namespace kestil

#include "gradient/gradient.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/codec.h"

namespace kestil {
namespace {

std::u16string Element(const std::u16string& color, const std::u16string& ch, bool upper = false) {
  return (upper ? u"<FONT COLOR=\"" : u"<font color=\"") + color + u"\">" + ch +
         (upper ? u"</FONT>" : u"</font>");
}

TEST(Gradient, WorkedExampleAndEdges) {
  EXPECT_EQ(ColorText(0xAB0080FF), "#ff8000");  // the top byte is not a colour
  EXPECT_EQ(ShadowColor(0xC86432), 0x882400u);  // (50, 100, 200) -> (0, 36, 136)
  EXPECT_EQ(GradientMarkup(u"abc", kRed, kBlue, 0),
            Element(u"#ff0000", u"a") + Element(u"#7f007f", u"b") + Element(u"#0000ff", u"c"));
  // A surrogate pair is one element, © another; "<" is not escaped.
  EXPECT_EQ(GradientMarkup(u"𠮷©<", kRed, kBlue, 0),
            Element(u"#ff0000", u"𠮷") + Element(u"#7f007f", u"©") + Element(u"#0000ff", u"<"));
  EXPECT_EQ(GradientMarkup(u"𠮷", 0x123456, kBlue, 0), Element(u"#563412", u"𠮷"));  // start colour
  EXPECT_EQ(GradientMarkup(u"", kRed, kBlue, 0), u"");
  // An unpaired surrogate is a character of its own.
  EXPECT_EQ(SplitCharacters(u"\xDFB7\xD842").size(), 2u);
}

// Upper case is the markup's: tag, attribute and colour digits. The text's
// own letters, full-width ones too, come out as typed.
TEST(Gradient, UpperCaseTouchesOnlyTheMarkup) {
  EXPECT_EQ(GradientMarkup(u"ｚb", kRed, kBlue, 5),  // any non-zero value
            Element(u"#FF0000", u"ｚ", true) + Element(u"#0000FF", u"b", true));
}

// As CSS, the same colours in spans; capitals for the names only.
TEST(Gradient, AsCss) {
  EXPECT_EQ(GradientMarkup(u"a𠮷", kRed, kBlue, 0, true),
            u"<span style=\"color:#ff0000\">a</span><span style=\"color:#0000ff\">𠮷</span>");
  EXPECT_EQ(GradientMarkup(u"b", kRed, kBlue, 1, true), u"<SPAN STYLE=\"color:#ff0000\">b</SPAN>");
}

// The reference table is written in code page 932, as the tool that made it
// reads characters; both sides are decoded as Windows decodes them.
std::u16string FromHex(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  cp932::Spellings memo = cp932::Spellings::Defaults();
  return cp932::Decode(out, memo);
}
TEST(Gradient, IndependentReferenceTable) {
  std::ifstream in(KESTIL_TEST_DATA "/gradient_reference.txt");
  ASSERT_TRUE(in.good());
  int cases = 0;
  std::string text, start, end, markup;
  while (in >> text >> start >> end >> markup) {
    EXPECT_EQ(GradientMarkup(FromHex(text), std::stoul(start, nullptr, 16),
                             std::stoul(end, nullptr, 16), 0),
              FromHex(markup))
        << "case " << cases;
    ++cases;
  }
  EXPECT_GE(cases, 50);
}

}  // namespace
}  // namespace kestil

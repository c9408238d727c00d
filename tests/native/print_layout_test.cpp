#include "base/print_layout.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

// One cell for ASCII, two for any other character (a surrogate pair is one).
int Cells(std::u16string_view ch) { return ch[0] < 0x80 ? 1 : 2; }

std::vector<std::u16string> Lines(std::u16string_view text, const std::vector<PrintPage>& pages) {
  std::vector<std::u16string> out;
  for (const auto& page : pages) {
    for (const auto& line : page) out.emplace_back(text.substr(line.begin, line.end - line.begin));
  }
  return out;
}

TEST(PrintLayout, WrapsLongLinesAtCharactersAndFillsPages) {
  const std::u16string text = u"0123456789abc\r\nshort\nああ𠮷ああ\r\r\nend";
  PageGeometry g{10, 3, 4};
  const auto pages = LayOutPages(text, g, Cells);
  EXPECT_EQ(Lines(text, pages),
            (std::vector<std::u16string>{u"0123456789", u"abc", u"short", u"ああ𠮷ああ", u"", u"end"}));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].size(), 3u);
  // Characters are never split, a pair neither: nine cells wrap before the fifth.
  g.width = 9;
  EXPECT_EQ(Lines(text, LayOutPages(text, g, Cells))[3], u"ああ𠮷あ");
}

TEST(PrintLayout, TabsAndCharactersWiderThanThePage) {
  PageGeometry g{8, 60, 4};
  EXPECT_EQ(Lines(u"a\tb\tcd\tx", LayOutPages(u"a\tb\tcd\tx", g, Cells)),
            (std::vector<std::u16string>{u"a\tb\t", u"cd\tx"}));
  // A character wider than the page still goes on a line of its own.
  g.width = 1;
  EXPECT_EQ(Lines(u"あ", LayOutPages(u"あ", g, Cells)), (std::vector<std::u16string>{u"あ"}));
}

}  // namespace
}  // namespace kestil

#include "base/print_layout.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

// One unit for a one-byte character, two for a two-byte one.
int Cells(std::string_view ch) { return static_cast<int>(ch.size()); }

std::vector<std::string> Lines(std::string_view text, const std::vector<PrintPage>& pages) {
  std::vector<std::string> out;
  for (const auto& page : pages) {
    for (const auto& line : page) out.emplace_back(text.substr(line.begin, line.end - line.begin));
  }
  return out;
}

TEST(PrintLayout, WrapsLongLinesAtCharactersAndFillsPages) {
  const std::string text = "0123456789abc\r\nshort\r\n\x82\xA0\x82\xA0\x82\xA0\x82\xA0\x82\xA0\r\n\r\nend";
  PageGeometry g{10, 3, 4};
  const auto pages = LayOutPages(text, g, Cells);
  EXPECT_EQ(Lines(text, pages),
            (std::vector<std::string>{"0123456789", "abc", "short",
                                      "\x82\xA0\x82\xA0\x82\xA0\x82\xA0\x82\xA0", "", "end"}));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].size(), 3u);
  // Two-byte characters are never split: nine cells wide wraps before the fifth.
  g.width = 9;
  EXPECT_EQ(Lines(text, LayOutPages(text, g, Cells))[3], "\x82\xA0\x82\xA0\x82\xA0\x82\xA0");
}

TEST(PrintLayout, TabsLongDocumentsAndEdges) {
  PageGeometry g{8, 60, 4};
  EXPECT_EQ(Lines("a\tb\tcd\tx", LayOutPages("a\tb\tcd\tx", g, Cells)),
            (std::vector<std::string>{"a\tb\t", "cd\tx"}));
  // 1000 lines of 25 characters on pages 10 wide, 60 lines each: 3 lines
  // apiece, 3000 lines, 50 pages.
  std::string text;
  for (int i = 0; i < 1000; ++i) text += std::string(25, 'x') + "\r\n";
  g = PageGeometry{10, 60, 4};
  const auto pages = LayOutPages(text, g, Cells);
  EXPECT_EQ(pages.size(), 50u);
  EXPECT_EQ(pages.back().size(), 60u);
  EXPECT_EQ(LayOutPages("", g, Cells).size(), 1u);
  // A character wider than the page still goes on a line of its own.
  g.width = 1;
  EXPECT_EQ(Lines("\x82\xA0", LayOutPages("\x82\xA0", g, Cells)), (std::vector<std::string>{"\x82\xA0"}));
}

}  // namespace
}  // namespace kestil

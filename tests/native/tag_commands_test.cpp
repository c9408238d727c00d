#include "view/tag_commands.h"

#include <gtest/gtest.h>


#include "view/memory_edit.h"

namespace kestil {
namespace {

TEST(TagCommands, TextsAndCarets) {
  struct Case {
    unsigned id;
    const char* text;
    std::size_t start, end;
    int tag_case;
    const char* result;
    std::size_t caret;
  };
  const Case cases[] = {
      {32851, "<td >", 4, 4, 0, "<td bordercolorlight=\"\">", 22},
      {32778, "", 0, 0, 1, "<TABLE><TR><TD></TD></TR></TABLE>", 33},
      {32822, "", 0, 0, 0, "<ul>\r\n<li>\r\n</ul>\r\n", 19},
      {32827, "", 0, 0, 1, "<SCRIPT LANGUAGE=\"JAVASCRIPT\">\r\n<!--\r\n\r\n//-->\r\n</SCRIPT>\r\n", 58},
      {32820, "go top now", 3, 6, 0, "go <a href=\"\">top</a> now", 12},
      {32820, "", 0, 0, 0, "<a href=\"\"></a>", 9},
      {32773, "a word b", 2, 6, 0, "a <br>\r\n b", 8},
      {32774, "p", 0, 1, 0, "<>p</>", 6},
      {32831, "<td ", 4, 4, 0, "<td width=", 10},
      {32838, "", 0, 0, 1, "BGCOLOR=\"\"", 9},
  };
  for (const Case& c : cases) {
    MemoryEdit edit(c.text);
    edit.SetSel(c.start, c.end);
    RunTagCommand(*FindTagCommand(c.id), edit, c.tag_case);
    EXPECT_EQ(edit.GetText(), c.result) << c.id;
    EXPECT_EQ(edit.GetSel(), (Selection{c.caret, c.caret})) << c.id;
  }
}

TEST(TagCommands, Skeleton) {
  const std::string lower = HtmlSkeleton(0);
  EXPECT_EQ(lower.size(), 132u);
  EXPECT_EQ(lower.substr(0, 8), "<html>\r\n");
  const std::string upper = HtmlSkeleton(5);
  EXPECT_NE(upper.find("<BODY TEXT=\"#000080\" LINK=\"#00AAFF\" VLINK=\"#0088DD\" ALINK=\"#00FFFF\">"),
            std::string::npos);
}

}  // namespace
}  // namespace kestil

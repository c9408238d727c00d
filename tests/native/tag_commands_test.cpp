#include "view/tag_commands.h"

#include <gtest/gtest.h>

#include "base/memory_edit.h"
#include "res/resource.h"

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
      {ID_TABLE_BORDERCOLORLIGHT, "<td >", 4, 4, 0, "<td bordercolorlight=\"\">", 22},
      {ID_TAG_TABLE, "", 0, 0, 1, "<TABLE><TR><TD></TD></TR></TABLE>", 33},
      {ID_TAG_LIST, "", 0, 0, 0, "<ul>\r\n<li>\r\n</ul>\r\n", 19},
      {ID_TAG_SCRIPT, "", 0, 0, 1, "<SCRIPT LANGUAGE=\"JAVASCRIPT\">\r\n<!--\r\n\r\n//-->\r\n</SCRIPT>\r\n", 58},
      {ID_TAG_LINK, "go top now", 3, 6, 0, "go <a href=\"\">top</a> now", 12},
      {ID_TAG_LINK, "", 0, 0, 0, "<a href=\"\"></a>", 9},
      {ID_TAG_BR, "a word b", 2, 6, 0, "a <br>\r\n b", 8},
      {ID_TAG_PAIR, "p", 0, 1, 0, "<>p</>", 6},
      {ID_TABLE_WIDTH, "<td ", 4, 4, 0, "<td width=", 10},
      {ID_TABLE_BGCOLOR, "", 0, 0, 1, "BGCOLOR=\"\"", 9},
  };
  for (const Case& c : cases) {
    MemoryEdit edit(c.text);
    edit.SetSel(c.start, c.end);
    const TagCommand* command = FindTagCommand(c.id);
    ASSERT_NE(command, nullptr) << c.id;
    RunTagCommand(*command, edit, c.tag_case);
    EXPECT_EQ(edit.GetText(), c.result) << c.id;
    EXPECT_EQ(edit.GetSel(), (Selection{c.caret, c.caret})) << c.id;
  }
}

TEST(TagCommands, SkeletonInUpperCase) {
  const std::string upper = HtmlSkeleton(5);
  EXPECT_NE(upper.find("<BODY TEXT=\"#000080\" LINK=\"#00AAFF\" VLINK=\"#0088DD\" ALINK=\"#00FFFF\">"),
            std::string::npos);
}

}  // namespace
}  // namespace kestil

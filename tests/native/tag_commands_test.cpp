#include "view/tag_commands.h"

#include <gtest/gtest.h>

#include <set>

#include "view/memory_edit.h"

namespace kestil {
namespace {

std::string RunOn(unsigned id, const std::string& text, std::size_t start, std::size_t end,
                int tag_case, Selection* caret) {
  MemoryEdit edit(text);
  edit.SetSel(start, end);
  RunTagCommand(*FindTagCommand(id), edit, tag_case);
  *caret = edit.GetSel();
  return edit.GetText();
}

TEST(TagCommands, TextsAndCarets) {
  Selection caret;
  EXPECT_EQ(RunOn(32851, "<td >", 4, 4, 0, &caret), "<td bordercolorlight=\"\">");
  EXPECT_EQ(caret.start, 22u);
  EXPECT_EQ(RunOn(32778, "", 0, 0, 1, &caret), "<TABLE><TR><TD></TD></TR></TABLE>");
  EXPECT_EQ(caret.start, 33u);
  EXPECT_EQ(RunOn(32822, "", 0, 0, 0, &caret), "<ul>\r\n<li>\r\n</ul>\r\n");
  EXPECT_EQ(caret.start, 19u);
  const std::string script = RunOn(32827, "", 0, 0, 1, &caret);
  EXPECT_EQ(script, "<SCRIPT LANGUAGE=\"JAVASCRIPT\">\r\n<!--\r\n\r\n//-->\r\n</SCRIPT>\r\n");
  EXPECT_EQ(script.size(), 58u);
  EXPECT_EQ(caret.start, 58u);
  EXPECT_EQ(RunOn(32820, "go top now", 3, 6, 0, &caret), "go <a href=\"\">top</a> now");
  EXPECT_EQ(caret, (Selection{12, 12}));
  EXPECT_EQ(RunOn(32820, "", 0, 0, 0, &caret), "<a href=\"\"></a>");
  EXPECT_EQ(caret.start, 9u);
  EXPECT_EQ(RunOn(32773, "a word b", 2, 6, 0, &caret), "a <br>\r\n b");
  EXPECT_EQ(caret.start, 8u);
  EXPECT_EQ(RunOn(32774, "p", 0, 1, 0, &caret), "<>p</>");
  EXPECT_EQ(caret.start, 6u);
  EXPECT_EQ(RunOn(32831, "<td ", 4, 4, 0, &caret), "<td width=");
  EXPECT_EQ(caret.start, 10u);
  EXPECT_EQ(RunOn(32838, "", 0, 0, 1, &caret), "BGCOLOR=\"\"");
  EXPECT_EQ(caret.start, 9u);
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

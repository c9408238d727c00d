#include "view/tag_commands.h"

#include <gtest/gtest.h>

#include "base/memory_edit.h"
#include "res/resource.h"

namespace kestil {
namespace {

TEST(TagCommands, TextsAndCarets) {
  struct Case {
    unsigned id;
    const char16_t* text;
    std::size_t start, end;
    int tag_case;
    const char16_t* result;
    std::size_t caret;
    LineEnding ending = LineEnding::kCrLf;
  };
  const Case cases[] = {
      {ID_TAG_LIST, u"", 0, 0, 0, u"<ul>\n<li>\n</ul>\n", 16, LineEnding::kLf},
      {ID_TAG_SCRIPT, u"", 0, 0, 1,
       u"<SCRIPT LANGUAGE=\"JAVASCRIPT\">\r\n<!--\r\n\r\n//-->\r\n</SCRIPT>\r\n", 58},
      {ID_TAG_LINK, u"go top now", 3, 6, 0, u"go <a href=\"\">top</a> now", 12},
      // Upper case touches the markup only; the offset counts units.
      {ID_TAG_LINK, u"©𠮷x", 0, 4, 1, u"<A HREF=\"\">©𠮷x</A>", 9},
      {ID_TAG_BR, u"a word b", 2, 6, 0, u"a <br>\r b", 7, LineEnding::kCr},
      {ID_TABLE_WIDTH, u"<td ", 4, 4, 0, u"<td width=", 10},
      {ID_TABLE_BGCOLOR, u"", 0, 0, 1, u"BGCOLOR=\"\"", 9},
  };
  for (const Case& c : cases) {
    MemoryEdit edit(c.text);
    edit.set_line_ending(c.ending);
    edit.SetSel(c.start, c.end);
    const TagCommand* command = FindTagCommand(c.id);
    ASSERT_NE(command, nullptr) << c.id;
    RunTagCommand(*command, edit, c.tag_case);
    EXPECT_EQ(edit.GetText(), c.result) << c.id;
    EXPECT_EQ(edit.GetSel(), (Selection{c.caret, c.caret})) << c.id;
  }
}

// A UTF-8 page declares its encoding on the line after <head>, in the tag
// case; a Shift_JIS page is the skeleton as it always was.
TEST(TagCommands, Skeletons) {
  EXPECT_EQ(HtmlSkeleton(0, false).find(u"meta"), std::u16string::npos);
  EXPECT_EQ(HtmlSkeleton(0, true).substr(0, 42), u"<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<t");
  const std::u16string upper = HtmlSkeleton(5, true);
  EXPECT_NE(upper.find(u"<HEAD>\r\n<META CHARSET=\"UTF-8\">\r\n<TITLE>"), std::u16string::npos);
  EXPECT_NE(upper.find(u"<BODY TEXT=\"#000080\" LINK=\"#00AAFF\" VLINK=\"#0088DD\" ALINK=\"#00FFFF\">"),
            std::u16string::npos);
}

}  // namespace
}  // namespace kestil

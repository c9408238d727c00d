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
    MarkupStyle style = MarkupStyle::kClassic;
  };
  constexpr auto kModern = MarkupStyle::kModern;
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
      // HTML5 and CSS: the caret where the user types next; capitals for
      // the names only.
      {ID_TAG_SCRIPT, u"", 0, 0, 1, u"<SCRIPT>\n\n</SCRIPT>\n", 9, LineEnding::kLf, kModern},
      {ID_TAG_IMG, u"", 0, 0, 1, u"<IMG SRC=\"\" ALT=\"\">", 10, LineEnding::kCrLf, kModern},
      {ID_TAG_FONT, u"", 0, 0, 1, u"<SPAN STYLE=\"\"></SPAN>", 13, LineEnding::kCrLf, kModern},
      {ID_TAG_FONT, u"語", 0, 1, 0, u"<span style=\"\">語</span>", 23, LineEnding::kCrLf, kModern},
      {ID_TAG_LIST, u"", 0, 0, 1, u"<UL>\r\n<LI></LI>\r\n</UL>\r\n", 10, LineEnding::kCrLf, kModern},
      {ID_TAG_TABLE, u"", 0, 0, 0, u"<table><tr><td></td></tr></table>", 15, LineEnding::kCrLf, kModern},
      {ID_TABLE_BACKGROUND, u"x", 1, 1, 1, u"xbackground-image: url(\"\");", 24, LineEnding::kCrLf, kModern},
      {ID_TABLE_BORDERCOLORLIGHT, u"", 0, 0, 0, u"border-top-color: ; border-left-color: ;", 18,
       LineEnding::kCrLf, kModern},
      // The classic forms that stay: a pair with nothing to wrap takes the
      // caret between its tags, the link keeps its href, attributes stay.
      {ID_FONT_B, u"", 0, 0, 0, u"<b></b>", 3, LineEnding::kCrLf, kModern},
      {ID_FONT_B, u"w", 0, 1, 0, u"<b>w</b>", 8, LineEnding::kCrLf, kModern},
      {ID_TAG_LINK, u"", 0, 0, 0, u"<a href=\"\"></a>", 9, LineEnding::kCrLf, kModern},
      {ID_TABLE_COLSPAN, u"", 0, 0, 1, u"COLSPAN=", 8, LineEnding::kCrLf, kModern},
  };
  for (const Case& c : cases) {
    MemoryEdit edit(c.text);
    edit.set_line_ending(c.ending);
    edit.SetSel(c.start, c.end);
    const TagCommand* command = FindTagCommand(c.id);
    ASSERT_NE(command, nullptr) << c.id;
    RunTagCommand(*command, edit, c.tag_case, c.style);
    EXPECT_EQ(edit.GetText(), c.result) << c.id;
    EXPECT_EQ(edit.GetSel(), (Selection{c.caret, c.caret})) << c.id;
  }
}

// A classic UTF-8 page declares its encoding on the line after <head>, in
// the tag case; a Shift_JIS page is the skeleton as it always was.
TEST(TagCommands, ClassicSkeletons) {
  EXPECT_EQ(HtmlSkeleton(0, PageCharset::kShiftJis).text.find(u"meta"), std::u16string::npos);
  EXPECT_EQ(HtmlSkeleton(0, PageCharset::kUtf8).text.substr(0, 42),
            u"<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<t");
  const std::u16string upper = HtmlSkeleton(5, PageCharset::kUtf8).text;
  EXPECT_NE(upper.find(u"<HEAD>\r\n<META CHARSET=\"UTF-8\">\r\n<TITLE>"), std::u16string::npos);
  EXPECT_NE(upper.find(u"<BODY TEXT=\"#000080\" LINK=\"#00AAFF\" VLINK=\"#0088DD\" ALINK=\"#00FFFF\">"),
            std::u16string::npos);
}

// An HTML5 page: the doctype, the language, the encoding it is saved in and
// the viewport; the caret on the body's empty line.
TEST(TagCommands, Html5Skeletons) {
  const Skeleton utf8 = HtmlSkeleton(0, PageCharset::kUtf8, MarkupStyle::kModern);
  EXPECT_EQ(utf8.text,
            u"<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
            u"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n<title></title>\r\n"
            u"</head>\r\n<body>\r\n\r\n</body>\r\n</html>\r\n");
  EXPECT_EQ(utf8.text.substr(utf8.caret, 9), u"\r\n</body>");
  EXPECT_NE(HtmlSkeleton(0, PageCharset::kShiftJis, MarkupStyle::kModern).text.find(u"<meta charset=\"shift_jis\">"),
            std::u16string::npos);
  EXPECT_EQ(HtmlSkeleton(0, PageCharset::kUtf16, MarkupStyle::kModern).text.find(u"charset"), std::u16string::npos);
  const std::u16string upper = HtmlSkeleton(1, PageCharset::kShiftJis, MarkupStyle::kModern).text;
  EXPECT_EQ(upper.substr(0, 43), u"<!DOCTYPE html>\r\n<HTML LANG=\"ja\">\r\n<HEAD>\r\n");
  EXPECT_NE(upper.find(u"<META CHARSET=\"shift_jis\">\r\n<META NAME=\"viewport\" CONTENT=\"width=device-width, "),
            std::u16string::npos);
  EXPECT_EQ(MarkupStyleOf(1), MarkupStyle::kModern);
  EXPECT_EQ(MarkupStyleOf(2), MarkupStyle::kClassic);
  EXPECT_EQ(MarkupStyleOf(-1), MarkupStyle::kClassic);
}

// Each element wraps the selection or leaves the caret for its content;
// a block around lines puts its tags on lines of their own.
TEST(TagCommands, Elements) {
  struct Case {
    unsigned id;
    const char16_t* text;
    std::size_t start, end;
    int tag_case;
    const char16_t* result;
    std::size_t caret;
  };
  const Case cases[] = {
      {ID_ELEMENT_P, u"", 0, 0, 0, u"<p></p>", 3},
      {ID_ELEMENT_H2, u"見出し", 0, 3, 1, u"<H2>見出し</H2>", 12},
      {ID_ELEMENT_DIV, u"a\r\nb\r\n", 0, 6, 0, u"<div>\r\na\r\nb\r\n</div>\r\n", 21},
      {ID_ELEMENT_SECTION, u"a\r\nb", 0, 4, 0, u"<section>\r\na\r\nb\r\n</section>", 27},
      {ID_ELEMENT_SPAN, u"a\r\nb", 0, 4, 0, u"<span>a\r\nb</span>", 17},  // inline: as it is
      {ID_ELEMENT_FIGURE, u"", 0, 0, 0, u"<figure><figcaption></figcaption></figure>", 8},
      {ID_ELEMENT_OL, u"", 0, 0, 1, u"<OL><LI></LI></OL>", 8},
      {ID_ELEMENT_DL, u"", 0, 0, 0, u"<dl><dt></dt><dd></dd></dl>", 8},
      {ID_ELEMENT_DETAILS, u"", 0, 0, 0, u"<details><summary></summary></details>", 18},
  };
  for (const Case& c : cases) {
    MemoryEdit edit(c.text);
    edit.SetSel(c.start, c.end);
    const ElementCommand* command = FindElementCommand(c.id);
    ASSERT_NE(command, nullptr) << c.id;
    RunElementCommand(*command, edit, c.tag_case);
    EXPECT_EQ(edit.GetText(), c.result) << c.id;
    EXPECT_EQ(edit.GetSel(), (Selection{c.caret, c.caret})) << c.id;
    edit.Undo();
    EXPECT_EQ(edit.GetText(), c.text) << c.id;  // one step
  }
  EXPECT_EQ(ElementCommands().size(), 28u);
  EXPECT_EQ(ElementMenuText(*FindElementCommand(ID_ELEMENT_BLOCKQUOTE)), u"<blockquote></blockquote>");
  EXPECT_EQ(ModernMenuText(ID_TAG_SCRIPT), u"<script></script>");
  EXPECT_EQ(ModernMenuText(ID_TAG_FONT), u"<span style=\"\"></span>");
  EXPECT_EQ(ModernMenuText(ID_FONT_B), u"");
}

// Only the names of markup take capitals.
TEST(TagCommands, UpperCaseNames) {
  std::u16string markup = u"<!DOCTYPE html><a href='x.htm' title=top data-x=v>link</a><br/>";
  UpperMarkupNames(markup);
  EXPECT_EQ(markup, u"<!DOCTYPE html><A HREF='x.htm' TITLE=top DATA-X=v>link</A><BR/>");
  std::u16string attribute = u" style=\"color: ;\"";
  UpperMarkupNames(attribute, true);
  EXPECT_EQ(attribute, u" STYLE=\"color: ;\"");
}

}  // namespace
}  // namespace kestil

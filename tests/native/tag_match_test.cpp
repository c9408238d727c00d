// The tag under the caret and its partner in pages as people write them.
#include <gtest/gtest.h>

#include <string>

#include "view/tag_match.h"

namespace kestil {
namespace {

// The position of the nth (from 0) occurrence of what, plus offset.
std::size_t At(std::u16string_view text, std::u16string_view what, int nth = 0, std::size_t offset = 1) {
  std::size_t pos = text.find(what);
  for (int i = 0; i < nth; ++i) pos = text.find(what, pos + 1);
  return pos + offset;
}

TEST(TagMatch, NestedTagsPairFromTheOutsideInAndBothWays) {
  const std::u16string page =
      u"<HTML><body>\r\n<div id=\"a\"><div class='x>y'>内</div><!-- <div> --></DIV>\r\n"
      u"<script>if (a<b) s = \"</div>\";</script>\r\n<style>div>p{}</style></body></html>";
  // The caret anywhere on the outer div's name, from its first letter to
  // just after its last.
  for (std::size_t pos = At(page, u"<div id"); pos <= At(page, u"<div id", 0, 4); ++pos) {
    const auto m = MatchTag(page, pos);
    ASSERT_TRUE(m.has_value()) << pos;
    ASSERT_TRUE(m->partner.has_value());
    EXPECT_EQ(m->partner->start, page.find(u"</DIV>"));
    EXPECT_FALSE(m->unmatched);
  }
  EXPECT_FALSE(MatchTag(page, At(page, u"<div id", 0, 0)).has_value());  // before the "<"
  EXPECT_FALSE(MatchTag(page, At(page, u"<div id", 0, 6)).has_value());  // in the attributes
  // The inner div, whose value holds a ">".
  const auto inner = MatchTag(page, At(page, u"<div class"));
  ASSERT_TRUE(inner && inner->partner);
  EXPECT_EQ(inner->partner->start, page.find(u"</div>"));
  // From the end tag back to its start tag.
  const auto back = MatchTag(page, At(page, u"</DIV>", 0, 3));
  ASSERT_TRUE(back && back->partner);
  EXPECT_EQ(back->partner->start, page.find(u"<div id"));
  EXPECT_EQ(back->tag.name, u"div");
  // Names in comments, scripts, styles and values are no tags.
  EXPECT_FALSE(MatchTag(page, At(page, u"<!-- <div>", 0, 6)).has_value());
  EXPECT_FALSE(MatchTag(page, At(page, u"\"</div>\"", 0, 3)).has_value());
  EXPECT_FALSE(MatchTag(page, At(page, u"div>p", 0, 1)).has_value());
  // The script's own tags pair.
  const auto script = MatchTag(page, At(page, u"<script>"));
  ASSERT_TRUE(script && script->partner);
  EXPECT_EQ(script->partner->start, page.find(u"</script>"));
  const auto html = MatchTag(page, At(page, u"<HTML>"));
  ASSERT_TRUE(html && html->partner);
  EXPECT_EQ(html->partner->start, page.find(u"</html>"));
}

TEST(TagMatch, UnclosedVoidOmittedAndStrayTags) {
  const std::u16string page =
      u"<ul><li>一<li>二</ul><p>段落<p>次<br><img src=x /><span>開いたまま<b><i>x</b></i></em><my-card></my-card>";
  const auto li = MatchTag(page, At(page, u"<li>"));
  ASSERT_TRUE(li);
  EXPECT_FALSE(li->partner.has_value());
  EXPECT_FALSE(li->unmatched);  // its end tag may be left out
  for (const char16_t* tag : {u"<br>", u"<img"}) {
    const auto m = MatchTag(page, At(page, tag));
    ASSERT_TRUE(m);
    EXPECT_FALSE(m->partner.has_value());
    EXPECT_FALSE(m->unmatched);
  }
  const auto span = MatchTag(page, At(page, u"<span>"));
  ASSERT_TRUE(span);
  EXPECT_TRUE(span->unmatched);
  const auto em = MatchTag(page, At(page, u"</em>", 0, 2));
  ASSERT_TRUE(em);
  EXPECT_TRUE(em->unmatched);
  // Mis-nested: each pairs with the tag of its own name.
  const auto b = MatchTag(page, At(page, u"<b>"));
  ASSERT_TRUE(b && b->partner);
  EXPECT_EQ(b->partner->start, page.find(u"</b>"));
  const auto custom = MatchTag(page, At(page, u"<my-card>", 0, 4));
  ASSERT_TRUE(custom && custom->partner);
  EXPECT_EQ(custom->partner->start, page.find(u"</my-card>"));
  EXPECT_TRUE(IsVoidElement(u"wbr"));
  EXPECT_TRUE(MayOmitEndTag(u"td"));
  EXPECT_FALSE(MayOmitEndTag(u"div"));
}

// The element a "</" at a place would close, on a page with what browsers
// close by themselves.
TEST(OpenElement, TheInnermostAsABrowserReadsThePage) {
  const std::u16string page =
      u"<!DOCTYPE html>\r\n<html><head><meta charset=utf-8><title>t</title></head>\r\n<body>\r\n"
      u"<div class=\"a>b\"><ul><li>一<li>二<br><img src=x /></ul>\r\n<p>段落<p>次<!-- <section> -->"
      u"<table><tr><td>a<td>b<tr><td>c\r\n</table><b><i>x</i>y";
  auto open_at = [&](std::u16string_view after, int nth = 0) -> std::u16string {
    const auto tag = InnermostOpenElement(page, At(page, after, nth, after.size()));
    return tag ? tag->name : u"(none)";
  };
  EXPECT_EQ(open_at(u"<title>t"), u"title");
  EXPECT_EQ(open_at(u"</head>\r\n"), u"html");
  EXPECT_EQ(open_at(u"<li>二<br><img src=x />"), u"li");  // void and self-closed tags stay shut
  EXPECT_EQ(open_at(u"</ul>"), u"div");                    // the li ended with its list
  EXPECT_EQ(open_at(u"<p>次"), u"p");
  EXPECT_EQ(open_at(u"-->"), u"p");                        // the comment opened nothing
  EXPECT_EQ(open_at(u"<td>b"), u"td");
  EXPECT_EQ(open_at(u"<tr>", 1), u"tr");                   // the cells ended with their row
  EXPECT_EQ(open_at(u"</table>"), u"div");                 // the paragraph ended where the table began
  EXPECT_EQ(open_at(u"</i>y"), u"b");
  EXPECT_EQ(open_at(u"<b>"), u"b");
  // The whole page: its end stands in the last open element; an end tag
  // that closes nothing is passed over.
  EXPECT_EQ(InnermostOpenElement(page + u"</span>", page.size() + 7)->name, u"b");
  // Inside a tag, a comment or before anything, nothing is open.
  EXPECT_FALSE(InnermostOpenElement(page, At(page, u"class=")).has_value());
  EXPECT_FALSE(InnermostOpenElement(page, At(page, u"<section>")).has_value());
  EXPECT_FALSE(InnermostOpenElement(page, 3).has_value());
  EXPECT_FALSE(InnermostOpenElement(u"", 0).has_value());
}

TEST(OpenElement, ScriptAndStyleHoldNoTags) {
  const std::u16string page = u"<body><script>if (a<b && c>d) s = '<div>';</x\n</script><style>p>a{}";
  EXPECT_EQ(InnermostOpenElement(page, At(page, u"'<div>'", 0, 7))->name, u"script");
  EXPECT_EQ(InnermostOpenElement(page, At(page, u"</script>", 0, 9))->name, u"body");
  EXPECT_EQ(InnermostOpenElement(page, page.size())->name, u"style");
  // The start tag as it was written, for a completion in its spelling.
  const std::u16string upper = u"<DIV>x";
  const auto div = InnermostOpenElement(upper, upper.size());
  ASSERT_TRUE(div.has_value());
  EXPECT_EQ(upper.substr(div->name_start, div->name_end - div->name_start), u"DIV");
}

}  // namespace
}  // namespace kestil

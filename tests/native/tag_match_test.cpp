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

}  // namespace
}  // namespace kestil

#include "view/tag_match.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

std::size_t At(std::u16string_view text, std::u16string_view what, std::size_t from = 0) {
  return text.find(what, from) + (what.starts_with(u"</") ? 2 : 1);
}

TEST(TagMatch, CaretOverEveryUnitOfAName) {
  const std::u16string_view text = u"x <Span class=\"a\">y</SPAN>";
  for (std::size_t pos = 0; pos <= text.size(); ++pos) {
    const bool on_name = (pos >= 3 && pos <= 7) || (pos >= 21 && pos <= 25);
    const std::optional<TagAt> tag = TagUnderCaret(text, pos);
    ASSERT_EQ(tag.has_value(), on_name) << pos;
    if (tag) {
      EXPECT_EQ(tag->name, u"span");
    }
  }
  const std::optional<TagMatch> m = MatchTag(text, 25);
  ASSERT_TRUE(m && m->partner);
  EXPECT_EQ(m->partner->start, 2u);
  EXPECT_EQ(m->tag.end, text.size());
}

TEST(TagMatch, CommentsScriptsStylesAndValuesHideTags) {
  const std::u16string_view text =
      u"<div><!-- <div> --><a title=\"<b> </div>\" href='x>y'>リンク</a>"
      u"<script>if (a<b) x=\"</div>\";</script><style>p > a {}</style><textarea><i></textarea></div>";
  EXPECT_FALSE(TagUnderCaret(text, At(text, u"<div>", 1)));
  EXPECT_FALSE(TagUnderCaret(text, At(text, u"<b>")));
  EXPECT_FALSE(TagUnderCaret(text, At(text, u"<b)")));
  EXPECT_FALSE(TagUnderCaret(text, At(text, u"<i>")));
  const std::optional<TagMatch> outer = MatchTag(text, 1);
  ASSERT_TRUE(outer && outer->partner);
  EXPECT_EQ(outer->partner->end, text.size());
  const std::optional<TagMatch> script = MatchTag(text, At(text, u"</script"));
  ASSERT_TRUE(script && script->partner);
  EXPECT_EQ(script->partner->name_start, At(text, u"<script"));
  EXPECT_FALSE(TagUnderCaret(u"<!DOCTYPE html><?xml a?>", 3));
}

TEST(TagMatch, VoidOmissibleAndUnclosed) {
  const std::u16string_view text = u"<ul><li>a<li>b</ul><br><x-icon/><p>end<div>open</span></br>";
  for (std::u16string_view what : {u"<li>", u"<br", u"<x-icon", u"<p>"}) {
    const std::optional<TagMatch> m = MatchTag(text, At(text, what));
    ASSERT_TRUE(m) << std::u16string(what).size();
    EXPECT_FALSE(m->partner);
    EXPECT_FALSE(m->unmatched);
  }
  for (std::u16string_view what : {u"<div", u"</span", u"</br"}) {
    const std::optional<TagMatch> m = MatchTag(text, At(text, what));
    ASSERT_TRUE(m);
    EXPECT_TRUE(m->unmatched);
  }
  EXPECT_TRUE(IsVoidElement(u"keygen"));
  EXPECT_FALSE(MayOmitEndTag(u"div"));
}

TEST(TagMatch, MisNestingClosesToTheNearestOfTheName) {
  const std::u16string_view text = u"<B><i></b></i><DIV><div><my-widget>x</MY-WIDGET></div></Div>";
  EXPECT_EQ(MatchTag(text, 1)->partner->start, 6u);
  EXPECT_TRUE(MatchTag(text, 4)->unmatched);
  EXPECT_TRUE(MatchTag(text, At(text, u"</i"))->unmatched);
  EXPECT_EQ(MatchTag(text, At(text, u"</Div"))->partner->start, text.find(u"<DIV"));
  EXPECT_EQ(MatchTag(text, At(text, u"<my-"))->partner->start, text.find(u"</MY"));
}

}  // namespace
}  // namespace kestil

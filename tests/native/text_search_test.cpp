#include "base/text_search.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

TEST(TextSearch, DownUpCaseAndWords) {
  const std::u16string text = u"Table table TABLE tables";
  SearchOptions o;
  EXPECT_EQ(FindMatch(text, u"table", 0, o), std::make_pair(std::size_t{0}, std::size_t{5}));
  o.match_case = true;
  EXPECT_EQ(FindMatch(text, u"table", 0, o), std::make_pair(std::size_t{6}, std::size_t{11}));
  o.match_case = false;
  o.whole_word = true;
  EXPECT_EQ(FindMatch(text, u"table", 12, o), std::make_pair(std::size_t{12}, std::size_t{17}));
  EXPECT_FALSE(FindMatch(text, u"table", 13, o).has_value());  // "tables" is no whole word
  o.whole_word = false;
  o.down = false;
  EXPECT_EQ(FindMatch(text, u"table", 17, o), std::make_pair(std::size_t{12}, std::size_t{17}));
  EXPECT_EQ(FindMatch(text, u"table", 16, o), std::make_pair(std::size_t{6}, std::size_t{11}));
  EXPECT_FALSE(FindMatch(text, u"", 0, o).has_value());
  // Full-width letters fold too.
  SearchOptions any;
  EXPECT_TRUE(FindMatch(u"ＡＢＣ", u"ａｂｃ", 0, any).has_value());
}

TEST(TextSearch, ReplaceAllIsOneSpan) {
  std::size_t count = 0, begin = 0, end = 0;
  const std::u16string out =
      ReplaceAllIn(u"a\\表\\ソa\\", u"\\", u"/", SearchOptions{}, &count, &begin, &end);
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(begin, 1u);
  EXPECT_EQ(end, 7u);
  EXPECT_EQ(out, u"/表/ソa/");
  EXPECT_FALSE(IsMatch(u"ABC", u"abc", SearchOptions{true, false, true}));
}

// Half of a pair found on its own never matches inside 𠮷 (D842 DFB7), up
// or down; a lone half in the text is a character and matches.
TEST(TextSearch, MatchesNeverSplitASurrogatePair) {
  const std::u16string text = u"a𠮷b\xDFB7" u"c";
  EXPECT_EQ(FindMatch(text, u"\xDFB7", 0, SearchOptions{}), std::make_optional(std::make_pair(
                                                                std::size_t{4}, std::size_t{5})));
  EXPECT_EQ(FindMatch(text, u"\xD842", 0, SearchOptions{}), std::nullopt);
  SearchOptions up;
  up.down = false;
  EXPECT_EQ(FindMatch(text, u"𠮷", 6, up),
            std::make_optional(std::make_pair(std::size_t{1}, std::size_t{3})));
}

// The find field takes one line of the selection, and never half a pair.
TEST(TextSearch, TheFindFieldStartsWithTheSelectionsFirstLine) {
  EXPECT_EQ(FindFieldText(u"<td>\r\n</td>", 511), u"<td>");
  EXPECT_EQ(FindFieldText(u"a\nb", 511), u"a");
  EXPECT_EQ(FindFieldText(u"\r\nb", 511), u"");
  EXPECT_EQ(FindFieldText(u"ab𠮷", 3), u"ab");
  EXPECT_EQ(FindFieldText(u"ab𠮷", 4), u"ab𠮷");
}

}  // namespace
}  // namespace kestil

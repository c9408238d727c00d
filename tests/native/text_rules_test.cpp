// Line endings, column widths and the escaping of paths, on UTF-16 text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/line_endings.h"
#include "base/text16.h"
#include "base/text_width.h"
#include "base/word_steps.h"
#include "base/language.h"

namespace kestil {
namespace {

TEST(LineEndings, CountsAndConverts) {
  const auto counts = CountLineEndings(u"a\r\nb\nc\n\rd\r");  // LF CR is two breaks
  EXPECT_EQ(counts.crlf, 1u);
  EXPECT_EQ(counts.lf, 2u);
  EXPECT_EQ(counts.cr, 2u);
  EXPECT_TRUE(counts.Mixed());
  EXPECT_EQ(counts.Dominant(), LineEnding::kLf);  // the tie of LF and CR goes to LF
  EXPECT_EQ(CountLineEndings(u"none").Dominant(), LineEnding::kCrLf);
  EXPECT_EQ(CountLineEndings(u"\r\n\n").Dominant(), LineEnding::kCrLf);
  EXPECT_EQ(WithLineEnding(u"a\r\nb\nc\n\rd\r", LineEnding::kCr), u"a\rb\rc\r\rd\r");
}

TEST(TextWidth, ColumnsCountShiftJisBytesOrTheWidth) {
  std::size_t units = 0;
  EXPECT_EQ(ColumnsAt(u"表", 0, &units), 2u);        // two bytes in Shift_JIS
  EXPECT_EQ(ColumnsAt(u"\uFF71", 0, &units), 1u);    // half-width katakana: one byte
  EXPECT_EQ(ColumnsAt(u"\xDC80", 0, &units), 1u);    // a reserved unit
  EXPECT_EQ(ColumnsAt(u"©", 0, &units), 1u);         // not in Shift_JIS, narrow
  EXPECT_EQ(ColumnsAt(u"\uAC00", 0, &units), 2u);    // Hangul: not in Shift_JIS, wide
  EXPECT_EQ(ColumnsAt(u"𠮷x", 0, &units), 2u);       // a pair is one wide character
  EXPECT_EQ(units, 2u);
  EXPECT_TRUE(IsWide(0x3400));  // an ideograph block, assigned or not
  EXPECT_FALSE(IsWide(0x378));
}

TEST(TextWidth, AColumnInsideACharacterGoesToItsStart) {
  const std::u16string line = u"表a𠮷b";  // columns: 表 1-2, a 3, 𠮷 4-5, b 6
  EXPECT_EQ(UnitOfColumn(line, 4), 2u);
  EXPECT_EQ(UnitOfColumn(line, 6), 4u);
  EXPECT_EQ(UnitOfColumn(line, 99), line.size());
}

TEST(TextWidth, PathsEscapeWhatShiftJisCannotHold) {
  EXPECT_EQ(EscapeForShiftJis(u"img/ü-表.png"), u"img/%C3%BC-表.png");
  EXPECT_EQ(EscapeForShiftJis(u"\u20AC"), u"%E2%82%AC");  // the euro sign is not in code page 932
}

// The tag case rule changes ASCII letters only: full-width letters,
// katakana, a pair and a lone surrogate stay as typed.
TEST(Text16, TagCaseMenuTextAndPathComparison) {
  EXPECT_EQ(UpperAscii(u"<a href=\"x.htm\">z</a>"), u"<A HREF=\"X.HTM\">Z</A>");
  const std::u16string kept = u"ａｚヂ𠮷\xD842é09\"'\r\n{}`~";
  EXPECT_EQ(UpperAscii(kept), kept);
  EXPECT_TRUE(SameAsciiFold(u"C:\\José\\a.HTM", u"c:\\José\\A.htm"));
  EXPECT_FALSE(SameAsciiFold(u"C:\\josé", u"C:\\JOSÉ"));  // as the recent list did in Shift_JIS
  EXPECT_EQ(NextChar(u"𠮷a", 0), 2u);
  EXPECT_EQ(NextChar(u"\xD842" u"a", 0), 1u);
}

}  // namespace
}  // namespace kestil

namespace kestil {
namespace {

// Ctrl+Right and Ctrl+Left stop at each change of script and after spaces.
TEST(WordSteps, StopAtChangesOfScriptAndAfterSpaces) {
  const std::u16string line = u"<p>日本語のページを手で書く。 end  𠮷野 ラーメン";
  std::vector<std::size_t> stops;
  for (std::size_t pos = 0; pos < line.size();) {
    pos = NextWordStop(line, pos);
    stops.push_back(pos);
  }
  // <, p, >, 日本語, の, ページ, を, 手, で, 書, く, "。 ", "end  ", 𠮷野 (a pair), ラーメン
  const std::vector<std::size_t> expected = {1, 2, 3, 6, 7, 10, 11, 12, 13, 14, 15, 17, 22, 26, 30};
  EXPECT_EQ(stops, expected);
  std::vector<std::size_t> back;
  for (std::size_t pos = line.size(); pos > 0;) {
    pos = PreviousWordStop(line, pos);
    back.insert(back.begin(), pos);
  }
  std::vector<std::size_t> forward = {0};
  forward.insert(forward.end(), expected.begin(), expected.end() - 1);
  EXPECT_EQ(back, forward);
  EXPECT_EQ(NextWordStop(u"ひらがなー", 0), 5u);  // the long vowel mark stays with its kana
}

}  // namespace
}  // namespace kestil

namespace kestil {
namespace {

TEST(Language, ByExtensionAndByTheFirstCharacterOfAnUntitledText) {
  EXPECT_EQ(LanguageFor(u"C:\\site\\index.HTM", u""), Language::kHtml);
  for (const char16_t* name : {u"a.html", u"a.shtml", u"a.xhtml", u"b.php"}) EXPECT_EQ(LanguageFor(name, u"x"), Language::kHtml);
  EXPECT_EQ(LanguageFor(u"style.css", u"<"), Language::kCss);
  EXPECT_EQ(LanguageFor(u"app.Js", u""), Language::kScript);
  EXPECT_EQ(LanguageFor(u"notes.txt", u"<html>"), Language::kPlain);
  EXPECT_EQ(LanguageFor(u"C:\\my.site\\readme", u"<"), Language::kPlain);  // a dot in a folder is no extension
  EXPECT_EQ(LanguageFor(u"", u"<!DOCTYPE html>"), Language::kHtml);
  EXPECT_EQ(LanguageFor(u"", u" <p>"), Language::kPlain);
}

}  // namespace
}  // namespace kestil

namespace kestil {
namespace {

// The status bar's column and the jump dialog's agree: jumping to the column
// shown comes back to the same place.
TEST(ColumnAfter, AgreesWithTheJumpDialogsRule) {
  const std::u16string line = u"a表ｱ©𠮷\xDC82\tz";
  for (std::size_t pos = 0; pos <= line.size(); ++pos) {
    if (pos == 5) continue;  // between the halves of the pair
    EXPECT_EQ(UnitOfColumn(line, ColumnAfter(line.substr(0, pos))), pos) << pos;
  }
  EXPECT_EQ(ColumnAfter(u"a表"), 4u);
}

}  // namespace
}  // namespace kestil

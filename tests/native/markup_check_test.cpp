// The markup check: Tidy's places mapped to the document's, the Japanese
// message table, a corpus of faulty pages and hostile texts.
#include <gtest/gtest.h>
#include <tidy.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "check/check_messages.h"
#include "check/markup_check.h"

namespace kestil {
namespace {

Finding At(std::size_t line, std::size_t column) {
  Finding f;
  f.tidy_line = line;
  f.tidy_column = column;
  return f;
}

struct Place {
  std::size_t position;
  std::size_t line;
  std::size_t column;
  bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Place& p) {
  return os << "{pos " << p.position << ", line " << p.line << ", column " << p.column << "}";
}

Place Placed(std::u16string_view text, std::size_t line, std::size_t column) {
  std::vector<Finding> f{At(line, column)};
  PlaceFindings(text, f);
  return {f[0].position, f[0].line, f[0].column};
}

// Tidy counts one column a character, a surrogate pair and a tab too; the
// jump dialog counts Shift_JIS bytes (two for 日, two for 𠮷) and the tab as
// one. Lines end at CR LF, CR and LF alike.
TEST(CheckPlaces, TidysLinesAndColumnsBecomeTheDocumentsPlaces) {
  const std::u16string text = u"日本語<b>\r\nx\t<i>\ra\U00020BB7<p>\nlast";
  // <b> on line 1: Tidy's column 4, three characters in.
  EXPECT_EQ(Placed(text, 1, 4), (Place{3, 1, 7}));
  // After CR LF: the tab is one column for both.
  EXPECT_EQ(Placed(text, 2, 3), (Place{10, 2, 3}));
  // After a lone CR: the pair is one of Tidy's columns and two units.
  EXPECT_EQ(Placed(text, 3, 3), (Place{17, 3, 4}));
  // After a lone LF.
  EXPECT_EQ(Placed(text, 4, 2), (Place{22, 4, 2}));
  // A column past the line's end stays at its end, before the break.
  EXPECT_EQ(Placed(text, 1, 99), (Place{6, 1, 10}));
  // A line past the end goes to the end of the text.
  EXPECT_EQ(Placed(text, 9, 1), (Place{text.size(), 4, 5}));
  // No place at all: the start.
  EXPECT_EQ(Placed(text, 0, 0), (Place{0, 1, 1}));
}

TEST(CheckPlaces, ManyFindingsArePlacedInOneWalkWhateverTheirOrder) {
  const std::u16string text = u"ab\ncd\nef";
  std::vector<Finding> f{At(3, 2), At(1, 1), At(2, 2), At(1, 2)};
  PlaceFindings(text, f);
  EXPECT_EQ(f[0].position, 7u);
  EXPECT_EQ(f[1].position, 0u);
  EXPECT_EQ(f[2].position, 4u);
  EXPECT_EQ(f[3].position, 1u);
}

// Tidy skips a byte order mark without counting it; the status bar counts it.
TEST(CheckPlaces, AByteOrderMarkAtTheStartIsNoColumnOfTidys) {
  const std::u16string text = u"\uFEFF<p>x";
  EXPECT_EQ(Placed(text, 1, 1), (Place{1, 1, 2}));
  EXPECT_EQ(TidyInput(text), "<p>x");
}

TEST(CheckPlaces, WhatTidyWouldDropUncountedIsGivenAsAReplacementCharacter) {
  const std::u16string text{u'a', 0, u'\x01', 0xDC80, 0xD800, u'\t', u'\n', 0xFFFF, 0xD83D, 0xDE00};
  EXPECT_EQ(TidyInput(u"a\rb\r\nc\r"), "a\nb\r\nc\n");
  EXPECT_EQ(TidyInput(text), "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\t\n\xEF\xBF\xBD\xF0\x9F\x98\x80");
}

// Against Tidy itself: the faulty tag is found at its '<' after Japanese
// text, a pair, tabs and each kind of line break.
TEST(CheckPlaces, TidysOwnPlacesLandOnTheFaultyTag) {
  for (const std::u16string_view brk : {u"\r\n", u"\r", u"\n"}) {
    std::u16string page = u"<!DOCTYPE html>";
    for (const char16_t* line : {u"<html lang=\"ja\"><head><title>頁</title></head><body>",
                                 u"<p>日本語\t𠮷\t<blinky>x</blinky></p>", u"</body></html>"}) {
      page += brk;
      page += line;
    }
    const CheckResult r = CheckMarkup(page);
    ASSERT_EQ(r.outcome, CheckOutcome::kDone);
    const auto it = std::find_if(r.findings.begin(), r.findings.end(),
                                 [](const Finding& f) { return f.code == UNKNOWN_ELEMENT; });
    ASSERT_NE(it, r.findings.end());
    EXPECT_EQ(it->position, page.find(u"<blinky>"));
    EXPECT_EQ(it->line, 3u);
    EXPECT_EQ(it->column, 14u);  // after <p>(3) 日本語(6) tab(1) 𠮷(2) tab(1)
    EXPECT_EQ(it->mark_end, page.find(u"<blinky>") + 8);
  }
}

TEST(CheckPlaces, AMarkCoversTheTagOrTheWordAndNoMore) {
  const std::u16string text = u"<img src=x>rest &copy more\r\nz";
  EXPECT_EQ(MarkEnd(text, 0), 11u);
  EXPECT_EQ(MarkEnd(text, 16), 21u);
  EXPECT_EQ(MarkEnd(text, 26), 26u);  // at a line's end: nothing past it
  EXPECT_EQ(MarkEnd(u"<a href=\"x\r\n", 0), 10u);
  EXPECT_EQ(MarkEnd(u"\U00020BB7", 0), 2u);
}

TEST(CheckPlaces, F8GoesToTheNextFindingAfterTheCaretAndAroundAgain) {
  std::vector<Finding> f(4);
  const std::pair<std::size_t, std::size_t> places[] = {{1, 5}, {3, 1}, {3, 1}, {7, 2}};
  for (std::size_t i = 0; i < f.size(); ++i) std::tie(f[i].line, f[i].column) = places[i];
  EXPECT_EQ(NextFinding(f, static_cast<std::size_t>(-1), 1, 1), 0u);
  EXPECT_EQ(NextFinding(f, static_cast<std::size_t>(-1), 2, 9), 1u);
  // Two at one place: the second after the first, while the caret stays.
  EXPECT_EQ(NextFinding(f, 1, 3, 1), 2u);
  EXPECT_EQ(NextFinding(f, 2, 3, 1), 3u);
  // The caret moved away from the one gone to: from the caret.
  EXPECT_EQ(NextFinding(f, 1, 1, 1), 0u);
  EXPECT_EQ(NextFinding(f, 3, 7, 2), 0u);
  EXPECT_EQ(NextFinding(f, static_cast<std::size_t>(-1), 8, 1), 0u);
  EXPECT_FALSE(NextFinding({}, 0, 1, 1));
}

// ---- the message table

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The string table's texts by id, read from the resource script: the
// identifiers' lines "#define IDS_CHECK_... n" and the table's lines
// "  IDS_CHECK_... \"text\"".
std::map<unsigned, std::string> StringTable() {
  const std::string src = std::string(KESTIL_TEST_DATA) + "/../../src/res/";
  std::map<std::string, unsigned> ids;
  std::istringstream header(ReadFile(src + "resource.h"));
  for (std::string line; std::getline(header, line);) {
    std::istringstream words(line);
    std::string define, name;
    unsigned id = 0;
    if (words >> define >> name >> id && define == "#define" && name.rfind("IDS_CHECK_", 0) == 0) ids[name] = id;
  }
  std::map<unsigned, std::string> table;
  std::istringstream rc(ReadFile(src + "kestil.rc"));
  for (std::string line; std::getline(rc, line);) {
    const std::size_t name_end = line.find(" \"");
    if (line.rfind("  IDS_CHECK_", 0) != 0 || name_end == std::string::npos || line.back() != '"') continue;
    const std::string name = line.substr(2, name_end - 2);
    if (ids.count(name) != 0) table[ids[name]] = line.substr(name_end + 2, line.size() - name_end - 3);
  }
  return table;
}

// The %s, %d and %u of Tidy's English text: the arguments it is made from.
int ArgumentCount(unsigned code) {
  const std::string format = tidyDefaultString(code);
  int n = 0;
  for (std::size_t i = 0; i + 1 < format.size(); ++i) {
    if (format[i] == '%' && std::string("sdu").find(format[i + 1]) != std::string::npos) ++n;
  }
  return n;
}

// Every mapped code has a Japanese text, that text names no argument Tidy
// does not give, and the codes users meet most are among them.
TEST(CheckMessages, EachMappedCodeHasAJapaneseTextThatFitsItsArguments) {
  const std::map<unsigned, std::string> table = StringTable();
  std::set<unsigned> mapped;
  for (unsigned code = REPORT_MESSAGE_FIRST; code < REPORT_MESSAGE_LAST; ++code) {
    const unsigned id = CheckMessageId(code);
    if (id == 0) continue;
    mapped.insert(code);
    ASSERT_EQ(table.count(id), 1u) << tidyErrorCodeAsKey(code) << " has no text in the string table";
    const std::string& text = table.at(id);
    EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xE3; }))
        << tidyErrorCodeAsKey(code) << ": " << text;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') {
        EXPECT_LE(text[i + 1] - '0', ArgumentCount(code)) << tidyErrorCodeAsKey(code) << ": " << text;
      }
    }
  }
  EXPECT_GE(mapped.size(), 30u);
  for (const unsigned code : {MISSING_ENDTAG_FOR, MISSING_ENDTAG_BEFORE, NON_MATCHING_ENDTAG, DISCARDING_UNEXPECTED,
                              UNKNOWN_ELEMENT, REMOVED_HTML5, PROPRIETARY_ATTRIBUTE, MISMATCHED_ATTRIBUTE_WARN,
                              MISSING_ATTRIBUTE, ANCHOR_NOT_UNIQUE, UNESCAPED_AMPERSAND, UNKNOWN_ENTITY,
                              MISSING_SEMICOLON, MISSING_DOCTYPE, MISSING_TITLE_ELEMENT, MISSING_QUOTEMARK}) {
    EXPECT_EQ(mapped.count(code), 1u) << tidyErrorCodeAsKey(code);
  }
}

// ---- a corpus of faulty pages

std::u16string Page(std::u16string_view body) {
  return u"<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>頁</title>\n</head>\n<body>\n" +
         std::u16string(body) + u"\n</body>\n</html>\n";
}

struct Expected {
  const char* key;     // Tidy's name of the message
  std::size_t line;    // where the document has it, line 8 being the body's first
  std::size_t column;
};

struct Faulty {
  const char* mistake;
  std::u16string page;
  std::vector<Expected> findings;
};

std::vector<Faulty> Corpus() {
  return {
      {"an end tag left out", Page(u"<div><p>段落</p>"), {{"MISSING_ENDTAG_FOR", 8, 1}}},
      {"end tags in the wrong order", Page(u"<p><b>太字<i>斜体</b></i></p>"),
       {{"NON_MATCHING_ENDTAG", 8, 11}, {"INSERTING_TAG", 8, 22}}},
      {"an end tag without its start", Page(u"<p>段落</p></div>"), {{"DISCARDING_UNEXPECTED", 8, 12}}},
      {"a heading closed by another", Page(u"<h1>見出し</h2>"),
       {{"MISSING_ENDTAG_BEFORE", 8, 1}, {"DISCARDING_UNEXPECTED", 8, 11}}},
      {"an element that does not exist", Page(u"<p><blinky>点滅</blinky></p>"),
       {{"UNKNOWN_ELEMENT", 8, 4}, {"DISCARDING_UNEXPECTED", 8, 4}, {"DISCARDING_UNEXPECTED", 8, 16}}},
      {"obsolete elements", Page(u"<center>中央</center>\n<p><font color=\"red\">赤</font></p>"),
       {{"REMOVED_HTML5", 8, 1}, {"REMOVED_HTML5", 9, 4}}},
      {"an image without alt", Page(u"<p><img src=\"a.png\"></p>"), {{"MISSING_ATTRIBUTE", 8, 4}}},
      {"a duplicated id", Page(u"<p id=\"a\">1</p>\n<p id=\"a\">2</p>"), {{"ANCHOR_NOT_UNIQUE", 9, 1}}},
      {"an unescaped ampersand and a reference without ;", Page(u"<p>AT&T と &copy 記号</p>"),
       {{"UNKNOWN_ENTITY", 8, 6}, {"MISSING_SEMICOLON", 8, 12}}},
      {"a numeric reference without ;", Page(u"<p>&#169 数値</p>"), {{"MISSING_SEMICOLON", 8, 4}}},
      {"an attribute HTML5 no longer has", Page(u"<p align=\"center\">中央</p>"),
       {{"MISMATCHED_ATTRIBUTE_WARN", 8, 1}}},
      {"an attribute that does not exist", Page(u"<p><img src=\"a.png\" alt=\"\" foo=\"bar\"></p>"),
       {{"PROPRIETARY_ATTRIBUTE", 8, 4}}},
      {"a block inside a paragraph", Page(u"<p><div>区画</div></p>"), {{"INSERTING_TAG", 8, 19}}},
      {"a backslash in a link", Page(u"<p><a href=\"img\\a.htm\">絵</a></p>"), {{"FIXED_BACKSLASH", 8, 4}}},
      {"an attribute given twice", Page(u"<p class=\"a\" class=\"b\">x</p>"), {{"REPEATED_ATTRIBUTE", 8, 1}}},
      {"a comment missing a hyphen", Page(u"<p>x</p>\n<!- 注 -->"), {{"MALFORMED_COMMENT_DROPPING", 9, 1}}},
      {"an attribute without its value", Page(u"<p><a href=\"\">x</a><input type=\"text\" value=>"),
       {{"MISSING_ATTR_VALUE", 8, 4}}},
      {"a tag cut off by the end", Page(u"<p><a href=\"x\""),
       {{"UNEXPECTED_GT", 8, 4}, {"MISSING_ENDTAG_FOR", 8, 4}}},
      {"content after the body", Page(u"<p>x</p>\n</body>\n<p>後</p>"), {{"CONTENT_AFTER_BODY", 7, 1}}},
      {"no doctype and no title",
       u"<html>\n<head>\n<meta charset=\"utf-8\">\n</head>\n<body>\n<p>x</p>\n</body>\n</html>\n",
       {{"MISSING_DOCTYPE", 1, 1}, {"MISSING_TITLE_ELEMENT", 2, 1}}},
      {"a quote left open", Page(u"<p><a href=\"a.htm>リンク</a></p>\n<p>次</p>"),
       {{"NEWLINE_IN_URI", 8, 4}, {"MISSING_ENDTAG_FOR", 8, 4}, {"ILLEGAL_URI_CODEPOINT", 8, 4},
        {"UNEXPECTED_END_OF_FILE_ATTR", 12, 1}, {"SUSPECTED_MISSING_QUOTE", 12, 1}}},
  };
}

TEST(CheckCorpus, EachKindOfMistakeIsFoundWhereItIs) {
  for (const Faulty& page : Corpus()) {
    SCOPED_TRACE(page.mistake);
    const CheckResult r = CheckMarkup(page.page);
    ASSERT_EQ(r.outcome, CheckOutcome::kDone);
    std::vector<std::string> got;
    std::vector<std::string> want;
    for (const Finding& f : r.findings) {
      got.push_back(std::string(tidyErrorCodeAsKey(f.code)) + " " + std::to_string(f.line) + ":" + std::to_string(f.column));
    }
    for (const Expected& e : page.findings) {
      want.push_back(std::string(e.key) + " " + std::to_string(e.line) + ":" + std::to_string(e.column));
    }
    EXPECT_EQ(got, want);
    EXPECT_EQ(r.errors + r.warnings, r.findings.size());
  }
}

// What HTML allows is no mistake: omitted end tags of p, li, td and tr,
// references with their ';', Japanese file names in links.
TEST(CheckCorpus, AValidPageWithOmittedEndTagsHasNoFindings) {
  const CheckResult r = CheckMarkup(Page(
      u"<p>一つ目<p>二つ目\n<ul><li>a<li>b</ul>\n<table><tr><td>1<td>2<tr><td>3</table>\n"
      u"<img src=\"a.png\" alt=\"絵\">\n<p>&copy; &amp; <a href=\"日本語.htm\">リンク</a>\n<span></span>"));
  ASSERT_EQ(r.outcome, CheckOutcome::kDone);
  for (const Finding& f : r.findings) ADD_FAILURE() << tidyErrorCodeAsKey(f.code) << " at " << f.line;
}

// A page in the classic markup: its font, center, bgcolor and align are
// findings of HTML5, and none while the commands write that markup; its
// real mistakes stay.
TEST(CheckCorpus, TheClassicMarkupIsNoMistakeWhileItIsTheWayOfWriting) {
  const std::u16string page = Page(
      u"<center><font color=\"red\">赤</font></center>\n<table bgcolor=\"#fff\" border=1 align=center>"
      u"<tr><td bordercolor=\"red\">1</td></tr></table>\n<img src=\"a.png\">");
  const CheckResult html5 = CheckMarkup(page);
  CheckControl control;
  control.classic = true;
  const CheckResult classic = CheckMarkup(page, control);
  std::size_t about_classic = 0;
  for (const Finding& f : html5.findings) about_classic += AboutClassicMarkup(f.code);
  EXPECT_GE(about_classic, 3u);
  for (const Finding& f : classic.findings) {
    EXPECT_FALSE(AboutClassicMarkup(f.code)) << tidyErrorCodeAsKey(f.code);
  }
  EXPECT_EQ(classic.findings.size() + about_classic, html5.findings.size());
  EXPECT_FALSE(classic.findings.empty());  // the image without alt
}

// ---- hostile texts and stopping

TEST(CheckInput, AnyTextFinishesWithFindingsInsideIt) {
  std::u16string binary;
  for (int i = 0; i < 70000; ++i) binary += static_cast<char16_t>((i * 7919 + 13) & 0xFFFF);
  std::u16string reserved;
  for (char16_t b = 0xDC80; b <= 0xDCFF; ++b) reserved += {b, u'<', b};
  const std::u16string texts[] = {
      binary, reserved, std::u16string(5000, u'\0') + u"<p>x", u"これは HTML ではない、ただの文章です。\n",
      u"", u"<", u"&", u"<!--", u"<a href=\"", u"\uFEFF", std::u16string(3000, u'<') + std::u16string(3000, u'>'),
  };
  for (const std::u16string& text : texts) {
    const CheckResult r = CheckMarkup(text);
    ASSERT_EQ(r.outcome, CheckOutcome::kDone);
    for (const Finding& f : r.findings) {
      EXPECT_LE(f.position, text.size());
      EXPECT_LE(f.position, f.mark_end);
      EXPECT_LE(f.mark_end, text.size());
    }
  }
}

// A flat line of 10 MB is checked to its end; a line of start tags each
// left open (nesting deeper with each one) stops where the check's stack
// ends and says so, keeping what it found before; a page nested as deep as
// real ones ever are is checked whole.
TEST(CheckInput, TenMegabyteLinesAndDeepNestingFinish) {
  std::u16string flat;
  while (flat.size() < 10u * 1024 * 1024) flat += u"<b>太字</b> <font>x</font> ";
  const CheckResult whole = CheckMarkup(flat);
  ASSERT_EQ(whole.outcome, CheckOutcome::kDone);
  EXPECT_EQ(whole.findings.size(), kMaxFindings);
  EXPECT_GT(whole.errors + whole.warnings, kMaxFindings);

  std::u16string nested;
  while (nested.size() < 10u * 1024 * 1024) nested += u"<b>太字</b><i>x";
  const CheckResult deep = CheckMarkup(nested);
  ASSERT_EQ(deep.outcome, CheckOutcome::kTooDeep);
  EXPECT_FALSE(deep.findings.empty());

  std::u16string body;
  for (int i = 0; i < 200; ++i) body += u"<div><span>";
  for (int i = 0; i < 200; ++i) body += u"</span></div>";
  EXPECT_EQ(CheckMarkup(Page(body)).outcome, CheckOutcome::kDone);
}

TEST(CheckInput, ACheckStopsWhenAskedAndSaysHowFarItCame) {
  std::u16string page = Page(u"");
  while (page.size() < 1024 * 1024) page += u"<p>段落 <b>x</b></p>\n";
  std::vector<std::size_t> done;
  std::size_t total = 0;
  CheckControl control;
  control.progress = [&](std::size_t d, std::size_t t) {
    done.push_back(d);
    total = t;
  };
  const CheckResult whole = CheckMarkup(page, control);
  EXPECT_EQ(whole.outcome, CheckOutcome::kDone);
  ASSERT_GT(done.size(), 2u);
  EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
  EXPECT_EQ(done.back(), total);

  int asked = 0;
  control.cancelled = [&] { return ++asked > 3; };
  const CheckResult stopped = CheckMarkup(page, control);
  EXPECT_EQ(stopped.outcome, CheckOutcome::kCancelled);
  EXPECT_TRUE(stopped.findings.empty());
  EXPECT_LT(done.back(), total);
}

}  // namespace
}  // namespace kestil

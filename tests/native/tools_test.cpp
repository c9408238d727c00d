#include "view/tools.h"

#include <gtest/gtest.h>

#include "base/codec.h"
#include "base/memory_edit.h"

namespace kestil {
namespace {

struct Row {
  const char16_t* text;
  int value;
  bool rewrite;
  const char16_t* shown;
  NumberCaret caret;
};

TEST(ValidateNumber, RangeTwoToEight) {
  const Row rows[] = {
      {u"", 2, true, u"2", NumberCaret::kSelectAll},
      {u"0", 2, true, u"2", NumberCaret::kSelectAll},
      {u"+", 2, true, u"2", NumberCaret::kSelectAll},
      {u"1", 2, true, u"2", NumberCaret::kSelectAll},
      {u"59", 8, true, u"8", NumberCaret::kAtTen},
      {u"9", 8, true, u"8", NumberCaret::kAtTen},
      {u"05", 5, true, u"5", NumberCaret::kAfterFirstIfAtStart},
      {u"7a", 7, true, u"7", NumberCaret::kAfterFirstIfAtStart},
      {u" 3", 3, true, u"3", NumberCaret::kAfterFirstIfAtStart},
      {u"-0", 2, true, u"-", NumberCaret::kAfterMinus},
      {u"-", 8, true, u"8", NumberCaret::kAtTen},  // a lone minus: like above the maximum
      {u"abc", 8, true, u"8", NumberCaret::kAtTen},
      {u"   ", 8, true, u"8", NumberCaret::kAtTen},
      {u"-5", 2, true, u"2", NumberCaret::kSelectAll},
      {u"99999999999999999999", 8, true, u"8", NumberCaret::kAtTen},
      {u"-99999999999999999999", 2, true, u"2", NumberCaret::kSelectAll},
  };
  for (const Row& r : rows) {
    const NumberDecision d = ValidateNumber(r.text, 2, 8);
    EXPECT_EQ(d.value, r.value) << r.value;
    EXPECT_EQ(d.rewrite, r.rewrite) << r.value;
    EXPECT_EQ(d.text, r.shown) << r.value;
    EXPECT_EQ(d.caret, r.caret) << r.value;
  }
  // A megabyte of digits is just a number above the maximum.
  EXPECT_EQ(ValidateNumber(std::u16string(1 << 20, u'9'), 2, 8).value, 8);
}

// The test texts are written as code page 932 bytes, the codes the
// conversion table names, and decoded as Windows decodes them.
std::u16string Sjis(std::string_view bytes) {
  cp932::Spellings memo = cp932::Spellings::Defaults();
  return cp932::Decode(bytes, memo);
}

TEST(ToHankaku, TheWholeTableInOrder) {
  std::string in = "\x81\x40";
  std::u16string expected = u" ";
  for (int i = 0; i < 26; ++i) {
    in += {'\x82', static_cast<char>(0x60 + i)};
    expected += static_cast<char16_t>(u'A' + i);
  }
  for (int i = 0; i < 26; ++i) {
    in += {'\x82', static_cast<char>(0x81 + i)};
    expected += static_cast<char16_t>(u'a' + i);
  }
  for (int i = 0; i < 10; ++i) {
    in += {'\x82', static_cast<char>(0x4F + i)};
    expected += static_cast<char16_t>(u'0' + i);
  }
  in += "\x81\x44\x81\x43\x81\x49\x81\x68\x81\x94\x81\x90\x81\x93\x81\x95\x81\x66\x81\x69"
        "\x81\x6A\x81\x81\x81\x7B\x81\x96\x81\x5E\x81\x7C\x81\x51\x81\x83\x81\x84";
  expected += u".,!\"#$%&'()=+*/-_<>";
  EXPECT_EQ(ToHankaku(Sjis(in)), expected);
}

TEST(ToHankaku, KeepsEverythingElse) {
  const std::u16string marks = u"＠？：；［］｛｝＾｜￥～“‘、。";
  EXPECT_EQ(ToHankaku(marks), marks);
  // Katakana (full and half width), kanji, CR LF, tabs, characters beyond
  // Shift_JIS and a surrogate pair.
  const std::u16string kept = u"アｱ表ソ\r\n\t漢©é𠮷";
  EXPECT_EQ(ToHankaku(kept), kept);
  EXPECT_EQ(ToHankaku(u"Ａｂ\r\n\t𠮷Ｃ１２"), u"Ab\r\n\t𠮷C12");
  EXPECT_EQ(ToHankaku(u""), u"");
}

// Columns count Shift_JIS bytes: one for ASCII and half-width katakana, two
// for 表, a reserved unit one, a character beyond Shift_JIS two when wide;
// a surrogate pair is one character. Past the end goes to the line's end.
TEST(JumpTarget, ColumnsCountWhatEachCharacterTakesInShiftJis) {
  MemoryEdit edit(u"first\r\na表ｱ𠮷©\xDC80z\r\nlast");
  struct Case {
    int line, column;
    std::size_t unit;
  };
  const Case cases[] = {
      {1, 1, 0}, {1, 5, 4}, {1, 99, 5}, {2, 1, 7},  {2, 2, 8},  {2, 3, 8},
      {2, 4, 9}, {2, 5, 10}, {2, 6, 10}, {2, 7, 12}, {2, 8, 13}, {2, 9, 14},
      {2, 10, 15}, {3, 1, 17}, {3, 0, 17},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JumpTarget(edit, c.line, c.column), std::optional<std::size_t>(c.unit))
        << c.line << ":" << c.column;
  }
  EXPECT_EQ(JumpTarget(edit, 4, 1), std::nullopt);
}

TEST(RelativePaths, FolderAndSlashes) {
  EXPECT_EQ(FolderOfPath(u"C:\\表\\ソフト\\index.htm"), u"C:\\表\\ソフト");
  EXPECT_EQ(FolderOfPath(u"C:\\表"), u"C:");
  EXPECT_EQ(FolderOfPath(u"name"), u"name");
  EXPECT_EQ(RelativePathForLink(u".\\logo.gif", true), u"logo.gif");
  EXPECT_EQ(RelativePathForLink(u".\\img\\top.png", true), u"img/top.png");
  EXPECT_EQ(RelativePathForLink(u"..\\other.htm", true), u"../other.htm");
  EXPECT_EQ(RelativePathForLink(u"..\\site2\\a.htm", false), u"../site2/a.htm");
  EXPECT_EQ(RelativePathForLink(u".\\表\\ソ.gif", true), u"表/ソ.gif");
  // What Shift_JIS cannot hold is escaped as UTF-8 for a Shift_JIS document
  // and kept as it is for any other.
  EXPECT_EQ(RelativePathForLink(u"img\\ü-表.png", true), u"img/%C3%BC-表.png");
  EXPECT_EQ(RelativePathForLink(u"img\\ü-表.png", false), u"img/ü-表.png");
  EXPECT_EQ(RelativePathForLink(u"𠮷 ©.png", true), u"%F0%A0%AE%B7 %C2%A9.png");
}

}  // namespace
}  // namespace kestil

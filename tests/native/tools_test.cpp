#include "view/tools.h"

#include <gtest/gtest.h>

#include <array>

#include "base/codec.h"
#include "base/memory_edit.h"

namespace kestil {
namespace {

// Every out-of-range text is rewritten; how, and where the caret goes.
TEST(ValidateNumber, RangeTwoToEight) {
  const struct {
    const char16_t* text;
    int value;
    const char16_t* shown;
    NumberCaret caret;
  } rows[] = {
      {u"", 2, u"2", NumberCaret::kSelectAll},
      {u"59", 8, u"8", NumberCaret::kAtTen},
      {u"05", 5, u"5", NumberCaret::kAfterFirstIfAtStart},
      {u"-0", 2, u"-", NumberCaret::kAfterMinus},
      {u"-", 8, u"8", NumberCaret::kAtTen},  // a lone minus: like above the maximum
      {u"-5", 2, u"2", NumberCaret::kSelectAll},
      {u"99999999999999999999", 8, u"8", NumberCaret::kAtTen},
  };
  for (const auto& r : rows) {
    const NumberDecision d = ValidateNumber(r.text, 2, 8);
    EXPECT_TRUE(d.rewrite) << r.value;
    EXPECT_EQ(d.value, r.value) << r.value;
    EXPECT_EQ(d.text, r.shown) << r.value;
    EXPECT_EQ(d.caret, r.caret) << r.value;
  }
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
  for (const auto& [code, ascii, count] : {std::array{0x60, int{'A'}, 26}, {0x81, int{'a'}, 26},
                                          {0x4F, int{'0'}, 10}}) {
    for (int i = 0; i < count; ++i) {
      in += {'\x82', static_cast<char>(code + i)};
      expected += static_cast<char16_t>(ascii + i);
    }
  }
  in += "\x81\x44\x81\x43\x81\x49\x81\x68\x81\x94\x81\x90\x81\x93\x81\x95\x81\x66\x81\x69"
        "\x81\x6A\x81\x81\x81\x7B\x81\x96\x81\x5E\x81\x7C\x81\x51\x81\x83\x81\x84";
  expected += u".,!\"#$%&'()=+*/-_<>";
  EXPECT_EQ(ToHankaku(Sjis(in)), expected);
}

TEST(ToHankaku, KeepsEverythingElse) {
  // Other marks, katakana of both widths, kanji, controls, a surrogate pair.
  const std::u16string kept = u"＠？［￥～“、アｱ表\r\n\t©𠮷";
  EXPECT_EQ(ToHankaku(kept), kept);
  EXPECT_EQ(ToHankaku(u"Ａ𠮷１"), u"A𠮷1");
}

// Columns count Shift_JIS bytes: one for ASCII and half-width katakana, two
// for 表, a reserved unit one, a character beyond Shift_JIS two when wide;
// a surrogate pair is one character. Past the end goes to the line's end.
TEST(JumpTarget, ColumnsCountWhatEachCharacterTakesInShiftJis) {
  MemoryEdit edit(u"first\r\na表ｱ𠮷©\xDC80z\r\nlast");
  for (const auto& [line, column, unit] :
       {std::array{1, 1, 0}, {1, 99, 5}, {2, 2, 8}, {2, 3, 8}, {2, 4, 9}, {2, 5, 10}, {2, 6, 10},
        {2, 7, 12}, {2, 8, 13}, {2, 9, 14}, {2, 10, 15}, {3, 0, 17}}) {
    EXPECT_EQ(JumpTarget(edit, line, column), std::optional<std::size_t>(unit)) << line << ":" << column;
  }
  EXPECT_EQ(JumpTarget(edit, 4, 1), std::nullopt);
}

TEST(RelativePaths, FolderAndSlashes) {
  EXPECT_EQ(FolderOfPath(u"C:\\表\\ソフト\\index.htm"), u"C:\\表\\ソフト");
  EXPECT_EQ(FolderOfPath(u"C:\\表"), u"C:");
  EXPECT_EQ(RelativePathForLink(u"..\\other.htm", true), u"../other.htm");
  EXPECT_EQ(RelativePathForLink(u".\\表\\ソ.gif", true), u"表/ソ.gif");
  // What Shift_JIS cannot hold is escaped as UTF-8 for a Shift_JIS document
  // and kept as it is for any other.
  EXPECT_EQ(RelativePathForLink(u"img\\ü-表.png", true), u"img/%C3%BC-表.png");
  EXPECT_EQ(RelativePathForLink(u"img\\ü-表.png", false), u"img/ü-表.png");
  EXPECT_EQ(RelativePathForLink(u"𠮷 ©.png", true), u"%F0%A0%AE%B7 %C2%A9.png");
}

TEST(CharacterReferences, TheFourMarksAndNothingElse) {
  EXPECT_EQ(ToCharacterReferences(u"a<b> & \"c\" 'd' &amp; 表𠮷"),
            u"a&lt;b&gt; &amp; &quot;c&quot; 'd' &amp;amp; 表𠮷");
  EXPECT_EQ(ToCharacterReferences(u""), u"");
}

}  // namespace
}  // namespace kestil

#include "view/tools.h"

#include <gtest/gtest.h>

#include "base/memory_edit.h"

namespace kestil {
namespace {

struct Row {
  const char* text;
  int value;
  bool rewrite;
  const char* shown;
  NumberCaret caret;
};

TEST(ValidateNumber, RangeTwoToEight) {
  const Row rows[] = {
      {"", 2, true, "2", NumberCaret::kSelectAll},
      {"0", 2, true, "2", NumberCaret::kSelectAll},
      {"+", 2, true, "2", NumberCaret::kSelectAll},
      {"1", 2, true, "2", NumberCaret::kSelectAll},
      {"59", 8, true, "8", NumberCaret::kAtTen},
      {"9", 8, true, "8", NumberCaret::kAtTen},
      {"05", 5, true, "5", NumberCaret::kAfterFirstIfAtStart},
      {"7a", 7, true, "7", NumberCaret::kAfterFirstIfAtStart},
      {" 3", 3, true, "3", NumberCaret::kAfterFirstIfAtStart},
      {"-0", 2, true, "-", NumberCaret::kAfterMinus},
      {"-", 8, true, "8", NumberCaret::kAtTen},  // a lone minus: like above the maximum
      {"abc", 8, true, "8", NumberCaret::kAtTen},
      {"   ", 8, true, "8", NumberCaret::kAtTen},
      {"-5", 2, true, "2", NumberCaret::kSelectAll},
      {"99999999999999999999", 8, true, "8", NumberCaret::kAtTen},
      {"-99999999999999999999", 2, true, "2", NumberCaret::kSelectAll},
  };
  for (const Row& r : rows) {
    const NumberDecision d = ValidateNumber(r.text, 2, 8);
    EXPECT_EQ(d.value, r.value) << '"' << r.text << '"';
    EXPECT_EQ(d.rewrite, r.rewrite) << r.text;
    EXPECT_EQ(d.text, r.shown) << r.text;
    EXPECT_EQ(d.caret, r.caret) << r.text;
  }
  // A megabyte of digits is just a number above the maximum.
  EXPECT_EQ(ValidateNumber(std::string(1 << 20, '9'), 2, 8).value, 8);
}

TEST(ToHankaku, TheWholeTableInOrder) {
  std::string in = "\x81\x40";
  std::string expected = " ";
  for (int i = 0; i < 26; ++i) {
    in += {'\x82', static_cast<char>(0x60 + i)};
    expected += static_cast<char>('A' + i);
  }
  for (int i = 0; i < 26; ++i) {
    in += {'\x82', static_cast<char>(0x81 + i)};
    expected += static_cast<char>('a' + i);
  }
  for (int i = 0; i < 10; ++i) {
    in += {'\x82', static_cast<char>(0x4F + i)};
    expected += static_cast<char>('0' + i);
  }
  in += "\x81\x44\x81\x43\x81\x49\x81\x68\x81\x94\x81\x90\x81\x93\x81\x95\x81\x66\x81\x69"
        "\x81\x6A\x81\x81\x81\x7B\x81\x96\x81\x5E\x81\x7C\x81\x51\x81\x83\x81\x84";
  expected += ".,!\"#$%&'()=+*/-_<>";
  EXPECT_EQ(ToHankaku(in), expected);
}

TEST(ToHankaku, KeepsEverythingElse) {
  // ＠ ？ ： ； ［ ］ ｛ ｝ ＾ ｜ ￥ ～ “ ‘ 、 。
  const std::string marks =
      "\x81\x97\x81\x48\x81\x46\x81\x47\x81\x6D\x81\x6E\x81\x6F\x81\x70\x81\x4F\x81\x62"
      "\x81\x8F\x81\x60\x81\x67\x81\x65\x81\x41\x81\x42";
  EXPECT_EQ(ToHankaku(marks), marks);
  // Katakana (full and half width), kanji with a '\' second byte, CR LF, tabs.
  const std::string kept = "\x83\x41\xB1\x95\x5C\x83\x5C\r\n\t\x8A\xBF";
  EXPECT_EQ(ToHankaku(kept), kept);
  EXPECT_EQ(ToHankaku("\x82\x60\x82\x82\r\n\t\x82\x62\x82\x50\x82\x51"), "Ab\r\n\tC12");
  // A lone lead byte at the end stays.
  EXPECT_EQ(ToHankaku("\x82\x60\x82"), "A\x82");
  EXPECT_EQ(ToHankaku(""), "");
}

TEST(RelativePaths, FolderAndSlashesByCharacter) {
  // 表 and ソ end with 0x5C.
  const std::string doc = "C:\\\x95\x5C\\\x83\x5C\x83\x74\x83\x67\\index.htm";
  EXPECT_EQ(FolderOfPath(doc), "C:\\\x95\x5C\\\x83\x5C\x83\x74\x83\x67");
  EXPECT_EQ(FolderOfPath("C:\\\x95\x5C"), "C:");
  EXPECT_EQ(FolderOfPath("name"), "name");
  EXPECT_EQ(RelativePathForLink(".\\logo.gif"), "logo.gif");
  EXPECT_EQ(RelativePathForLink(".\\img\\top.png"), "img/top.png");
  EXPECT_EQ(RelativePathForLink("..\\other.htm"), "../other.htm");
  EXPECT_EQ(RelativePathForLink("..\\site2\\a.htm"), "../site2/a.htm");
  EXPECT_EQ(RelativePathForLink(".\\\x95\x5C\\\x83\x5C.gif"), "\x95\x5C/\x83\x5C.gif");
}

}  // namespace
}  // namespace kestil

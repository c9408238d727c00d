// The behaviour every EditOps implementation shares, with the insertion
// engine on top. Included by the native tests (memory buffer) and the Windows
// tests (edit control), each instantiating the suite with its own backend.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "base/edit_ops.h"
#include "view/insert_engine.h"

namespace kestil::testing {

struct EditBackend {
  std::string name;
  std::function<std::unique_ptr<EditOps>()> make;
};

inline void PrintTo(const EditBackend& b, std::ostream* os) { *os << b.name; }

class EditContract : public ::testing::TestWithParam<EditBackend> {
 protected:
  void SetUp() override { edit_ = GetParam().make(); }
  void TearDown() override { edit_.reset(); }

  EditOps& Edit(const std::string& text) {
    edit_->LoadRaw(text);
    return *edit_;
  }
  Selection Caret(std::size_t pos) const { return {pos, pos}; }

  std::unique_ptr<EditOps> edit_;
};

// "あ" and "漢" in code page 932, and a character whose second byte is '\'.
inline const std::string kHiraganaA = "\x82\xA0";
inline const std::string kKan = "\x8A\xBF";
inline const std::string kSo = "\x83\x5C";

TEST_P(EditContract, PositionsAreBytes) {
  EditOps& e = Edit("ab" + kHiraganaA);
  EXPECT_EQ(e.GetText().size(), 4u);
  EXPECT_EQ(e.LineLength(0), 4u);
  e.SetSel(100, 100);
  EXPECT_EQ(e.GetSel(), Caret(4));
  // Inside a two-byte character the position goes to its start.
  e.SetSel(3, 3);
  EXPECT_EQ(e.GetSel(), Caret(2));
  e.SetSel(4, 0);
  EXPECT_EQ(e.GetSel(), (Selection{0, 4}));
  EXPECT_EQ(e.GetSelectedText(), "ab" + kHiraganaA);
}

TEST_P(EditContract, ReplaceLeavesCaretAfterInsertion) {
  EditOps& e = Edit("abcdef");
  e.SetSel(3, 3);
  e.ReplaceSel("<br>\r\n");
  EXPECT_EQ(e.GetSel(), Caret(9));
  EXPECT_EQ(e.GetText(), "abc<br>\r\ndef");
  EXPECT_EQ(e.LineCount(), 2u);
}

TEST_P(EditContract, LinesAfterFinalBreak) {
  EditOps& e = Edit("x" + kKan + "\r\nyz\r\n");
  EXPECT_EQ(e.LineIndex(0), 0);
  EXPECT_EQ(e.LineIndex(1), 5);
  EXPECT_EQ(e.LineIndex(2), 9);
  EXPECT_EQ(e.LineIndex(3), -1);
  EXPECT_EQ(e.LineLength(0), 3u);
  EXPECT_EQ(e.LineLength(6), 2u);
  EXPECT_EQ(e.LineLength(9), 0u);
  EXPECT_EQ(e.LineCount(), 3u);
}

TEST_P(EditContract, UndoRestoresTextAndSelection) {
  EditOps& e = Edit("one " + kKan + " three");
  EXPECT_FALSE(e.CanUndo());
  e.SetSel(4, 6);
  e.ReplaceSel("two");
  EXPECT_TRUE(e.IsModified());
  e.Undo();
  EXPECT_EQ(e.GetText(), "one " + kKan + " three");
  EXPECT_EQ(e.GetSel(), (Selection{4, 6}));  // the restored text is selected
  EXPECT_FALSE(e.IsModified());
  e.Redo();
  EXPECT_EQ(e.GetText(), "one two three");
  EXPECT_EQ(e.GetSel(), Caret(7));
  e.MarkSaved();
  e.Undo();
  EXPECT_TRUE(e.IsModified());
  e.ReplaceSel("x");  // a new change drops what could be redone
  EXPECT_FALSE(e.CanRedo());
}

TEST_P(EditContract, WrapSelectionOverLinesAndTwoByteText) {
  const std::string lines = "one\r\n" + kKan + "two\r\nthree";
  EditOps& e = Edit("<" + lines + ">");
  e.SetSel(1, 1 + lines.size());
  WrapSelection(e, "<p>", "</p>", 2, 0);
  EXPECT_EQ(e.GetText(), "<<p>" + lines + "</p>>");
  EXPECT_EQ(e.GetSel(), Caret(3));

  Edit(kHiraganaA + kKan + kSo);
  e.SetSel(2, 6);
  WrapSelection(e, "<i>", "</i>", kCaretNone, 1);
  EXPECT_EQ(e.GetText(), kHiraganaA + "<I>" + kKan + kSo + "</I>");
  EXPECT_EQ(e.GetSel(), Caret(13));
}

}  // namespace kestil::testing

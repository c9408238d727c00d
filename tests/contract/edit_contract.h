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

  EditOps& Edit(const std::u16string& text) {
    edit_->SetText(text);
    edit_->set_line_ending(LineEnding::kCrLf);
    return *edit_;
  }
  Selection Caret(std::size_t pos) const { return {pos, pos}; }

  std::unique_ptr<EditOps> edit_;
};

// A character beyond the BMP: one character, two units.
inline const std::u16string kYoshi = u"𠮷";

// Positions count units; one between the halves of a pair goes to its start.
TEST_P(EditContract, PositionsAreUnitsAndLines) {
  EditOps& e = Edit(u"ab" + kYoshi + u"©");
  EXPECT_EQ(e.LineLength(0), 5u);
  e.SetSel(100, 100);
  EXPECT_EQ(e.GetSel(), Caret(5));
  e.SetSel(3, 3);
  EXPECT_EQ(e.GetSel(), Caret(2));
  e.SetSel(5, 1);
  EXPECT_EQ(e.GetSelectedText(), u"b" + kYoshi + u"©");
  EXPECT_EQ(e.GetTextRange(4, 99), u"©");
  Edit(u"x漢\r\nyz\r\n");  // a line after the final break
  EXPECT_EQ(e.LineIndex(2), 8);
  EXPECT_EQ(e.LineIndex(3), -1);
  EXPECT_EQ(e.LineLength(5), 2u);
  EXPECT_EQ(e.LineCount(), 3u);
}

TEST_P(EditContract, ReplaceAndUndoRestoreTextAndSelection) {
  EditOps& e = Edit(u"one 漢字 three");
  EXPECT_FALSE(e.CanUndo());
  e.SetSel(4, 6);
  e.ReplaceSel(u"two\r\n");
  EXPECT_EQ(e.GetSel(), Caret(9));  // after the insertion
  EXPECT_EQ(e.LineCount(), 2u);
  EXPECT_TRUE(e.IsModified());
  e.Undo();
  EXPECT_EQ(e.GetText(), u"one 漢字 three");
  EXPECT_EQ(e.GetSel(), (Selection{4, 6}));  // the restored text is selected
  EXPECT_FALSE(e.IsModified());
  e.Redo();
  EXPECT_EQ(e.GetText(), u"one two\r\n three");
  e.MarkSaved();
  e.Undo();
  EXPECT_TRUE(e.IsModified());
  e.ReplaceSel(u"x");  // a new change drops what could be redone
  EXPECT_FALSE(e.CanRedo());
}

// Tags in the tag case around the user's text as it is; added line breaks
// take the document's line ending, the selection's own stay.
TEST_P(EditContract, WrapAndInsertTags) {
  EditOps& e = Edit(u"あ漢" + kYoshi + u"b");
  e.SetSel(1, 4);
  WrapSelection(e, u"<i>", u"</i>", kCaretNone, 1);
  EXPECT_EQ(e.GetText(), u"あ<I>漢" + kYoshi + u"</I>b");
  EXPECT_EQ(e.GetSel(), Caret(11));
  Edit(u"a\nb\r\nc");
  e.set_line_ending(LineEnding::kLf);
  e.SetSel(0, 6);
  WrapSelection(e, u"<pre>\r\n", u"\r\n</pre>", 2, 0);
  EXPECT_EQ(e.GetText(), u"<pre>\na\nb\r\nc\n</pre>");
  EXPECT_EQ(e.GetSel(), Caret(2));
  e.SetSel(0, 0);
  e.set_line_ending(LineEnding::kCr);
  InsertText(e, u"<ul>\r\n<li>\r\n</ul>\r\n", kCaretNone, 0);
  EXPECT_EQ(e.GetText().substr(0, 16), u"<ul>\r<li>\r</ul>\r");
  EXPECT_EQ(e.GetSel(), Caret(16));
}

}  // namespace kestil::testing

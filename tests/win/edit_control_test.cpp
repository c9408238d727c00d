// The edit operations on the real edit control.
#include <gtest/gtest.h>


#include "contract/edit_contract.h"
#include "win/win_test_util.h"

namespace kestil::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Control, EditContract,
                         ::testing::Values(EditBackend{"edit_control",
                                                       [] { return MakeEditControl(); }}),
                         [](const auto& info) { return info.param.name; });

void Char(const auto& edit, WPARAM c) { SendMessageW(edit->hwnd(), WM_CHAR, c, 1); }

// A pause in typing, by the adapter's clock, ends the undo step; caret keys
// leave the history and the modified state alone.
TEST(EditControl, APauseEndsATypedRunAndCaretKeysKeepTheHistory) {
  auto edit = MakeEditControl();
  std::uint32_t now = 1000;
  edit->SetClock([&now] { return now; });
  edit->SetText(u"x");
  edit->SetSel(0, 0);
  Char(edit, 'a');
  now += 1500;
  Char(edit, 'b');  // within the pause: same run
  now += 1501;
  Char(edit, 'c');
  edit->MarkSaved();
  for (UINT key : {VK_END, VK_HOME, VK_RIGHT}) SendMessageW(edit->hwnd(), WM_KEYDOWN, key, 1);
  EXPECT_FALSE(edit->IsModified());
  edit->Undo();
  EXPECT_EQ(edit->GetText(), u"abx");
  EXPECT_TRUE(edit->IsModified());
  edit->Undo();
  EXPECT_EQ(edit->GetText(), u"x");
}

// A surrogate pair typed as its two halves is one character; no position
// falls between its halves.
TEST(EditControl, SurrogatePairsStayWhole) {
  auto edit = MakeEditControl();
  edit->SetText(u"a");
  edit->SetSel(1, 1);
  Char(edit, 0xD842);
  Char(edit, 0xDFB7);
  EXPECT_EQ(edit->GetText(), u"a𠮷");
  edit->SetSel(2, 2);
  EXPECT_EQ(edit->GetSel().start, 1u);
  edit->SetSel(0, 2);
  EXPECT_EQ(edit->GetSel(), (Selection{0, 1}));
}

}  // namespace
}  // namespace kestil::testing

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

TEST(EditControl, TypedCharactersTakeTheDocumentsSpelling) {
  auto edit = MakeEditControl();
  edit->LoadRaw("\x87\x90");  // NEC row 13 spelling of U+2252
  edit->SetSel(2, 2);
  SendMessageW(edit->hwnd(), WM_CHAR, 0x2252, 1);
  SendMessageW(edit->hwnd(), WM_CHAR, 'a', 1);
  EXPECT_EQ(edit->StoreRaw(), "\x87\x90\x87\x90" "a");
  EXPECT_EQ(edit->GetSel().start, 5u);
  // A new document forgets the old one's spellings.
  edit->LoadRaw("x");
  edit->SetSel(1, 1);
  SendMessageW(edit->hwnd(), WM_CHAR, 0x2252, 1);
  EXPECT_EQ(edit->StoreRaw(), "x\x81\xE0");
}


// Keys that only move the caret, however far, leave the history and the
// modified state alone.
TEST(EditControl, MovingTheCaretKeepsTheHistory) {
  auto edit = MakeEditControl();
  edit->LoadRaw(std::string(1000, 'x'));
  edit->SetSel(0, 0);
  SendMessageW(edit->hwnd(), WM_CHAR, 'a', 1);
  edit->MarkSaved();
  for (UINT key : {VK_END, VK_HOME, VK_RIGHT}) SendMessageW(edit->hwnd(), WM_KEYDOWN, key, 1);
  EXPECT_EQ(edit->GetSel().start, 1u);
  EXPECT_TRUE(edit->CanUndo());
  EXPECT_FALSE(edit->IsModified());
  SendMessageW(edit->hwnd(), WM_KEYDOWN, VK_DELETE, 1);
  EXPECT_TRUE(edit->IsModified());
  edit->Undo();
  EXPECT_FALSE(edit->IsModified());
  EXPECT_EQ(edit->StoreRaw(), "a" + std::string(1000, 'x'));
}

// A pause in typing ends the run: two undo steps, by the adapter's clock.
TEST(EditControl, APauseEndsATypedRun) {
  auto edit = MakeEditControl();
  std::uint32_t now = 1000;
  edit->SetClock([&now] { return now; });
  edit->LoadRaw("");
  SendMessageW(edit->hwnd(), WM_CHAR, 'a', 1);
  now += 1500;
  SendMessageW(edit->hwnd(), WM_CHAR, 'b', 1);  // within the pause: same run
  now += 1501;
  SendMessageW(edit->hwnd(), WM_CHAR, 'c', 1);
  edit->Undo();
  EXPECT_EQ(edit->StoreRaw(), "ab");
  edit->Undo();
  EXPECT_EQ(edit->StoreRaw(), "");
  EXPECT_FALSE(edit->CanUndo());
}

// Positions stay right when the text changes behind the adapter's back: by
// typing, by messages from other programs, by the control's own undo.
TEST(EditControl, PositionsFollowChangesFromOutside) {
  auto edit = MakeEditControl();
  const std::string kan = "\x8A\xBF";
  edit->LoadRaw("ab" + kan + "cd" + kan + "ef");
  edit->SetSel(8, 8);
  EXPECT_EQ(edit->GetSel().start, 8u);

  // A two-byte character typed at the start moves everything by two bytes.
  SendMessageW(edit->hwnd(), EM_SETSEL, 0, 0);
  SendMessageW(edit->hwnd(), WM_CHAR, 0x6F22, 1);
  SendMessageW(edit->hwnd(), EM_SETSEL, 7, 7);  // units: before "ef"
  EXPECT_EQ(edit->GetSel().start, 10u);
  edit->SetSel(10, 12);
  EXPECT_EQ(edit->GetSelectedText(), "ef");

  // Another program replaces text through the standard messages.
  SendMessageW(edit->hwnd(), EM_SETSEL, 0, 1);
  SendMessageW(edit->hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"xyz"));
  edit->SetSel(11, 13);
  EXPECT_EQ(edit->GetSelectedText(), "ef");
  SendMessageW(edit->hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\u6F22\u6F22q"));
  edit->SetSel(4, 5);
  EXPECT_EQ(edit->GetSelectedText(), "q");

  // The control's own undo, then our replacement measured after it.
  edit->SetSel(0, 0);
  edit->ReplaceSel(kan + kan);
  edit->SetSel(8, 9);
  EXPECT_EQ(edit->GetSelectedText(), "q");
  SendMessageW(edit->hwnd(), EM_UNDO, 0, 0);
  edit->SetSel(4, 5);
  EXPECT_EQ(edit->GetSelectedText(), "q");
  EXPECT_EQ(edit->StoreRaw(), "\x8A\xBF\x8A\xBFq");
}

}  // namespace
}  // namespace kestil::testing

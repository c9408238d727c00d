// The edit operations on the real edit control.
#include <gtest/gtest.h>

#include <cstring>

#include "contract/edit_contract.h"
#include "win/win_test_util.h"

namespace kestil::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Control, EditContract,
                         ::testing::Values(EditBackend{"edit_control",
                                                       [] { return MakeEditControl(); }}),
                         [](const auto& info) { return info.param.name; });

// Keys that only move the caret, however far, leave the history and the
// modified state alone.
TEST(EditControl, MovingTheCaretKeepsTheHistory) {
  auto edit = MakeEditControl();
  edit->SetText(std::u16string(1000, u'x'));
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
  EXPECT_EQ(edit->GetText(), u"a" + std::u16string(1000, u'x'));
}

// A pause in typing ends the run: two undo steps, by the adapter's clock.
TEST(EditControl, APauseEndsATypedRun) {
  auto edit = MakeEditControl();
  std::uint32_t now = 1000;
  edit->SetClock([&now] { return now; });
  edit->SetText(u"");
  SendMessageW(edit->hwnd(), WM_CHAR, 'a', 1);
  now += 1500;
  SendMessageW(edit->hwnd(), WM_CHAR, 'b', 1);  // within the pause: same run
  now += 1501;
  SendMessageW(edit->hwnd(), WM_CHAR, 'c', 1);
  edit->Undo();
  EXPECT_EQ(edit->GetText(), u"ab");
  edit->Undo();
  EXPECT_EQ(edit->GetText(), u"");
  EXPECT_FALSE(edit->CanUndo());
}

// Enter and a paste give their line breaks the document's ending; each is
// one step of the history, and the control asks to break lines at LF and CR.
TEST(EditControl, AddedLineBreaksTakeTheDocumentsEnding) {
  auto edit = MakeEditControl();
  edit->SetText(u"ab");
  edit->set_line_ending(LineEnding::kLf);
  edit->SetSel(1, 1);
  SendMessageW(edit->hwnd(), WM_CHAR, '\r', 1);
  EXPECT_EQ(edit->GetText(), u"a\nb");
  EXPECT_EQ(edit->GetSel().start, 2u);

  ASSERT_TRUE(OpenClipboard(edit->hwnd()));
  EmptyClipboard();
  const std::wstring pasted = L"x\r\ny\rz\n";
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(data), pasted.c_str(), (pasted.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(data);
  SetClipboardData(CF_UNICODETEXT, data);
  CloseClipboard();
  SendMessageW(edit->hwnd(), WM_PASTE, 0, 0);
  EXPECT_EQ(edit->GetText(), u"a\nx\ny\nz\nb");
  edit->Undo();
  EXPECT_EQ(edit->GetText(), u"a\nb");
  edit->Undo();
  EXPECT_EQ(edit->GetText(), u"ab");

  edit->set_line_ending(LineEnding::kCrLf);
  edit->SetSel(0, 0);
  SendMessageW(edit->hwnd(), WM_PASTE, 0, 0);  // CR LF documents too: one kind
  EXPECT_EQ(edit->GetText(), u"x\r\ny\r\nz\r\nab");
}

// A surrogate pair typed as its two halves is one character; no position
// falls between its halves.
TEST(EditControl, SurrogatePairsStayWhole) {
  auto edit = MakeEditControl();
  edit->SetText(u"a");
  edit->SetSel(1, 1);
  SendMessageW(edit->hwnd(), WM_CHAR, 0xD842, 1);
  SendMessageW(edit->hwnd(), WM_CHAR, 0xDFB7, 1);
  EXPECT_EQ(edit->GetText(), u"a𠮷");
  edit->SetSel(2, 2);
  EXPECT_EQ(edit->GetSel().start, 1u);
  edit->SetSel(0, 2);
  EXPECT_EQ(edit->GetSel(), (Selection{0, 1}));
  edit->Undo();
  EXPECT_EQ(edit->GetText(), u"a");
}

}  // namespace
}  // namespace kestil::testing

// The standard editing commands and the undo history in the main window.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "win/app_fixture.h"

namespace kestil::testing {
namespace {

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void ClearClipboard() {
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();
}

class Editing : public AppTest {
 protected:
  std::string Text() { return View().edit().GetText(); }
  Selection Sel() { return View().edit().GetSel(); }
  void Type(const std::wstring& keys) {
    for (wchar_t c : keys) SendMessageW(Edit(), WM_CHAR, c, 1);
  }
  bool Enabled(UINT id) {
    HMENU edit = GetSubMenu(GetMenu(Frame()), 1);
    SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    return !(GetMenuState(edit, id, MF_BYCOMMAND) & MF_GRAYED);
  }
};

TEST_F(Editing, CommandsAreEnabledOnlyWhenTheyCanAct) {
  ASSERT_TRUE(Start());
  ClearClipboard();
  EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
  EXPECT_FALSE(Enabled(ID_EDIT_REDO));
  EXPECT_FALSE(Enabled(ID_EDIT_CUT));
  EXPECT_FALSE(Enabled(ID_EDIT_COPY));
  EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
  EXPECT_FALSE(Enabled(ID_EDIT_SELECT_ALL));
  Type(L"ab");
  EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
  EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));
  Command(ID_EDIT_SELECT_ALL);
  EXPECT_EQ(Sel(), (Selection{0, 2}));
  EXPECT_TRUE(Enabled(ID_EDIT_CUT));
  EXPECT_TRUE(Enabled(ID_EDIT_COPY));
  Command(ID_EDIT_COPY);
  EXPECT_EQ(ClipboardText(), L"ab");
  EXPECT_TRUE(Enabled(ID_EDIT_PASTE));
}

TEST_F(Editing, HistoryWalksBackAndForthOneStepAtATime) {
  ASSERT_TRUE(Start());
  ClearClipboard();
  std::vector<std::string> states = {""};
  std::vector<Selection> carets;
  auto snapshot = [&] { states.push_back(Text()); };
  Type(L"漢字ab");  // one typed run
  snapshot();
  Type(L"\r");  // a line break is a step of its own
  snapshot();
  Type(L"cd");
  snapshot();
  Command(ID_TAG_BR);  // a command is one step
  snapshot();
  View().edit().SetSel(0, 4);  // the two kanji
  Command(ID_EDIT_CUT);
  EXPECT_EQ(ClipboardText(), L"漢字");
  snapshot();
  View().edit().SetSel(Text().size(), Text().size());
  Command(ID_EDIT_PASTE);
  snapshot();
  SendMessageW(Edit(), WM_CHAR, VK_BACK, 1);  // deletes the last character
  snapshot();
  ASSERT_EQ(states.size(), 8u);
  EXPECT_EQ(states[1], "\x8A\xBF\x8E\x9A" "ab");
  EXPECT_EQ(states[4], "\x8A\xBF\x8E\x9A" "ab\r\ncd<br>\r\n");
  EXPECT_EQ(states[6], "ab\r\ncd<br>\r\n\x8A\xBF\x8E\x9A");
  EXPECT_EQ(states[7], "ab\r\ncd<br>\r\n\x8A\xBF");
  // Saved in the middle: modified exactly when the text is not that state.
  Doc().SetModified(false);
  for (int i = 7; i > 0; --i) {
    EXPECT_EQ(Text(), states[i]) << i;
    EXPECT_EQ(Doc().IsModified(), i != 7) << i;
    Command(ID_EDIT_UNDO);
  }
  EXPECT_EQ(Text(), "");
  EXPECT_FALSE(View().edit().CanUndo());
  for (int i = 1; i <= 7; ++i) {
    Command(ID_EDIT_REDO);
    EXPECT_EQ(Text(), states[i]) << i;
    EXPECT_EQ(Doc().IsModified(), i != 7) << i;
  }
  // Saving keeps the history; a new document clears it.
  Command(ID_EDIT_UNDO);
  EXPECT_TRUE(Doc().IsModified());
  Doc().SetModified(false);
  EXPECT_TRUE(View().edit().CanUndo());
  Command(ID_FILE_NEW);
  EXPECT_FALSE(View().edit().CanUndo());
  EXPECT_FALSE(View().edit().CanRedo());
}

TEST_F(Editing, UndoMessagesFromOutsideUseTheHistory) {
  ASSERT_TRUE(Start());
  Type(L"one");
  View().edit().SetSel(3, 3);
  Command(ID_TAG_HR);
  Type(L"two");
  EXPECT_EQ(SendMessageW(Edit(), EM_CANUNDO, 0, 0), TRUE);
  SendMessageW(Edit(), EM_UNDO, 0, 0);
  SendMessageW(Edit(), WM_UNDO, 0, 0);
  EXPECT_EQ(Text(), "one");
  // A whole new text set from outside is one step too.
  SetWindowTextW(Edit(), L"replaced");
  EXPECT_EQ(Text(), "replaced");
  EXPECT_TRUE(Doc().IsModified());
  SendMessageW(Edit(), EM_UNDO, 0, 0);
  EXPECT_EQ(Text(), "one");
}

}  // namespace
}  // namespace kestil::testing

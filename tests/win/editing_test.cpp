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

// The "find what" field of a find or replace dialog (control 1152).
std::wstring DialogDriverText(HWND dialog) {
  wchar_t text[256] = {};
  GetDlgItemTextW(dialog, 1152, text, 256);
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

namespace kestil::testing {
namespace {

class Search : public Editing {
 protected:
  // What the find and replace dialogs send to their owner.
  void Request(DWORD flags, const wchar_t* what, const wchar_t* with = L"") {
    wcscpy(what_, what);
    wcscpy(with_, with);
    FINDREPLACEW fr{};
    fr.lStructSize = sizeof fr;
    fr.hwndOwner = Frame();
    fr.Flags = flags;
    fr.lpstrFindWhat = what_;
    fr.wFindWhatLen = 256;
    fr.lpstrReplaceWith = with_;
    fr.wReplaceWithLen = 256;
    SendMessageW(Frame(), RegisterWindowMessageW(FINDMSGSTRINGW), 0, reinterpret_cast<LPARAM>(&fr));
    PumpPending();
  }
  std::string Selected() { return View().edit().GetSelectedText(); }

  wchar_t what_[256] = {};
  wchar_t with_[256] = {};
};

TEST_F(Search, FindsOnlyRealCharactersNeverSecondBytes) {
  ASSERT_TRUE(Start());
  // 表 and ソ end with '\'; ャ ends with 'a'.
  View().edit().LoadRaw("x\\\x95\x5C\x83\x5C\\\x83\x61" "a");
  Request(FR_FINDNEXT | FR_DOWN, L"\\");
  EXPECT_EQ(Sel(), (Selection{1, 2}));
  Request(FR_FINDNEXT | FR_DOWN, L"\\");
  EXPECT_EQ(Sel(), (Selection{6, 7}));
  EXPECT_TRUE(ui_.messages.empty());
  Request(FR_FINDNEXT | FR_DOWN, L"\\");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0], L"「\\」が見つかりません。");
  EXPECT_EQ(ui_.captions[0], L"kestil");
  EXPECT_EQ(Sel(), (Selection{6, 7}));
  View().edit().SetSel(0, 0);
  Request(FR_FINDNEXT | FR_DOWN, L"a");
  EXPECT_EQ(Sel(), (Selection{9, 10}));
  Request(FR_FINDNEXT, L"\\");  // up from there
  EXPECT_EQ(Sel(), (Selection{6, 7}));
  // F3 repeats the last search.
  Command(ID_EDIT_REPEAT);
  EXPECT_EQ(Sel(), (Selection{1, 2}));
}

TEST_F(Search, MatchCaseWholeWordAndReplace) {
  ASSERT_TRUE(Start());
  View().edit().LoadRaw("Table table tables");
  Request(FR_FINDNEXT | FR_DOWN | FR_MATCHCASE, L"table");
  EXPECT_EQ(Sel(), (Selection{6, 11}));
  View().edit().SetSel(7, 7);
  Request(FR_FINDNEXT | FR_DOWN | FR_WHOLEWORD, L"table");
  EXPECT_EQ(ui_.messages.size(), 1u);  // "tables" is not the word
  View().edit().SetSel(0, 5);
  Request(FR_REPLACE | FR_DOWN, L"table", L"<TD>");
  EXPECT_EQ(Text(), "<TD> table tables");
  EXPECT_EQ(Selected(), "table");  // the next match is selected
}

TEST_F(Search, ReplaceAllIsOneUndoStep) {
  ASSERT_TRUE(Start());
  const std::string before = "a\\b\\\x95\x5C\\c";
  View().edit().LoadRaw(before);
  Request(FR_REPLACEALL | FR_DOWN, L"\\", L"/");
  EXPECT_EQ(Text(), "a/b/\x95\x5C/c");
  EXPECT_TRUE(Doc().IsModified());
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(Text(), before);
  EXPECT_FALSE(Doc().IsModified());
}

TEST_F(Search, FindDialogIsModelessAndOwnedByTheFrame) {
  ASSERT_TRUE(Start());
  View().edit().LoadRaw("find me");
  View().edit().SetSel(5, 7);
  Command(ID_EDIT_FIND);
  HWND dialog = fw::ModelessDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), Frame());
  EXPECT_EQ(DialogDriverText(dialog), L"me");
  SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  PumpUntil([] { return fw::ModelessDialog() == nullptr; });
  EXPECT_EQ(fw::ModelessDialog(), nullptr);
  Command(ID_EDIT_REPLACE);
  ASSERT_NE(fw::ModelessDialog(), nullptr);
  SendMessageW(fw::ModelessDialog(), WM_COMMAND, IDCANCEL, 0);
  PumpUntil([] { return fw::ModelessDialog() == nullptr; });
}

}  // namespace
}  // namespace kestil::testing

namespace kestil::testing {
namespace {

class Printing : public Editing {
 protected:
  HWND Preview() { return FindWindowW(L"KestilPreview", nullptr); }
  std::wstring PreviewTitle() {
    wchar_t text[256] = {};
    GetWindowTextW(Preview(), text, 256);
    return text;
  }
};

TEST_F(Printing, WithoutAPrinterEachCommandSaysSo) {
  ASSERT_TRUE(Start());
  for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP}) {
    ui_.messages.clear();
    Command(id);
    ASSERT_EQ(ui_.messages.size(), 1u) << id;
    EXPECT_EQ(ui_.messages[0],
              L"印刷できるプリンタがありません。プリンタをインストールしてから、もう一度実行してください。");
  }
  EXPECT_EQ(Preview(), nullptr);
}

TEST_F(Printing, PreviewPagesThroughTheDocument) {
  ASSERT_TRUE(Start());
  ui_.fake_printer = true;
  std::string text;
  for (int i = 0; i < 300; ++i) text += "<p>\x93\xFA\x96\x7B\x8C\xEA " + std::to_string(i) + "</p>\r\n";
  View().edit().LoadRaw(text);
  Command(ID_FILE_PRINT_PREVIEW);
  ASSERT_NE(Preview(), nullptr);
  EXPECT_TRUE(IsWindowVisible(Preview()));
  const std::wstring first = PreviewTitle();
  EXPECT_EQ(first.find(L"印刷プレビュー - 1 / "), 0u) << first;
  HWND next = GetDlgItem(Preview(), 2);
  HWND prev = GetDlgItem(Preview(), 3);
  EXPECT_FALSE(IsWindowEnabled(prev));
  SendMessageW(next, BM_CLICK, 0, 0);
  PumpPending();
  EXPECT_EQ(PreviewTitle().find(L"印刷プレビュー - 2 / "), 0u);
  EXPECT_TRUE(IsWindowEnabled(prev));
  SendMessageW(GetDlgItem(Preview(), 4), BM_CLICK, 0, 0);  // two pages
  wchar_t label[64] = {};
  GetWindowTextW(GetDlgItem(Preview(), 4), label, 64);
  EXPECT_EQ(std::wstring(label), L"1ページ(&O)");
  SendMessageW(GetDlgItem(Preview(), 5), BM_CLICK, 0, 0);  // zoom in
  UpdateWindow(Preview());
  SendMessageW(GetDlgItem(Preview(), 7), BM_CLICK, 0, 0);  // close
  PumpPending();
  EXPECT_EQ(Preview(), nullptr);
}

}  // namespace
}  // namespace kestil::testing

namespace kestil::testing {
namespace {

// Run by scripts/screenshots: shows a preview until the script has taken its
// picture (it then creates the file named by KESTIL_SCREENSHOT_DONE).
TEST_F(Printing, PreviewForScreenshot) {
  wchar_t done[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"KESTIL_SCREENSHOT_DONE", done, MAX_PATH) == 0) {
    GTEST_SKIP() << "only for scripts/screenshots";
  }
  ASSERT_TRUE(Start());
  ui_.fake_printer = true;
  std::string text =
      "<html>\r\n<head>\r\n<title>\x83\x65\x83\x58\x83\x67</title>\r\n</head>\r\n<body>\r\n";
  for (int i = 1; i <= 120; ++i) {
    text += "<p>\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x79\x81\x5B\x83\x57 " + std::to_string(i) +
            "\t<a href=\"page" + std::to_string(i) + ".htm\">link</a></p>\r\n";
  }
  text += "</body>\r\n</html>\r\n";
  View().edit().LoadRaw(text);
  MoveWindow(Frame(), 0, 0, 900, 620, TRUE);
  Command(ID_FILE_PRINT_PREVIEW);
  HWND preview = FindWindowW(L"KestilPreview", nullptr);
  ASSERT_NE(preview, nullptr);
  MoveWindow(preview, 0, 0, 900, 620, TRUE);
  SendMessageW(GetDlgItem(preview, 4), BM_CLICK, 0, 0);  // two pages
  for (int i = 0; i < 600 && GetFileAttributesW(done) == INVALID_FILE_ATTRIBUTES; ++i) {
    PumpPending();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  DestroyWindow(preview);
}

}  // namespace
}  // namespace kestil::testing

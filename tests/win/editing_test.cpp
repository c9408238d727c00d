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
};

TEST_F(Editing, HistoryWalksBackAndForthOneStepAtATime) {
  ASSERT_TRUE(Start());
  ClearClipboard();
  std::vector<std::string> states = {""};
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


class Search : public Editing {
 protected:
  // What the find and replace dialogs send to their owner.
  void Request(DWORD flags, const wchar_t* what) {
    wcscpy(what_, what);
    FINDREPLACEW fr{};
    fr.lStructSize = sizeof fr;
    fr.hwndOwner = Frame();
    fr.Flags = flags;
    fr.lpstrFindWhat = what_;
    fr.wFindWhatLen = 256;
    SendMessageW(Frame(), RegisterWindowMessageW(FINDMSGSTRINGW), 0, reinterpret_cast<LPARAM>(&fr));
    PumpPending();
  }

  wchar_t what_[256] = {};
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

// The main window driven in the test process: start-up, files, options,
// bars, always on top, the new commands and closing.
#include <gtest/gtest.h>

#include "fw/win.h"

#include <shlobj.h>

#include "base/cp932.h"
#include "corpus.h"
#include "res/resource.h"
#include "view/insert_engine.h"
#include "view/tag_commands.h"
#include "win/app_fixture.h"

namespace kestil::testing {
namespace {

class MainWindow : public AppTest {
 protected:
  std::string Text() { return View().edit().GetText(); }
  Selection Sel() { return View().edit().GetSel(); }
  DWORD ExStyle() { return static_cast<DWORD>(GetWindowLongPtrW(Frame(), GWL_EXSTYLE)); }
  bool ButtonChecked(UINT id) {
    Idle();
    return SendMessageW(App().frame()->toolbar(), TB_ISBUTTONCHECKED, id, 0) != 0;
  }
  fw::RegistryProfile Registry() { return fw::RegistryProfile(kRegistryMaker, L"kestil"); }
};

TEST_F(MainWindow, StartsWithAnEmptyPlainDocument) {
  {
    auto r = Registry();
    r.WriteInt("Option", "m_TabStop", 8);
    r.WriteInt("Option", "m_TagStrType", 5);
  }
  ASSERT_TRUE(Start());
  EXPECT_TRUE(IsWindowVisible(Frame()));
  EXPECT_EQ(Title(), L"無題 - Kestil");
  EXPECT_EQ(Text(), "");
  EXPECT_FALSE(Doc().IsModified());
  EXPECT_EQ(App().m_TabStop, 8);
  EXPECT_EQ(App().m_TagStrType, 5);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(Edit(), GWL_STYLE));
  EXPECT_EQ(style & 0x101084u, 0x101084u);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Edit(), WM_GETFONT, 0, 0)),
            App().m_EditFont.get());
  EXPECT_NE(App().m_EditFont.get(), nullptr);
  EXPECT_TRUE(IsWindowVisible(App().frame()->toolbar()));
  EXPECT_TRUE(IsWindowVisible(App().frame()->status_bar()));
}

TEST_F(MainWindow, OpensTheFileOnTheCommandLineAndSavesItByteForByte) {
  std::string bytes;
  for (const auto& entry : RoundTripCorpus()) bytes += entry.bytes;
  bytes += std::string(100000, 'x');  // beyond the control's default limit
  TempFile file(L"kestil-start.htm", bytes);
  ASSERT_TRUE(Start(file.path()));
  EXPECT_EQ(Title(), L"kestil-start.htm - Kestil");
  EXPECT_EQ(Text(), bytes);
  EXPECT_FALSE(Doc().IsModified());
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(file.Read(), bytes);
  ASSERT_FALSE(App().recent_files().entries().empty());
}

TEST_F(MainWindow, AMissingFileEndsStartUpWithoutAWindow) {
  EXPECT_FALSE(Start(L"C:\\no\\such\\file.htm"));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"C:\\no\\such\\file.htm"), std::wstring::npos);
  EXPECT_EQ(ui_.captions[0], L"kestil");
  EXPECT_TRUE(App().frame()->hwnd() == nullptr || !IsWindowVisible(App().frame()->hwnd()));
}

TEST_F(MainWindow, EveryTagCommandThroughWmCommand) {
  ASSERT_TRUE(Start());
  for (int tag_case : {0, 1}) {
    App().m_TagStrType = tag_case;
    for (const TagCommand& c : TagCommands()) {
      for (bool selected : {false, true}) {
        const std::string before = "ab\x8A\xBF" "cd";
        View().edit().LoadRaw(before);
        View().edit().SetSel(2, selected ? 4 : 2);
        Command(c.id);
        std::string open = c.open;
        std::string close = c.close != nullptr ? c.close : "";
        if (tag_case) {
          open = cp932::UpperCased(open);
          close = cp932::UpperCased(close);
        }
        const std::string inner = c.wrap && selected ? "\x8A\xBF" : "";
        const std::string tail = selected ? "cd" : "\x8A\xBF" "cd";
        EXPECT_EQ(Text(), "ab" + open + inner + close + tail) << c.id;
        std::size_t caret = 2 + open.size() + inner.size() + close.size();
        if (c.caret == kCaretAfter) caret = 2 + open.size() - (open.back() == '"' ? 1 : 0);
        if (c.caret >= 0) caret = 2 + static_cast<std::size_t>(c.caret);
        EXPECT_EQ(Sel(), (Selection{caret, caret})) << c.id;
      }
    }
  }
  // Two of them spelled out.
  View().edit().LoadRaw("");
  App().m_TagStrType = 0;
  Command(ID_TABLE_BORDERCOLORLIGHT);
  EXPECT_EQ(Text(), "bordercolorlight=\"\"");
  EXPECT_EQ(Sel().start, 18u);
}

TEST_F(MainWindow, NewHtmlThenNewGivesAnEmptyDocument) {
  ASSERT_TRUE(Start());
  App().m_TagStrType = 1;
  Command(ID_FILE_NEW_HTML);
  EXPECT_EQ(Text(), HtmlSkeleton(1));
  EXPECT_EQ(Sel().start, 0u);
  EXPECT_FALSE(Doc().IsModified());
  EXPECT_EQ(App().m_NewDocKind, 1);
  Command(ID_FILE_NEW);
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(App().m_NewDocKind, 0);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(MainWindow, NewAskesFirstAndCancelKeepsTheText) {
  ASSERT_TRUE(Start());
  View().edit().ReplaceSel("edited");
  ASSERT_TRUE(Doc().IsModified());
  ui_.answers = {IDCANCEL};
  Command(ID_FILE_NEW_HTML);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0], L"無題 への変更を保存しますか?");
  EXPECT_EQ(Text(), "edited");
  ui_.answers = {IDNO};
  Command(ID_FILE_NEW_HTML);
  EXPECT_EQ(Text(), HtmlSkeleton(0));
}

TEST_F(MainWindow, AlwaysOnTopIsToggledCheckedAndKept) {
  ASSERT_TRUE(Start());
  EXPECT_FALSE(ExStyle() & WS_EX_TOPMOST);
  EXPECT_FALSE(ButtonChecked(ID_TOPMOST));
  Command(ID_TOPMOST);
  EXPECT_TRUE(ExStyle() & WS_EX_TOPMOST);
  EXPECT_TRUE(ButtonChecked(ID_TOPMOST));
  Restart();
  EXPECT_TRUE(ExStyle() & WS_EX_TOPMOST);
  EXPECT_TRUE(ButtonChecked(ID_TOPMOST));
  Command(ID_TOPMOST);
  EXPECT_FALSE(ExStyle() & WS_EX_TOPMOST);
  EXPECT_EQ(Registry().GetInt("Option", "m_TopMost", -1), 1);  // written at close only
  Close();
  EXPECT_EQ(Registry().GetInt("Option", "m_TopMost", -1), 0);
}

TEST_F(MainWindow, BarsHiddenThroughTheViewMenuStayHidden) {
  ASSERT_TRUE(Start());
  Command(ID_VIEW_TOOLBAR);
  EXPECT_FALSE(IsWindowVisible(App().frame()->toolbar()));
  Restart();
  EXPECT_FALSE(IsWindowVisible(App().frame()->toolbar()));
  EXPECT_TRUE(IsWindowVisible(App().frame()->status_bar()));
  Close();
  EXPECT_EQ(Registry().GetInt("Bar", "ToolBar", -1), 0);
  EXPECT_EQ(Registry().GetInt("Bar", "StatusBar", -1), 1);
  // Only the low byte counts: 256 hides, 257 shows.
  {
    auto r = Registry();
    r.WriteInt("Bar", "ToolBar", 257);
    r.WriteInt("Bar", "StatusBar", 256);
  }
  Start();
  EXPECT_TRUE(IsWindowVisible(App().frame()->toolbar()));
  EXPECT_FALSE(IsWindowVisible(App().frame()->status_bar()));
}

TEST_F(MainWindow, OptionsAreWrittenEvenWhenTheCloseIsCancelled) {
  ASSERT_TRUE(Start());
  App().m_TabStop = 7;
  App().m_RegStr[3] = "body\r\nline";
  View().edit().ReplaceSel("unsaved");
  ui_.answers = {IDCANCEL};
  Close();
  EXPECT_TRUE(IsWindow(Frame()));
  EXPECT_EQ(Registry().GetInt("Option", "m_TabStop", -1), 7);
  EXPECT_EQ(Registry().GetString("Option", "m_RegStr_03", ""), "body\r\nline");
  EXPECT_EQ(Registry().GetInt("Bar", "ToolBar", -1), 1);
  ui_.answers = {IDNO};
  Close();
  EXPECT_EQ(App().frame()->hwnd(), nullptr);
}

TEST_F(MainWindow, AFailedSaveLeavesTheOldFileAsItWas) {
  const std::string old_bytes = "old \x82\xA0 text\r\n";
  TempFile file(L"kestil-readonly.htm", old_bytes);
  ASSERT_TRUE(Start(file.path()));
  View().edit().SetSel(0, 0);
  View().edit().ReplaceSel("new ");
  SetFileAttributesW(file.path().c_str(), FILE_ATTRIBUTE_READONLY);
  ui_.save_path = file.path();  // Save As offered for a read-only file: same name
  Command(ID_FILE_SAVE);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"を保存できませんでした"), std::wstring::npos);
  EXPECT_EQ(file.Read(), old_bytes);
  EXPECT_TRUE(Doc().IsModified());
  // Nothing is left behind in the folder.
  WIN32_FIND_DATAW found{};
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  HANDLE h = FindFirstFileW((std::wstring(dir) + L"kst*.tmp").c_str(), &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(MainWindow, SaveAsNamesTheDocument) {
  ASSERT_TRUE(Start());
  View().edit().ReplaceSel("<p>\x93\xFA\x96\x7B</p>");
  TempFile target(L"kestil-saveas.htm", "");
  ui_.save_path = target.path();
  Command(ID_FILE_SAVE);
  ASSERT_EQ(ui_.save_requests.size(), 1u);
  EXPECT_EQ(ui_.save_requests[0].default_ext, L"txt");
  EXPECT_EQ(target.Read(), "<p>\x93\xFA\x96\x7B</p>");
  EXPECT_EQ(Title(), L"kestil-saveas.htm - Kestil");
  EXPECT_FALSE(Doc().IsModified());
}

TEST_F(MainWindow, RegistersTheDocumentTypeForTheUserOnly) {
  ASSERT_TRUE(Start());
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER,
                          L"Software\\Classes\\Kestil.Document\\shell\\open\\command", 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
  RegCloseKey(key);
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes\\.txt\\OpenWithProgids", 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(key, L"Kestil.Document", nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

}  // namespace
}  // namespace kestil::testing

namespace kestil::testing {
namespace {

class MainWindowInput : public AppTest {
 protected:
  std::string Text() { return View().edit().GetText(); }
  std::wstring MenuText(HMENU menu, int pos) {
    wchar_t text[512] = {};
    GetMenuStringW(menu, static_cast<UINT>(pos), text, 512, MF_BYPOSITION);
    return text;
  }
};

// Ctrl+N through the accelerator table, as the message loop translates it.
TEST_F(MainWindowInput, CtrlNMakesAPlainDocumentAfterNewHtml) {
  ASSERT_TRUE(Start());
  Command(ID_FILE_NEW_HTML);
  ASSERT_EQ(Text(), HtmlSkeleton(0));
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  MSG msg{Edit(), WM_KEYDOWN, 'N', 1, 0, {0, 0}};
  const int translated = TranslateAcceleratorW(Frame(), App().accelerators(), &msg);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_TRUE(translated);
  PumpPending();
  EXPECT_EQ(Text(), "");
}

TEST_F(MainWindowInput, RecentFilesReplaceThePlaceholder) {
  ASSERT_TRUE(Start());
  HMENU file = GetSubMenu(GetMenu(Frame()), 0);
  SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_EQ(MenuText(file, 9), L"最近使ったﾌｧｲﾙ");
  EXPECT_TRUE(GetMenuState(file, 9, MF_BYPOSITION) & MF_GRAYED);
  TempFile a(L"kestil-a&b.htm", "a");
  TempFile b(L"kestil-b.htm", "b");
  ASSERT_TRUE(App().OpenDocumentFile(a.path()));
  ASSERT_TRUE(App().OpenDocumentFile(b.path()));
  SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_EQ(MenuText(file, 9), L"&1 " + b.path());
  EXPECT_EQ(MenuText(file, 10), L"&2 " + a.path().substr(0, a.path().size() - 7) + L"a&&b.htm");
  EXPECT_EQ(GetMenuItemID(file, 10), static_cast<UINT>(ID_FILE_MRU_FIRST + 1));
  Command(ID_FILE_MRU_FIRST + 1);
  EXPECT_EQ(Text(), "a");
  // The list survives a restart.
  Restart();
  ASSERT_GE(App().recent_files().entries().size(), 2u);
}

TEST_F(MainWindowInput, DroppedFileIsOpened) {
  ASSERT_TRUE(Start());
  TempFile dropped(L"kestil-dropped.htm", "<p>dropped</p>");
  const std::wstring& path = dropped.path();
  const SIZE_T size = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  path.copy(reinterpret_cast<wchar_t*>(files + 1), path.size());
  GlobalUnlock(memory);
  SendMessageW(Frame(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  PumpPending();
  EXPECT_EQ(Text(), "<p>dropped</p>");
  EXPECT_EQ(Doc().path_name(), path);
}

TEST_F(MainWindowInput, TooltipsAreTheSecondPartOfThePrompt) {
  ASSERT_TRUE(Start());
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(App().frame()->toolbar(), TB_GETTOOLTIPS, 0, 0));
  info.hdr.idFrom = ID_TAG_TABLE;
  info.hdr.code = TTN_GETDISPINFOW;
  SendMessageW(Frame(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_EQ(std::wstring(info.lpszText), L"<table><tr><td></td></tr></table>");
}

}  // namespace
}  // namespace kestil::testing

namespace kestil::testing {
namespace {

// Where the drop-down menu of a toolbar button stands: a hook notes the menu
// window when it is made, closes it with Escape, and reads its place just
// before it goes.
POINT g_menu_at{-1, -1};
HHOOK g_hook = nullptr;
HWND g_owner = nullptr;
HWND g_menu = nullptr;

LRESULT CALLBACK CatchMenu(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lp);
    if (create->lpcs->lpszClass == MAKEINTATOM(0x8000)) {  // the menu window class
      g_menu = reinterpret_cast<HWND>(wp);
      PostMessageW(g_owner, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  } else if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wp) == g_menu) {
    RECT r{};
    GetWindowRect(g_menu, &r);
    g_menu_at = {r.left, r.top};
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

class DropDown : public AppTest {};

TEST_F(DropDown, MenusOpenJustBelowTheirButtons) {
  ASSERT_TRUE(Start());
  HWND tb = App().frame()->toolbar();
  for (UINT command : {32778u, 32830u}) {
    RECT r{};
    SendMessageW(tb, TB_GETRECT, command, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(tb, nullptr, reinterpret_cast<POINT*>(&r), 2);
    g_menu_at = {-1, -1};
    g_owner = Frame();
    g_hook = SetWindowsHookExW(WH_CBT, CatchMenu, nullptr, GetCurrentThreadId());
    NMTOOLBARW nm{};
    nm.hdr.hwndFrom = tb;
    nm.hdr.idFrom = GetDlgCtrlID(tb);
    nm.hdr.code = TBN_DROPDOWN;
    nm.iItem = static_cast<int>(command);
    const LRESULT result = SendMessageW(Frame(), WM_NOTIFY, nm.hdr.idFrom,
                                        reinterpret_cast<LPARAM>(&nm));
    UnhookWindowsHookEx(g_hook);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(g_menu_at.x, r.left - 1) << command;
    EXPECT_EQ(g_menu_at.y, r.bottom) << command;
  }
}

}  // namespace
}  // namespace kestil::testing

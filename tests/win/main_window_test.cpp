// The main window driven in the test process: start-up, files, recent files,
// options, bars, always on top, the new commands and closing.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fw/win.h"

#include "base/text16.h"
#include "corpus.h"
#include "res/resource.h"
#include "view/tag_commands.h"
#include "win/app_fixture.h"

namespace kestil::testing {
namespace {

class MainWindow : public AppTest {
 protected:
  DWORD ExStyle() { return static_cast<DWORD>(GetWindowLongPtrW(Frame(), GWL_EXSTYLE)); }
  fw::RegistryProfile Registry() { return fw::RegistryProfile(kRegistryMaker, L"kestil"); }
};

// The title marks a modified document. The table and font buttons have
// arrows of their own.
TEST_F(MainWindow, StartsWithAnEmptyPlainDocument) {
  ASSERT_TRUE(Start());
  HWND toolbar = App().frame()->toolbar();
  EXPECT_EQ(SendMessageW(toolbar, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS,
            TBSTYLE_EX_DRAWDDARROWS);
  for (const UINT id : {ID_TAG_TABLE, ID_TAG_FONT, ID_TAG_BR}) {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STYLE;
    SendMessageW(toolbar, TB_GETBUTTONINFOW, id, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ((info.fsStyle & BTNS_DROPDOWN) != 0, id != ID_TAG_BR) << id;
  }
  EXPECT_TRUE(IsWindowVisible(Frame()));
  EXPECT_EQ(Title(), L"無題 - Kestil");
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Edit(), WM_GETFONT, 0, 0)),
            App().m_EditFont.get());
  SendMessageW(Edit(), WM_CHAR, 'a', 1);
  Idle();
  EXPECT_EQ(Title(), L"*無題 - Kestil");
  SendMessageW(Edit(), WM_CHAR, VK_BACK, 1);
  Idle();
  EXPECT_EQ(Title(), L"無題 - Kestil");
}

// The editor's context menu is the edit menu, its items in their states.
TEST_F(MainWindow, TheEditorsContextMenuIsTheEditMenu) {
  ASSERT_TRUE(Start());
  View().edit().SetText(u"abc");
  View().edit().SetSel(0, 3);
  static std::vector<UINT> states;
  states.clear();
  // Once the menu shows, its items are read and it is closed.
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (popup == nullptr) return;
    KillTimer(nullptr, id);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (UINT cmd : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY}) states.push_back(GetMenuState(menu, cmd, MF_BYCOMMAND));
    EndMenu();
  });
  SendMessageW(Edit(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Edit()), MAKELPARAM(20, 20));
  ASSERT_EQ(states.size(), 3u);
  EXPECT_TRUE(states[0] & MF_GRAYED);  // nothing to undo
  EXPECT_FALSE(states[1] & MF_GRAYED);
  EXPECT_FALSE(states[2] & MF_GRAYED);
}

// The client area of a window as it shows on the screen, one COLORREF-like
// value per pixel.
std::vector<std::uint32_t> Pixels(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = r.right;
  info.bmiHeader.biHeight = -r.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  HDC screen = GetDC(hwnd);
  BitBlt(memory, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
  ReleaseDC(hwnd, screen);
  const auto* p = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(p, p + static_cast<std::size_t>(r.right) * r.bottom);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return pixels;
}

// The bars paint through a bitmap in memory. A repaint of one button shows
// what a repaint of the whole bar shows, also once the window has grown and
// the bitmap with it, and the bar's empty end shows the button face.
TEST_F(MainWindow, BarsPaintThroughMemoryAsOnTheScreen) {
  ASSERT_TRUE(Start());
  for (const bool grown : {false, true}) {
    if (grown) {
      RECT r{};
      GetWindowRect(Frame(), &r);
      SetWindowPos(Frame(), nullptr, 0, 0, r.right - r.left + 200, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER);
    }
    for (HWND bar : {App().frame()->toolbar(), App().frame()->status_bar()}) {
      RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      const std::vector<std::uint32_t> whole = Pixels(bar);
      RECT part{};
      if (bar == App().frame()->toolbar()) {
        SendMessageW(bar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&part));
      } else {
        SendMessageW(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
      }
      RedrawWindow(bar, &part, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      EXPECT_EQ(Pixels(bar), whole) << grown;
      RECT client{};
      GetClientRect(bar, &client);
      const COLORREF face = GetSysColor(COLOR_BTNFACE);
      const std::uint32_t end = whole[static_cast<std::size_t>(client.right) * 3 - 3];
      EXPECT_EQ(end, static_cast<std::uint32_t>(GetRValue(face) << 16 | GetGValue(face) << 8 |
                                                GetBValue(face)))
          << grown << std::hex << " " << end;
    }
  }
}

TEST_F(MainWindow, OpensTheFileOnTheCommandLineAndSavesItByteForByte) {
  std::string bytes;
  for (const auto& entry : RoundTripCorpus()) bytes += entry.bytes;
  bytes += std::string(100000, 'x');  // beyond the control's default limit
  TempFile file(L"kestil-start.htm", bytes);
  ASSERT_TRUE(Start(file.path()));
  EXPECT_EQ(Title(), L"kestil-start.htm - Kestil");
  EXPECT_FALSE(Doc().IsModified());
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(file.Read(), bytes);
}

// Each tag command reaches the insertion through WM_COMMAND, in both cases,
// wrapping a pair intact; the texts themselves are the native tests' business.
TEST_F(MainWindow, EveryTagCommandThroughWmCommand) {
  ASSERT_TRUE(Start());
  for (int tag_case : {0, 1}) {
    App().m_TagStrType = tag_case;
    for (const TagCommand& c : TagCommands()) {
      View().edit().SetText(u"a©𠮷b");
      View().edit().SetSel(1, 4);
      Command(c.id);
      std::u16string open = Widen(c.open);
      std::u16string close = c.close == nullptr ? u"" : Widen(c.close);
      if (tag_case != 0) {
        UpperAsciiInPlace(open);
        UpperAsciiInPlace(close);
      }
      EXPECT_EQ(Units(), u"a" + open + (c.wrap ? u"©𠮷" : u"") + close + u"b") << c.id;
    }
  }
}

// Size, place, always on top and the hidden toolbar come back at the next
// start (written at close only); a place off every monitor is left to the
// system.
TEST_F(MainWindow, TheWindowComesBackAsItWas) {
  ASSERT_TRUE(Start());
  ShowWindow(Frame(), SW_RESTORE);
  MoveWindow(Frame(), 40, 50, 500, 400, TRUE);
  Command(ID_TOPMOST);
  Command(ID_VIEW_TOOLBAR);
  Restart();
  RECT r{};
  GetWindowRect(Frame(), &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(r.bottom - r.top, 400);
  EXPECT_TRUE(ExStyle() & WS_EX_TOPMOST);
  EXPECT_FALSE(IsWindowVisible(App().frame()->toolbar()));
  EXPECT_TRUE(IsWindowVisible(App().frame()->status_bar()));
  Command(ID_TOPMOST);
  EXPECT_FALSE(ExStyle() & WS_EX_TOPMOST);
  EXPECT_EQ(Registry().GetInt("Option", "m_TopMost", -1), 1);
  ShowWindow(Frame(), SW_MAXIMIZE);
  Restart();
  EXPECT_TRUE(IsZoomed(Frame()));
  EXPECT_FALSE(ExStyle() & WS_EX_TOPMOST);
  Close();
  Registry().WriteInt("Window", "Left", 30000);
  Registry().WriteInt("Window", "Top", 30000);
  Registry().WriteInt("Window", "Maximized", 0);
  ASSERT_TRUE(Start());
  GetWindowRect(Frame(), &r);
  EXPECT_NE(MonitorFromRect(&r, MONITOR_DEFAULTTONULL), nullptr);
}

TEST_F(MainWindow, OptionsAreWrittenEvenWhenTheCloseIsCancelled) {
  ASSERT_TRUE(Start());
  App().m_TabStop = 7;
  App().m_RegStr[3] = u"body\r\nline";
  View().edit().ReplaceSel(u"unsaved");
  ui_.answers = {IDCANCEL};
  Close();
  EXPECT_TRUE(IsWindow(Frame()));
  EXPECT_EQ(Registry().GetInt("Option", "m_TabStop", -1), 7);
  EXPECT_EQ(Registry().GetString("Option", "m_RegStr_03", u""), u"body\r\nline");
  ui_.answers = {IDNO};
  Close();
  EXPECT_EQ(App().frame()->hwnd(), nullptr);
}

// Save As offers the web filter, chosen first with .htm, for an HTML page;
// New after New HTML gives an empty document.
TEST_F(MainWindow, SaveAsOffersHtmlForAPage) {
  ASSERT_TRUE(Start());
  auto save_as = [&] {
    ui_.save_requests.clear();
    Command(ID_FILE_SAVE_AS);
    return ui_.save_requests.at(0);
  };
  EXPECT_EQ(save_as().default_ext, L"txt");
  App().m_TagStrType = 1;
  Command(ID_FILE_NEW_HTML);
  EXPECT_EQ(Units(), HtmlSkeleton(1, PageCharset::kShiftJis).text);
  EXPECT_EQ(save_as().filter_index, 2);
  Command(ID_FILE_NEW);
  EXPECT_EQ(Text(), "");
  TempFile opened(L"kestil-page.HTML", "<p>");
  ASSERT_TRUE(App().OpenDocumentFile(opened.path()));
  EXPECT_EQ(save_as().default_ext, L"htm");
}

// The File menu shows a deep recent path shortened (the list keeps it whole).
TEST_F(MainWindow, DeepRecentPathsAreShortenedInTheFileMenu) {
  ASSERT_TRUE(Start());
  App().recent_files().Add(u"C:\\sites\\" + std::u16string(40, u'x') + u"\\pages\\表\\index.htm");
  HMENU file = GetSubMenu(GetMenu(Frame()), 0);
  SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  wchar_t text[512] = {};
  GetMenuStringW(file, ID_FILE_MRU_FIRST, text, 512, MF_BYCOMMAND);
  EXPECT_EQ(std::wstring(text), L"&1 C:\\...\\pages\\表\\index.htm");
}

}  // namespace
}  // namespace kestil::testing

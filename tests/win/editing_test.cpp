// The standard editing commands, the undo history, find and printing in the
// main window.
#include <gtest/gtest.h>

#include "fw/win.h"

#include <dlgs.h>

#include <cstdint>
#include <string>

#include "fw/printing.h"
#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

class Editing : public AppTest {
 protected:
  Selection Sel() { return View().edit().GetSel(); }
};

// Typing, a break, a command, cut, paste and backspace are one step each;
// the run rules themselves are the native tests' business.
TEST_F(Editing, HistoryWalksBackAndForthOneStepAtATime) {
  ASSERT_TRUE(Start());
  View().edit().SetClock([] { return 0u; });  // no pause, however slow the machine
  std::vector<std::string> states = {""};
  auto type = [&](const std::wstring& keys) {
    for (wchar_t c : keys) SendMessageW(Edit(), WM_CHAR, c, 1);
    states.push_back(Text());
  };
  type(L"漢字ab");
  type(L"\r");
  type(L"cd");
  Command(ID_TAG_BR);
  states.push_back(Text());
  View().edit().SetSel(0, 2);  // the two kanji
  Command(ID_EDIT_CUT);
  states.push_back(Text());
  View().edit().SetSel(Text().size(), Text().size());
  Command(ID_EDIT_PASTE);
  states.push_back(Text());
  type(L"\b");  // deletes the last character
  ASSERT_EQ(states.size(), 8u);
  EXPECT_EQ(states[7], "ab\r\ncd<br>\r\n\x8A\xBF");
  // Saved at the end: modified exactly when the text is not that state.
  Doc().SetModified(false);
  for (int i = 7; i > 0; --i) {
    EXPECT_EQ(Text(), states[i]) << i;
    EXPECT_EQ(Doc().IsModified(), i != 7) << i;
    Command(ID_EDIT_UNDO);
  }
  EXPECT_EQ(Text(), "");
  for (int i = 1; i <= 7; ++i) {
    Command(ID_EDIT_REDO);
    EXPECT_EQ(Text(), states[i]) << i;  // the paste gives back the cut kanji
  }
  EXPECT_FALSE(Doc().IsModified());
  Command(ID_FILE_NEW);  // a new document clears the history
  EXPECT_FALSE(View().edit().CanUndo());
}

class Search : public Editing {
 protected:
  // What the find and replace dialogs send to their owner.
  void Request(DWORD flags, const wchar_t* what, const wchar_t* with = nullptr) {
    wcscpy(what_, what);
    if (with != nullptr) wcscpy(with_, with);
    FINDREPLACEW fr{};
    fr.lStructSize = sizeof fr;
    fr.hwndOwner = Frame();
    fr.Flags = flags;
    fr.lpstrFindWhat = what_;
    fr.wFindWhatLen = 256;
    fr.lpstrReplaceWith = with != nullptr ? with_ : nullptr;
    fr.wReplaceWithLen = 256;
    SendMessageW(Frame(), RegisterWindowMessageW(FINDMSGSTRINGW), 0, reinterpret_cast<LPARAM>(&fr));
    PumpPending();
  }

  std::wstring StatusText() {
    wchar_t text[256] = {};
    SendMessageW(App().frame()->status_bar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
  }

  wchar_t what_[256] = {};
  wchar_t with_[256] = {};
};

TEST_F(Search, FindsOnlyRealCharactersNeverSecondBytes) {
  ASSERT_TRUE(Start());
  // 表 and ソ end with '\' in Shift_JIS.
  View().edit().SetText(Sjis("x\\\x95\x5C\x83\x5C\\\x83\x61" "a"));
  Request(FR_FINDNEXT | FR_DOWN, L"\\");
  EXPECT_EQ(Sel(), (Selection{1, 2}));
  Request(FR_FINDNEXT | FR_DOWN, L"\\");
  EXPECT_EQ(Sel(), (Selection{4, 5}));
  Request(FR_FINDNEXT | FR_DOWN, L"/");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0], L"「/」が見つかりません。");
  EXPECT_EQ(Sel(), (Selection{4, 5}));
  Request(FR_FINDNEXT, L"\\");  // up from there
  EXPECT_EQ(Sel(), (Selection{1, 2}));
  View().edit().SetSel(7, 7);
  Command(ID_EDIT_REPEAT);  // F3 repeats the last search, up
  EXPECT_EQ(Sel(), (Selection{4, 5}));
}

// Past the last match the search goes on from the other end and says so;
// the find field starts with one line of the selection; the dialog moves
// off the match; Replace All says how many, as one undo step.
TEST_F(Search, WrapsAroundMovesTheDialogOffAndCountsReplacements) {
  ASSERT_TRUE(Start());
  std::u16string text;
  for (int i = 0; i < 30; ++i) text += u"<td>cell</td>\r\n";
  View().edit().SetText(text);
  View().edit().SetSel(4, 19);  // "cell</td>\r\n<td"
  Command(ID_EDIT_FIND);
  HWND dialog = fw::ModelessDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(DialogDriver::Text(dialog, edt1), L"cell</td>");
  // On the first line: the search from the end finds it there.
  RECT edit{};
  GetWindowRect(Edit(), &edit);
  SetWindowPos(dialog, nullptr, edit.left, edit.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  View().edit().SetSel(text.size(), text.size());
  Request(FR_FINDNEXT | FR_DOWN, L"<td>cell");
  EXPECT_EQ(Sel(), (Selection{0, 8}));
  EXPECT_EQ(StatusText(), L"先頭から検索しました");
  EXPECT_TRUE(ui_.messages.empty());
  RECT moved{};
  GetWindowRect(dialog, &moved);
  EXPECT_GT(moved.top, edit.top + 2);  // below the first line now
  Request(FR_FINDNEXT | FR_DOWN, L"<td>cell");
  EXPECT_EQ(Sel(), (Selection{15, 23}));
  EXPECT_NE(StatusText(), L"先頭から検索しました");
  View().edit().SetSel(0, 0);
  Request(FR_FINDNEXT, L"</td>");  // up from the start: the last one
  EXPECT_EQ(Sel(), (Selection{text.size() - 7, text.size() - 2}));
  EXPECT_EQ(StatusText(), L"末尾から検索しました");

  Request(FR_REPLACEALL | FR_DOWN, L"cell", L"x");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0], L"30 個を置換しました。");
  EXPECT_EQ(Units().find(u"cell"), std::u16string::npos);
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(Units(), text);
  SendMessageW(dialog, WM_CLOSE, 0, 0);
  PumpPending();
}

// A page of some length: 120 lines of Japanese text with a tab in each.
std::string LongPage() {
  std::string text;
  for (int i = 1; i <= 120; ++i) {
    text += "<p>\x93\xFA\x96\x7B\x8C\xEA " + std::to_string(i) + "\t<a href=\"p.htm\">link</a></p>\r\n";
  }
  return text;
}

class Printing : public Editing {
 protected:
  HWND Preview() { return FindWindowW(L"KestilFramePreview", nullptr); }
  std::wstring PreviewTitle() {
    wchar_t text[256] = {};
    GetWindowTextW(Preview(), text, 256);
    return text;
  }
  // The preview of two A4 pages with a stand-in printer.
  void OpenPreview() {
    ui_.fake_printer = true;
    View().edit().SetText(Sjis(LongPage()));
    Command(ID_FILE_PRINT_PREVIEW);
  }
  void Click(int id) {
    SendMessageW(GetDlgItem(Preview(), id), BM_CLICK, 0, 0);
    PumpPending();
  }
  // A key as the message loop delivers it: to the window with the focus.
  void Key(UINT msg, WPARAM key) {
    PostMessageW(GetFocus(), msg, key, msg == WM_SYSCHAR ? 0x20000001 : 1);
    PumpPending();
  }
  int ScrollPos(int bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    GetScrollInfo(Preview(), bar, &si);
    return si.nPos;
  }
  bool HasScrollBar(LONG_PTR bar) { return (GetWindowLongPtrW(Preview(), GWL_STYLE) & bar) != 0; }
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

// The modal preview pages by its buttons and its keys wherever its focus
// is (with a stand-in printer): Tab goes from button to button past a greyed one, letters press the
// buttons they underline, with Alt or without; Escape closes it.
TEST_F(Printing, PreviewPagesByButtonsAndKeys) {
  ASSERT_TRUE(Start());
  OpenPreview();
  ASSERT_NE(Preview(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(Frame()));
  EXPECT_EQ(PreviewTitle(), L"印刷プレビュー - 1 / 2 ページ");
  HWND next = GetDlgItem(Preview(), IDC_PREVIEW_NEXT);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Preview(), IDC_PREVIEW_PREV)));
  Click(IDC_PREVIEW_NEXT);
  EXPECT_EQ(PreviewTitle(), L"印刷プレビュー - 2 / 2 ページ");
  EXPECT_FALSE(IsWindowEnabled(next));
  SendMessageW(Preview(), WM_KEYDOWN, VK_PRIOR, 0);
  EXPECT_EQ(PreviewTitle(), L"印刷プレビュー - 1 / 2 ページ");
  Key(WM_KEYDOWN, VK_TAB);
  Key(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), next);
  Key(WM_CHAR, L'n');  // 次ページ(&N)
  EXPECT_EQ(PreviewTitle(), L"印刷プレビュー - 2 / 2 ページ");
  EXPECT_EQ(GetFocus(), Preview());  // given back by the greyed button
  Key(WM_KEYDOWN, VK_TAB);
  Key(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(Preview(), IDC_PREVIEW_PREV));  // past the greyed 次ページ
  Key(WM_SYSCHAR, L'v');  // Alt+V: 前ページ(&V)
  EXPECT_EQ(PreviewTitle(), L"印刷プレビュー - 1 / 2 ページ");
  Click(IDC_PREVIEW_TWO);
  EXPECT_FALSE(IsWindowEnabled(next));  // both pages are shown
  Click(IDC_PREVIEW_TWO);

  // Zoomed in, the page scrolls by the wheel, the keys and dragging; at the
  // whole page there is nothing to scroll and Page Down turns the page.
  EXPECT_FALSE(HasScrollBar(WS_VSCROLL));
  for (int i = 0; i < 4; ++i) Click(IDC_PREVIEW_ZOOM_IN);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Preview(), IDC_PREVIEW_ZOOM_IN)));
  EXPECT_EQ(GetFocus(), Preview());  // not lost with the button that had it
  ASSERT_TRUE(HasScrollBar(WS_VSCROLL));
  ASSERT_TRUE(HasScrollBar(WS_HSCROLL));
  EXPECT_EQ(ScrollPos(SB_VERT), 0);  // the page from its top, centred
  EXPECT_GT(ScrollPos(SB_HORZ), 0);
  SendMessageW(Preview(), WM_HSCROLL, SB_LEFT, 0);
  SendMessageW(Preview(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(300, 300));
  const int wheeled = ScrollPos(SB_VERT);
  EXPECT_GT(wheeled, 0);
  Key(WM_KEYDOWN, VK_NEXT);
  const int y = ScrollPos(SB_VERT);
  EXPECT_GT(y, wheeled + 100);
  EXPECT_EQ(PreviewTitle(), L"印刷プレビュー - 1 / 2 ページ");
  SendMessageW(Preview(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
  SendMessageW(Preview(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 260));
  SendMessageW(Preview(), WM_LBUTTONUP, 0, MAKELPARAM(250, 260));
  EXPECT_EQ(ScrollPos(SB_HORZ), 50);
  EXPECT_EQ(ScrollPos(SB_VERT), y + 40);
  for (int i = 0; i < 4; ++i) Click(IDC_PREVIEW_ZOOM_OUT);
  EXPECT_FALSE(HasScrollBar(WS_VSCROLL));
  Key(WM_KEYDOWN, VK_NEXT);
  EXPECT_EQ(PreviewTitle(), L"印刷プレビュー - 2 / 2 ページ");

  Key(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(Preview(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(Frame()));
  EXPECT_EQ(GetActiveWindow(), Frame());
}

// A drawn page holds the text inside the margins and its number at the foot.
TEST(PrintJob, DrawsTheTextInsideTheMarginsAndThePageNumber) {
  constexpr int kWidth = 827;  // A4 at 100 dots per inch
  constexpr int kHeight = 1169;
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, kWidth, kHeight};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HFONT font = CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0,
                           0, L"FixedSys");
  fw::PrintJob job(Sjis(LongPage()), {dc, kWidth, kHeight, 100, 100}, font, 4);
  EXPECT_EQ(job.page_count(), 2);
  job.DrawPage(dc, 1);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  auto inked = [&](int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) n += (pixels[y * kWidth + x] & 0xFFFFFF) != 0xFFFFFF;
    }
    return n;
  };
  const int margin = 79;  // 20 mm at 100 dots per inch
  EXPECT_EQ(inked(0, 0, kWidth, margin - 1), 0);             // above the text
  EXPECT_EQ(inked(0, margin, margin - 1, kHeight - margin), 0);  // left of it
  EXPECT_GT(inked(margin, margin, kWidth - margin, margin + 40), 100);  // the first lines
  EXPECT_GT(inked(kWidth / 2 - 40, kHeight - margin, kWidth / 2 + 40, kHeight), 10);  // "- 2 -"
  SelectObject(dc, old);
  job.CloseDevice();
  DeleteObject(bitmap);
  DeleteObject(font);
}

}  // namespace
}  // namespace kestil::testing

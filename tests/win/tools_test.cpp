// The view's tools and file commands driven through their real dialogs.
#include <gtest/gtest.h>

#include <climits>

#include "fw/text.h"
#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

std::pair<DWORD, DWORD> Sel(HWND field) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

void Type(HWND field, wchar_t ch) { SendMessageW(field, WM_CHAR, ch, 1); }

void Paste(HWND field, const std::wstring& text) {
  OpenClipboard(field);
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  auto* p = static_cast<wchar_t*>(GlobalLock(memory));
  text.copy(p, text.size());
  p[text.size()] = 0;
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  SendMessageW(field, WM_PASTE, 0, 0);
}

class Tools : public AppTest {
 protected:
  Selection Caret() { return View().edit().GetSel(); }
};

TEST_F(Tools, SettingsFieldCorrectsItselfAsTheUserTypes) {
  ASSERT_TRUE(Start());
  DialogDriver driver;
  driver.Then([](HWND dlg) {
    HWND field = GetDlgItem(dlg, IDC_TABSTOP);
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"4");
    EXPECT_EQ(SendDlgItemMessageW(dlg, IDC_TAGTYPE_LOWER, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageW(dlg, IDC_TABSTOP_SPIN, UDM_GETRANGE, 0, 0), 0x20008);
    // Clearing shows 2, all selected, so the next digit replaces it.
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, WM_CLEAR, 0, 0);
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"2");
    EXPECT_EQ(Sel(field), std::make_pair(0ul, 1ul));
    Type(field, L'1');  // over the selected 2: below the minimum
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"2");
    EXPECT_EQ(Sel(field), std::make_pair(0ul, 1ul));
    Type(field, L'5');
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"5");
    Type(field, L'9');  // "59"
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"8");
    EXPECT_EQ(Sel(field), std::make_pair(1ul, 1ul));
    SendMessageW(field, EM_SETSEL, 0, -1);
    Paste(field, L"05");
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"5");
    // The up arrow steps within the range: 5 becomes 6; 8 stays 8.
    SendMessageW(field, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"6");
    SetWindowTextW(field, L"8");
    SendMessageW(field, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"8");
    SetWindowTextW(field, L"5");
    CheckRadioButton(dlg, IDC_TAGTYPE_LOWER, IDC_TAGTYPE_UPPER, IDC_TAGTYPE_UPPER);
    DialogDriver::Click(dlg, IDOK);
  });
  Command(ID_SETTING);
  ASSERT_TRUE(driver.all_done());
  EXPECT_EQ(driver.captions().front(), L"設定");
  EXPECT_EQ(App().m_TabStop, 5);
  EXPECT_EQ(App().m_TagStrType, 1);
  Command(ID_TAG_HR);
  EXPECT_EQ(Text(), "<HR>\r\n");
  Close();
  EXPECT_EQ(fw::RegistryProfile(kRegistryMaker, L"kestil").GetInt("Option", "m_TagStrType", -1), 1);
}

class Jump : public Tools {
 protected:
  // Runs the jump dialog with the two fields; extra actions answer the
  // validation messages' retries.
  void JumpTo(const std::wstring& line, const std::wstring& column) {
    DialogDriver driver;
    driver.Then([&](HWND dlg) {
      HWND line_field = GetDlgItem(dlg, IDC_JUMP_LINE);
      EXPECT_TRUE(PumpUntil([&] { return GetFocus() == line_field; }));
      EXPECT_EQ(Sel(line_field), std::make_pair(0ul, 1ul));
      EXPECT_EQ(DialogDriver::Text(dlg, IDC_JUMP_COLUMN), L"1");
      DialogDriver::SetText(dlg, IDC_JUMP_LINE, line);
      DialogDriver::SetText(dlg, IDC_JUMP_COLUMN, column);
      const std::size_t shown = ui_.messages.size();
      DialogDriver::Click(dlg, IDOK);
      if (ui_.messages.size() != shown) DialogDriver::Click(dlg, IDCANCEL);  // refused: give up
    });
    Command(ID_JUMP);
    ASSERT_TRUE(driver.all_done());
  }
};

TEST_F(Jump, LinesColumnsAndMessages) {
  ASSERT_TRUE(Start());
  View().edit().SetText(Sjis("one\r\n\x82\xA0\x82\xA2xy\r\n0123456789\r\n"));
  View().edit().SetSel(2, 4);
  JumpTo(L"2", L"3");  // あ takes columns 1 and 2
  EXPECT_EQ(Caret(), (Selection{6, 6}));
  JumpTo(L"3", L"1000");
  EXPECT_EQ(Caret(), (Selection{21, 21}));
  JumpTo(L"4", L"1");
  EXPECT_EQ(Caret(), (Selection{23, 23}));
  EXPECT_TRUE(ui_.messages.empty());
  JumpTo(L"5", L"1");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0], L"指定した行数は存在しません");
  EXPECT_EQ(Caret(), (Selection{23, 23}));
  ui_.messages.clear();
  JumpTo(L"", L"x");
  JumpTo(L"99999999999", L"1");
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0], L"整数を入力してください。");
  EXPECT_EQ(ui_.messages[1], L"1 から 2147483647 までの整数を入力してください。");
  EXPECT_EQ(Caret(), (Selection{23, 23}));
}

}  // namespace
}  // namespace kestil::testing

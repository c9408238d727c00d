// The settings and jump dialogs driven through their windows.
#include <gtest/gtest.h>

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

class Tools : public AppTest {};

TEST_F(Tools, SettingsFieldCorrectsItselfAsTheUserTypes) {
  ASSERT_TRUE(Start());
  DialogDriver driver;
  driver.Then([](HWND dlg) {
    HWND field = GetDlgItem(dlg, IDC_TABSTOP);
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"4");
    // Cleared, it shows the minimum 2, selected, so the next digit replaces
    // it; "59" is over the maximum.
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, WM_CLEAR, 0, 0);
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"2");
    for (wchar_t c : {L'5', L'9'}) SendMessageW(field, WM_CHAR, c, 1);
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"8");
    SetWindowTextW(field, L"5");
    CheckRadioButton(dlg, IDC_TAGTYPE_LOWER, IDC_TAGTYPE_UPPER, IDC_TAGTYPE_UPPER);
    DialogDriver::Click(dlg, IDOK);
  });
  Command(ID_SETTING);
  ASSERT_TRUE(driver.all_done());
  EXPECT_EQ(App().m_TabStop, 5);
  Command(ID_TAG_HR);
  EXPECT_EQ(Text(), "<HR>\r\n");
}

class Jump : public Tools {
 protected:
  // Runs the jump dialog; a refused entry is given up with Cancel.
  void JumpTo(const std::wstring& line, const std::wstring& column) {
    DialogDriver driver;
    driver.Then([&](HWND dlg) {
      HWND line_field = GetDlgItem(dlg, IDC_JUMP_LINE);
      EXPECT_TRUE(PumpUntil([&] { return GetFocus() == line_field; }));
      EXPECT_EQ(Sel(line_field), std::make_pair(0ul, 1ul));
      DialogDriver::SetText(dlg, IDC_JUMP_LINE, line);
      DialogDriver::SetText(dlg, IDC_JUMP_COLUMN, column);
      const std::size_t shown = ui_.messages.size();
      DialogDriver::Click(dlg, IDOK);
      if (ui_.messages.size() != shown) DialogDriver::Click(dlg, IDCANCEL);
    });
    Command(ID_JUMP);
    ASSERT_TRUE(driver.all_done());
  }
  Selection Caret() { return View().edit().GetSel(); }
};

TEST_F(Jump, LinesColumnsAndMessages) {
  ASSERT_TRUE(Start());
  View().edit().SetText(Sjis("one\r\n\x82\xA0\x82\xA2xy\r\n0123456789\r\n"));
  JumpTo(L"3", L"1000");
  EXPECT_EQ(Caret(), (Selection{21, 21}));
  EXPECT_TRUE(ui_.messages.empty());
  JumpTo(L"5", L"1");
  JumpTo(L"99999999999", L"1");
  EXPECT_EQ(ui_.messages, (std::vector<std::wstring>{
                              L"指定した行数は存在しません",
                              L"1 から 2147483647 までの整数を入力してください。"}));
  EXPECT_EQ(Caret(), (Selection{21, 21}));
}

}  // namespace
}  // namespace kestil::testing

// The gradient dialog, driven through its window.
#include <gtest/gtest.h>

#include "gradient/gradient.h"
#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

void SelectLine(HWND dlg, int i) {
  SendDlgItemMessageW(dlg, IDC_GRAD_LIST, LB_SETCURSEL, i, 0);
  SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_GRAD_LIST, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_GRAD_LIST)));
}

class Gradient : public AppTest {
 protected:
  fw::RegistryProfile Registry() { return fw::RegistryProfile(kRegistryMaker, L"kestil"); }
  // Stores the current pair under title through the title dialog.
  static void Register(DialogDriver& driver, HWND dlg, const std::wstring& title) {
    driver.Then([title](HWND t) {
      DialogDriver::SetText(t, IDC_TITLE_TEXT, title);
      DialogDriver::Click(t, IDOK);
    });
    DialogDriver::Click(dlg, IDC_GRAD_REGISTER);
  }
};

// Typed over the last text, the labels' mnemonics leading to their
// controls, a pair registered by its key: OK inserts the markup, with the
// tags' case, and keeps the text.
TEST_F(Gradient, KeysAndOkInsertTheMarkup) {
  Registry().WriteString("Dialog\\Grad", "DefStr", u"old");
  ASSERT_TRUE(Start());
  DialogDriver driver;
  driver.Then([&driver](HWND dlg) {
    for (wchar_t c : std::wstring(L"abc")) DialogDriver::Type(dlg, c);  // c: キャンセル(&C) on a button
    DialogDriver::Alt(dlg, L's');
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_GRAD_START));
    DialogDriver::Alt(dlg, L'l');
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_GRAD_LIST));
    DialogDriver::Alt(dlg, L't');
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_GRAD_TEXT));
    driver.Then([](HWND title) {  // 登録(&R) asks for a title
      DialogDriver::Type(title, L'c');
      DialogDriver::Click(title, IDOK);
    });
    DialogDriver::Alt(dlg, L'r');
    DialogDriver::Click(dlg, IDC_GRAD_OK);
  });
  App().m_TagStrType = 1;
  Command(ID_GRADIENT);
  ASSERT_TRUE(driver.all_done());
  EXPECT_EQ(Units(), GradientMarkup(u"abc", kRed, kBlue, 1));
  EXPECT_EQ(Registry().GetString("Dialog\\Grad", "DefStr", u"?"), u"abc");
  EXPECT_EQ(Registry().GetString("Dialog\\Grad", "m_RegTitle_00", u"?"), u"c");
}

TEST_F(Gradient, StoringChoosingAndDeletingPairs) {
  ASSERT_TRUE(Start());
  DialogDriver driver;
  ui_.colors = {RGB(1, 2, 3), RGB(4, 5, 6)};
  driver.Then([&](HWND dlg) {
    Register(driver, dlg, L"a");  // red to blue
    DialogDriver::Click(dlg, IDC_GRAD_START);
    DialogDriver::Click(dlg, IDC_GRAD_END);
    Register(driver, dlg, L"b");  // (1, 2, 3) to (4, 5, 6)
    Register(driver, dlg, L"c");
    DialogDriver::Click(dlg, IDCANCEL);  // the pairs are kept all the same
  });
  Command(ID_GRADIENT);
  EXPECT_EQ(Registry().GetInt("Dialog\\Grad", "m_RegCount", -1), 3);
  EXPECT_EQ(Registry().GetInt("Dialog\\Grad", "m_RegStColor_01", -1), static_cast<int>(RGB(1, 2, 3)));

  driver.Then([&](HWND dlg) {
    ASSERT_EQ(SendDlgItemMessageW(dlg, IDC_GRAD_LIST, LB_GETCOUNT, 0, 0), 3);
    SelectLine(dlg, 0);
    DialogDriver::Click(dlg, IDC_GRAD_DELETE);
    SelectLine(dlg, 0);  // now b: (1, 2, 3) to (4, 5, 6)
    DialogDriver::SetText(dlg, IDC_GRAD_TEXT, L"xy");
    DialogDriver::Click(dlg, IDC_GRAD_OK);
  });
  Command(ID_GRADIENT);
  EXPECT_EQ(Units(), GradientMarkup(u"xy", RGB(1, 2, 3), RGB(4, 5, 6), 0));
  EXPECT_EQ(Registry().GetInt("Dialog\\Grad", "m_RegCount", -1), 2);
  EXPECT_EQ(Registry().GetString("Dialog\\Grad", "m_RegTitle_00", u""), u"b");
  EXPECT_EQ(Registry().GetString("Dialog\\Grad", "m_RegTitle_01", u""), u"c");
}

}  // namespace
}  // namespace kestil::testing

// Colour insertion and the gradient dialog, driven through their windows.
#include <gtest/gtest.h>

#include "gradient/gradient.h"
#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

// The colour in the middle of a control, as drawn.
COLORREF Center(HWND control) {
  UpdateWindow(control);
  RECT r{};
  GetClientRect(control, &r);
  HDC dc = GetDC(control);
  const COLORREF c = GetPixel(dc, r.right / 2, r.bottom / 2);
  ReleaseDC(control, dc);
  return c;
}

std::wstring ListLine(HWND dlg, int i) {
  wchar_t text[256] = {};
  SendDlgItemMessageW(dlg, IDC_GRAD_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
  return text;
}

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

TEST_F(Gradient, FirstOpeningThenTypingAbcInsertsTheWorkedExample) {
  ASSERT_TRUE(Start());
  DialogDriver driver;
  driver.Then([](HWND dlg) {
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_GRAD_TEXT), L"");
    EXPECT_EQ(SendDlgItemMessageW(dlg, IDC_GRAD_LIST, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(Center(GetDlgItem(dlg, IDC_GRAD_START)), RGB(255, 0, 0));
    EXPECT_EQ(Center(GetDlgItem(dlg, IDC_GRAD_END)), RGB(0, 0, 255));
    DialogDriver::SetText(dlg, IDC_GRAD_TEXT, L"abc");
    DialogDriver::Click(dlg, IDC_GRAD_OK);
  });
  Command(ID_GRADIENT);
  ASSERT_TRUE(driver.all_done());
  EXPECT_EQ(driver.captions()[0], L"文字グラデーション挿入");
  EXPECT_EQ(Text(),
            "<font color=\"#ff0000\">a</font><font color=\"#7f007f\">b</font>"
            "<font color=\"#0000ff\">c</font>");
  EXPECT_EQ(Registry().GetString("Dialog\\Grad", "DefStr", u"?"), u"abc");
  // A colour picked just before OK is the one inserted.
  View().edit().SetText(Sjis(""));
  ui_.colors = {RGB(0, 255, 0)};
  driver.Then([](HWND dlg) {
    DialogDriver::Click(dlg, IDC_GRAD_END);
    DialogDriver::Click(dlg, IDC_GRAD_OK);
  });
  Command(ID_GRADIENT);
  EXPECT_EQ(Units(), GradientMarkup(u"abc", kRed, RGB(0, 255, 0), 0));
}

// With upper-case tags the markup is in capitals, colour digits included;
// what the user typed goes in as typed.
TEST_F(Gradient, UpperCaseTagsKeepTheTypedText) {
  ASSERT_TRUE(Start());
  App().m_TagStrType = 1;
  DialogDriver driver;
  driver.Then([](HWND dlg) {
    DialogDriver::SetText(dlg, IDC_GRAD_TEXT, L"hello表");
    DialogDriver::Click(dlg, IDC_GRAD_OK);
  });
  Command(ID_GRADIENT);
  ASSERT_TRUE(driver.all_done());
  EXPECT_EQ(Text(),
            "<FONT COLOR=\"#FF0000\">h</FONT><FONT COLOR=\"#CC0033\">e</FONT>"
            "<FONT COLOR=\"#990066\">l</FONT><FONT COLOR=\"#660099\">l</FONT>"
            "<FONT COLOR=\"#3300CC\">o</FONT><FONT COLOR=\"#0000FF\">\x95\x5C</FONT>");
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
    EXPECT_EQ(ListLine(dlg, 2), L"c");
    DialogDriver::Click(dlg, IDCANCEL);  // the pairs are kept all the same
  });
  Command(ID_GRADIENT);
  EXPECT_EQ(Registry().GetInt("Dialog\\Grad", "m_RegCount", -1), 3);
  EXPECT_EQ(Registry().GetString("Dialog\\Grad", "m_RegTitle_02", u""), u"c");
  EXPECT_EQ(Registry().GetInt("Dialog\\Grad", "m_RegStColor_01", -1), static_cast<int>(RGB(1, 2, 3)));

  driver.Then([&](HWND dlg) {
    ASSERT_EQ(SendDlgItemMessageW(dlg, IDC_GRAD_LIST, LB_GETCOUNT, 0, 0), 3);
    SelectLine(dlg, 0);  // red to blue again
    EXPECT_EQ(Center(GetDlgItem(dlg, IDC_GRAD_START)), RGB(255, 0, 0));
    DialogDriver::Click(dlg, IDC_GRAD_DELETE);
    EXPECT_EQ(SendDlgItemMessageW(dlg, IDC_GRAD_LIST, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(ListLine(dlg, 0), L"b");
    SelectLine(dlg, 0);  // (1, 2, 3) to (4, 5, 6)
    DialogDriver::SetText(dlg, IDC_GRAD_TEXT, L"xy");
    DialogDriver::Click(dlg, IDC_GRAD_OK);
  });
  Command(ID_GRADIENT);
  EXPECT_EQ(Units(), GradientMarkup(u"xy", RGB(1, 2, 3), RGB(4, 5, 6), 0));
  EXPECT_EQ(Registry().GetInt("Dialog\\Grad", "m_RegCount", -1), 2);
  EXPECT_EQ(Registry().GetString("Dialog\\Grad", "m_RegTitle_00", u""), u"b");
  EXPECT_EQ(Registry().GetString("Dialog\\Grad", "m_RegTitle_01", u""), u"c");
  EXPECT_EQ(Registry().GetString("Dialog\\Grad", "m_RegTitle_02", u""), u"c");  // stale, unread
}

}  // namespace
}  // namespace kestil::testing

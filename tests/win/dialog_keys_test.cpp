// The keyboard in the program's dialogs, each key handled as the dialog's own
// loop handles it: where the caret is when a dialog opens, where typing goes,
// and where each label's mnemonic leads.
#include <gtest/gtest.h>

#include "gradient/gradient.h"
#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

void Press(HWND dialog, UINT msg, wchar_t ch) {
  // Keys outside the dialog would reach the main window (and its menus).
  ASSERT_TRUE(IsChild(dialog, GetFocus())) << "the focus is outside the dialog";
  MSG m{GetFocus(), msg, ch, msg == WM_SYSCHAR ? 0x20000001 : 1, 0, {}};  // bit 29: Alt is down
  if (!IsDialogMessageW(dialog, &m)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// A character typed; on a button it would be taken as a mnemonic.
void Type(HWND dialog, wchar_t ch) { Press(dialog, WM_CHAR, ch); }
void Alt(HWND dialog, wchar_t letter) { Press(dialog, WM_SYSCHAR, letter); }

class DialogKeys : public AppTest {};

TEST_F(DialogKeys, GradientAndTitleDialogsStartInTheirTextAndLabelsLeadToTheirControls) {
  fw::RegistryProfile(kRegistryMaker, L"kestil").WriteString("Dialog\\Grad", "DefStr", u"abc");
  ASSERT_TRUE(Start());
  DialogDriver driver;
  driver.Then([&driver](HWND dlg) {
    HWND text = GetDlgItem(dlg, IDC_GRAD_TEXT);
    Type(dlg, L'c');  // over the last text; キャンセル(&C) if the focus were on a button
    ASSERT_EQ(DialogDriver::Text(dlg, IDC_GRAD_TEXT), L"c");
    Alt(dlg, L's');
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_GRAD_START));
    Alt(dlg, L'l');
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_GRAD_LIST));
    Alt(dlg, L't');
    EXPECT_EQ(GetFocus(), text);
    // 登録(&R) asks for a title in a dialog of its own.
    driver.Then([](HWND title) {
      Type(title, L'c');
      ASSERT_EQ(DialogDriver::Text(title, IDC_TITLE_TEXT), L"c");
      DialogDriver::Click(title, IDOK);
    });
    Alt(dlg, L'r');
    EXPECT_EQ(SendDlgItemMessageW(dlg, IDC_GRAD_LIST, LB_GETCOUNT, 0, 0), 1);
    DialogDriver::Click(dlg, IDC_GRAD_OK);
  });
  Command(ID_GRADIENT);
  ASSERT_TRUE(driver.all_done());
  EXPECT_EQ(Units(), GradientMarkup(u"c", kRed, kBlue, 0));
}

TEST_F(DialogKeys, SnippetDialogsStartInTheirFieldsAndLabelsLeadToThem) {
  ASSERT_TRUE(Start());
  App().m_RegTitle[0] = u"abc";
  DialogDriver driver;
  driver.Then([&driver](HWND list) {
    HWND lines = GetDlgItem(list, IDC_REGSTR_LIST);
    SendMessageW(list, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(list, IDOK)), TRUE);
    Alt(list, L'l');
    EXPECT_EQ(GetFocus(), lines);
    driver.Then([](HWND edit) {
      Type(edit, L'c');  // over the selected title
      ASSERT_EQ(DialogDriver::Text(edit, IDC_REGSTR_TITLE), L"c");
      Alt(edit, L's');
      Type(edit, L'x');
      EXPECT_EQ(DialogDriver::Text(edit, IDC_REGSTR_BODY), L"x");
      DialogDriver::Click(edit, IDOK);
    });
    Alt(list, L'e');
    DialogDriver::Click(list, IDOK);
  });
  Command(ID_REGSTR_SETTING);
  ASSERT_TRUE(driver.all_done());
  EXPECT_EQ(App().m_RegTitle[0], u"c");
  EXPECT_EQ(App().m_RegStr[0], u"x");
}

}  // namespace
}  // namespace kestil::testing

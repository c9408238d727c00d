// The snippet slots: their menu, their insertion and their dialogs.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

class Snippets : public AppTest {
 protected:
  std::wstring ItemText(UINT id) {
    HMENU menu = GetSubMenu(GetMenu(Frame()), 5);
    SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 5);
    wchar_t text[256] = {};
    GetMenuStringW(menu, id, text, 256, MF_BYCOMMAND);
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED ? L"grayed " : L"") + std::wstring(text);
  }
};

// Slot 11 edited by keys through the list and edit dialogs (each label's
// mnemonic leads to its field) shows in the menu and goes in verbatim.
TEST_F(Snippets, EditedSlotShowsAndInsertsVerbatim) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(ItemText(ID_REGSTR_0 + 15), L"grayed 未登録(&F)");
  App().m_RegTitle[11] = u"old";
  const std::wstring body = L"<TABLE>\r\n<TR><TD></TD></TR>\r\n</table>";
  DialogDriver driver;
  driver.Then([&](HWND list) {
    SendDlgItemMessageW(list, IDC_REGSTR_LIST, LB_SETCURSEL, 11, 0);
    SendMessageW(list, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(list, IDOK)), TRUE);
    DialogDriver::Alt(list, L'l');
    EXPECT_EQ(GetFocus(), GetDlgItem(list, IDC_REGSTR_LIST));
    driver.Then([&](HWND edit) {
      for (wchar_t c : std::wstring(L"テーブル")) DialogDriver::Type(edit, c);  // over the old title
      DialogDriver::Alt(edit, L's');
      EXPECT_EQ(GetFocus(), GetDlgItem(edit, IDC_REGSTR_BODY));
      DialogDriver::SetText(edit, IDC_REGSTR_BODY, body);
      DialogDriver::Alt(edit, L't');
      EXPECT_EQ(GetFocus(), GetDlgItem(edit, IDC_REGSTR_TITLE));
      DialogDriver::Click(edit, IDOK);
    });
    DialogDriver::Alt(list, L'e');
    DialogDriver::Click(list, IDOK);
  });
  Command(ID_REGSTR_SETTING);
  ASSERT_TRUE(driver.all_done());
  EXPECT_EQ(ItemText(ID_REGSTR_0 + 11), L"テーブル(&B)");
  App().m_TagStrType = 1;  // upper-case tags leave a snippet alone
  View().edit().SetText(Sjis("ab"));
  View().edit().SetSel(1, 1);
  Command(ID_REGSTR_0 + 11);
  const std::string text = "<TABLE>\r\n<TR><TD></TD></TR>\r\n</table>";
  EXPECT_EQ(Text(), "a" + text + "b");
  EXPECT_EQ(View().edit().GetSel(), (Selection{1 + text.size(), 1 + text.size()}));
}

}  // namespace
}  // namespace kestil::testing

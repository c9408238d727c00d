// The sixteen snippet slots: their menu, their insertion and their dialogs.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

class Snippets : public AppTest {
 protected:
  HMENU SnippetMenu() {
    HMENU menu = GetSubMenu(GetMenu(Frame()), 5);
    SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 5);
    return menu;
  }
  std::wstring ItemText(UINT id) {
    wchar_t text[256] = {};
    GetMenuStringW(SnippetMenu(), id, text, 256, MF_BYCOMMAND);
    return text;
  }
  bool ItemEnabled(UINT id) {
    return !(GetMenuState(SnippetMenu(), id, MF_BYCOMMAND) & MF_GRAYED);
  }

  // Opens the list dialog, edits slot n with the given fields (or cancels),
  // and closes the list with Escape.
  void EditSlot(int n, const std::wstring& title, const std::wstring& body, bool accept = true) {
    DialogDriver driver;
    std::wstring line_after;
    driver.Then([&](HWND list) {
      EXPECT_EQ(SendDlgItemMessageW(list, IDC_REGSTR_LIST, LB_GETCOUNT, 0, 0), 16);
      SendDlgItemMessageW(list, IDC_REGSTR_LIST, LB_SETCURSEL, n, 0);
      DialogDriver::Click(list, IDC_REGSTR_EDIT);
      wchar_t line[256] = {};
      SendDlgItemMessageW(list, IDC_REGSTR_LIST, LB_GETTEXT, n, reinterpret_cast<LPARAM>(line));
      line_after = line;
      DialogDriver::Key(GetDlgItem(list, IDC_REGSTR_LIST), VK_ESCAPE);
    });
    driver.Then([&](HWND edit) {
      EXPECT_EQ(SendDlgItemMessageW(edit, IDC_REGSTR_BODY, WM_GETFONT, 0, 0),
                reinterpret_cast<LRESULT>(App().m_EditFont.get()));
      DialogDriver::SetText(edit, IDC_REGSTR_TITLE, title);
      DialogDriver::SetText(edit, IDC_REGSTR_BODY, body);
      DialogDriver::Click(edit, accept ? IDOK : IDCANCEL);
    });
    Command(ID_REGSTR_SETTING);
    EXPECT_EQ(driver.captions(), (std::vector<std::wstring>{L"登録文字編集", L"文字（文章）登録"}));
    EXPECT_EQ(line_after == title, accept);
  }
};

TEST_F(Snippets, EditedSlotShowsAndInsertsVerbatim) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(ItemText(ID_REGSTR_0 + 15), L"未登録(&F)");
  EXPECT_FALSE(ItemEnabled(ID_REGSTR_0 + 15));
  EditSlot(11, L"テーブル", L"<TABLE>\r\n<TR><TD></TD></TR>\r\n</TABLE>");
  EXPECT_EQ(ItemText(ID_REGSTR_0 + 11), L"テーブル(&B)");
  EXPECT_TRUE(ItemEnabled(ID_REGSTR_0 + 11));
  EXPECT_EQ(App().m_RegTitle[11], u"テーブル");
  App().m_TagStrType = 0;
  View().edit().SetText(Sjis("ab"));
  View().edit().SetSel(1, 1);
  Command(ID_REGSTR_0 + 11);
  const std::string body = "<TABLE>\r\n<TR><TD></TD></TR>\r\n</TABLE>";
  EXPECT_EQ(Text(), "a" + body + "b");
  EXPECT_EQ(View().edit().GetSel(), (Selection{1 + body.size(), 1 + body.size()}));
  // Small letters stay small in upper case.
  EditSlot(2, L"", L"<br>");
  EXPECT_EQ(ItemText(ID_REGSTR_0 + 2), L"(&2)");
  EXPECT_TRUE(ItemEnabled(ID_REGSTR_0 + 2));
  App().m_TagStrType = 1;
  View().edit().SetText(Sjis(""));
  Command(ID_REGSTR_0 + 2);
  EXPECT_EQ(Text(), "<br>");
}

}  // namespace
}  // namespace kestil::testing

// The menus, accelerators, toolbar and strings as the program loads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/main_frame.h"
#include "fw/command.h"
#include "res/resource.h"
#include "win/app_fixture.h"

namespace kestil::testing {
namespace {

// Collects the command ids of a menu and its pop-ups, and the pop-ups' titles.
void Collect(HMENU menu, std::vector<UINT>& ids, std::wstring& titles) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 256;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    if (info.hSubMenu != nullptr) {
      titles += std::wstring(text) + L"|";
      Collect(info.hSubMenu, ids, titles);
    } else if (!(info.fType & MFT_SEPARATOR)) {
      ids.push_back(info.wID);
    }
  }
}

struct ProbeUi : fw::CmdUI {
  using fw::CmdUI::CmdUI;
  void Enable(bool) override {}
  void SetCheck(bool) override {}
  void SetText(const std::wstring&) override {}
};

class ResourcesTest : public AppTest {};

// A command in a menu, a drop-down or the toolbar always reaches a handler.
TEST_F(ResourcesTest, EveryMenuItemAndButtonHasAHandler) {
  ASSERT_TRUE(Start());
  std::vector<UINT> ids;
  std::wstring titles;
  for (UINT menu_id : {IDR_MAINFRAME, IDR_TABLE_MENU, IDR_FONT_MENU}) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menu_id));
    Collect(menu, ids, titles);
    DestroyMenu(menu);
  }
  EXPECT_EQ(titles,
            L"ﾌｧｲﾙ(&F)|編集(&E)|検索(&S)|表示(&V)|ﾀｸﾞ挿入(&T)|フォント(&F)|テーブル(&T)|"
            L"登録文字(&R)|ﾍﾙﾌﾟ(&H)| | |");
  EXPECT_EQ(ids.size(), 101u);
  // The keys: Ctrl+A C F H J N O Q S V X Y Z, Alt+Backspace, Shift+Delete,
  // F3, Ctrl+Insert and Shift+Insert.
  HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
  ACCEL keys[32];
  const int n = CopyAcceleratorTableW(table, keys, 32);
  std::string letters;
  for (int i = 0; i < n; ++i) {
    const bool ctrl_letter = (keys[i].fVirt & ~FNOINVERT) == (FVIRTKEY | FCONTROL) && keys[i].key >= 'A';
    if (ctrl_letter) letters += static_cast<char>(keys[i].key);
    ids.push_back(keys[i].cmd);
  }
  EXPECT_EQ(n, 18);
  EXPECT_EQ(letters, "ACFHJNOQSVXZY");
  HWND tb = App().frame()->toolbar();
  for (int i = 0; i < SendMessageW(tb, TB_BUTTONCOUNT, 0, 0); ++i) {
    TBBUTTON b{};
    SendMessageW(tb, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    if (!(b.fsStyle & BTNS_SEP)) ids.push_back(static_cast<UINT>(b.idCommand));
  }
  for (UINT id : ids) {
    ProbeUi ui(id);
    EXPECT_TRUE(App().RouteUpdate(ui)) << id;
  }
}

TEST_F(ResourcesTest, ButtonsInOrderWithTwoDropDowns) {
  ASSERT_TRUE(Start());
  HWND tb = App().frame()->toolbar();
  const std::vector<int> expected = {57600, 32771, 57601, 57603, 0,     57635, 57634,
                                     57637, 0,     32772, 0,     32773, 32820, 32830,
                                     32821, 32778, 32829, 32822, 32774, 0,     32861,
                                     32777, 32775, 32776, 0,     32779};
  const auto count = static_cast<int>(SendMessageW(tb, TB_BUTTONCOUNT, 0, 0));
  std::vector<int> got;
  int images = 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON b{};
    SendMessageW(tb, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    const bool separator = (b.fsStyle & BTNS_SEP) != 0;
    got.push_back(separator ? 0 : b.idCommand);
    if (!separator) {
      EXPECT_EQ(b.iBitmap, images++) << b.idCommand;
      EXPECT_EQ((b.fsStyle & BTNS_DROPDOWN) != 0, b.idCommand == 32778 || b.idCommand == 32830)
          << b.idCommand;
    }
  }
  EXPECT_EQ(got, expected);
  EXPECT_EQ(images, 21);
  EXPECT_EQ(SendMessageW(tb, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS,
            TBSTYLE_EX_DRAWDDARROWS);
  EXPECT_EQ(GetDlgCtrlID(tb), 59392);
  EXPECT_EQ(GetDlgCtrlID(App().frame()->status_bar()), 59393);
  EXPECT_EQ(GetDlgCtrlID(Edit()), 59648);
}

}  // namespace
}  // namespace kestil::testing

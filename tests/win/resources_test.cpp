// The menus, accelerators, toolbar and strings as the program loads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/main_frame.h"
#include "fw/ui.h"
#include "res/resource.h"
#include "win/app_fixture.h"

namespace kestil::testing {
namespace {

// One line per item: "id label" (a tab before the right-hand text),
// "-" for a separator, "+label" opening and "<" closing a pop-up; two spaces
// of indent per level; "(grey)" after an item shown greyed.
void Dump(HMENU menu, int depth, std::wstring& out) {
  const std::wstring indent(static_cast<std::size_t>(depth) * 2, L' ');
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING | MIIM_STATE;
    info.dwTypeData = text;
    info.cch = 256;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    if (info.fType & MFT_SEPARATOR) {
      out += indent + L"-\n";
    } else if (info.hSubMenu != nullptr) {
      out += indent + L"+" + text + L"\n";
      Dump(info.hSubMenu, depth + 1, out);
      out += indent + L"<\n";
    } else {
      out += indent + std::to_wstring(info.wID) + L" " + text +
             ((info.fState & MFS_GRAYED) ? L" (grey)" : L"") + L"\n";
    }
  }
}

std::wstring DumpResource(UINT id) {
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
  std::wstring out;
  Dump(menu, 0, out);
  DestroyMenu(menu);
  return out;
}

const wchar_t kFontItems[] =
    L"    32854 色(&C)\tcolor=\"\"\n"
    L"    32855 大きさ(&S)\tsize=\n"
    L"    32856 字体(&K)\tface=\"\"\n"
    L"    -\n"
    L"    32857 太字(&B)\t<b></b>\n"
    L"    32858 斜体(&I)\t<i></i>\n"
    L"    32859 下線(&U)\t<u></u>\n"
    L"    32860 打ち消し線(&T)\t<s></s>\n";

const wchar_t kTableItems[] =
    L"    32836 見出し(&H)\t<th></th>\n"
    L"    32835 行(&R)\t<tr></tr>\n"
    L"    32837 項目(&D)\t<td></td>\n"
    L"    -\n"
    L"    32831 横幅(&W)\twidth=\n"
    L"    32832 縦幅(&H)\theight=\n"
    L"    32840 外枠の太さ(&O)\tborder=\n"
    L"    32833 内枠の太さ(&S)\tcellspacing=\n"
    L"    32834 罫線とデータの隙間(&P)\tcellpadding=\n"
    L"    32847 項目横連結(&L)\tcolspan=\n"
    L"    32846 項目縦連結(&N)\trowspan=\n"
    L"    32848 ﾃｷｽﾄの横位置(&A)\talign=\n"
    L"    32849 ﾃｷｽﾄの縦位置(&V)\tvalign=\n"
    L"    -\n"
    L"    32839 背景画像(&G)\tbackground=\"\"\n"
    L"    32838 背景色(&B)\tbgcolor=\"\"\n"
    L"    32850 枠線の色(&E)\tbordercolor=\"\"\n"
    L"    32851 枠線の明色(&I)\tbordercolorright=\"\"\n"
    L"    32852 枠線の暗色(&K)\tbordercolordark=\"\"\n";

std::wstring Outdent(const std::wstring& items) {
  std::wstring out;
  std::size_t start = 0;
  while (start < items.size()) {
    const std::size_t end = items.find(L'\n', start);
    out += L"  " + items.substr(start + 4, end - start - 4) + L"\n";
    start = end + 1;
  }
  return out;
}

TEST(Resources, MainMenuItemByItem) {
  std::wstring expected =
      L"+ﾌｧｲﾙ(&F)\n"
      L"  57600 新規作成(&N)\tCtrl+N\n"
      L"  57601 開く(&O)...\tCtrl+O\n"
      L"  57603 上書き保存(&S)\tCtrl+S\n"
      L"  57604 名前を付けて保存(&A)...\n"
      L"  -\n"
      L"  57607 印刷(&P)...\tCtrl+P\n"
      L"  57609 印刷ﾌﾟﾚﾋﾞｭｰ(&V)\n"
      L"  57606 ﾌﾟﾘﾝﾀの設定(&R)...\n"
      L"  -\n"
      L"  57616 最近使ったﾌｧｲﾙ (grey)\n"
      L"  -\n"
      L"  57665 ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)\n"
      L"<\n"
      L"+編集(&E)\n"
      L"  57643 元に戻す(&U)\tCtrl+Z\n"
      L"  57644 やり直し(&R)\tCtrl+Y\n"
      L"  -\n"
      L"  57635 切り取り(&T)\tCtrl+X\n"
      L"  57634 ｺﾋﾟｰ(&C)\tCtrl+C\n"
      L"  57637 貼り付け(&P)\tCtrl+V\n"
      L"  -\n"
      L"  57642 すべて選択(&L)\tCtrl+A\n"
      L"  -\n"
      L"  32861 全角を半角へ変換(&H)\tCtrl+Q\n"
      L"  -\n"
      L"  32816 指定行へｼﾞｬﾝﾌﾟ\tCtrl+J\n"
      L"<\n"
      L"+検索(&S)\n"
      L"  57636 検索(&F)\tCtrl+F\n"
      L"  57641 置換(&E)\tCtrl+H\n"
      L"  -\n"
      L"  57640 繰り返し(&R)\tF3\n"
      L"<\n"
      L"+表示(&V)\n"
      L"  59392 ﾂｰﾙ ﾊﾞｰ(&T)\n"
      L"  59393 ｽﾃｰﾀｽ ﾊﾞｰ(&S)\n"
      L"<\n"
      L"+ﾀｸﾞ挿入(&T)\n"
      L"  32773 改行(&B)\t<br>\n"
      L"  32820 リンク(&L)\t<a href=\"\"></a>\n"
      L"  +フォント(&F)\n"
      L"    32830 フォント(&F)\t<font></font>\n"
      L"    -\n";
  expected += kFontItems;
  expected +=
      L"  <\n"
      L"  32821 画像(&G)\t<img src=\"\">\n"
      L"  +テーブル(&T)\n"
      L"    32778 テーブル(&T)\t<table><tr><td></td></table>\n"
      L"    -\n";
  expected += kTableItems;
  expected +=
      L"  <\n"
      L"  32829 罫線(&H)\t<hr>\n"
      L"  32822 箇条書き(&U)\t<ul><li></ul>\n"
      L"  32774 タグ\t<></>\n"
      L"  -\n"
      L"  32777 色(&C)...\n"
      L"  32775 文字グラデーション(&S)...\n"
      L"  32776 ファイル相対パス(&P)...\n"
      L"  -\n"
      L"  32827 JavaScript(&J)\n"
      L"<\n"
      L"+登録文字(&R)\n"
      L"  32780 設定(&T)\n"
      L"  -\n";
  for (int i = 0; i < 16; ++i) {
    expected += L"  " + std::to_wstring(32781 + i) + L" 未登録(&" + L"0123456789ABCDEF"[i] + L")\n";
  }
  expected +=
      L"<\n"
      L"+ﾍﾙﾌﾟ(&H)\n"
      L"  57664 Kestilのﾊﾞｰｼﾞｮﾝ情報(&A)...\n"
      L"  -\n"
      L"  32817 設定(&T)...\n"
      L"<\n";
  EXPECT_EQ(DumpResource(IDR_MAINFRAME), expected);
}

TEST(Resources, DropDownMenus) {
  EXPECT_EQ(DumpResource(IDR_TABLE_MENU), L"+ \n" + Outdent(kTableItems) + L"<\n");
  EXPECT_EQ(DumpResource(IDR_FONT_MENU), L"+ \n" + Outdent(kFontItems) + L"<\n");
}

TEST(Resources, TheSeventeenAcceleratorsAndRedo) {
  HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
  ASSERT_NE(table, nullptr);
  ACCEL keys[32];
  const int n = CopyAcceleratorTableW(table, keys, 32);
  ASSERT_EQ(n, 18);
  auto key = [](BYTE mods, WORD vk) { return std::to_wstring(mods) + L"/" + std::to_wstring(vk); };
  std::vector<std::pair<std::wstring, WORD>> got;
  for (int i = 0; i < n; ++i) got.emplace_back(key(keys[i].fVirt & ~FNOINVERT, keys[i].key), keys[i].cmd);
  const BYTE ctrl = FVIRTKEY | FCONTROL;
  const BYTE shift = FVIRTKEY | FSHIFT;
  const std::vector<std::pair<std::wstring, WORD>> expected = {
      {key(ctrl, 'A'), 57642}, {key(ctrl, 'C'), 57634}, {key(ctrl, 'F'), 57636},
      {key(ctrl, 'H'), 57641}, {key(ctrl, 'J'), 32816}, {key(ctrl, 'N'), 57600},
      {key(ctrl, 'O'), 57601}, {key(ctrl, 'Q'), 32861}, {key(ctrl, 'S'), 57603},
      {key(ctrl, 'V'), 57637}, {key(FVIRTKEY | FALT, VK_BACK), 57643},
      {key(shift, VK_DELETE), 57635}, {key(FVIRTKEY, VK_F3), 57640},
      {key(ctrl, VK_INSERT), 57634}, {key(shift, VK_INSERT), 57637}, {key(ctrl, 'X'), 57635},
      {key(ctrl, 'Z'), 57643}, {key(ctrl, 'Y'), 57644}};
  EXPECT_EQ(got, expected);
  for (const auto& [k, cmd] : got) EXPECT_NE(k, key(ctrl, 'P')) << "no accelerator for print";
}

class ToolbarTest : public AppTest {};

TEST_F(ToolbarTest, ButtonsInOrderWithTwoDropDowns) {
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

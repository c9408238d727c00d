// The two ways of writing, the element menu and closing tags, through the
// real program.
#include <gtest/gtest.h>

#include <string>

#include "fw/registry_profile.h"
#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

class Markup : public AppTest {
 protected:
  // Opens every pop-up of the main menu as a click would, so that each item
  // shows what it does now.
  void OpenMenus() {
    HMENU menu = GetMenu(Frame());
    for (int i = 0; i < GetMenuItemCount(menu); ++i) InitPopups(GetSubMenu(menu, i));
  }
  void InitPopups(HMENU popup) {
    SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
      if (HMENU sub = GetSubMenu(popup, i)) InitPopups(sub);
    }
  }
  // The status bar's prompt while the pointer is on a menu item.
  std::wstring Prompt(UINT id) {
    SendMessageW(Frame(), WM_MENUSELECT, MAKEWPARAM(id, MF_STRING), reinterpret_cast<LPARAM>(GetMenu(Frame())));
    wchar_t text[256] = {};
    SendMessageW(App().frame()->status_bar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
  }
  std::wstring ItemText(UINT id) {
    wchar_t text[256] = {};
    GetMenuStringW(GetMenu(Frame()), id, text, 256, MF_BYCOMMAND);
    return text;
  }
  void TypeKeys(std::u16string_view keys) {
    for (char16_t c : keys) SendMessageW(Edit(), WM_CHAR, c, 1);
  }
  // Chooses the way of writing and the completion in the settings dialog.
  void Settings(int style, bool auto_close) {
    DialogDriver driver;
    driver.Then([&](HWND dlg) {
      SendMessageW(GetDlgItem(dlg, IDC_MARKUP_STYLE), CB_SETCURSEL, style, 0);
      const bool checked = SendMessageW(GetDlgItem(dlg, IDC_AUTO_CLOSE), BM_GETCHECK, 0, 0) == BST_CHECKED;
      if (checked != auto_close) DialogDriver::Click(dlg, IDC_AUTO_CLOSE);
      DialogDriver::Click(dlg, IDOK);
    });
    Command(ID_SETTING);
    ASSERT_TRUE(driver.all_done());
  }
};

// The drop-down and the check box come from and go to section "Markup";
// the menus show what the commands insert in the way in force.
TEST_F(Markup, TheSettingsTheRegistryAndTheMenus) {
  ASSERT_TRUE(Start());
  DialogDriver driver;
  driver.Then([](HWND dlg) {
    HWND styles = GetDlgItem(dlg, IDC_MARKUP_STYLE);
    EXPECT_EQ(SendMessageW(styles, CB_GETCOUNT, 0, 0), 2);
    wchar_t second[64] = {};
    SendMessageW(styles, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(second));
    EXPECT_STREQ(second, L"HTML5 + CSS");
    EXPECT_EQ(SendMessageW(styles, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageW(GetDlgItem(dlg, IDC_AUTO_CLOSE), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_AUTO_CLOSE), L"</ で終了タグを補完する(&A)");
    DialogDriver::Click(dlg, IDCANCEL);
  });
  Command(ID_SETTING);
  ASSERT_TRUE(driver.all_done());
  OpenMenus();
  EXPECT_EQ(ItemText(ID_FONT_COLOR), L"色(&C)\tcolor=\"\"");
  EXPECT_EQ(Prompt(ID_TAG_FONT), L"<font></font>で選択範囲を挟む／挿入");
  Settings(1, false);
  EXPECT_EQ(Prompt(ID_TAG_FONT), L"<span style=\"\"></span>で選択範囲を挟む／挿入");
  EXPECT_EQ(Prompt(ID_FONT_B), L"<b></b>で選択範囲を挟む／挿入");
  OpenMenus();
  EXPECT_EQ(ItemText(ID_FONT_COLOR), L"色(&C)\tcolor: ;");
  EXPECT_EQ(ItemText(ID_TAG_FONT), L"フォント(&F)\t<span style=\"\"></span>");
  EXPECT_EQ(ItemText(ID_TABLE_BORDERCOLORLIGHT), L"枠線の明色(&I)\tborder-top-color: ; border-left-color: ;");
  EXPECT_EQ(ItemText(ID_FONT_B), L"太字(&B)\t<b></b>");
  Close();
  fw::RegistryProfile registry(kRegistryMaker, L"kestil");
  EXPECT_EQ(registry.GetInt("Markup", "Style", 7), 1);
  EXPECT_EQ(registry.GetInt("Markup", "AutoClose", 7), 0);
  ASSERT_TRUE(Start());
  OpenMenus();
  EXPECT_EQ(ItemText(ID_FONT_COLOR), L"色(&C)\tcolor: ;");
  Settings(0, true);
  OpenMenus();
  EXPECT_EQ(ItemText(ID_FONT_COLOR), L"色(&C)\tcolor=\"\"");
  EXPECT_EQ(ItemText(ID_TABLE_BORDERCOLORLIGHT), L"枠線の明色(&I)\tbordercolorright=\"\"");
}

// A new page in HTML5 declares the encoding it will be saved in, and the
// caret waits on the body's empty line; the classic page is as it was.
TEST_F(Markup, TheNewPageInEachEncoding) {
  ASSERT_TRUE(Start());
  App().m_MarkupStyle = 1;
  const struct {
    int encoding;
    const char16_t* meta;
  } kCases[] = {{0, u"<meta charset=\"shift_jis\">\r\n"}, {1, u"<meta charset=\"utf-8\">\r\n"}, {2, u"<meta charset=\"utf-8\">\r\n"}};
  for (const auto& c : kCases) {
    App().m_NewDocEncoding = c.encoding;
    Command(ID_FILE_NEW_HTML);
    const std::u16string expected = std::u16string(u"<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head>\r\n") + c.meta +
                                    u"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n"
                                    u"<title></title>\r\n</head>\r\n<body>\r\n\r\n</body>\r\n</html>\r\n";
    EXPECT_EQ(Units(), expected) << c.encoding;
    EXPECT_EQ(View().edit().GetSel().start, expected.find(u"<body>\r\n") + 8) << c.encoding;
    EXPECT_FALSE(Doc().IsModified());
  }
  App().m_MarkupStyle = 0;
  App().m_NewDocEncoding = 0;
  Command(ID_FILE_NEW_HTML);
  EXPECT_EQ(Units().substr(0, 16), u"<html>\r\n<head>\r\n");
}

// The element pop-up of the tag menu, each item a command of its own.
TEST_F(Markup, TheElementMenu) {
  ASSERT_TRUE(Start());
  HMENU tags = GetSubMenu(GetMenu(Frame()), 4);
  HMENU elements = nullptr;
  for (int i = 0; i < GetMenuItemCount(tags); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(tags, i, text, 64, MF_BYPOSITION);
    if (std::wstring(text) == L"要素(&E)") elements = GetSubMenu(tags, i);
  }
  ASSERT_NE(elements, nullptr);
  EXPECT_EQ(GetMenuItemID(elements, 0), static_cast<UINT>(ID_ELEMENT_P));
  EXPECT_EQ(ItemText(ID_ELEMENT_FIGURE), L"図(&G)\t<figure><figcaption></figcaption></figure>");
  View().edit().SetText(u"一\r\n二");
  View().edit().SetSel(0, 4);
  Command(ID_ELEMENT_SECTION);
  EXPECT_EQ(Units(), u"<section>\r\n一\r\n二\r\n</section>");
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(Units(), u"一\r\n二");
  View().edit().SetSel(4, 4);
  Command(ID_ELEMENT_H1);
  TypeKeys(u"題");
  EXPECT_EQ(Units(), u"一\r\n二<h1>題</h1>");
}

// "</" completes the innermost open element's end tag, one undo step with
// what was typed; the command closes it too; neither does anything where
// nothing is open, in a text that is no page, or with the option off.
TEST_F(Markup, ClosingTags) {
  ASSERT_TRUE(Start());
  View().edit().SetText(u"<div><P class=\"a\">一<br>");
  View().edit().SetSel(100, 100);
  TypeKeys(u"</");
  EXPECT_EQ(Units(), u"<div><P class=\"a\">一<br></P>");
  EXPECT_EQ(View().edit().GetSel().start, Units().size());
  Command(ID_EDIT_UNDO);  // what was typed goes with what it completed
  EXPECT_EQ(Units(), u"<div><P class=\"a\">一<br>");
  TypeKeys(u"</");
  Command(ID_TAG_CLOSE);
  EXPECT_EQ(Units(), u"<div><P class=\"a\">一<br></P></div>");
  Command(ID_TAG_CLOSE);  // nothing left open
  EXPECT_EQ(Units(), u"<div><P class=\"a\">一<br></P></div>");
  TypeKeys(u"</");
  EXPECT_EQ(Units(), u"<div><P class=\"a\">一<br></P></div></");

  App().m_AutoClose = 0;
  View().edit().SetText(u"<b>");
  View().edit().SetSel(3, 3);
  TypeKeys(u"</");
  EXPECT_EQ(Units(), u"<b></");
  App().m_AutoClose = 1;
  Doc().SetModified(false);
  TempFile text(L"kestil-closing.txt", "<b>");
  ASSERT_TRUE(App().OpenDocumentFile(text.path()));
  View().edit().SetSel(3, 3);
  TypeKeys(u"</");
  EXPECT_EQ(Units(), u"<b></");
}

// The references replace the selection; without one the command is grey.
TEST_F(Markup, CharacterReferences) {
  ASSERT_TRUE(Start());
  View().edit().SetText(u"a<b & \"c\">");
  OpenMenus();
  EXPECT_TRUE(GetMenuState(GetMenu(Frame()), ID_CHAR_REFERENCES, MF_BYCOMMAND) & MF_GRAYED);
  View().edit().SetSel(1, 10);
  OpenMenus();
  EXPECT_FALSE(GetMenuState(GetMenu(Frame()), ID_CHAR_REFERENCES, MF_BYCOMMAND) & MF_GRAYED);
  Command(ID_CHAR_REFERENCES);
  EXPECT_EQ(Units(), u"a&lt;b &amp; &quot;c&quot;&gt;");
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(Units(), u"a<b & \"c\">");
}

// In HTML5 a declaration joins the style of the tag the caret is in, and
// the gradient writes spans.
TEST_F(Markup, Html5CommandsThroughWmCommand) {
  ASSERT_TRUE(Start());
  App().m_MarkupStyle = 1;
  View().edit().SetText(u"<td>x</td>");
  View().edit().SetSel(3, 3);
  Command(ID_TABLE_BGCOLOR);
  TypeKeys(u"red");
  EXPECT_EQ(Units(), u"<td style=\"background-color: red;\">x</td>");
  Command(ID_EDIT_UNDO);
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(Units(), u"<td>x</td>");
}

}  // namespace
}  // namespace kestil::testing

// Colours, line numbers and the caret's place through the real program.
#include <gtest/gtest.h>

#include <string>

#include "fw/colouring.h"
#include "fw/registry_profile.h"
#include "res/resource.h"
#include "win/app_fixture.h"

namespace kestil::testing {
namespace {

class Colouring : public AppTest {
 protected:
  std::wstring PositionPane() {
    PumpUntil([&] {
      Idle();
      return !Pane().empty();
    });
    return Pane();
  }
  std::wstring Pane() {
    wchar_t text[256] = {};
    SendMessageW(App().frame()->status_bar(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // The colour at the first unit of what, found after `after`.
  std::uint32_t ColourOf(const std::u16string& what, const std::u16string& after = u"") {
    const std::u16string text = Units();
    const std::size_t at = text.find(what, text.find(after));
    EXPECT_NE(at, std::u16string::npos) << std::string(what.begin(), what.end());
    return View().edit().ColourAt(at);
  }
  bool Checked(UINT id) {
    HMENU menu = GetMenu(Frame());
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(menu, i)), i);
    }
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
};

// A page's tags, attributes, values, comments, references, doctype and
// script keywords each take their role's colour; a text file takes none.
TEST_F(Colouring, APageTakesTheColoursOfItsRoles) {
  TempFile page(L"kestil-colours.htm",
                "<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<!-- note -->\r\n<p class=x>&copy; <bogus>"
                "<b style=\"font-size: 2em\" onclick='if (a) alert(\"b\")' id=k>z</b>"
                "<script>\r\nvar a = 1; return a;\r\n</script>\r\n<STYLE type=\"text/css\">\r\nh1 { margin: 0; } /* c */\r\n</STYLE><i>x</i>\r\n</html>\r\n");
  ASSERT_TRUE(Start(page.path()));
  using fw::Role;
  // Each role at the first place of its text (after another text, where
  // given); CSS inside <style>, and the page's own colours again after it.
  const struct {
    const char16_t* what;
    const char16_t* after;
    Role role;
  } kRoles[] = {
      {u"html", u"<html", Role::kTag},         {u"lang", u"", Role::kAttribute},
      {u"\"ja\"", u"", Role::kValue},          {u"note", u"", Role::kComment},
      {u"&copy;", u"", Role::kEntity},         {u"bogus", u"", Role::kUnknownTag},
      {u"DOCTYPE", u"", Role::kDoctype},       {u"var", u"", Role::kScriptKeyword},
      {u"return", u"", Role::kScriptKeyword},  {u"h1", u"", Role::kCssSelector},
      {u"margin", u"", Role::kCssProperty},    {u"c */", u"", Role::kCssComment},
      {u"STYLE>", u"", Role::kTag},            {u"i>x", u"", Role::kTag},
      {u"font-size", u"", Role::kCssProperty}, {u"2em", u"", Role::kCssValue},
      {u"if", u"onclick", Role::kScriptKeyword}, {u"\"b\"", u"", Role::kScriptString},
      {u"id=", u"onclick", Role::kAttribute},  {u"b>", u"z<", Role::kTag},
  };
  for (const auto& r : kRoles) {
    EXPECT_EQ(ColourOf(r.what, r.after), fw::PaletteColour(r.role)) << "role " << static_cast<int>(r.role);
  }
  // An edit inside the block keeps it CSS.
  View().edit().SetSel(Units().find(u"margin"), Units().find(u"margin"));
  SendMessageW(Edit(), WM_CHAR, ' ', 1);
  EXPECT_EQ(ColourOf(u"margin"), fw::PaletteColour(Role::kCssProperty));
  EXPECT_EQ(ColourOf(u"i>x"), fw::PaletteColour(Role::kTag));
  // And one inside a style attribute keeps it CSS, and the tag after it HTML.
  View().edit().SetSel(Units().find(u"2em"), Units().find(u"2em"));
  SendMessageW(Edit(), WM_CHAR, '1', 1);
  EXPECT_EQ(ColourOf(u"font-size"), fw::PaletteColour(Role::kCssProperty));
  EXPECT_EQ(ColourOf(u"12em"), fw::PaletteColour(Role::kCssValue));
  EXPECT_EQ(ColourOf(u"id=", u"onclick"), fw::PaletteColour(Role::kAttribute));
  Doc().SetModified(false);

  // Off from the View menu: the window's own colour everywhere.
  EXPECT_TRUE(Checked(ID_VIEW_HIGHLIGHT));
  Command(ID_VIEW_HIGHLIGHT);
  EXPECT_FALSE(Checked(ID_VIEW_HIGHLIGHT));
  EXPECT_EQ(ColourOf(u"html", u"<html"), GetSysColor(COLOR_WINDOWTEXT));
  Command(ID_VIEW_HIGHLIGHT);
  EXPECT_EQ(ColourOf(u"html", u"<html"), fw::PaletteColour(Role::kTag));

  TempFile css(L"kestil-colours.css", "/* c */\r\nh1 { color: red; }\r\n");
  ASSERT_TRUE(App().OpenDocumentFile(css.path()));
  PumpPending();
  EXPECT_EQ(ColourOf(u"color"), fw::PaletteColour(Role::kCssProperty));
  EXPECT_EQ(ColourOf(u"h1"), fw::PaletteColour(Role::kCssSelector));
  EXPECT_EQ(ColourOf(u"c */"), fw::PaletteColour(Role::kCssComment));

  TempFile text(L"kestil-colours.txt", "<html>\r\n");
  ASSERT_TRUE(App().OpenDocumentFile(text.path()));
  PumpPending();
  EXPECT_EQ(ColourOf(u"html"), GetSysColor(COLOR_WINDOWTEXT));
}

// The line numbers and the colours follow the View menu and are kept in the
// registry; the pane says where the caret is, as the jump dialog counts.
TEST_F(Colouring, LineNumbersThePositionPaneAndTheRegistry) {
  ASSERT_TRUE(Start());
  EXPECT_GT(View().edit().LineNumberWidth(), 0);
  EXPECT_TRUE(Checked(ID_VIEW_LINE_NUMBERS));
  View().edit().SetText(u"ab\r\n表x𠮷yz");
  View().edit().SetSel(8, 8);  // after 表x𠮷
  EXPECT_EQ(PositionPane(), L"行 2, 列 6");
  View().edit().SetSel(4, 9);
  SendMessageW(Edit(), EM_SETSEL, 4, 9);
  EXPECT_EQ(PositionPane(), L"行 2, 列 7 (4 文字選択)");

  Command(ID_VIEW_LINE_NUMBERS);
  Command(ID_VIEW_HIGHLIGHT);
  EXPECT_EQ(View().edit().LineNumberWidth(), 0);
  Close();
  fw::RegistryProfile registry(kRegistryMaker, L"kestil");
  EXPECT_EQ(registry.GetInt("View", "LineNumbers", 7), 0);
  EXPECT_EQ(registry.GetInt("View", "Highlight", 7), 0);
  ASSERT_TRUE(Start());
  EXPECT_EQ(View().edit().LineNumberWidth(), 0);
  EXPECT_FALSE(Checked(ID_VIEW_LINE_NUMBERS));
  EXPECT_FALSE(Checked(ID_VIEW_HIGHLIGHT));
}

// The tag under the caret and its partner are marked as the caret moves;
// a tag without its partner in the other colour; the command goes to the
// partner.
TEST_F(Colouring, TheMatchingTagIsMarkedAndReached) {
  TempFile page(L"kestil-match.htm", "<div>\r\n<p>一<span>二</p>\r\n</div>\r\n");
  ASSERT_TRUE(Start(page.path()));
  const std::u16string text = Units();
  View().edit().SetSel(2, 2);  // in "div"
  Idle();
  EXPECT_EQ(View().edit().TagMarkAt(1), 1);
  EXPECT_EQ(View().edit().TagMarkAt(text.find(u"</div>") + 3), 1);
  EXPECT_EQ(View().edit().TagMarkAt(text.find(u"<p>") + 1), 0);
  Command(ID_EDIT_MATCH_TAG);
  EXPECT_EQ(View().edit().GetSel().start, text.find(u"</div>") + 3);
  const std::size_t span = text.find(u"span");
  View().edit().SetSel(span + 1, span + 1);
  Idle();
  EXPECT_EQ(View().edit().TagMarkAt(span), 2);
  EXPECT_EQ(View().edit().TagMarkAt(1), 0);  // the earlier marks are gone
}

}  // namespace
}  // namespace kestil::testing

// Where a declaration goes, with the caret at "|" in each text.
#include <gtest/gtest.h>

#include <string>

#include "base/memory_edit.h"
#include "view/css_declaration.h"

namespace kestil {
namespace {

struct Case {
  const char16_t* before;  // "|" the caret, or "[" and "]" the selection
  const char16_t* after;   // "|" the caret afterwards
  int tag_case = 0;
};

std::u16string Without(std::u16string s, std::u16string_view marks) {
  std::erase_if(s, [&](char16_t c) { return marks.find(c) != std::u16string_view::npos; });
  return s;
}

TEST(CssDeclaration, GoesWhereCssBelongs) {
  const Case cases[] = {
      // Inside a style value: at the caret, after a separator when needed.
      {u"<p style=\"|\">", u"<p style=\"color: |;\">"},
      {u"<p style=\"margin: 0;|\">", u"<p style=\"margin: 0; color: |;\">"},
      {u"<p style=\"margin: 0; |\">", u"<p style=\"margin: 0; color: |;\">"},
      {u"<p style=\"margin: 0|\">", u"<p style=\"margin: 0; color: |;\">"},
      {u"<p style=\"|margin: 0;\">", u"<p style=\"color: |; margin: 0;\">"},
      {u"<p style='[old: 1;]'>", u"<p style='color: |;'>"},
      // A tag without a style attribute gets one at the caret, never in the
      // name or in another attribute.
      {u"<td |>", u"<td style=\"color: |;\">"},
      {u"<td|>", u"<td style=\"color: |;\">"},
      {u"<t|d class=x>", u"<td style=\"color: |;\" class=x>"},
      {u"<a href=\"x|.htm\" id=k>", u"<a href=\"x.htm\" style=\"color: |;\" id=k>"},
      {u"<img src=x |/>", u"<img src=x style=\"color: |;\"/>"},
      {u"<td |>", u"<td STYLE=\"color: |;\">", 1},
      // A tag with one: the declaration joins its value.
      {u"<p class=a| style=\"margin: 0\">", u"<p class=a style=\"margin: 0; color: |;\">"},
      {u"<p |STYLE=\"\" title=\"t\">", u"<p STYLE=\"color: |;\" title=\"t\">"},
      {u"<p style=margin:0 |>", u"<p style=\"margin:0; color: |;\" >"},
      // Anywhere else the declaration alone, replacing the selection.
      {u"h1 { | }", u"h1 { color: |; }"},
      {u"<p>[text]</p>", u"<p>color: |;</p>"},
      {u"<p style=\"x\">|", u"<p style=\"x\">color: |;"},
      {u"</p |>", u"</p color: |;>"},
      {u"|", u"color: |;"},
  };
  for (const Case& c : cases) {
    const std::u16string before = c.before;
    MemoryEdit edit(Without(before, u"|[]"));
    const std::size_t bar = before.find(u'|');
    if (bar != std::u16string::npos) {
      edit.SetSel(bar, bar);
    } else {
      edit.SetSel(before.find(u'['), before.find(u']') - 1);
    }
    InsertDeclaration(edit, u"color: ;", 7, c.tag_case);
    const std::u16string after = c.after;
    EXPECT_EQ(edit.GetText(), Without(after, u"|")) << std::string(before.begin(), before.end());
    EXPECT_EQ(edit.GetSel().start, after.find(u'|')) << std::string(before.begin(), before.end());
    edit.Undo();
    EXPECT_EQ(edit.GetText(), Without(before, u"|[]"));  // one step
  }
}

// The tag is found in the text around the selection, as far away as the
// document's start is.
TEST(CssDeclaration, PlansWithinAWindowOfTheText) {
  const std::u16string window = u"<div id=a>";
  const DeclarationEdit plan = PlanDeclaration(window, 1000, {1009, 1009}, u"width: ;", 7, false);
  EXPECT_EQ(plan.from, 1009u);
  EXPECT_EQ(plan.text, u" style=\"width: ;\"");
  EXPECT_EQ(plan.caret, 1009u + 8 + 7);
}

}  // namespace
}  // namespace kestil

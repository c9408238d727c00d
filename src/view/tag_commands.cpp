#include "view/tag_commands.h"

#include <string>

#include "base/cp932.h"
#include "view/insert_engine.h"

namespace kestil {
namespace {

constexpr TagCommand kCommands[] = {
    {32773, false, "<br>\r\n", nullptr, kCaretNone},
    {32820, true, "<a href=\"\">", "</a>", 9},
    {32821, false, "<img src=\"\">", nullptr, 10},
    {32829, false, "<hr>\r\n", nullptr, kCaretNone},
    {32822, false, "<ul>\r\n<li>\r\n</ul>\r\n", nullptr, kCaretNone},
    {32774, true, "<>", "</>", kCaretNone},
    {32827, false, "<script language=\"javascript\">\r\n<!--\r\n\r\n//-->\r\n</script>\r\n", nullptr,
     kCaretNone},
    {32830, true, "<font>", "</font>", kCaretNone},
    {32854, false, "color=\"\"", nullptr, kCaretAfter},
    {32855, false, "size=", nullptr, kCaretAfter},
    {32856, false, "face=\"\"", nullptr, kCaretAfter},
    {32857, true, "<b>", "</b>", kCaretNone},
    {32858, true, "<i>", "</i>", kCaretNone},
    {32859, true, "<u>", "</u>", kCaretNone},
    {32860, true, "<s>", "</s>", kCaretNone},
    {32778, false, "<table><tr><td></td></tr></table>", nullptr, kCaretNone},
    {32836, true, "<th>", "</th>", kCaretNone},
    {32835, true, "<tr>", "</tr>", kCaretNone},
    {32837, true, "<td>", "</td>", kCaretNone},
    {32831, false, "width=", nullptr, kCaretAfter},
    {32832, false, "height=", nullptr, kCaretAfter},
    {32840, false, "border=", nullptr, kCaretAfter},
    {32833, false, "cellspacing=", nullptr, kCaretAfter},
    {32834, false, "cellpadding=", nullptr, kCaretAfter},
    {32847, false, "colspan=", nullptr, kCaretAfter},
    {32846, false, "rowspan=", nullptr, kCaretAfter},
    {32848, false, "align=", nullptr, kCaretAfter},
    {32849, false, "valign=", nullptr, kCaretAfter},
    {32839, false, "background=\"\"", nullptr, kCaretAfter},
    {32838, false, "bgcolor=\"\"", nullptr, kCaretAfter},
    {32850, false, "bordercolor=\"\"", nullptr, kCaretAfter},
    {32851, false, "bordercolorlight=\"\"", nullptr, kCaretAfter},
    {32852, false, "bordercolordark=\"\"", nullptr, kCaretAfter},
};

constexpr char kSkeleton[] =
    "<html>\r\n"
    "<head>\r\n"
    "<title></title>\r\n"
    "</head>\r\n"
    "<body text=\"#000080\" link=\"#00aaff\" vlink=\"#0088dd\" alink=\"#00ffff\">\r\n"
    "\r\n"
    "</body>\r\n"
    "</html>\r\n";

}  // namespace

std::span<const TagCommand> TagCommands() { return kCommands; }

const TagCommand* FindTagCommand(unsigned id) {
  for (const TagCommand& c : kCommands) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

void RunTagCommand(const TagCommand& command, EditOps& edit, int tag_case) {
  if (command.wrap) {
    WrapSelection(edit, command.open, command.close, command.caret, tag_case);
  } else {
    InsertText(edit, command.open, command.caret, tag_case);
  }
}

std::string HtmlSkeleton(int tag_case) {
  std::string text = kSkeleton;
  if (tag_case != 0) cp932::UpperCaseInPlace(text);
  return text;
}

}  // namespace kestil

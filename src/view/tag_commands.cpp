#include "view/tag_commands.h"

#include <string>

#include "base/text16.h"
#include "res/resource.h"
#include "view/insert_engine.h"

namespace kestil {
namespace {

constexpr TagCommand kCommands[] = {
    {ID_TAG_BR, false, "<br>\r\n", nullptr, kCaretNone},
    {ID_TAG_LINK, true, "<a href=\"\">", "</a>", 9},
    {ID_TAG_IMG, false, "<img src=\"\">", nullptr, 10},
    {ID_TAG_HR, false, "<hr>\r\n", nullptr, kCaretNone},
    {ID_TAG_LIST, false, "<ul>\r\n<li>\r\n</ul>\r\n", nullptr, kCaretNone},
    {ID_TAG_PAIR, true, "<>", "</>", kCaretNone},
    {ID_TAG_SCRIPT, false, "<script language=\"javascript\">\r\n<!--\r\n\r\n//-->\r\n</script>\r\n", nullptr,
     kCaretNone},
    {ID_TAG_FONT, true, "<font>", "</font>", kCaretNone},
    {ID_FONT_COLOR, false, "color=\"\"", nullptr, kCaretAfter},
    {ID_FONT_SIZE, false, "size=", nullptr, kCaretAfter},
    {ID_FONT_FACE, false, "face=\"\"", nullptr, kCaretAfter},
    {ID_FONT_B, true, "<b>", "</b>", kCaretNone},
    {ID_FONT_I, true, "<i>", "</i>", kCaretNone},
    {ID_FONT_U, true, "<u>", "</u>", kCaretNone},
    {ID_FONT_S, true, "<s>", "</s>", kCaretNone},
    {ID_TAG_TABLE, false, "<table><tr><td></td></tr></table>", nullptr, kCaretNone},
    {ID_TABLE_TH, true, "<th>", "</th>", kCaretNone},
    {ID_TABLE_TR, true, "<tr>", "</tr>", kCaretNone},
    {ID_TABLE_TD, true, "<td>", "</td>", kCaretNone},
    {ID_TABLE_WIDTH, false, "width=", nullptr, kCaretAfter},
    {ID_TABLE_HEIGHT, false, "height=", nullptr, kCaretAfter},
    {ID_TABLE_BORDER, false, "border=", nullptr, kCaretAfter},
    {ID_TABLE_CELLSPACING, false, "cellspacing=", nullptr, kCaretAfter},
    {ID_TABLE_CELLPADDING, false, "cellpadding=", nullptr, kCaretAfter},
    {ID_TABLE_COLSPAN, false, "colspan=", nullptr, kCaretAfter},
    {ID_TABLE_ROWSPAN, false, "rowspan=", nullptr, kCaretAfter},
    {ID_TABLE_ALIGN, false, "align=", nullptr, kCaretAfter},
    {ID_TABLE_VALIGN, false, "valign=", nullptr, kCaretAfter},
    {ID_TABLE_BACKGROUND, false, "background=\"\"", nullptr, kCaretAfter},
    {ID_TABLE_BGCOLOR, false, "bgcolor=\"\"", nullptr, kCaretAfter},
    {ID_TABLE_BORDERCOLOR, false, "bordercolor=\"\"", nullptr, kCaretAfter},
    {ID_TABLE_BORDERCOLORLIGHT, false, "bordercolorlight=\"\"", nullptr, kCaretAfter},
    {ID_TABLE_BORDERCOLORDARK, false, "bordercolordark=\"\"", nullptr, kCaretAfter},
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
    WrapSelection(edit, Widen(command.open), Widen(command.close), command.caret, tag_case);
  } else {
    InsertText(edit, Widen(command.open), command.caret, tag_case);
  }
}

std::u16string HtmlSkeleton(int tag_case, bool utf8) {
  std::u16string text = Widen(kSkeleton);
  if (utf8) {
    constexpr std::u16string_view kHead = u"<head>\r\n";
    text.insert(text.find(kHead) + kHead.size(), u"<meta charset=\"utf-8\">\r\n");
  }
  if (tag_case != 0) UpperAsciiInPlace(text);
  return text;
}

}  // namespace kestil

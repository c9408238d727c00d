// The tag, attribute and block commands: for each command id, the text or
// texts it puts in and where the caret goes, in the classic markup and in
// HTML5 with CSS.
#pragma once

#include <span>
#include <string>

#include "base/edit_ops.h"

namespace kestil {

// How the commands write: the classic markup, or HTML5 with CSS.
enum class MarkupStyle { kClassic = 0, kModern = 1 };

// A stored value outside the known ones reads as the classic markup.
MarkupStyle MarkupStyleOf(int stored);

struct TagCommand {
  unsigned id;
  bool wrap;          // WrapSelection (open, close) or InsertText (open)
  const char* open;
  const char* close;  // WrapSelection only
  int caret;
};

std::span<const TagCommand> TagCommands();
const TagCommand* FindTagCommand(unsigned id);

// Runs one command on the text, in the given tag case and markup style.
void RunTagCommand(const TagCommand& command, EditOps& edit, int tag_case,
                   MarkupStyle style = MarkupStyle::kClassic);

// What the menu shows after the tab for a command whose HTML5 form differs
// from the classic one; empty for the others.
std::u16string ModernMenuText(unsigned id);

// The elements of the element menu, both styles alike: each wraps the
// selection or, with none, leaves the caret where its content goes.
struct ElementCommand {
  unsigned id;
  const char16_t* open;   // up to the content
  const char16_t* close;  // after it
  bool block;             // its tags on lines of their own around lines
};

std::span<const ElementCommand> ElementCommands();
const ElementCommand* FindElementCommand(unsigned id);
void RunElementCommand(const ElementCommand& command, EditOps& edit, int tag_case);
// "<p></p>", for the menu.
std::u16string ElementMenuText(const ElementCommand& command);

// The encoding a new page declares.
enum class PageCharset { kShiftJis, kUtf8, kUtf16 };

// The page a new HTML document starts with, in the given tag case, with CR
// LF line breaks. A classic UTF-8 page declares its encoding right after
// <head>, so that a browser reads it right; an HTML5 page declares
// Shift_JIS and UTF-8 and leaves UTF-16 to its byte order mark. The caret's
// place in it: the empty line of the body.
struct Skeleton {
  std::u16string text;
  std::size_t caret = 0;
};
Skeleton HtmlSkeleton(int tag_case, PageCharset charset, MarkupStyle style = MarkupStyle::kClassic);

// Upper-cases the element and attribute names of markup, not the values in
// quotes, the text between tags, "<!...>" or CSS. in_tag: the markup starts
// inside a tag (an attribute with its value).
void UpperMarkupNames(std::u16string& markup, bool in_tag = false);

}  // namespace kestil

// The tag, attribute and block commands: for each command id, the text or
// texts it puts in and where the caret goes.
#pragma once

#include <span>
#include <string>

#include "base/edit_ops.h"

namespace kestil {

struct TagCommand {
  unsigned id;
  bool wrap;          // WrapSelection (open, close) or InsertText (open)
  const char* open;
  const char* close;  // WrapSelection only
  int caret;
};

std::span<const TagCommand> TagCommands();
const TagCommand* FindTagCommand(unsigned id);

// Runs one command on the text, in the given tag case.
void RunTagCommand(const TagCommand& command, EditOps& edit, int tag_case);

// The page a new HTML document starts with, in the given tag case, with CR
// LF line breaks. A UTF-8 page declares its encoding right after <head>, so
// that a browser reads it right.
std::u16string HtmlSkeleton(int tag_case, bool utf8);

}  // namespace kestil

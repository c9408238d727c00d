// The two operations through which generated markup enters the text.
#pragma once

#include <string>

#include "base/edit_ops.h"

namespace kestil {

// Caret offsets: no placement, or after the text (between its closing quotes
// when it ends with a double quote). Other values are unit counts from the
// start of the insertion.
constexpr int kCaretNone = -1;
constexpr int kCaretAfter = -2;

// Replaces the selection by text, upper-cased when tag_case is non-zero, as
// one undoable step, then places the caret as caret_offset says. Line breaks
// in text take the document's line ending.
void InsertText(EditOps& edit, std::u16string text, int caret_offset, int tag_case);
// Encloses the selection (which keeps its case and its line breaks) between
// open and close, upper-cased when tag_case is non-zero, as one undoable step.
void WrapSelection(EditOps& edit, std::u16string open, std::u16string close, int caret_offset,
                   int tag_case);

// Text that the program adds, with its line breaks in the document's ending.
std::u16string InDocumentEndings(const EditOps& edit, std::u16string_view text);

}  // namespace kestil

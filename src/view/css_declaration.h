// Where a CSS declaration goes: into the style value that holds the caret,
// into the style attribute of the tag that holds it (added when the tag has
// none), or alone anywhere else (a style block, a style sheet).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/edit_ops.h"

namespace kestil {

// One replacement: the units from `from` to `to` become `text`, and the
// caret then stands at `caret` (a position in the text after the change).
struct DeclarationEdit {
  std::size_t from = 0;
  std::size_t to = 0;
  std::u16string text;
  std::size_t caret = 0;
};

// text: the document's units from position `base` on, enough of them around
// the selection to hold the tag it is in. declaration: the declaration, its
// caret `caret` units into it. upper: the attribute name an added style
// attribute takes in capitals.
DeclarationEdit PlanDeclaration(std::u16string_view text, std::size_t base, Selection sel,
                                std::u16string_view declaration, std::size_t caret, bool upper);

// Puts the declaration where it belongs, as one undoable step, and the caret
// in it.
void InsertDeclaration(EditOps& edit, std::u16string_view declaration, std::size_t caret, int tag_case);

}  // namespace kestil

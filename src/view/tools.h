// The view's tools as pure functions: the number field checker of the
// settings dialog, full-width to half-width conversion, the jump target and
// the post-processing of relative paths.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "base/edit_ops.h"

namespace kestil {

// Where the checker leaves the caret in the number field.
enum class NumberCaret {
  kUnchanged,     // no rewrite at all
  kAfterMinus,    // position 1 ("-0" became "-")
  kSelectAll,     // the whole text selected
  kAtTen,         // character position 10
  kAfterFirstIfAtStart,  // position 1 when the selection was empty at 0
};

struct NumberDecision {
  int value = 0;
  bool rewrite = false;  // replace the field's text by text
  std::u16string text;
  NumberCaret caret = NumberCaret::kUnchanged;
};

// The decision for a field text T within min..max. Text that is none of the
// special forms and does not start with a number is taken like a number
// above the maximum.
NumberDecision ValidateNumber(const std::u16string& text, int min, int max);

// Converts the full-width space, letters, digits and nineteen marks to their
// ASCII forms, character by character; everything else is kept.
std::u16string ToHankaku(std::u16string_view text);

// "&", "<", ">" and '"' as the references "&amp;", "&lt;", "&gt;" and
// "&quot;"; everything else is kept.
std::u16string ToCharacterReferences(std::u16string_view text);

// The position of line, column (both from 1) in the text; a column counts
// what each character takes in Shift_JIS (ColumnsAt). A column inside a
// character goes to its start, one past the end of the line to its end;
// nothing when the line does not exist.
std::optional<std::size_t> JumpTarget(const EditOps& edit, int line, int column);

// The folder part of a path: up to its last backslash, or the whole path.
std::u16string FolderOfPath(std::u16string_view path);

// A relative path as PathRelativePathTo gives it, made ready for a link:
// a leading ".\" removed and every backslash turned into "/". For a
// Shift_JIS document the characters it cannot hold are escaped
// (EscapeForShiftJis); other documents take the path as it is.
std::u16string RelativePathForLink(std::u16string_view relative, bool shift_jis);

}  // namespace kestil

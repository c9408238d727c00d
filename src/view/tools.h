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
  std::string text;
  NumberCaret caret = NumberCaret::kUnchanged;
};

// The decision for a field text T within min..max. Text that is none of the
// special forms and does not start with a number is taken like a number
// above the maximum.
NumberDecision ValidateNumber(const std::string& text, int min, int max);

// Converts the full-width space, letters, digits and nineteen marks to their
// one-byte forms, stepping by characters; everything else is kept.
std::string ToHankaku(const std::string& text);

// The position of line, column (both from 1; columns are bytes) in the text,
// clamped to the line's end; nothing when the line does not exist.
std::optional<std::size_t> JumpTarget(const EditOps& edit, int line, int column);

// The folder part of a code page 932 path: up to its last backslash, which
// is found character by character (a 0x5C second byte is no backslash).
std::string FolderOfPath(const std::string& path);

// A relative path as PathRelativePathTo gives it, made ready for a link:
// a leading ".\" removed and every backslash character turned into "/".
std::string RelativePathForLink(const std::string& relative);

}  // namespace kestil

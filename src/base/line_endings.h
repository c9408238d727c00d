// Line endings of a UTF-16 text: which ones it uses, the one it uses most,
// and the text with every line break made one kind. A CR followed by LF is
// one break; a lone CR and a lone LF are one each (so LF CR is two).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestil {

enum class LineEnding { kCrLf, kLf, kCr };

struct LineEndingCounts {
  std::size_t crlf = 0;
  std::size_t lf = 0;
  std::size_t cr = 0;
  // More than one kind in the text.
  bool Mixed() const { return (crlf != 0) + (lf != 0) + (cr != 0) > 1; }
  // The kind used most; CR LF for a text without a break, and on a tie the
  // first of CR LF, LF, CR.
  LineEnding Dominant() const;
};

LineEndingCounts CountLineEndings(std::u16string_view text);

// The units of a line ending, and its name in the status bar ("CRLF", "LF",
// "CR").
std::u16string_view Spelling(LineEnding ending);
std::u16string_view Name(LineEnding ending);

// The text with every line break written as ending.
std::u16string WithLineEnding(std::u16string_view text, LineEnding ending);

}  // namespace kestil

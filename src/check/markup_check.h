// The markup check: HTML Tidy's diagnostics of a page, each placed in the
// document. Tidy only reads: it parses the text as HTML5 (or as the version
// its doctype names) and reports; no clean-up is kept and nothing is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestil {

enum class FindingLevel { kError, kWarning };

struct Finding {
  // Where Tidy found it, line and column from 1 as Tidy counts them (0 when
  // it gave none).
  std::size_t tidy_line = 0;
  std::size_t tidy_column = 0;
  FindingLevel level = FindingLevel::kWarning;
  unsigned code = 0;                  // Tidy's message code
  std::u16string text;                // Tidy's English message
  std::vector<std::u16string> args;   // what the message names, in Tidy's order
  // In the document: the UTF-16 position, the end of the text the mark
  // covers, and the line and column (from 1; the column as the jump
  // dialog and the status bar count it).
  std::size_t position = 0;
  std::size_t mark_end = 0;
  std::size_t line = 1;
  std::size_t column = 1;
};

// kTooDeep: the page nests elements deeper than the check follows; the
// findings are those before that place.
enum class CheckOutcome { kDone, kTooDeep, kCancelled, kOutOfMemory };

struct CheckResult {
  CheckOutcome outcome = CheckOutcome::kDone;
  std::vector<Finding> findings;  // in document order; none when cancelled or out of memory
  std::size_t errors = 0;         // counted over every finding, kept or not
  std::size_t warnings = 0;
};

// What a running check asks of the one who started it, from the thread it
// runs on: whether to stop, and how much of the text (in UTF-8 bytes) it has
// read of how much. Both are asked now and then, not for every byte.
struct CheckControl {
  std::function<bool()> cancelled;
  std::function<void(std::size_t done, std::size_t total)> progress;
  // The page is written in the classic markup: the elements and attributes
  // that HTML5 left out (font, center, bgcolor, align ...) are no finding.
  bool classic = false;
};

// Whether a finding of Tidy's is about markup that HTML5 left out.
bool AboutClassicMarkup(unsigned code);

// The most findings a check keeps; the rest are only counted.
constexpr std::size_t kMaxFindings = 10000;

// Checks the text; never changes it. Any text is taken: binary, NUL,
// unpaired surrogates, a 10 MB line.
CheckResult CheckMarkup(std::u16string_view text, const CheckControl& control = {});

// The UTF-8 text Tidy reads for a document's text: what Tidy would drop
// without counting a column (NUL and the other control characters but tab,
// line feed and carriage return) and what is no character (an unpaired
// surrogate, a reserved unit, U+FFFE, U+FFFF) become U+FFFD, one column each;
// a byte order mark at the start is left out, as Tidy would skip it; a lone
// CR is given as LF (the same line break, which Tidy counts right).
std::string TidyInput(std::u16string_view text);

// Gives each finding its place in the text from Tidy's line and column: a
// line ends at CR LF, CR or LF; each character (a surrogate pair too) is one
// of Tidy's columns, a tab too. A column past the line's end stays at its
// end; a line past the text's end goes to the end.
void PlaceFindings(std::u16string_view text, std::vector<Finding>& findings);

// The end of the text a mark at pos covers: a tag to its '>', anything
// else to the end of its word; within the line, and at most 256 units.
std::size_t MarkEnd(std::u16string_view text, std::size_t pos);

// The finding that F8 goes to from the caret at (line, column), both from
// 1: after the one gone to last (`current`) while the caret is still at its
// place, else the first one after the caret; past the last one the first
// again. None without findings.
std::optional<std::size_t> NextFinding(const std::vector<Finding>& findings, std::size_t current,
                                       std::size_t line, std::size_t column);

}  // namespace kestil

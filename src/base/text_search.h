// Searching the text of the edit surface, in UTF-16 units. A match is made
// of whole characters: it never starts or ends between the two halves of a
// surrogate pair.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kestil {

struct SearchOptions {
  bool match_case = false;
  bool whole_word = false;
  bool down = true;
};

// The first match at or after from (down), or the last one ending at or
// before from (up). Without match_case, ASCII and full-width Latin letters
// match either case.
std::optional<std::pair<std::size_t, std::size_t>> FindMatch(std::u16string_view text,
                                                             std::u16string_view what,
                                                             std::size_t from,
                                                             const SearchOptions& options);

// FindMatch, and when it finds nothing, again from the other end of the
// text: from the start going down, from the end going up.
struct WrappedMatch {
  std::size_t begin;
  std::size_t end;
  bool wrapped;  // found only from the other end
};
std::optional<WrappedMatch> FindWrapping(std::u16string_view text, std::u16string_view what,
                                         std::size_t from, const SearchOptions& options);

// What the find field starts with for a selection: its first line, at most
// max_units long and never cut inside a surrogate pair.
std::u16string FindFieldText(std::u16string_view selected, std::size_t max_units);

// Whether a selected text is a match (for Replace).
bool IsMatch(std::u16string_view selected, std::u16string_view what, const SearchOptions& options);

// Every match from the start, replaced; *count receives their number. The
// result is the text from the first match to the end of the last, so that it
// replaces that span as one change; *begin and *end give the span.
std::u16string ReplaceAllIn(std::u16string_view text, std::u16string_view what,
                            std::u16string_view with, const SearchOptions& options,
                            std::size_t* count, std::size_t* begin, std::size_t* end);

}  // namespace kestil

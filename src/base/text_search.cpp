#include "base/text_search.h"

#include "base/text16.h"

namespace kestil {
namespace {

char16_t Fold(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<char16_t>(c + 32);  // Ａ-Ｚ
  return c;
}

bool IsWordUnit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
         c == u'_';
}

bool MatchesAt(std::u16string_view text, std::u16string_view what, std::size_t at,
               const SearchOptions& o) {
  if (at + what.size() > text.size()) return false;
  // A match is made of whole characters: it never splits a surrogate pair.
  const std::size_t end = at + what.size();
  if (at > 0 && IsHighSurrogate(text[at - 1]) && IsLowSurrogate(text[at])) return false;
  if (end < text.size() && IsHighSurrogate(text[end - 1]) && IsLowSurrogate(text[end])) {
    return false;
  }
  for (std::size_t k = 0; k < what.size(); ++k) {
    const char16_t a = text[at + k];
    const char16_t b = what[k];
    if (o.match_case ? a != b : Fold(a) != Fold(b)) return false;
  }
  if (o.whole_word) {
    if (at > 0 && IsWordUnit(text[at - 1]) && IsWordUnit(what.front())) return false;
    if (end < text.size() && IsWordUnit(text[end]) && IsWordUnit(what.back())) return false;
  }
  return true;
}

}  // namespace

std::optional<std::pair<std::size_t, std::size_t>> FindMatch(std::u16string_view text,
                                                             std::u16string_view what,
                                                             std::size_t from,
                                                             const SearchOptions& o) {
  if (what.empty() || what.size() > text.size()) return std::nullopt;
  from = std::min(from, text.size());
  if (o.down) {
    for (std::size_t at = from; at + what.size() <= text.size(); ++at) {
      if (MatchesAt(text, what, at, o)) return std::make_pair(at, at + what.size());
    }
  } else {
    if (from < what.size()) return std::nullopt;
    for (std::size_t at = from - what.size() + 1; at-- > 0;) {
      if (MatchesAt(text, what, at, o)) return std::make_pair(at, at + what.size());
    }
  }
  return std::nullopt;
}

std::optional<WrappedMatch> FindWrapping(std::u16string_view text, std::u16string_view what,
                                         std::size_t from, const SearchOptions& o) {
  if (const auto match = FindMatch(text, what, from, o)) {
    return WrappedMatch{match->first, match->second, false};
  }
  if (const auto match = FindMatch(text, what, o.down ? 0 : text.size(), o)) {
    return WrappedMatch{match->first, match->second, true};
  }
  return std::nullopt;
}

std::u16string FindFieldText(std::u16string_view selected, std::size_t max_units) {
  std::u16string_view line = selected.substr(0, selected.find_first_of(u"\r\n"));
  if (line.size() > max_units) {
    line = line.substr(0, max_units);
    if (IsHighSurrogate(line.back())) line.remove_suffix(1);
  }
  return std::u16string(line);
}

bool IsMatch(std::u16string_view selected, std::u16string_view what, const SearchOptions& o) {
  SearchOptions plain = o;
  plain.whole_word = false;  // the selection is the whole word already
  return selected.size() == what.size() && MatchesAt(selected, what, 0, plain);
}

std::u16string ReplaceAllIn(std::u16string_view text, std::u16string_view what,
                            std::u16string_view with, const SearchOptions& o,
                            std::size_t* count, std::size_t* begin, std::size_t* end) {
  SearchOptions down = o;
  down.down = true;
  std::u16string out;
  *count = 0;
  *begin = *end = 0;
  std::size_t at = 0;
  while (auto match = FindMatch(text, what, at, down)) {
    if (*count == 0) {
      *begin = match->first;
    } else {
      out.append(text.substr(at, match->first - at));
    }
    out.append(with);
    at = match->second;
    *end = at;
    ++*count;
  }
  return out;
}

}  // namespace kestil

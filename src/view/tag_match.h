// The tag under the caret and its partner in a page: the start tag and the
// end tag that closes it. Comments, <!...> and <?...?>, the content of
// <script> and <style>, and attribute values hold no tags.
//
// The rule for a start tag: tags of the same name are counted as pairs, so
// that <div><div></div></div> pairs from the outside in, whatever other
// elements do between them (<b><i></b></i> pairs b with </b>). An element
// whose end tag HTML lets be left out (p, li, td ...) ends at the next start
// tag of its name at its own depth. Void elements (br, img ...) and
// self-closed tags have no partner and are never unmatched.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestil {

struct TagAt {
  std::size_t start = 0;  // the "<"
  std::size_t end = 0;    // after the ">" (or where the tag is cut off)
  std::size_t name_start = 0;
  std::size_t name_end = 0;
  bool closing = false;
  bool self_closed = false;
  std::u16string name;  // ASCII lower case
};

struct TagMatch {
  TagAt tag;
  std::optional<TagAt> partner;
  // A start tag that needs an end tag and has none, or an end tag without
  // its start tag.
  bool unmatched = false;
};

bool IsVoidElement(std::u16string_view lower_name);
bool MayOmitEndTag(std::u16string_view lower_name);

// Where the "<" stands when pos is in a run of name characters right after
// "<" or "</" (which may still be no tag: text inside a comment, a script
// or a value), or npos. A line of the text is enough to ask.
std::size_t OpeningBeforeName(std::u16string_view text, std::size_t pos);

// The tag whose name holds pos (from its first character to just after its
// last), when it is a tag.
std::optional<TagAt> TagUnderCaret(std::u16string_view text, std::size_t pos);
std::optional<TagMatch> MatchTag(std::u16string_view text, std::size_t pos);

// The start tag of the innermost element that is open at pos, as a browser
// would read the page up to there: void elements and self-closed tags are
// never open; an end tag closes its element and the elements left open in
// it; li, dt, dd, td, th, tr, option and p end where HTML ends them (the
// next of their kind, a block that starts). Inside a <script> or <style>
// block that block is open; inside a comment or a tag nothing is.
std::optional<TagAt> InnermostOpenElement(std::u16string_view text, std::size_t pos);

}  // namespace kestil

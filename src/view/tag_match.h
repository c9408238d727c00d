// The tag under the caret and the tag that pairs with it.
//
// Which open element an end tag closes follows a stack of open elements:
// an end tag closes the nearest open element of its name and every element
// opened after it, which stay without an end tag; an end tag with no open
// element of its name closes nothing. A start tag of an element whose end
// tag may be left out closes an open element of the same kind right before
// it (<li> a <li>, <td> a <th>). So in <b><i></b></i> the </b> pairs with
// <b>, and <i> and </i> are both without a partner.
//
// Whether a "<" begins a tag depends on everything before it (a comment, a
// script or an attribute value may have begun anywhere), so the scan starts
// at the top of the text; it never reads past the partner.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestil {

struct TagAt {
  std::size_t start, end;            // the whole tag, from "<" to after ">"
  std::size_t name_start, name_end;  // its name
  bool closing;                      // </name>
  std::u16string name;               // ASCII lower case
};

// The start or end tag whose name holds the caret, the caret being anywhere
// from the name's first unit to just after its last.
std::optional<TagAt> TagUnderCaret(std::u16string_view text, std::size_t pos);

struct TagMatch {
  TagAt tag;
  std::optional<TagAt> partner;
  // No partner, and one was needed: never for void elements, <x/>, or
  // elements whose end tag may be left out.
  bool unmatched;
};

std::optional<TagMatch> MatchTag(std::u16string_view text, std::size_t pos);

bool IsVoidElement(std::u16string_view lower_name);
bool MayOmitEndTag(std::u16string_view lower_name);

}  // namespace kestil

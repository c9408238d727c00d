#include "view/tag_match.h"

#include <algorithm>
#include <vector>

namespace kestil {
namespace {

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsNameChar(char16_t c) {
  return IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_' || c == u':' || c == u'.';
}
char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool StartsWithAt(std::u16string_view text, std::size_t i, std::u16string_view lower) {
  if (i + lower.size() > text.size()) return false;
  for (std::size_t k = 0; k < lower.size(); ++k) {
    if (Lower(text[i + k]) != lower[k]) return false;
  }
  return true;
}

bool InList(std::u16string_view name, std::initializer_list<std::u16string_view> list) {
  for (std::u16string_view n : list) {
    if (n == name) return true;
  }
  return false;
}

// Reads the tags of a text from a position on, passing over what holds no
// tags. Starting anywhere but at the start of the text or just after a tag
// may take text inside a comment or a script for tags.
class TagReader {
 public:
  TagReader(std::u16string_view text, std::size_t from) : text_(text), i_(from) {}

  std::optional<TagAt> Next() {
    const std::size_t n = text_.size();
    while (i_ < n) {
      const std::size_t lt = text_.find(u'<', i_);
      if (lt == std::u16string_view::npos) break;
      i_ = lt + 1;
      if (StartsWithAt(text_, lt, u"<!--")) {
        const std::size_t close = text_.find(u"-->", lt + 4);
        i_ = close == std::u16string_view::npos ? n : close + 3;
        continue;
      }
      if (lt + 1 < n && (text_[lt + 1] == u'!' || text_[lt + 1] == u'?')) {
        const std::size_t close = text_.find(u'>', lt + 2);
        i_ = close == std::u16string_view::npos ? n : close + 1;
        continue;
      }
      const bool closing = lt + 1 < n && text_[lt + 1] == u'/';
      const std::size_t name_start = lt + (closing ? 2 : 1);
      if (name_start >= n || !IsAsciiLetter(text_[name_start])) continue;
      TagAt tag;
      tag.start = lt;
      tag.closing = closing;
      tag.name_start = name_start;
      std::size_t k = name_start;
      while (k < n && IsNameChar(text_[k])) tag.name.push_back(Lower(text_[k++]));
      tag.name_end = k;
      // The attributes, to the ">" that is not inside a quoted value.
      char16_t quote = 0;
      char16_t last = 0;
      for (; k < n; ++k) {
        const char16_t c = text_[k];
        if (quote != 0) {
          if (c == quote) quote = 0;
          continue;
        }
        if (c == u'"' || c == u'\'') {
          quote = c;
        } else if (c == u'>' || c == u'<') {
          break;  // its end, or a tag cut off before the next one
        }
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') last = c;
      }
      tag.self_closed = !closing && last == u'/' && k < n && text_[k] == u'>';
      tag.end = k < n && text_[k] == u'>' ? k + 1 : k;
      i_ = tag.end;
      if (!closing && (tag.name == u"script" || tag.name == u"style")) SkipRawText(tag.name);
      return tag;
    }
    i_ = n;
    return std::nullopt;
  }

  std::size_t position() const { return i_; }

 private:
  // To the end tag of a script or style block, which the next call reads.
  void SkipRawText(std::u16string_view name) {
    const std::u16string end = u"</" + std::u16string(name);
    for (std::size_t k = text_.find(u'<', i_); k != std::u16string_view::npos; k = text_.find(u'<', k + 1)) {
      if (StartsWithAt(text_, k, end) &&
          (k + end.size() >= text_.size() || !IsNameChar(text_[k + end.size()]))) {
        i_ = k;
        return;
      }
    }
    i_ = text_.size();
  }

  std::u16string_view text_;
  std::size_t i_;
};

bool NeedsNoPartner(const TagAt& tag) { return tag.self_closed || IsVoidElement(tag.name); }

// The start tags that end an open p.
bool EndsParagraph(std::u16string_view name) {
  return InList(name, {u"address", u"article", u"aside", u"blockquote", u"details", u"div", u"dl", u"fieldset",
                       u"figcaption", u"figure", u"footer", u"form", u"h1", u"h2", u"h3", u"h4", u"h5", u"h6",
                       u"header", u"hgroup", u"hr", u"main", u"menu", u"nav", u"ol", u"p", u"pre", u"section",
                       u"table", u"ul"});
}

// Whether a start tag ends the open element `open` that it follows.
bool EndsOpen(std::u16string_view open, std::u16string_view next) {
  if (open == u"p") return EndsParagraph(next);
  if (open == u"li") return next == u"li";
  if (open == u"dt" || open == u"dd") return next == u"dt" || next == u"dd";
  if (open == u"td" || open == u"th") return next == u"td" || next == u"th" || next == u"tr";
  if (open == u"tr") return next == u"tr";
  if (open == u"option") return next == u"option" || next == u"optgroup";
  return false;
}

// Whether pos is inside a comment that opens before it.
bool InComment(std::u16string_view text, std::size_t pos) {
  const std::size_t open = text.rfind(u"<!--", pos >= 4 ? pos - 4 : 0);
  if (open == std::u16string_view::npos || open + 4 > pos) return false;
  const std::size_t close = text.find(u"-->", open + 4);
  return close == std::u16string_view::npos || close + 3 > pos;
}

}  // namespace

bool IsVoidElement(std::u16string_view name) {
  return InList(name, {u"area", u"base", u"br", u"col", u"embed", u"hr", u"img", u"input", u"keygen",
                       u"link", u"meta", u"param", u"source", u"track", u"wbr"});
}

bool MayOmitEndTag(std::u16string_view name) {
  return InList(name, {u"p", u"li", u"dt", u"dd", u"td", u"th", u"tr", u"thead", u"tbody", u"tfoot",
                       u"option", u"optgroup", u"rb", u"rt", u"rp", u"rtc", u"colgroup", u"caption",
                       u"html", u"head", u"body"});
}

std::size_t OpeningBeforeName(std::u16string_view text, std::size_t pos) {
  if (pos > text.size()) return std::u16string_view::npos;
  std::size_t k = pos;
  while (k > 0 && IsNameChar(text[k - 1])) --k;
  if (k < text.size() && !IsAsciiLetter(text[k])) return std::u16string_view::npos;
  std::size_t lt = k;
  if (lt > 0 && text[lt - 1] == u'/') --lt;
  if (lt == 0 || text[lt - 1] != u'<') return std::u16string_view::npos;
  return lt - 1;
}

std::optional<TagAt> TagUnderCaret(std::u16string_view text, std::size_t pos) {
  const std::size_t lt = OpeningBeforeName(text, pos);
  if (lt == std::u16string_view::npos) return std::nullopt;
  // Whether that "<" opens a tag: read the page's tags up to it.
  TagReader reader(text, 0);
  while (auto tag = reader.Next()) {
    if (tag->start == lt) return tag;
    if (tag->start > lt) break;
  }
  return std::nullopt;
}

std::optional<TagMatch> MatchTag(std::u16string_view text, std::size_t pos) {
  auto tag = TagUnderCaret(text, pos);
  if (!tag) return std::nullopt;
  TagMatch match;
  match.tag = *tag;
  if (!tag->closing) {
    if (NeedsNoPartner(*tag)) return match;
    TagReader reader(text, tag->end);
    int depth = 1;
    while (auto next = reader.Next()) {
      if (next->name != tag->name || NeedsNoPartner(*next)) continue;
      if (!next->closing) {
        if (depth == 1 && MayOmitEndTag(tag->name)) return match;  // ended by its next sibling
        ++depth;
      } else if (--depth == 0) {
        match.partner = *next;
        return match;
      }
    }
    match.unmatched = !MayOmitEndTag(tag->name);
    return match;
  }
  // An end tag: the start tags of its name that are still open before it.
  std::vector<TagAt> open;
  TagReader reader(text, 0);
  while (auto next = reader.Next()) {
    if (next->start >= tag->start) break;
    if (next->name != tag->name || NeedsNoPartner(*next)) continue;
    if (!next->closing) {
      if (MayOmitEndTag(next->name) && !open.empty()) open.pop_back();  // its sibling ends it
      open.push_back(*next);
    } else if (!open.empty()) {
      open.pop_back();
    }
  }
  if (open.empty()) {
    match.unmatched = true;
  } else {
    match.partner = open.back();
  }
  return match;
}

std::optional<TagAt> InnermostOpenElement(std::u16string_view text, std::size_t pos) {
  pos = std::min(pos, text.size());
  std::vector<TagAt> open;
  TagReader reader(text, 0);
  while (auto tag = reader.Next()) {
    if (tag->start >= pos) break;
    if (tag->end > pos) return std::nullopt;  // inside the tag itself
    if (tag->closing) {
      for (std::size_t k = open.size(); k > 0; --k) {
        if (open[k - 1].name == tag->name) {
          open.resize(k - 1);
          break;
        }
      }
      continue;
    }
    if (NeedsNoPartner(*tag)) {
      if (!open.empty() && open.back().name == u"p" && EndsParagraph(tag->name)) open.pop_back();
      continue;
    }
    while (!open.empty() && EndsOpen(open.back().name, tag->name)) open.pop_back();
    open.push_back(*tag);
  }
  if (open.empty()) return std::nullopt;
  const TagAt& innermost = open.back();
  const bool raw = innermost.name == u"script" || innermost.name == u"style";
  if (!raw && InComment(text, pos)) return std::nullopt;
  return innermost;
}

}  // namespace kestil

#include "view/tag_match.h"

#include <array>
#include <vector>

namespace kestil {
namespace {

constexpr std::size_t kNone = std::u16string_view::npos;

constexpr bool IsSpace(char16_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
constexpr bool IsAsciiAlpha(char16_t c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
constexpr char16_t LowerAscii(char16_t c) { return c >= 'A' && c <= 'Z' ? static_cast<char16_t>(c + 0x20) : c; }
// "<" ends a name too, unlike in a browser, so that "<a<b>" cannot hide a
// tag from the caret.
constexpr bool IsNameUnit(char16_t c) { return !IsSpace(c) && c != '/' && c != '>' && c != '<'; }

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool SameName(std::u16string_view name, std::string_view lower_ascii) {
  if (name.size() != lower_ascii.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (LowerAscii(name[i]) != static_cast<char16_t>(lower_ascii[i])) return false;
  }
  return true;
}

template <std::size_t N>
bool AnyOf(std::u16string_view name, const std::array<std::string_view, N>& names) {
  for (std::string_view n : names) {
    if (SameName(name, n)) return true;
  }
  return false;
}

constexpr std::array<std::string_view, 16> kVoid = {"area", "base", "br",    "col",   "embed",  "hr",
                                                     "img",  "input", "link", "meta",  "param",  "source",
                                                     "track", "wbr", "keygen", "basefont"};
constexpr std::array<std::string_view, 20> kOmissible = {
    "p",     "li",    "dt",    "dd",      "td",       "th",       "tr",     "thead", "tbody", "tfoot",
    "option", "optgroup", "rb", "rt", "rp", "colgroup", "caption", "html", "head", "body"};
// Their content is text, so a "<" in it begins no tag.
constexpr std::array<std::string_view, 5> kRawText = {"script", "style", "textarea", "title", "xmp"};

// Which omissible elements a start tag of the same kind closes.
int Kind(std::u16string_view name) {
  static constexpr std::array<std::string_view, 15> kKinds = {
      "p", "li", "dt", "dd", "td", "th", "tr", "thead", "tbody", "tfoot", "option", "optgroup", "rb", "rt", "rp"};
  static constexpr std::array<int, 15> kKindOf = {1, 2, 3, 3, 4, 4, 5, 6, 6, 6, 7, 8, 9, 9, 9};
  for (std::size_t i = 0; i < kKinds.size(); ++i) {
    if (SameName(name, kKinds[i])) return kKindOf[i];
  }
  return 0;
}

struct Token {
  std::size_t start, end, name_start, name_end;
  bool closing, self_closing;
};

// The tags of the text in order, past text, comments, <!...>, <?...?> and
// the content of script, style and the other text-only elements.
class Scanner {
 public:
  explicit Scanner(std::u16string_view text) : text_(text) {}

  std::optional<Token> Next() {
    if (!raw_.empty() && !SkipRawText()) return std::nullopt;
    const std::size_t n = text_.size();
    while (i_ < n) {
      const std::size_t lt = text_.find(u'<', i_);
      if (lt == kNone || lt + 1 >= n) break;
      const char16_t c = text_[lt + 1];
      if (c == '!') {
        if (text_.substr(lt, 4) == u"<!--") {
          // From "<!" so that "<!-->" and "<!--->" end where they start.
          Skip(text_.find(u"-->", lt + 2), 3);
        } else {
          Skip(text_.find(u'>', lt + 2), 1);
        }
        continue;
      }
      if (c == '?') {
        Skip(text_.find(u'>', lt + 2), 1);
        continue;
      }
      const bool closing = c == '/';
      const std::size_t name_start = lt + 1 + (closing ? 1 : 0);
      if (name_start >= n || !IsAsciiAlpha(text_[name_start])) {
        if (closing) {
          Skip(text_.find(u'>', lt + 2), 1);  // "</ x>" is a comment to a browser
        } else {
          i_ = lt + 1;
        }
        continue;
      }
      std::size_t name_end = name_start + 1;
      while (name_end < n && IsNameUnit(text_[name_end])) ++name_end;
      bool self_closing = false;
      const std::size_t end = TagEnd(name_end, self_closing);
      if (end == kNone) break;  // a tag cut off by the end of the text is none
      i_ = end;
      const std::u16string_view name = text_.substr(name_start, name_end - name_start);
      if (!closing && AnyOf(name, kRawText)) {
        // A browser reads <script src="a.js"/> as an open script too.
        raw_ = name;
        self_closing = false;
      }
      return Token{lt, end, name_start, name_end, closing, self_closing};
    }
    i_ = n;
    return std::nullopt;
  }

 private:
  void Skip(std::size_t found, std::size_t length) { i_ = found == kNone ? text_.size() : found + length; }

  // To the end tag of the text-only element just opened: "</name" then a
  // space, "/" or ">".
  bool SkipRawText() {
    const std::size_t n = text_.size();
    for (std::size_t j = i_; (j = text_.find(u"</", j)) != kNone; j += 2) {
      const std::size_t after = j + 2 + raw_.size();
      if (after < n && SameName(text_.substr(j + 2, raw_.size()), raw_) &&
          (IsSpace(text_[after]) || text_[after] == '/' || text_[after] == '>')) {
        i_ = j;
        raw_ = {};
        return true;
      }
    }
    i_ = n;
    return false;
  }

  // After the ">" that ends the tag whose attributes begin at j, or kNone;
  // a ">" or "/" inside a quoted or unquoted value ends nothing.
  std::size_t TagEnd(std::size_t j, bool& self_closing) const {
    const std::size_t n = text_.size();
    while (true) {
      while (j < n && IsSpace(text_[j])) ++j;
      if (j >= n) return kNone;
      if (text_[j] == '>') return j + 1;
      if (text_[j] == '/') {
        if (++j < n && text_[j] == '>') {
          self_closing = true;
          return j + 1;
        }
        continue;
      }
      ++j;  // an attribute name may begin with "=" or a quote
      while (j < n && !IsSpace(text_[j]) && text_[j] != '/' && text_[j] != '>' && text_[j] != '=') ++j;
      while (j < n && IsSpace(text_[j])) ++j;
      if (j >= n || text_[j] != '=') continue;
      ++j;
      while (j < n && IsSpace(text_[j])) ++j;
      if (j >= n) return kNone;
      if (text_[j] == '"' || text_[j] == '\'') {
        const std::size_t close = text_.find(text_[j], j + 1);
        if (close == kNone) return kNone;
        j = close + 1;
      } else {
        while (j < n && !IsSpace(text_[j]) && text_[j] != '>') ++j;
      }
    }
  }

  std::u16string_view text_;
  std::size_t i_ = 0;
  std::u16string_view raw_;  // the text-only element whose content comes next
};

// What one tag did to the open elements.
struct Step {
  std::size_t kept;  // how many of those open before it are still open
  bool closed_kept;  // an end tag closed the element at index kept
};

class OpenElements {
 public:
  explicit OpenElements(std::u16string_view text) : text_(text) {}

  std::size_t size() const { return open_.size(); }

  // The index of the nearest open element of that name, or kNone.
  std::size_t Nearest(std::u16string_view name) const {
    for (std::size_t k = open_.size(); k-- > 0;) {
      if (SameName(Name(open_[k]), name)) return k;
    }
    return kNone;
  }

  Step Take(const Token& t) {
    const std::u16string_view name = Name(t);
    if (t.closing) {
      const std::size_t k = Nearest(name);
      if (k == kNone) return {open_.size(), false};
      open_.resize(k);
      return {k, true};
    }
    if (t.self_closing || IsVoidElement(name)) return {open_.size(), false};
    Step step{open_.size(), false};
    const int kind = Kind(name);
    if (kind != 0 && !open_.empty() && Kind(Name(open_.back())) == kind) {
      open_.pop_back();
      step.kept = open_.size();
    }
    open_.push_back(t);
    return step;
  }

  const Token& operator[](std::size_t k) const { return open_[k]; }

 private:
  std::u16string_view Name(const Token& t) const { return text_.substr(t.name_start, t.name_end - t.name_start); }

  std::u16string_view text_;
  std::vector<Token> open_;
};

TagAt ToTagAt(std::u16string_view text, const Token& t) {
  TagAt at{t.start, t.end, t.name_start, t.name_end, t.closing, {}};
  at.name.reserve(t.name_end - t.name_start);
  for (std::size_t i = t.name_start; i < t.name_end; ++i) at.name.push_back(LowerAscii(text[i]));
  return at;
}

// Where the tag whose name may hold the caret begins, judged from the units
// around the caret alone; kNone when no tag can.
std::size_t CandidateStart(std::u16string_view text, std::size_t pos) {
  if (pos > text.size()) return kNone;
  std::size_t k = pos;
  while (k > 0 && IsNameUnit(text[k - 1])) --k;
  if (k >= text.size() || !IsAsciiAlpha(text[k]) || k == 0) return kNone;
  if (text[k - 1] == '<') return k - 1;
  if (text[k - 1] == '/' && k >= 2 && text[k - 2] == '<') return k - 2;
  return kNone;
}

// Scans to the tag under the caret, passing every tag before it to open
// when given.
std::optional<Token> FindCaretTag(std::u16string_view text, std::size_t pos, Scanner& scanner,
                                  OpenElements* open) {
  const std::size_t lt = CandidateStart(text, pos);
  if (lt == kNone) return std::nullopt;
  while (std::optional<Token> t = scanner.Next()) {
    if (t->start == lt) return t;
    if (t->start > lt) break;  // the "<" lies in a comment, value or script
    if (open) open->Take(*t);
  }
  return std::nullopt;
}

}  // namespace

bool IsVoidElement(std::u16string_view lower_name) { return AnyOf(lower_name, kVoid); }

bool MayOmitEndTag(std::u16string_view lower_name) { return AnyOf(lower_name, kOmissible); }

std::optional<TagAt> TagUnderCaret(std::u16string_view text, std::size_t pos) {
  Scanner scanner(text);
  const std::optional<Token> t = FindCaretTag(text, pos, scanner, nullptr);
  if (!t) return std::nullopt;
  return ToTagAt(text, *t);
}

std::optional<TagMatch> MatchTag(std::u16string_view text, std::size_t pos) {
  Scanner scanner(text);
  OpenElements open(text);
  const std::optional<Token> t = FindCaretTag(text, pos, scanner, &open);
  if (!t) return std::nullopt;
  TagMatch match{ToTagAt(text, *t), std::nullopt, false};
  if (t->closing) {
    const std::size_t k = open.Nearest(match.tag.name);
    if (k == kNone) {
      match.unmatched = true;
    } else {
      match.partner = ToTagAt(text, open[k]);
    }
    return match;
  }
  if (t->self_closing || IsVoidElement(match.tag.name)) return match;
  open.Take(*t);
  const std::size_t index = open.size() - 1;
  while (std::optional<Token> next = scanner.Next()) {
    const Step step = open.Take(*next);
    if (step.kept > index) continue;
    if (step.closed_kept && step.kept == index && next->closing) match.partner = ToTagAt(text, *next);
    break;
  }
  match.unmatched = !match.partner && !MayOmitEndTag(match.tag.name);
  return match;
}

}  // namespace kestil

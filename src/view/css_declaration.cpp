#include "view/css_declaration.h"

#include <optional>
#include <vector>

namespace kestil {
namespace {

// How far around the selection a tag is looked for.
constexpr std::size_t kReach = 64 * 1024;

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f'; }
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

struct Attribute {
  std::size_t name_start = 0;
  std::size_t name_end = 0;
  bool has_value = false;
  bool quoted = false;
  std::size_t value_start = 0;  // inside the quotes
  std::size_t value_end = 0;    // at the closing quote (or where the value stops)
  std::size_t end = 0;          // after the attribute, its closing quote included
};

struct StartTag {
  std::size_t name_end = 0;
  std::vector<Attribute> attributes;
};

// The start tag that holds pos: its "<" before pos and its ">" (or the cut
// off end) not before it.
std::optional<StartTag> TagHolding(std::u16string_view text, std::size_t pos) {
  if (pos == 0) return std::nullopt;
  const std::size_t lt = text.rfind(u'<', pos - 1);
  if (lt == std::u16string_view::npos || lt + 1 >= text.size() || !IsLetter(text[lt + 1])) return std::nullopt;
  const std::size_t n = text.size();
  StartTag tag;
  std::size_t i = lt + 1;
  while (i < n && !IsSpace(text[i]) && text[i] != u'>' && text[i] != u'/' && text[i] != u'<') ++i;
  tag.name_end = i;
  for (;;) {
    while (i < n && (IsSpace(text[i]) || text[i] == u'/')) ++i;
    if (i >= n || text[i] == u'>' || text[i] == u'<') break;
    Attribute a;
    a.name_start = i;
    while (i < n && !IsSpace(text[i]) && text[i] != u'=' && text[i] != u'>' && text[i] != u'<' && text[i] != u'/') {
      ++i;
    }
    a.name_end = i;
    std::size_t k = i;
    while (k < n && IsSpace(text[k])) ++k;
    if (k < n && text[k] == u'=') {
      ++k;
      while (k < n && IsSpace(text[k])) ++k;
      a.has_value = true;
      if (k < n && (text[k] == u'"' || text[k] == u'\'')) {
        a.quoted = true;
        a.value_start = k + 1;
        const std::size_t close = text.find(text[k], k + 1);
        a.value_end = close == std::u16string_view::npos ? n : close;
        i = close == std::u16string_view::npos ? n : close + 1;
      } else {
        a.value_start = k;
        while (k < n && !IsSpace(text[k]) && text[k] != u'>') ++k;
        a.value_end = k;
        i = k;
      }
    }
    a.end = i;
    tag.attributes.push_back(a);
    if (a.name_end == a.name_start && !a.has_value) ++i;  // a stray character
  }
  if (pos > i) return std::nullopt;  // the caret is after the tag
  return tag;
}

bool IsStyle(std::u16string_view text, const Attribute& a) {
  constexpr std::u16string_view kStyle = u"style";
  if (a.name_end - a.name_start != kStyle.size()) return false;
  for (std::size_t k = 0; k < kStyle.size(); ++k) {
    if (Lower(text[a.name_start + k]) != kStyle[k]) return false;
  }
  return true;
}

// What goes before a declaration added after `before` in a style value.
std::u16string Separator(std::u16string_view before) {
  std::size_t end = before.size();
  while (end > 0 && IsSpace(before[end - 1])) --end;
  if (end == 0) return {};
  if (before[end - 1] == u';') return end == before.size() ? u" " : u"";
  return end == before.size() ? u"; " : u";";
}

}  // namespace

DeclarationEdit PlanDeclaration(std::u16string_view text, std::size_t base, Selection sel,
                                std::u16string_view declaration, std::size_t caret, bool upper) {
  const std::size_t start = sel.start - base;
  const std::size_t end = sel.end - base;
  DeclarationEdit edit;
  const auto tag = TagHolding(text, start);
  const Attribute* style = nullptr;
  if (tag) {
    for (const Attribute& a : tag->attributes) {
      if (IsStyle(text, a) && a.has_value) style = &a;
    }
  }
  if (style != nullptr && style->quoted && start >= style->value_start && start <= style->value_end) {
    // Inside the value: at the caret, replacing what is selected in it.
    const std::size_t to = end <= style->value_end ? end : start;
    const std::u16string before = Separator(text.substr(style->value_start, start - style->value_start));
    const bool space_after = to < style->value_end && !IsSpace(text[to]);
    edit.from = base + start;
    edit.to = base + to;
    edit.text = before + std::u16string(declaration) + (space_after ? u" " : u"");
    edit.caret = edit.from + before.size() + caret;
    return edit;
  }
  if (style != nullptr) {
    // Appended to the tag's style value; an unquoted one takes quotes.
    const std::u16string_view value = text.substr(style->value_start, style->value_end - style->value_start);
    const std::u16string before = Separator(value);
    if (style->quoted) {
      edit.from = edit.to = base + style->value_end;
      edit.text = before + std::u16string(declaration);
      edit.caret = edit.from + before.size() + caret;
    } else {
      edit.from = base + style->value_start;
      edit.to = base + style->value_end;
      edit.text = u"\"" + std::u16string(value) + before + std::u16string(declaration) + u"\"";
      edit.caret = edit.from + 1 + value.size() + before.size() + caret;
    }
    return edit;
  }
  if (tag) {
    // A style attribute of its own, after the name and after the attribute
    // that holds the caret.
    std::size_t at = std::max(start, tag->name_end);
    for (const Attribute& a : tag->attributes) {
      if (at > a.name_start && at < a.end) at = a.end;
    }
    const bool space_before = at > 0 && IsSpace(text[at - 1]);
    const bool space_after = at < text.size() && !IsSpace(text[at]) && text[at] != u'>' && text[at] != u'/';
    std::u16string open = space_before ? u"style=\"" : u" style=\"";
    if (upper) {
      for (char16_t& c : open) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }
    edit.from = edit.to = base + at;
    edit.text = open + std::u16string(declaration) + u"\"" + (space_after ? u" " : u"");
    edit.caret = edit.from + open.size() + caret;
    return edit;
  }
  edit.from = sel.start;
  edit.to = sel.end;
  edit.text = std::u16string(declaration);
  edit.caret = edit.from + caret;
  return edit;
}

void InsertDeclaration(EditOps& edit, std::u16string_view declaration, std::size_t caret, int tag_case) {
  const Selection sel = edit.GetSel();
  const std::size_t base = sel.start > kReach ? sel.start - kReach : 0;
  const std::u16string text = edit.GetTextRange(base, sel.end + kReach);
  const DeclarationEdit plan = PlanDeclaration(text, base, sel, declaration, caret, tag_case != 0);
  edit.SetSel(plan.from, plan.to);
  edit.ReplaceSel(plan.text);
  edit.SetSel(plan.caret, plan.caret);
  edit.ScrollCaret();
}

}  // namespace kestil

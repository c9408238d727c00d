#include "view/tag_commands.h"

#include <string>

#include "base/text16.h"
#include "res/resource.h"
#include "view/css_declaration.h"
#include "view/insert_engine.h"

namespace kestil {
namespace {

constexpr TagCommand kCommands[] = {
    {ID_TAG_BR, false, "<br>\r\n", nullptr, kCaretNone},
    {ID_TAG_LINK, true, "<a href=\"\">", "</a>", 9},
    {ID_TAG_IMG, false, "<img src=\"\">", nullptr, 10},
    {ID_TAG_HR, false, "<hr>\r\n", nullptr, kCaretNone},
    {ID_TAG_LIST, false, "<ul>\r\n<li>\r\n</ul>\r\n", nullptr, kCaretNone},
    {ID_TAG_PAIR, true, "<>", "</>", kCaretNone},
    {ID_TAG_SCRIPT, false, "<script language=\"javascript\">\r\n<!--\r\n\r\n//-->\r\n</script>\r\n", nullptr,
     kCaretNone},
    {ID_TAG_FONT, true, "<font>", "</font>", kCaretNone},
    {ID_FONT_COLOR, false, "color=\"\"", nullptr, kCaretAfter},
    {ID_FONT_SIZE, false, "size=", nullptr, kCaretAfter},
    {ID_FONT_FACE, false, "face=\"\"", nullptr, kCaretAfter},
    {ID_FONT_B, true, "<b>", "</b>", kCaretNone},
    {ID_FONT_I, true, "<i>", "</i>", kCaretNone},
    {ID_FONT_U, true, "<u>", "</u>", kCaretNone},
    {ID_FONT_S, true, "<s>", "</s>", kCaretNone},
    {ID_TAG_TABLE, false, "<table><tr><td></td></tr></table>", nullptr, kCaretNone},
    {ID_TABLE_TH, true, "<th>", "</th>", kCaretNone},
    {ID_TABLE_TR, true, "<tr>", "</tr>", kCaretNone},
    {ID_TABLE_TD, true, "<td>", "</td>", kCaretNone},
    {ID_TABLE_WIDTH, false, "width=", nullptr, kCaretAfter},
    {ID_TABLE_HEIGHT, false, "height=", nullptr, kCaretAfter},
    {ID_TABLE_BORDER, false, "border=", nullptr, kCaretAfter},
    {ID_TABLE_CELLSPACING, false, "cellspacing=", nullptr, kCaretAfter},
    {ID_TABLE_CELLPADDING, false, "cellpadding=", nullptr, kCaretAfter},
    {ID_TABLE_COLSPAN, false, "colspan=", nullptr, kCaretAfter},
    {ID_TABLE_ROWSPAN, false, "rowspan=", nullptr, kCaretAfter},
    {ID_TABLE_ALIGN, false, "align=", nullptr, kCaretAfter},
    {ID_TABLE_VALIGN, false, "valign=", nullptr, kCaretAfter},
    {ID_TABLE_BACKGROUND, false, "background=\"\"", nullptr, kCaretAfter},
    {ID_TABLE_BGCOLOR, false, "bgcolor=\"\"", nullptr, kCaretAfter},
    {ID_TABLE_BORDERCOLOR, false, "bordercolor=\"\"", nullptr, kCaretAfter},
    {ID_TABLE_BORDERCOLORLIGHT, false, "bordercolorlight=\"\"", nullptr, kCaretAfter},
    {ID_TABLE_BORDERCOLORDARK, false, "bordercolordark=\"\"", nullptr, kCaretAfter},
};

constexpr char kSkeleton[] =
    "<html>\r\n"
    "<head>\r\n"
    "<title></title>\r\n"
    "</head>\r\n"
    "<body text=\"#000080\" link=\"#00aaff\" vlink=\"#0088dd\" alink=\"#00ffff\">\r\n"
    "\r\n"
    "</body>\r\n"
    "</html>\r\n";

// The HTML5 forms of the commands that differ. "|" marks the caret (no
// text holds one of its own).
enum class Form { kInsert, kWrap, kDeclaration };

struct ModernCommand {
  unsigned id;
  Form form;
  const char16_t* text;
  const char16_t* close;  // kWrap only
};

constexpr ModernCommand kModern[] = {
    {ID_TAG_SCRIPT, Form::kInsert, u"<script>\r\n|\r\n</script>\r\n", nullptr},
    {ID_TAG_IMG, Form::kInsert, u"<img src=\"|\" alt=\"\">", nullptr},
    {ID_TAG_FONT, Form::kWrap, u"<span style=\"|\">", u"</span>"},
    {ID_FONT_COLOR, Form::kDeclaration, u"color: |;", nullptr},
    {ID_FONT_SIZE, Form::kDeclaration, u"font-size: |;", nullptr},
    {ID_FONT_FACE, Form::kDeclaration, u"font-family: |;", nullptr},
    {ID_TABLE_WIDTH, Form::kDeclaration, u"width: |;", nullptr},
    {ID_TABLE_HEIGHT, Form::kDeclaration, u"height: |;", nullptr},
    {ID_TABLE_BORDER, Form::kDeclaration, u"border: |;", nullptr},
    {ID_TABLE_CELLSPACING, Form::kDeclaration, u"border-spacing: |;", nullptr},
    {ID_TABLE_CELLPADDING, Form::kDeclaration, u"padding: |;", nullptr},
    {ID_TABLE_ALIGN, Form::kDeclaration, u"text-align: |;", nullptr},
    {ID_TABLE_VALIGN, Form::kDeclaration, u"vertical-align: |;", nullptr},
    {ID_TABLE_BACKGROUND, Form::kDeclaration, u"background-image: url(\"|\");", nullptr},
    {ID_TABLE_BGCOLOR, Form::kDeclaration, u"background-color: |;", nullptr},
    {ID_TABLE_BORDERCOLOR, Form::kDeclaration, u"border-color: |;", nullptr},
    {ID_TABLE_BORDERCOLORLIGHT, Form::kDeclaration, u"border-top-color: |; border-left-color: ;", nullptr},
    {ID_TABLE_BORDERCOLORDARK, Form::kDeclaration, u"border-bottom-color: |; border-right-color: ;", nullptr},
    {ID_TAG_LIST, Form::kInsert, u"<ul>\r\n<li>|</li>\r\n</ul>\r\n", nullptr},
    {ID_TAG_TABLE, Form::kInsert, u"<table><tr><td>|</td></tr></table>", nullptr},
};

const ModernCommand* FindModern(unsigned id) {
  for (const ModernCommand& c : kModern) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

constexpr ElementCommand kElements[] = {
    {ID_ELEMENT_P, u"<p>", u"</p>", true},
    {ID_ELEMENT_H1, u"<h1>", u"</h1>", true},
    {ID_ELEMENT_H2, u"<h2>", u"</h2>", true},
    {ID_ELEMENT_H3, u"<h3>", u"</h3>", true},
    {ID_ELEMENT_H4, u"<h4>", u"</h4>", true},
    {ID_ELEMENT_H5, u"<h5>", u"</h5>", true},
    {ID_ELEMENT_H6, u"<h6>", u"</h6>", true},
    {ID_ELEMENT_DIV, u"<div>", u"</div>", true},
    {ID_ELEMENT_SPAN, u"<span>", u"</span>", false},
    {ID_ELEMENT_HEADER, u"<header>", u"</header>", true},
    {ID_ELEMENT_NAV, u"<nav>", u"</nav>", true},
    {ID_ELEMENT_MAIN, u"<main>", u"</main>", true},
    {ID_ELEMENT_ARTICLE, u"<article>", u"</article>", true},
    {ID_ELEMENT_SECTION, u"<section>", u"</section>", true},
    {ID_ELEMENT_ASIDE, u"<aside>", u"</aside>", true},
    {ID_ELEMENT_FOOTER, u"<footer>", u"</footer>", true},
    {ID_ELEMENT_FIGURE, u"<figure>", u"<figcaption></figcaption></figure>", true},
    {ID_ELEMENT_BLOCKQUOTE, u"<blockquote>", u"</blockquote>", true},
    {ID_ELEMENT_PRE, u"<pre>", u"</pre>", true},
    {ID_ELEMENT_CODE, u"<code>", u"</code>", false},
    {ID_ELEMENT_STRONG, u"<strong>", u"</strong>", false},
    {ID_ELEMENT_EM, u"<em>", u"</em>", false},
    {ID_ELEMENT_MARK, u"<mark>", u"</mark>", false},
    {ID_ELEMENT_SMALL, u"<small>", u"</small>", false},
    {ID_ELEMENT_TIME, u"<time>", u"</time>", false},
    {ID_ELEMENT_OL, u"<ol><li>", u"</li></ol>", true},
    {ID_ELEMENT_DL, u"<dl><dt>", u"</dt><dd></dd></dl>", true},
    {ID_ELEMENT_DETAILS, u"<details><summary>", u"</summary></details>", true},
};

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f'; }
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool HasLineBreak(std::u16string_view s) { return s.find_first_of(u"\r\n") != std::u16string_view::npos; }

// Text and the caret's place in it: the "|" taken out.
struct Marked {
  std::u16string text;
  std::size_t caret = 0;
};

Marked TakeCaret(std::u16string_view with_mark) {
  Marked m;
  const std::size_t bar = with_mark.find(u'|');
  m.text = std::u16string(with_mark.substr(0, bar));
  m.caret = m.text.size();
  if (bar != std::u16string_view::npos) m.text += with_mark.substr(bar + 1);
  return m;
}

// Markup in the document's line ending, upper-cased as the style says, and
// the caret's place in what came out.
Marked Prepared(const EditOps& edit, std::u16string_view with_mark, int tag_case, bool in_tag = false) {
  Marked m = TakeCaret(with_mark);
  if (tag_case != 0) UpperMarkupNames(m.text, in_tag);
  const std::u16string before = InDocumentEndings(edit, std::u16string_view(m.text).substr(0, m.caret));
  std::u16string after = InDocumentEndings(edit, std::u16string_view(m.text).substr(m.caret));
  m.caret = before.size();
  m.text = before + after;
  return m;
}

void ReplaceAndPlace(EditOps& edit, std::size_t from, std::size_t to, const Marked& m) {
  edit.SetSel(from, to);
  edit.ReplaceSel(m.text);
  edit.SetSel(from + m.caret, from + m.caret);
  edit.ScrollCaret();
}

void RunModern(const ModernCommand& command, EditOps& edit, int tag_case) {
  const Selection sel = edit.GetSel();
  switch (command.form) {
    case Form::kInsert:
      ReplaceAndPlace(edit, sel.start, sel.end, Prepared(edit, command.text, tag_case));
      return;
    case Form::kWrap: {
      Marked open = Prepared(edit, command.text, tag_case);
      const Marked close = Prepared(edit, command.close, tag_case);
      const std::u16string selected = edit.GetSelectedText();
      // The caret where the user types next: in the style value, or after
      // what was wrapped.
      if (!selected.empty()) open.caret = open.text.size() + selected.size() + close.text.size();
      open.text += selected;
      open.text += close.text;
      ReplaceAndPlace(edit, sel.start, sel.end, open);
      return;
    }
    case Form::kDeclaration: {
      const Marked declaration = TakeCaret(command.text);
      InsertDeclaration(edit, declaration.text, declaration.caret, tag_case);
      return;
    }
  }
}

}  // namespace

MarkupStyle MarkupStyleOf(int stored) { return stored == 1 ? MarkupStyle::kModern : MarkupStyle::kClassic; }

std::span<const TagCommand> TagCommands() { return kCommands; }

const TagCommand* FindTagCommand(unsigned id) {
  for (const TagCommand& c : kCommands) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

void RunTagCommand(const TagCommand& command, EditOps& edit, int tag_case, MarkupStyle style) {
  if (style == MarkupStyle::kModern) {
    if (const ModernCommand* modern = FindModern(command.id)) {
      RunModern(*modern, edit, tag_case);
      return;
    }
  }
  if (command.wrap) {
    int caret = command.caret;
    // With nothing to wrap, HTML5's way leaves the caret where the content
    // goes.
    if (style == MarkupStyle::kModern && caret == kCaretNone && edit.GetSel().start == edit.GetSel().end) {
      caret = static_cast<int>(std::char_traits<char>::length(command.open));
    }
    WrapSelection(edit, Widen(command.open), Widen(command.close), caret, tag_case);
  } else {
    InsertText(edit, Widen(command.open), command.caret, tag_case);
  }
}

std::u16string ModernMenuText(unsigned id) {
  const ModernCommand* modern = FindModern(id);
  if (modern == nullptr) return {};
  std::u16string text = modern->text;
  if (modern->close != nullptr) text += modern->close;
  std::u16string shown;
  for (char16_t c : text) {
    if (c != u'|' && c != u'\r' && c != u'\n') shown.push_back(c);
  }
  return shown;
}

std::span<const ElementCommand> ElementCommands() { return kElements; }

const ElementCommand* FindElementCommand(unsigned id) {
  for (const ElementCommand& c : kElements) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

void RunElementCommand(const ElementCommand& command, EditOps& edit, int tag_case) {
  const Selection sel = edit.GetSel();
  std::u16string open = command.open;
  std::u16string close = command.close;
  if (tag_case != 0) {
    UpperMarkupNames(open);
    UpperMarkupNames(close);
  }
  const std::u16string selected = edit.GetSelectedText();
  Marked m;
  if (command.block && HasLineBreak(selected)) {
    // Lines of their own: the tags above and below the selected lines.
    const std::u16string eol = InDocumentEndings(edit, u"\r\n");
    const bool ends_line = selected.back() == u'\r' || selected.back() == u'\n';
    m.text = open + eol + selected + (ends_line ? std::u16string() : eol) + close + (ends_line ? eol : std::u16string());
    m.caret = m.text.size();
  } else {
    m.text = open + selected + close;
    m.caret = selected.empty() ? open.size() : m.text.size();
  }
  ReplaceAndPlace(edit, sel.start, sel.end, m);
}

std::u16string ElementMenuText(const ElementCommand& command) {
  return std::u16string(command.open) + command.close;
}

Skeleton HtmlSkeleton(int tag_case, PageCharset charset, MarkupStyle style) {
  Skeleton page;
  if (style == MarkupStyle::kModern) {
    std::u16string meta;
    if (charset == PageCharset::kShiftJis) meta = u"<meta charset=\"shift_jis\">\r\n";
    if (charset == PageCharset::kUtf8) meta = u"<meta charset=\"utf-8\">\r\n";
    std::u16string head = u"<html lang=\"ja\">\r\n<head>\r\n" + meta +
                          u"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n"
                          u"<title></title>\r\n</head>\r\n<body>\r\n";
    std::u16string tail = u"\r\n</body>\r\n</html>\r\n";
    if (tag_case != 0) {
      UpperMarkupNames(head);
      UpperMarkupNames(tail);
    }
    // The doctype stays as HTML writes it.
    page.text = u"<!DOCTYPE html>\r\n" + head;
    page.caret = page.text.size();
    page.text += tail;
    return page;
  }
  page.text = Widen(kSkeleton);
  if (charset == PageCharset::kUtf8) {
    constexpr std::u16string_view kHead = u"<head>\r\n";
    page.text.insert(page.text.find(kHead) + kHead.size(), u"<meta charset=\"utf-8\">\r\n");
  }
  if (tag_case != 0) UpperAsciiInPlace(page.text);
  return page;
}

void UpperMarkupNames(std::u16string& markup, bool in_tag) {
  const std::size_t n = markup.size();
  std::size_t i = 0;
  while (i < n) {
    if (!in_tag) {
      const std::size_t lt = markup.find(u'<', i);
      if (lt == std::u16string::npos) return;
      i = lt + 1;
      if (i < n && markup[i] == u'!') {  // a doctype or a comment keeps its case
        const std::size_t gt = markup.find(u'>', i);
        i = gt == std::u16string::npos ? n : gt + 1;
        continue;
      }
      if (i < n && markup[i] == u'/') ++i;
      while (i < n && (IsLetter(markup[i]) || (markup[i] >= u'0' && markup[i] <= u'9') || markup[i] == u'-')) {
        markup[i] = Upper(markup[i]);
        ++i;
      }
      in_tag = true;
      continue;
    }
    // Inside a tag: names up to "=", values left as they are.
    const char16_t c = markup[i];
    if (c == u'>') {
      in_tag = false;
      ++i;
    } else if (c == u'"' || c == u'\'') {
      const std::size_t close = markup.find(c, i + 1);
      i = close == std::u16string::npos ? n : close + 1;
    } else if (c == u'=') {
      ++i;
      while (i < n && IsSpace(markup[i])) ++i;
      // An unquoted value runs to a space or the tag's end.
      if (i < n && markup[i] != u'"' && markup[i] != u'\'') {
        while (i < n && !IsSpace(markup[i]) && markup[i] != u'>') ++i;
      }
    } else {
      markup[i] = Upper(c);
      ++i;
    }
  }
}

}  // namespace kestil

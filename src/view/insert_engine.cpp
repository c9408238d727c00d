#include "view/insert_engine.h"

#include "base/text16.h"

namespace kestil {
namespace {

void PlaceCaret(EditOps& edit, std::size_t pos, bool scroll = true) {
  edit.SetSel(pos, pos);
  if (scroll) edit.ScrollCaret();
}

}  // namespace

std::u16string InDocumentEndings(const EditOps& edit, std::u16string_view text) {
  if (text.find_first_of(u"\r\n") == std::u16string_view::npos) return std::u16string(text);
  return WithLineEnding(text, edit.line_ending());
}

void InsertText(EditOps& edit, std::u16string text, int caret_offset, int tag_case) {
  const Selection sel = edit.GetSel();
  if (tag_case != 0) UpperAsciiInPlace(text);
  text = InDocumentEndings(edit, text);
  edit.ReplaceSel(text);
  if (caret_offset == kCaretNone) return;
  std::size_t pos = 0;
  if (caret_offset == kCaretAfter) {
    pos = sel.start + text.size();
    if (!text.empty() && text.back() == u'"') --pos;
  } else if (caret_offset >= 0) {
    pos = sel.start + static_cast<std::size_t>(caret_offset);
  } else {
    return;  // no other negative offset has a meaning
  }
  // The replacement showed the end of the text; on the same line the caret
  // is in view too, and scrolling to it again would cost a walk over the
  // lines before it.
  PlaceCaret(edit, pos, text.find_first_of(u"\r\n") != std::u16string::npos);
}

void WrapSelection(EditOps& edit, std::u16string open, std::u16string close, int caret_offset,
                   int tag_case) {
  const Selection sel = edit.GetSel();
  if (tag_case != 0) {
    UpperAsciiInPlace(open);
    UpperAsciiInPlace(close);
  }
  std::u16string joined = InDocumentEndings(edit, open);
  joined += edit.GetSelectedText();
  joined += InDocumentEndings(edit, close);
  edit.ReplaceSel(joined);
  if (caret_offset < 0) return;
  PlaceCaret(edit, sel.start + static_cast<std::size_t>(caret_offset));
}

}  // namespace kestil

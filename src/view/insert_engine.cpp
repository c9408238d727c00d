#include "view/insert_engine.h"

#include "base/cp932.h"

namespace kestil {
namespace {

void PlaceCaret(EditOps& edit, std::size_t pos) {
  edit.SetSel(pos, pos);
  edit.ScrollCaret();
}

}  // namespace

void InsertText(EditOps& edit, std::string text, int caret_offset, int tag_case) {
  const Selection sel = edit.GetSel();
  if (tag_case != 0) cp932::UpperCaseInPlace(text);
  edit.ReplaceSel(text);
  if (caret_offset == kCaretNone) return;
  std::size_t pos = 0;
  if (caret_offset == kCaretAfter) {
    pos = sel.start + text.size();
    if (!text.empty() && text.back() == '"') --pos;
  } else if (caret_offset >= 0) {
    pos = sel.start + static_cast<std::size_t>(caret_offset);
  } else {
    return;  // no other negative offset has a meaning
  }
  PlaceCaret(edit, pos);
}

void WrapSelection(EditOps& edit, std::string open, std::string close, int caret_offset,
                   int tag_case) {
  const Selection sel = edit.GetSel();
  if (tag_case != 0) {
    cp932::UpperCaseInPlace(open);
    cp932::UpperCaseInPlace(close);
  }
  std::string joined = std::move(open);
  joined += edit.GetSelectedText();
  joined += close;
  edit.ReplaceSel(joined);
  if (caret_offset < 0) return;
  PlaceCaret(edit, sel.start + static_cast<std::size_t>(caret_offset));
}

}  // namespace kestil

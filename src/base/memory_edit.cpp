#include "base/memory_edit.h"

#include <algorithm>
#include <utility>

#include "base/text16.h"

namespace kestil {
namespace {

std::size_t FloorToChar(std::u16string_view s, std::size_t pos) {
  pos = std::min(pos, s.size());
  if (pos > 0 && pos < s.size() && IsLowSurrogate(s[pos]) && IsHighSurrogate(s[pos - 1])) --pos;
  return pos;
}

}  // namespace

void MemoryEdit::SetSel(std::size_t start, std::size_t end) {
  if (start > end) std::swap(start, end);
  sel_.start = FloorToChar(text_, start);
  sel_.end = FloorToChar(text_, end);
}

void MemoryEdit::ReplaceSel(std::u16string_view text) {
  history_.Record({sel_.start, text_.substr(sel_.start, sel_.end - sel_.start),
                   std::u16string(text), false, 0});
  text_.replace(sel_.start, sel_.end - sel_.start, text);
  sel_.start = sel_.end = sel_.start + text.size();
}

void MemoryEdit::Undo() {
  if (!history_.CanUndo()) return;
  const auto& step = history_.Undo();
  text_.replace(step.at, step.inserted.size(), step.removed);
  sel_ = {step.at, step.at + step.removed.size()};
}

void MemoryEdit::Redo() {
  if (!history_.CanRedo()) return;
  const auto& step = history_.Redo();
  text_.replace(step.at, step.removed.size(), step.inserted);
  sel_.start = sel_.end = step.at + step.inserted.size();
}

std::size_t MemoryEdit::LineEnd(std::size_t begin, std::size_t* next) const {
  const std::size_t eol = text_.find_first_of(u"\r\n", begin);
  if (eol == std::u16string::npos) {
    *next = std::u16string::npos;
    return text_.size();
  }
  *next = eol + (text_[eol] == u'\r' && eol + 1 < text_.size() && text_[eol + 1] == u'\n' ? 2 : 1);
  return eol;
}

long long MemoryEdit::LineIndex(long long line) const {
  if (line < 0) return -1;
  std::size_t pos = 0;
  for (long long n = 0; n < line; ++n) {
    std::size_t next = 0;
    LineEnd(pos, &next);
    if (next == std::u16string::npos) return -1;
    pos = next;
  }
  return static_cast<long long>(pos);
}

std::size_t MemoryEdit::LineLength(std::size_t pos) const {
  pos = std::min(pos, text_.size());
  std::size_t begin = 0;
  for (;;) {
    std::size_t next = 0;
    const std::size_t end = LineEnd(begin, &next);
    if (next == std::u16string::npos || pos <= end) return end - begin;
    begin = next;
  }
}

std::size_t MemoryEdit::LineCount() const {
  std::size_t count = 1;
  for (std::size_t pos = 0;;) {
    std::size_t next = 0;
    LineEnd(pos, &next);
    if (next == std::u16string::npos) return count;
    ++count;
    pos = next;
  }
}

std::u16string MemoryEdit::GetTextRange(std::size_t start, std::size_t end) const {
  start = std::min(start, text_.size());
  end = std::clamp(end, start, text_.size());
  return text_.substr(start, end - start);
}

void MemoryEdit::SetText(std::u16string_view text) {
  text_.assign(text);
  sel_ = {};
  history_.Clear();
}

std::u16string MemoryEdit::GetSelectedText() const {
  return text_.substr(sel_.start, sel_.end - sel_.start);
}

}  // namespace kestil

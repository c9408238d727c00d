#include "base/memory_edit.h"

#include <algorithm>
#include <utility>

#include "base/cp932.h"

namespace kestil {

void MemoryEdit::SetSel(std::size_t start, std::size_t end) {
  if (start > end) std::swap(start, end);
  sel_.start = cp932::FloorToBoundary(text_, std::min(start, text_.size()));
  sel_.end = cp932::FloorToBoundary(text_, std::min(end, text_.size()));
}

void MemoryEdit::ReplaceSel(std::string_view text) {
  history_.Record({sel_.start, text_.substr(sel_.start, sel_.end - sel_.start), std::string(text),
                   false, 0});
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

long long MemoryEdit::LineIndex(long long line) const {
  if (line < 0) return -1;
  std::size_t pos = 0;
  for (long long n = 0; n < line; ++n) {
    const std::size_t eol = text_.find("\r\n", pos);
    if (eol == std::string::npos) return -1;
    pos = eol + 2;
  }
  return static_cast<long long>(pos);
}

std::size_t MemoryEdit::LineLength(std::size_t pos) const {
  pos = std::min(pos, text_.size());
  std::size_t begin = 0;
  for (;;) {
    const std::size_t eol = text_.find("\r\n", begin);
    if (eol == std::string::npos) return text_.size() - begin;
    if (pos <= eol) return eol - begin;
    begin = eol + 2;
  }
}

std::size_t MemoryEdit::LineCount() const {
  std::size_t count = 1;
  for (std::size_t pos = text_.find("\r\n"); pos != std::string::npos;
       pos = text_.find("\r\n", pos + 2)) {
    ++count;
  }
  return count;
}

void MemoryEdit::SetText(std::string_view text) {
  text_.assign(text);
  sel_ = {};
  history_.Clear();
}

std::string MemoryEdit::GetSelectedText() const {
  return text_.substr(sel_.start, sel_.end - sel_.start);
}

}  // namespace kestil

// EditOps over a UTF-16 text in memory, with lines broken at CR LF, LF and
// CR, as the edit control breaks them where the platform allows it.
#pragma once

#include "base/edit_ops.h"
#include "base/undo_history.h"

namespace kestil {

class MemoryEdit final : public EditOps {
 public:
  MemoryEdit() = default;
  explicit MemoryEdit(std::u16string text) : text_(std::move(text)) {}

  Selection GetSel() const override { return sel_; }
  void SetSel(std::size_t start, std::size_t end) override;
  void ReplaceSel(std::u16string_view text) override;
  void ScrollCaret() override {}
  long long LineIndex(long long line) const override;
  std::size_t LineLength(std::size_t pos) const override;
  std::size_t LineCount() const override;
  std::u16string GetText() const override { return text_; }
  std::u16string GetTextRange(std::size_t start, std::size_t end) const override;
  void SetText(std::u16string_view text) override;
  std::u16string GetSelectedText() const override;
  bool CanUndo() const override { return history_.CanUndo(); }
  void Undo() override;
  bool CanRedo() const override { return history_.CanRedo(); }
  void Redo() override;
  bool IsModified() const override { return history_.IsModified(); }
  void MarkSaved() override { history_.MarkSaved(); }

 private:
  // The end of the line that starts at begin, and where the next one starts.
  std::size_t LineEnd(std::size_t begin, std::size_t* next) const;

  std::u16string text_;
  Selection sel_;
  UndoHistory<std::u16string> history_;
};

}  // namespace kestil

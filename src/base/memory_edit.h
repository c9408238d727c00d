// EditOps over a byte string in memory, with the one-step undo of the edit
// control.
#pragma once

#include "base/edit_ops.h"
#include "base/undo_history.h"

namespace kestil {

class MemoryEdit final : public EditOps {
 public:
  MemoryEdit() = default;
  explicit MemoryEdit(std::string text) : text_(std::move(text)) {}

  Selection GetSel() const override { return sel_; }
  void SetSel(std::size_t start, std::size_t end) override;
  void ReplaceSel(std::string_view text) override;
  void ScrollCaret() override {}
  long long LineIndex(long long line) const override;
  std::size_t LineLength(std::size_t pos) const override;
  std::size_t LineCount() const override;
  std::string GetText() const override { return text_; }
  void SetText(std::string_view text) override;
  std::string GetSelectedText() const override;
  bool CanUndo() const override { return history_.CanUndo(); }
  void Undo() override;
  bool CanRedo() const override { return history_.CanRedo(); }
  void Redo() override;
  bool IsModified() const override { return history_.IsModified(); }
  void MarkSaved() override { history_.MarkSaved(); }
  void LoadRaw(std::string_view bytes) override { SetText(bytes); }
  std::string StoreRaw() const override { return text_; }

 private:
  std::string text_;
  Selection sel_;
  UndoHistory<std::string> history_;
};

}  // namespace kestil

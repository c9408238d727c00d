// EditOps over a byte string in memory, with the one-step undo of the edit
// control.
#pragma once

#include "view/edit_ops.h"

namespace kestil {

class MemoryEdit final : public EditOps {
 public:
  MemoryEdit() = default;
  explicit MemoryEdit(std::string text) : text_(std::move(text)) {}

  Selection GetSel() const override { return sel_; }
  void SetSel(std::size_t start, std::size_t end) override;
  void ReplaceSel(std::string_view text) override;
  void ScrollCaret() override { ++scroll_count_; }
  long long LineIndex(long long line) const override;
  std::size_t LineLength(std::size_t pos) const override;
  std::size_t LineCount() const override;
  std::string GetText() const override { return text_; }
  void SetText(std::string_view text) override;
  std::string GetSelectedText() const override;
  bool CanUndo() const override { return undo_.valid; }
  void Undo() override;
  void LoadRaw(std::string_view bytes) override { SetText(bytes); }
  std::string StoreRaw() const override { return text_; }

  // How often the caret was scrolled into view.
  int scroll_count() const { return scroll_count_; }

 private:
  // The replaced range and the text it held, enough to swap back.
  struct UndoStep {
    bool valid = false;
    std::size_t start = 0;
    std::size_t inserted_length = 0;
    std::string removed;
  };

  std::string text_;
  Selection sel_;
  UndoStep undo_;
  int scroll_count_ = 0;
};

}  // namespace kestil

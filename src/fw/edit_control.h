// EditOps over the view's Unicode EDIT control. The control counts UTF-16
// units; the program counts code page 932 bytes. Each operation converts
// between the two through the lossless codec and the document's spellings.
//
// Converting a position means measuring the text before it. To keep commands
// on large documents cheap, the adapter remembers a few (units, bytes) pairs
// and measures from the nearest one. The control is subclassed so that any
// message that may change the text drops them; while such a message is being
// handled nothing is remembered or used.
//
// The same subclass keeps the undo history in place of the control's own
// one-step undo: it notes the selection and the text around it before each
// message that may change the text, and records what changed after it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/codec.h"
#include "fw/win.h"
#include "base/edit_ops.h"
#include "base/undo_history.h"

namespace kestil {

class EditControlOps : public EditOps {
 public:
  // Lifts the control's default text limit, which is far below a real page.
  explicit EditControlOps(HWND edit);
  ~EditControlOps() override;
  EditControlOps(const EditControlOps&) = delete;
  EditControlOps& operator=(const EditControlOps&) = delete;

  Selection GetSel() const override;
  void SetSel(std::size_t start, std::size_t end) override;
  void ReplaceSel(std::string_view text) override;
  void ScrollCaret() override;
  long long LineIndex(long long line) const override;
  std::size_t LineLength(std::size_t pos) const override;
  std::size_t LineCount() const override;
  std::string GetText() const override { return GetText(nullptr); }
  // The text; characters without a code are counted in *unmappable.
  std::string GetText(std::size_t* unmappable) const;
  void SetText(std::string_view text) override;
  std::string GetSelectedText() const override;
  bool CanUndo() const override { return history_.CanUndo(); }
  void Undo() override;
  bool CanRedo() const override { return history_.CanRedo(); }
  void Redo() override;
  bool IsModified() const override { return history_.IsModified(); }
  void MarkSaved() override { history_.MarkSaved(); }
  // A change that could not be recorded: the document counts as modified.
  void LoseHistory() { history_.Lose(); }
  void LoadRaw(std::string_view bytes) override;
  std::string StoreRaw() const override { return GetText(); }

  HWND hwnd() const { return hwnd_; }

  // Milliseconds for the pause that ends a typed run; the system's tick
  // count unless a test sets its own clock.
  void SetClock(std::function<std::uint32_t()> clock) { clock_ = std::move(clock); }

  // The control's own text and selection, in UTF-16 units.
  std::u16string Units() const;
  std::pair<DWORD, DWORD> UnitSelection() const;

  // UTF-16 position of a byte offset (inside a character: its start) and back.
  std::size_t ToUnits(std::size_t bytes) const;
  std::size_t ToBytes(std::size_t units) const;

 private:
  class TextAccess;
  struct Anchor {
    std::size_t units;
    std::size_t bytes;
  };

  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                                       UINT_PTR id, DWORD_PTR self);
  bool AnchorsUsable() const;
  // The remembered pair closest below value, by units or by bytes.
  Anchor Nearest(std::size_t Anchor::*key, std::size_t value) const;
  void Remember(Anchor a) const;

  // Recording of the changes that a message makes, for the history.
  struct Before {
    DWORD start = 0;
    DWORD end = 0;
    std::size_t length = 0;
    std::size_t base = 0;  // where window starts
    std::u16string window;  // the text around the selection
  };
  Before Capture() const;
  void RecordChange(const Before& before, bool typing);
  void ApplyStep(std::size_t at, const std::u16string& remove_length_of,
                 const std::u16string& put, bool select_put);
  // Messages the history answers in place of the control; true when handled.
  bool HandleHistoryMessage(UINT msg, WPARAM wp, LRESULT* result);

  HWND hwnd_;
  std::function<std::uint32_t()> clock_ = [] { return static_cast<std::uint32_t>(GetTickCount()); };
  cp932::Spellings spellings_;
  UndoHistory<std::u16string> history_;
  bool own_change_ = false;  // the adapter itself is changing the text
  bool subclassed_ = false;
  // Bumped whenever a message that may change the text starts or ends.
  std::uint64_t generation_ = 0;
  int changing_depth_ = 0;
  mutable std::uint64_t anchors_generation_ = ~std::uint64_t{0};
  mutable std::vector<Anchor> anchors_;
  mutable std::u16string copy_;  // the text, where the control lends no buffer
};

}  // namespace kestil

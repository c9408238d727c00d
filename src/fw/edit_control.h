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
  // Exact: a text that returned to the saved one by other steps counts as
  // unmodified (its length and hash are kept at each save).
  bool IsModified() const override;
  void MarkSaved() override;
  // The document counts as modified until the next save, whatever its text.
  void MarkUnsaved();
  void LoadRaw(std::string_view bytes) override { TryLoadRaw(bytes); }
  // False when the control could not take the text: then the text, the
  // selection, the history and the spellings are as they were.
  bool TryLoadRaw(std::string_view bytes);
  std::string StoreRaw() const override { return GetText(); }

  HWND hwnd() const { return hwnd_; }

  // Milliseconds for the pause that ends a typed run; the system's tick
  // count unless a test sets its own clock.
  void SetClock(std::function<std::uint32_t()> clock) { clock_ = std::move(clock); }

  // Puts a whole new text into the control; false when the control did not
  // take all of it. Tests put a refusing one in place of the real one.
  using TextWriter = std::function<bool(HWND, const std::u16string&)>;
  void SetTextWriter(TextWriter writer) { write_text_ = std::move(writer); }

  // The most the history holds: 256 MiB, or eight times the text when that
  // is more.
  static constexpr std::size_t kHistoryBytes = 256u << 20;
  static constexpr std::size_t kHistoryTimesText = 8;

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
  void BoundHistory(std::size_t text_units);
  // Length and hash of the text as last saved; kNeverSaved for a text that
  // counts as modified whatever it holds.
  static constexpr std::size_t kNeverSaved = static_cast<std::size_t>(-1);
  void RememberSavedText();

  HWND hwnd_;
  std::function<std::uint32_t()> clock_ = [] { return static_cast<std::uint32_t>(GetTickCount()); };
  TextWriter write_text_;
  std::size_t saved_length_ = 0;
  std::uint64_t saved_hash_ = 0;
  // The answer of IsModified for the text of one generation.
  mutable std::uint64_t modified_generation_ = ~std::uint64_t{0};
  mutable bool modified_ = false;
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

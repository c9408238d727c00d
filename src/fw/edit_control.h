// EditOps over the view's Unicode EDIT control, whose UTF-16 positions are
// the positions of the edit operations.
//
// The control is subclassed so that it keeps the undo history in place of
// its own one-step undo: the subclass notes the selection and the text around
// it before each message that may change the text, and records what changed
// after it. It also gives every line break that the user adds (Enter, a
// paste) the document's line ending.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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
  void ReplaceSel(std::u16string_view text) override;
  void ScrollCaret() override;
  long long LineIndex(long long line) const override;
  std::size_t LineLength(std::size_t pos) const override;
  std::size_t LineCount() const override;
  std::u16string GetText() const override;
  std::u16string GetTextRange(std::size_t start, std::size_t end) const override;
  void SetText(std::u16string_view text) override;
  std::u16string GetSelectedText() const override;
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
  // A new document's or a file's text, as SetText, or false when the control
  // could not take it: then the text, the selection and the history are as
  // they were.
  bool TryLoad(const std::u16string& text);
  // Replaces the whole text by text, written with ending, as one step of the
  // history that undo takes back with the line ending it had.
  void ReplaceAllWithEnding(const std::u16string& text, LineEnding ending);

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

  std::pair<DWORD, DWORD> UnitSelection() const;

 private:
  class TextAccess;

  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // The control's own procedure, and putting it back.
  LRESULT DefSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) const;
  void Unsubclass();
  // The text that a message puts in place of what the control would insert,
  // when the document's line ending asks for it; false for any other message.
  bool LineBreaksToConvert(UINT msg, WPARAM wp, std::u16string* text) const;

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
  UndoHistory<std::u16string> history_;
  bool own_change_ = false;  // the adapter itself is changing the text
  WNDPROC control_proc_ = nullptr;
  // Bumped whenever a message that may change the text starts or ends.
  std::uint64_t generation_ = 0;
  int changing_depth_ = 0;
  mutable std::u16string copy_;  // the text, where the control lends no buffer
};

}  // namespace kestil

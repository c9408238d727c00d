// The edit operations that every command builds on: one UTF-16 text,
// addressed by unit positions as the edit control counts them, lines
// numbered from 0.
// Two implementations exist: an in-memory buffer and the editing surface of
// the view.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/line_endings.h"

namespace kestil {

struct Selection {
  std::size_t start = 0;
  std::size_t end = 0;  // start <= end; start == end is the caret
  bool operator==(const Selection&) const = default;
};

class EditOps {
 public:
  virtual ~EditOps() = default;

  virtual Selection GetSel() const = 0;
  // Selects from start to end (either order); equal positions place the caret.
  // Positions past the end go to the end; a position between the two halves
  // of a surrogate pair goes to the start of the pair.
  virtual void SetSel(std::size_t start, std::size_t end) = 0;
  // Replaces the selection by text as one undoable step; afterwards nothing
  // is selected and the caret stands right after the inserted text.
  virtual void ReplaceSel(std::u16string_view text) = 0;
  virtual void ScrollCaret() = 0;

  // Position of the first unit of the line, or -1 when there is no such line.
  virtual long long LineIndex(long long line) const = 0;
  // Length in units, without its line break, of the line that holds pos.
  virtual std::size_t LineLength(std::size_t pos) const = 0;
  virtual std::size_t LineCount() const = 0;

  virtual std::u16string GetText() const = 0;
  // The units from start to end (clamped to the text).
  virtual std::u16string GetTextRange(std::size_t start, std::size_t end) const = 0;
  // Replaces the whole text and forgets the history; the caret goes to 0 and
  // the text counts as saved.
  virtual void SetText(std::u16string_view text) = 0;
  virtual std::u16string GetSelectedText() const = 0;

  // The undo history: each replacement (and each run of typing) is one step.
  // Undo selects the text it restores; redo leaves the caret after the text
  // it puts back.
  virtual bool CanUndo() const = 0;
  virtual void Undo() = 0;
  virtual bool CanRedo() const = 0;
  virtual void Redo() = 0;
  // Whether the text differs from the state last marked as saved (a new or
  // loaded text counts as saved).
  virtual bool IsModified() const = 0;
  virtual void MarkSaved() = 0;

  // The line ending that line breaks added to the text take.
  LineEnding line_ending() const { return line_ending_; }
  void set_line_ending(LineEnding ending) {
    line_ending_ = ending;
    LineEndingChanged();
  }

 protected:
  // An implementation whose keys add line breaks of their own follows here.
  virtual void LineEndingChanged() {}

 private:
  LineEnding line_ending_ = LineEnding::kCrLf;
};

}  // namespace kestil

// The edit operations that every command builds on: one text in code page
// 932, addressed by byte offsets, lines ending with CR LF and numbered from 0.
// Two implementations exist: an in-memory buffer and the edit control of the
// view.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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
  // Positions past the end go to the end; a position inside a two-byte
  // character goes to the start of that character.
  virtual void SetSel(std::size_t start, std::size_t end) = 0;
  // Replaces the selection by text as one undoable step; afterwards nothing
  // is selected and the caret stands right after the inserted text.
  virtual void ReplaceSel(std::string_view text) = 0;
  virtual void ScrollCaret() = 0;

  // Position of the first byte of the line, or -1 when there is no such line.
  virtual long long LineIndex(long long line) const = 0;
  // Length in bytes, without its CR LF, of the line that holds pos.
  virtual std::size_t LineLength(std::size_t pos) const = 0;
  virtual std::size_t LineCount() const = 0;

  virtual std::string GetText() const = 0;
  // Replaces the whole text and forgets the history; the caret goes to 0.
  virtual void SetText(std::string_view text) = 0;
  virtual std::string GetSelectedText() const = 0;

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

  // A document's bytes become the text unchanged, forgetting what the previous
  // document used; StoreRaw gives them back unchanged.
  virtual void LoadRaw(std::string_view bytes) = 0;
  virtual std::string StoreRaw() const = 0;
};

}  // namespace kestil

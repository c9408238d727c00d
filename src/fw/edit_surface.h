// The editing surface of the view: the edit operations over the text it
// shows, and what the framework asks of it besides.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fw/win.h"
#include "base/edit_ops.h"
#include "base/language.h"

namespace fw {

class EditSurface : public kestil::EditOps {
 public:
  virtual HWND hwnd() const = 0;

  // A new document's or a file's text, as SetText, or false when the surface
  // could not take it: then the text, the selection and the history are as
  // they were.
  virtual bool TryLoad(const std::u16string& text) = 0;
  // Replaces the whole text by text, written with ending, as one step of the
  // history that undo takes back with the line ending it had.
  virtual void ReplaceAllWithEnding(const std::u16string& text, kestil::LineEnding ending) = 0;
  // The document counts as modified until the next save, whatever its text.
  virtual void MarkUnsaved() = 0;

  virtual bool HasSelection() const = 0;
  virtual bool CanPaste() const = 0;
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
  virtual void Clear() = 0;
  virtual void SelectAll() = 0;

  virtual void SetFont(HFONT font) = 0;
  virtual HFONT font() const = 0;
  // Tab stops every `chars` average character widths.
  virtual void SetTabWidth(int chars) = 0;
  // The colours of the language's markup (none for plain text).
  virtual void SetLanguage(kestil::Language language) = 0;
  virtual kestil::Language language() const = 0;
  // Marks ranges of units (start, end) as a matching pair of tags, or as a
  // tag without its partner, in place of the marks before.
  using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;
  virtual void MarkTags(const Ranges& matched, const Ranges& unmatched) = 0;
  // Whether the unit position carries a mark: 1 matched, 2 unmatched, 0 none.
  virtual int TagMarkAt(std::size_t pos) const = 0;
  // Marks ranges of units (start, end) as the markup check's findings, a
  // squiggle under each, errors and warnings in their own colours, in place
  // of the marks before. A change of the text clears the marks on the lines
  // it touches; a new text has none.
  virtual void MarkFindings(const Ranges& errors, const Ranges& warnings) = 0;
  virtual void ClearFindings() = 0;
  // Whether the unit position carries a finding's mark: 1 error, 2 warning,
  // 0 none.
  virtual int FindingAt(std::size_t pos) const = 0;
  // Changes whenever the text changes.
  virtual std::uint64_t generation() const = 0;
  // The colour the text at the unit position is drawn in.
  virtual std::uint32_t ColourAt(std::size_t pos) const = 0;
  // A margin of line numbers before the text, and its width in pixels (0
  // without it).
  virtual void SetLineNumbers(bool shown) = 0;
  virtual int LineNumberWidth() const = 0;
  // Where the caret stands: the end of the selection it moved.
  virtual std::size_t Caret() const = 0;
  // The line that holds the unit position (from 0).
  virtual std::size_t LineOf(std::size_t pos) const = 0;

  // Milliseconds for the pause that ends a typed run; the system's tick
  // count unless a test sets its own clock.
  virtual void SetClock(std::function<std::uint32_t()> clock) = 0;

  // Puts a whole new text into the surface; false when it did not take all
  // of it. Tests put a refusing one in place of the real one.
  using TextWriter = std::function<bool(HWND, const std::u16string&)>;
  virtual void SetTextWriter(TextWriter writer) = 0;

  // Called after a character the user typed went in, while its change is
  // still open: what the hook puts in at the caret joins the typed step.
  using TypedHook = std::function<void(char16_t)>;
  virtual void SetTypedHook(TypedHook hook) = 0;
};

}  // namespace fw

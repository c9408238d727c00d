// The editing surface over the Scintilla component, the one place that
// talks to it.
//
// Scintilla holds the text as UTF-8 (base/surface_text.h says how every
// UTF-16 text is spelled there); the edit operations and the standard edit
// messages that the window answers count UTF-16 units, as the EDIT control
// does, so that the program and other programs drive it as they drive an
// EDIT control.
//
// Scintilla's own undo collection is off: every change of the text, from a
// key, the IME, a message or the program, reaches the history here through
// its change notifications, and all changes made while one message is
// handled form one step. The modified mark follows the history's position,
// and compares the text with the saved one only when that cannot decide.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "fw/edit_surface.h"
#include "base/surface_text.h"
#include "base/undo_history.h"

namespace fw {

class ScintillaSurface : public EditSurface, private kestil::surface::SurfaceLines {
 public:
  // Registers the component's window class, once per process.
  static bool RegisterClass();
  // Makes the surface's window, a child of parent with the given id; null
  // when the window could not be made.
  static std::unique_ptr<ScintillaSurface> Create(HWND parent, UINT id, DWORD style, DWORD ex_style);
  // Hands a notification of a surface's window, which its parent receives as
  // WM_NOTIFY, to that surface; false when it came from no surface.
  static bool DispatchNotify(LPARAM lp);

  ~ScintillaSurface() override;
  ScintillaSurface(const ScintillaSurface&) = delete;
  ScintillaSurface& operator=(const ScintillaSurface&) = delete;

  // EditOps
  kestil::Selection GetSel() const override;
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
  bool IsModified() const override;
  void MarkSaved() override;

  // EditSurface
  HWND hwnd() const override { return hwnd_; }
  bool TryLoad(const std::u16string& text) override;
  void ReplaceAllWithEnding(const std::u16string& text, kestil::LineEnding ending) override;
  void MarkUnsaved() override;
  bool HasSelection() const override;
  bool CanPaste() const override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  void Clear() override;
  void SelectAll() override;
  void SetFont(HFONT font) override;
  HFONT font() const override { return font_; }
  void SetTabWidth(int chars) override;
  void SetLanguage(kestil::Language language) override;
  kestil::Language language() const override { return language_; }
  void SetLineNumbers(bool shown) override;
  std::uint32_t ColourAt(std::size_t pos) const override;
  void MarkTags(const Ranges& matched, const Ranges& unmatched) override;
  int TagMarkAt(std::size_t pos) const override;
  void MarkFindings(const Ranges& errors, const Ranges& warnings) override;
  void ClearFindings() override;
  int FindingAt(std::size_t pos) const override;
  std::uint64_t generation() const override { return generation_; }
  int LineNumberWidth() const override;
  std::size_t Caret() const override;
  std::size_t LineOf(std::size_t pos) const override { return LineOfByte(ByteOf(pos)); }
  void SetClock(std::function<std::uint32_t()> clock) override { clock_ = std::move(clock); }

  void SetTextWriter(TextWriter writer) override { write_text_ = std::move(writer); }
  void SetTypedHook(TypedHook hook) override { typed_hook_ = std::move(hook); }

  // The most the history holds: 256 MiB, or eight times the text when that
  // is more.
  static constexpr std::size_t kHistoryBytes = 256u << 20;
  static constexpr std::size_t kHistoryTimesText = 8;

 protected:
  // Takes over a window of the component's class.
  explicit ScintillaSurface(HWND hwnd);
  void LineEndingChanged() override;

 private:
  void Configure();
  void ConfigureFindingMarks();

  using Fn = std::intptr_t (*)(std::intptr_t, unsigned int, std::uintptr_t, std::intptr_t);
  std::intptr_t Call(unsigned int msg, std::uintptr_t wp = 0, std::intptr_t lp = 0) const {
    return fn_(ptr_, msg, wp, lp);
  }
  std::size_t ByteLength() const;

  // SurfaceLines over the component's own line index.
  std::size_t LineOfByte(std::size_t byte) const override;
  std::size_t LineStart(std::size_t line) const override;
  std::size_t CoarseLineStart(std::size_t line) const override;
  std::size_t LineOfCoarse(std::size_t coarse) const override;
  std::size_t Length() const override { return ByteLength(); }
  std::string_view Bytes(std::size_t from, std::size_t to) const override;

  std::size_t UnitOf(std::size_t byte) const;
  std::size_t ByteOf(std::size_t unit) const;
  std::size_t UnitLength() const { return UnitOf(ByteLength()); }

  // The window procedure in front of the component's.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  // The standard edit messages, answered in UTF-16 positions; true when the
  // message was one of them.
  bool HandleEditMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
  // Keys whose meaning the component would change; true when handled.
  bool HandleKey(UINT msg, WPARAM wp);
  void DeleteBack();
  // Ctrl with an arrow key, Backspace or Delete.
  void StepWord(bool forward, bool erase, bool extend);
  void OnNotify(const void* notification);

  // Changes made while a message or an operation runs, gathered into one
  // step of the history when the outermost one ends.
  class Changing;
  void Changed(std::size_t at, const std::string& removed, const std::string& inserted);
  void Flush();
  void ReplaceBytes(std::size_t from, std::size_t to, const std::string& bytes);
  void ApplyStep(std::size_t at, std::size_t remove, const std::string& put, bool select_put);
  void BoundHistory();
  void RememberSavedText();
  // Moves a caret or anchor that stands inside a form to its edge.
  void KeepSelectionOffForms();
  bool WriteText(const std::u16string& text);
  static int LegibleHeight(const LOGFONTW& lf, int char_height);
  bool read_only() const;

  HWND hwnd_;
  Fn fn_ = nullptr;
  std::intptr_t ptr_ = 0;
  WNDPROC component_proc_ = nullptr;
  HFONT font_ = nullptr;
  kestil::Language language_ = kestil::Language::kPlain;
  bool line_numbers_ = false;
  int number_digits_ = 0;  // the line number margin is sized for them
  std::vector<std::pair<std::size_t, std::size_t>> marked_;  // bytes, as last marked
  bool findings_marked_ = false;
  // Clears the findings' marks on the lines from the one of byte `from` to
  // the one of byte `to`.
  void ClearFindingsOnLines(std::size_t from, std::size_t to);
  // Fills an indicator over each range of units, clamped to the text; the
  // byte ranges it filled.
  Ranges FillIndicator(int indicator, const Ranges& units);
  void SizeLineNumbers();

  kestil::surface::SurrogateForms forms_;
  kestil::UndoHistory<std::string> history_;
  std::function<std::uint32_t()> clock_ = [] { return static_cast<std::uint32_t>(GetTickCount()); };
  TextWriter write_text_;
  TypedHook typed_hook_;

  int depth_ = 0;            // messages and operations under way
  bool own_change_ = false;  // undo or redo is changing the text
  bool typing_ = false;      // the outermost message types
  bool has_pending_ = false;
  kestil::UndoHistory<std::string>::Step pending_;

  // The saved text's length and hash; kNeverSaved for a text that counts as
  // modified whatever it holds.
  static constexpr std::size_t kNeverSaved = static_cast<std::size_t>(-1);
  std::size_t saved_length_ = 0;
  std::uint64_t saved_hash_ = 0;
  std::uint64_t generation_ = 0;  // bumped by every change of the text
  mutable std::uint64_t modified_generation_ = ~std::uint64_t{0};
  mutable bool modified_ = false;
};

}  // namespace fw

// EditOps over the view's Unicode EDIT control. The control counts UTF-16
// units; the program counts code page 932 bytes. Each operation converts
// between the two through the lossless codec and the document's spellings.
//
// Converting a position means measuring the text before it. To keep commands
// on large documents cheap, the adapter remembers a few (units, bytes) pairs
// and measures from the nearest one. The control is subclassed so that any
// message that may change the text drops them; while such a message is being
// handled nothing is remembered or used.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/codec.h"
#include "fw/win.h"
#include "view/edit_ops.h"

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
  bool CanUndo() const override;
  void Undo() override;
  void LoadRaw(std::string_view bytes) override;
  std::string StoreRaw() const override { return GetText(); }

  HWND hwnd() const { return hwnd_; }
  cp932::Spellings& spellings() { return spellings_; }

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
  std::pair<DWORD, DWORD> UnitSelection() const;

  HWND hwnd_;
  cp932::Spellings spellings_;
  bool subclassed_ = false;
  // Bumped whenever a message that may change the text starts or ends.
  std::uint64_t generation_ = 0;
  int changing_depth_ = 0;
  mutable std::uint64_t anchors_generation_ = ~std::uint64_t{0};
  mutable std::vector<Anchor> anchors_;
  mutable std::u16string copy_;  // the text, where the control lends no buffer
};

}  // namespace kestil

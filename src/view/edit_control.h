// EditOps over the view's Unicode EDIT control. The control counts UTF-16
// units; the program counts code page 932 bytes. Each operation converts
// between the two through the lossless codec and the document's spellings.
#pragma once

#include <string>

#include "base/codec.h"
#include "fw/win.h"
#include "view/edit_ops.h"

namespace kestil {

class EditControlOps final : public EditOps {
 public:
  // Lifts the control's default text limit, which is far below a real page.
  explicit EditControlOps(HWND edit);

  Selection GetSel() const override;
  void SetSel(std::size_t start, std::size_t end) override;
  void ReplaceSel(std::string_view text) override;
  void ScrollCaret() override;
  long long LineIndex(long long line) const override;
  std::size_t LineLength(std::size_t pos) const override;
  std::size_t LineCount() const override;
  std::string GetText() const override;
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
  // The first count units of the text (fewer if the text is shorter).
  std::u16string ReadPrefix(std::size_t count) const;
  std::size_t TextUnits() const;

  HWND hwnd_;
  cp932::Spellings spellings_;
};

}  // namespace kestil

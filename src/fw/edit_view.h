// The edit view: the editing surface that holds the text, with the edit
// operations, find and replace, and printing.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "fw/command.h"
#include "fw/printing.h"
#include "fw/edit_surface.h"
#include "base/text_search.h"

namespace fw {

class Document;

class EditView : public CommandTarget {
 public:
  EditView();
  ~EditView() override = default;

  // Creates the surface as a child of parent.
  bool Create(HWND parent, UINT id);
  HWND hwnd() const { return hwnd_; }
  EditSurface& edit() { return *edit_; }
  Document* document() const { return document_; }
  void set_document(Document* document) { document_ = document; }

  // Called when a document is made or opened in the view.
  virtual void OnInitialUpdate() {}
  // The framework's call for a document made or opened: the handlers given
  // to OnNewText, then OnInitialUpdate.
  void InitialUpdate();
  // A subsystem's handler of a document made or opened (what it knew of
  // the text before is gone).
  void OnNewText(std::function<void()> handler) { new_text_handlers_.push_back(std::move(handler)); }
  // Called when the font that the view shows has been made again.
  virtual void OnFontChanged() {}

  // Tab width in average characters, for printing.
  virtual int TabChars() const { return 8; }

  // A notification of the surface, which its parent receives.
  bool OnSurfaceNotify(LPARAM lp);

  // A message of the find or replace dialog.
  void OnFindReplace(const FINDREPLACEW& request);

 protected:
  // Adjusts the creation parameters before the control is made.
  virtual void PreCreateWindow(CREATESTRUCTW& cs);

 private:
  void OpenFindDialog(bool replace);
  // The text laid out for a printer; null (after the message) without one.
  std::unique_ptr<PrintJob> MakePrintJob(bool ask);
  // Selects the next match; false (after the message) when there is none.
  bool FindNext();
  // Moves the find dialog off the line of the match at position.
  void MoveDialogOff(std::size_t position);
  void ReplaceCurrent();
  void ReplaceAll();
  void NotFound();

  HWND hwnd_ = nullptr;
  Document* document_ = nullptr;
  std::unique_ptr<EditSurface> edit_;
  std::vector<std::function<void()>> new_text_handlers_;

  // The find and replace dialogs and the last search.
  FINDREPLACEW find_{};
  wchar_t find_what_[512] = {};
  wchar_t replace_with_[512] = {};
  HWND find_dialog_ = nullptr;
  std::u16string what_;
  std::u16string with_;
  kestil::SearchOptions options_;
};

}  // namespace fw

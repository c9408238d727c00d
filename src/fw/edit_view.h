// The edit view: the multi-line Unicode edit control that holds the text,
// with the edit operations in code page 932 byte offsets.
#pragma once

#include <memory>

#include "fw/command.h"
#include "view/edit_control.h"

namespace fw {

class Document;

class EditView : public CommandTarget {
 public:
  EditView();
  ~EditView() override = default;

  // Creates the control as a child of parent.
  bool Create(HWND parent, UINT id);
  HWND hwnd() const { return hwnd_; }
  kestil::EditControlOps& edit() { return *edit_; }
  Document* document() const { return document_; }
  void set_document(Document* document) { document_ = document; }

  // Called when a document is made or opened in the view.
  virtual void OnInitialUpdate() {}

  // Raw storage: the file's bytes become the text, and back.
  bool LoadRaw(const std::string& bytes);
  std::string StoreRaw(std::size_t* unmappable = nullptr) const;

 protected:
  // Adjusts the creation parameters before the control is made.
  virtual void PreCreateWindow(CREATESTRUCTW& cs);

 private:
  HWND hwnd_ = nullptr;
  Document* document_ = nullptr;
  std::unique_ptr<kestil::EditControlOps> edit_;
};

}  // namespace fw

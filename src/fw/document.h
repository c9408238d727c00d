// The document: the path name, the title and the modified state of the one
// open file, and its new, open, save and close life cycle. The text lives in
// the view's edit control.
#pragma once

#include <string>

#include "fw/command.h"

namespace fw {

class EditView;

class Document : public CommandTarget {
 public:
  Document();

  void AttachView(EditView* view) { view_ = view; }
  EditView* view() const { return view_; }

  // Clears the path and the modified state; the program adds its content.
  virtual bool OnNewDocument();
  // Reads the file into the view; on failure the standard message, and the
  // previous path and text stay.
  virtual bool OnOpenDocument(const std::wstring& path);
  // Writes the text to path without destroying the old file on failure.
  virtual bool OnSaveDocument(const std::wstring& path);

  // Asks whether to save a modified document; false when the user cancels
  // or the save fails.
  bool SaveModified();
  // Save (to the path, or through the Save As dialog when there is none).
  bool DoFileSave();
  // Saves to path (empty: asks for one); the document then has that path.
  bool DoSave(const std::wstring& path);

  const std::wstring& path_name() const { return path_; }
  void SetPathName(const std::wstring& path, bool add_to_recent = true);
  std::wstring Title() const;
  bool IsModified() const;
  void SetModified(bool modified);
  // Caption of the main window: "<title> - <window title>".
  void UpdateFrameTitle();

 private:
  EditView* view_ = nullptr;
  std::wstring path_;
};

}  // namespace fw

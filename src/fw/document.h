// The document: the path name, the title and the modified state of the one
// open file, and its new, open, save and close life cycle. The text lives in
// the view's edit control.
#pragma once

#include <string>

#include "fw/command.h"
#include "fw/ui.h"

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
  // The Save As dialog's filters and extension; the framework's offer text
  // files and all files.
  virtual void PrepareSaveAs(FileDialogRequest& request);

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

  // When another program changed or deleted the file since it was opened or
  // saved: asks whether to read it again (or, when it is gone, to save it
  // again). Each change is asked about once.
  void CheckFileChanged();

 private:
  // What tells whether another program wrote the file.
  struct FileStamp {
    bool exists = false;
    unsigned long long write_time = 0;
    unsigned long long size = 0;
    bool operator==(const FileStamp&) const = default;
  };
  static FileStamp StampOf(const std::wstring& path);
  // Before saving over the document's own file: false when it changed or
  // went since and the user does not want it overwritten.
  bool ConfirmOverwrite(const std::wstring& path);
  void Reload();

  EditView* view_ = nullptr;
  std::wstring path_;
  FileStamp known_;  // at the last open or save
  FileStamp asked_;  // the last change asked about
  bool checking_ = false;
};

}  // namespace fw

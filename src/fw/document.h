// The document: the path name, the title and the modified state of the one
// open file, and its new, open, save and close life cycle. The text lives in
// the view's edit control.
#pragma once

#include <cstdint>
#include <string>

#include "base/file_text.h"
#include "base/line_endings.h"
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
  // Reads the file into the view in the encoding that detection finds; on
  // failure the standard message, and the previous path, text and encoding
  // stay.
  virtual bool OnOpenDocument(const std::wstring& path);
  // Reads the document's file again in encoding e (Shift_JIS or UTF-8),
  // after asking about unsaved edits as opening does.
  bool ReopenAs(kestil::Encoding e);
  // Writes the text to path without destroying the old file on failure.
  virtual bool OnSaveDocument(const std::wstring& path);
  // The Save As dialog's filters and extension; the framework's offer text
  // files and all files.
  virtual void PrepareSaveAs(FileDialogRequest& request);
  // The encoding of new documents, which an ASCII-only file takes too.
  virtual kestil::Encoding NewDocumentEncoding() const { return kestil::Encoding::kShiftJis; }
  // Puts a new document's text in place, in NewDocumentEncoding() and CR LF.
  void LoadNewText(const std::u16string& text);

  // Asks whether to save a modified document; false when the user cancels
  // or the save fails.
  bool SaveModified();
  // Save (to the path, or through the Save As dialog when there is none).
  bool DoFileSave();
  // Saves to path (empty: asks for one); the document then has that path.
  bool DoSave(const std::wstring& path);

  // The encoding the next save writes; choosing another one marks the
  // document modified.
  kestil::Encoding encoding() const { return file_.encoding(); }
  void SetEncoding(kestil::Encoding e);
  // SetEncoding for the user's choice: a page that declares another
  // encoding is offered its declaration rewritten.
  void ConvertEncoding(kestil::Encoding e);
  // The line ending that added line breaks take, and whether the file as
  // opened mixed several.
  kestil::LineEnding line_ending() const;
  bool line_endings_mixed() const { return mixed_endings_; }
  // Writes every line break of the text as ending, as one undoable step.
  void ConvertLineEndings(kestil::LineEnding ending);

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
  // Whether the file's bytes differ from those last read or written.
  bool ContentChanged(const std::wstring& path) const;
  void Reload();
  // Puts text, decoded by file, into the view; false when the view refused it.
  bool TakeText(const std::u16string& text, kestil::FileText file);
  bool ReadInto(const std::wstring& path, kestil::Encoding e, bool detect);
  // Characters Shift_JIS cannot hold: IDYES writes them as "?", IDNO
  // writes UTF-8 instead, IDCANCEL nothing.
  int AskUnmappable(std::u16string_view text, std::size_t count);
  // When the page declares another encoding than the one being written,
  // asks whether to rewrite the declaration (then text and bytes are the
  // rewritten ones); false when the user wants nothing written.
  bool ConfirmDeclaration(const std::wstring& path, std::u16string& text, std::string& bytes);
  static std::string LabelOf(std::u16string_view text,
                             const kestil::encoding::Declaration& declaration);
  // Writes label in place of the declaration's, as one undoable step.
  void RewriteDeclaration(const kestil::encoding::Declaration& declaration,
                          const std::string& label);

  EditView* view_ = nullptr;
  std::wstring path_;
  FileStamp known_;  // at the last open or save
  FileStamp asked_;  // the last change asked about
  std::uint64_t known_hash_ = 0;    // of the bytes at the last open or save
  std::uint64_t written_hash_ = 0;  // of the bytes the last OnSaveDocument wrote
  bool checking_ = false;
  kestil::FileText file_;
  bool mixed_endings_ = false;
  bool lossy_save_ = false;  // the last save wrote some characters as "?"
};

}  // namespace fw

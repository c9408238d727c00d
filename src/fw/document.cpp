#include "fw/document.h"

#include <commdlg.h>

#include <new>

#include "base/content_hash.h"
#include "fw/app.h"
#include "fw/edit_view.h"
#include "fw/file_io.h"
#include "fw/frame.h"
#include "fw/text.h"
#include "fw/ui.h"
#include "fw/ids.h"

namespace fw {
namespace {

HWND MainWindow() {
  App* app = App::Current();
  return app != nullptr && app->frame() != nullptr ? app->frame()->hwnd() : nullptr;
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t buffer[32768];
  const DWORD n = GetFullPathNameW(path.c_str(), 32768, buffer, nullptr);
  return n > 0 && n < 32768 ? std::wstring(buffer, n) : path;
}

// The standard load or save message: the file and the reason.
void ReportFileError(UINT message, const std::wstring& path, DWORD error) {
  Message(MainWindow(), Format(LoadResString(message), {FullPath(path), ErrorReason(error)}),
          MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

Document::Document() {
  On(ID_FILE_SAVE, [this] { DoFileSave(); });
  On(ID_FILE_SAVE_AS, [this] { DoSave(L""); });
}

bool Document::OnNewDocument() {
  path_.clear();
  known_ = asked_ = FileStamp{};
  LoadNewText(u"");
  return true;
}

void Document::LoadNewText(const std::u16string& text) {
  kestil::FileText file;
  file.Reset(NewDocumentEncoding());
  TakeText(text, std::move(file));
  if (view_ != nullptr) view_->edit().set_line_ending(kestil::LineEnding::kCrLf);
  mixed_endings_ = false;
  SetModified(false);
}

bool Document::TakeText(const std::u16string& text, kestil::FileText file) {
  if (view_ == nullptr || !view_->edit().TryLoad(text)) return false;
  file_ = std::move(file);
  const kestil::LineEndingCounts counts = kestil::CountLineEndings(text);
  view_->edit().set_line_ending(counts.Dominant());
  mixed_endings_ = counts.Mixed();
  return true;
}

kestil::LineEnding Document::line_ending() const {
  return view_ != nullptr ? view_->edit().line_ending() : kestil::LineEnding::kCrLf;
}

void Document::SetEncoding(kestil::Encoding e) {
  if (e == file_.encoding()) return;
  file_.set_encoding(e);
  SetModified(true);
}

void Document::ConvertLineEndings(kestil::LineEnding ending) {
  if (view_ == nullptr) return;
  EditSurface& edit = view_->edit();
  mixed_endings_ = false;
  const std::u16string text = edit.GetText();
  const std::u16string converted = kestil::WithLineEnding(text, ending);
  if (converted == text) {
    edit.set_line_ending(ending);
    return;
  }
  edit.ReplaceAllWithEnding(converted, ending);
}

Document::FileStamp Document::StampOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    return {};
  }
  return {true,
          (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
              data.ftLastWriteTime.dwLowDateTime,
          (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

void Document::CheckFileChanged() {
  if (checking_ || path_.empty() || !known_.exists || view_ == nullptr) return;
  const FileStamp now = StampOf(path_);
  if (now == known_ || now == asked_) return;
  checking_ = true;
  asked_ = now;
  const std::wstring name = FullPath(path_);
  if (now.exists) {
    const UINT text = IsModified() ? IDS_FILE_CHANGED_EDITED : IDS_FILE_CHANGED;
    if (Message(MainWindow(), Format(LoadResString(text), {name}),
                MB_YESNO | MB_ICONQUESTION) == IDYES) {
      Reload();
    }
  } else if (Message(MainWindow(), Format(LoadResString(IDS_FILE_DELETED), {name}),
                     MB_YESNO | MB_ICONQUESTION) == IDYES) {
    known_ = now;  // the question is answered: the save asks no more
    DoSave(path_);
  } else {
    SetModified(true);  // the text is on no disk now: closing asks about it
  }
  checking_ = false;
}

// Reads the file again; a file that cannot be read leaves the text as it was.
void Document::Reload() {
  if (!OnOpenDocument(path_)) return;
  view_->InitialUpdate();
  UpdateFrameTitle();
}

bool Document::ConfirmOverwrite(const std::wstring& path) {
  if (path_.empty() || FullPath(path) != path_ || !known_.exists) return true;
  const FileStamp now = StampOf(path);
  if (now == known_ && !ContentChanged(path)) return true;
  const UINT text = now.exists ? IDS_OVERWRITE_CHANGED : IDS_SAVE_DELETED;
  return Message(MainWindow(), Format(LoadResString(text), {path_}),
                 MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

bool Document::ContentChanged(const std::wstring& path) const {
  std::string bytes;
  DWORD error = 0;
  // A file that cannot be read now cannot be compared; the save will say
  // why it cannot be written either.
  return ReadWholeFile(path, bytes, &error) && kestil::ContentHash(bytes) != known_hash_;
}

bool Document::ReadInto(const std::wstring& path, kestil::Encoding e, bool detect) {
  std::string bytes;
  DWORD error = 0;
  if (!ReadWholeFile(path, bytes, &error)) {
    ReportFileError(IDS_OPEN_FAILED, path, error);
    return false;
  }
  kestil::FileText file;
  const std::uint64_t hash = kestil::ContentHash(bytes);
  bool taken = false;
  try {
    const std::u16string text =
        detect ? file.Open(bytes, NewDocumentEncoding()) : file.Decode(bytes, e);
    std::string().swap(bytes);
    taken = TakeText(text, std::move(file));
  } catch (const std::bad_alloc&) {
    taken = false;
  }
  if (!taken) {
    ReportFileError(IDS_OPEN_FAILED, path, ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  known_ = asked_ = StampOf(path);
  known_hash_ = hash;
  SetModified(false);
  return true;
}

bool Document::OnOpenDocument(const std::wstring& path) {
  return ReadInto(path, kestil::Encoding::kShiftJis, true);
}

bool Document::ReopenAs(kestil::Encoding e) {
  if (path_.empty() || view_ == nullptr || !SaveModified()) return false;
  if (!ReadInto(path_, e, false)) return false;
  view_->InitialUpdate();
  UpdateFrameTitle();
  return true;
}

int Document::AskUnmappable(std::u16string_view text, std::size_t count) {
  constexpr std::size_t kNamed = 5;  // the first few, so the user can find them
  std::wstring named;
  for (const auto& [line, character] : file_.FindUnmappable(text, kNamed)) {
    if (!named.empty()) named += L"、";
    named += Format(LoadResString(IDS_UNMAPPABLE_AT), {std::to_wstring(line), AsWide(character)});
  }
  if (count > kNamed) named += LoadResString(IDS_UNMAPPABLE_MORE);
  return Message(MainWindow(),
                 Format(LoadResString(IDS_UNMAPPABLE), {std::to_wstring(count), named}),
                 MB_YESNOCANCEL | MB_ICONEXCLAMATION);
}

bool Document::ConfirmDeclaration(const std::wstring& path, std::u16string& text,
                                  std::string& bytes) {
  const kestil::Encoding written = file_.encoding();
  const auto declaration = kestil::encoding::FindDeclarationIn(text);
  if (!declaration) return true;
  const std::string label = LabelOf(text, *declaration);
  if (kestil::encoding::LabelNames(label, written)) return true;
  const std::string wanted = kestil::encoding::LabelFor(written, label);
  const int answer =
      Message(MainWindow(),
              Format(LoadResString(IDS_DECLARATION_MISMATCH),
                     {FileTitle(path), AsciiWide(label), AsWide(kestil::EncodingName(written)),
                      AsciiWide(wanted)}),
              MB_YESNOCANCEL | MB_ICONEXCLAMATION);
  if (answer == IDCANCEL) return false;
  if (answer == IDYES) {
    RewriteDeclaration(*declaration, wanted);
    text = view_->edit().GetText();
    bytes = file_.Encode(text);
  }
  return true;
}

std::string Document::LabelOf(std::u16string_view text,
                              const kestil::encoding::Declaration& declaration) {
  std::string label;
  for (std::size_t i = declaration.begin; i < declaration.end; ++i) {
    label += static_cast<char>(text[i]);  // ASCII: the finder read it so
  }
  return label;
}

void Document::RewriteDeclaration(const kestil::encoding::Declaration& declaration,
                                  const std::string& label) {
  kestil::EditOps& edit = view_->edit();
  const kestil::Selection before = edit.GetSel();
  edit.SetSel(declaration.begin, declaration.end);
  edit.ReplaceSel(std::u16string(label.begin(), label.end()));
  // The user's selection stays on the same text.
  const auto moved = [&](std::size_t p) {
    if (p <= declaration.begin) return p;
    if (p < declaration.end) return declaration.begin;
    return p - (declaration.end - declaration.begin) + label.size();
  };
  edit.SetSel(moved(before.start), moved(before.end));
}

void Document::ConvertEncoding(kestil::Encoding e) {
  if (e == file_.encoding()) return;
  SetEncoding(e);
  if (view_ == nullptr) return;
  const std::u16string text = view_->edit().GetText();
  const auto declaration = kestil::encoding::FindDeclarationIn(text);
  if (!declaration) return;
  const std::string label = LabelOf(text, *declaration);
  if (kestil::encoding::LabelNames(label, e)) return;
  const std::string wanted = kestil::encoding::LabelFor(e, label);
  if (Message(MainWindow(),
              Format(LoadResString(IDS_DECLARATION_CONVERT), {AsciiWide(label), AsciiWide(wanted)}),
              MB_YESNO | MB_ICONQUESTION) == IDYES) {
    RewriteDeclaration(*declaration, wanted);
  }
}

bool Document::OnSaveDocument(const std::wstring& path) {
  if (view_ == nullptr) return false;
  lossy_save_ = false;
  std::size_t unmappable = 0;
  std::u16string text = view_->edit().GetText();
  std::string bytes = file_.Encode(text, &unmappable);
  const kestil::Encoding chosen = file_.encoding();
  if (unmappable > 0 && chosen == kestil::Encoding::kShiftJis) {
    const int answer = AskUnmappable(text, unmappable);
    if (answer == IDCANCEL) return false;
    if (answer == IDNO) {
      file_.set_encoding(kestil::Encoding::kUtf8);
      bytes = file_.Encode(text, &unmappable);
    }
  }
  const auto fail = [this, chosen] {
    file_.set_encoding(chosen);
    return false;
  };
  if (!ConfirmDeclaration(path, text, bytes)) return fail();
  DWORD error = 0;
  if (!WriteFileSafely(path, bytes, &error)) {
    ReportFileError(IDS_SAVE_FAILED, path, error);
    return fail();
  }
  written_hash_ = kestil::ContentHash(bytes);
  // The file does not hold what the editor shows (a "?" in place of a
  // character): the text is still unsaved.
  lossy_save_ = unmappable > 0;
  return true;
}

bool Document::SaveModified() {
  if (!IsModified()) return true;
  const int answer = Message(MainWindow(), Format(LoadResString(IDS_SAVE_CHANGES), {Title()}),
                             MB_YESNOCANCEL | MB_ICONEXCLAMATION);
  if (answer == IDCANCEL) return false;
  if (answer == IDYES) return DoFileSave();
  return true;
}

bool Document::DoFileSave() {
  const DWORD attributes = path_.empty() ? INVALID_FILE_ATTRIBUTES
                                         : GetFileAttributesW(path_.c_str());
  if (path_.empty() || (attributes != INVALID_FILE_ATTRIBUTES &&
                        (attributes & FILE_ATTRIBUTE_READONLY))) {
    return DoSave(L"");
  }
  return DoSave(path_);
}

bool Document::DoSave(const std::wstring& path) {
  std::wstring target = path;
  if (target.empty()) {
    FileDialogRequest request;
    request.owner = MainWindow();
    request.filter = LoadResString(IDS_SAVE_FILTER);
    request.default_ext = L"txt";
    request.file_name = path_.empty() ? Title() : path_;
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    PrepareSaveAs(request);
    if (!Ui().SaveFile(request)) return false;
    target = request.file_name;
  }
  if (!ConfirmOverwrite(target)) return false;
  if (!OnSaveDocument(target)) return false;
  known_ = asked_ = StampOf(target);
  known_hash_ = written_hash_;
  SetModified(lossy_save_);
  SetPathName(target);
  return true;
}

void Document::SetPathName(const std::wstring& path, bool add_to_recent) {
  path_ = FullPath(path);
  if (add_to_recent && App::Current() != nullptr) {
    App::Current()->recent_files().Add(AsU16(path_));
  }
  UpdateFrameTitle();
}

std::wstring Document::Title() const {
  return path_.empty() ? LoadResString(IDS_UNTITLED) : FileTitle(path_);
}

bool Document::IsModified() const { return view_ != nullptr && view_->edit().IsModified(); }

void Document::SetModified(bool modified) {
  if (view_ == nullptr) return;
  if (modified) {
    view_->edit().MarkUnsaved();
  } else {
    view_->edit().MarkSaved();
  }
}

void Document::PrepareSaveAs(FileDialogRequest&) {}

void Document::UpdateFrameTitle() {
  HWND frame = MainWindow();
  if (frame == nullptr) return;
  const std::wstring names = LoadResString(App::Current()->template_id());
  const std::wstring window_title = names.substr(0, names.find(L'\n'));
  // A modified document shows "*" before its name.
  const std::wstring title = (IsModified() ? L"*" : L"") + Title() + L" - " + window_title;
  wchar_t shown[1024] = {};
  GetWindowTextW(frame, shown, 1024);
  if (title != shown) SetWindowTextW(frame, title.c_str());
}

}  // namespace fw

#include "fw/document.h"

#include <commdlg.h>

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
  SetModified(false);
  return true;
}

bool Document::OnOpenDocument(const std::wstring& path) {
  std::string bytes;
  DWORD error = 0;
  if (!ReadWholeFile(path, bytes, &error)) {
    ReportFileError(IDS_OPEN_FAILED, path, error);
    return false;
  }
  if (view_ == nullptr || !view_->LoadRaw(bytes)) {
    ReportFileError(IDS_OPEN_FAILED, path, ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  SetModified(false);
  return true;
}

bool Document::OnSaveDocument(const std::wstring& path) {
  if (view_ == nullptr) return false;
  std::size_t unmappable = 0;
  const std::string bytes = view_->StoreRaw(&unmappable);
  DWORD error = 0;
  if (!WriteFileSafely(path, bytes, &error)) {
    ReportFileError(IDS_SAVE_FAILED, path, error);
    return false;
  }
  if (unmappable > 0) {
    Message(MainWindow(),
            Format(LoadResString(IDS_UNMAPPABLE), {FileTitle(path), std::to_wstring(unmappable)}),
            MB_OK | MB_ICONINFORMATION);
  }
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
    if (!Ui().SaveFile(request)) return false;
    target = request.file_name;
  }
  if (!OnSaveDocument(target)) return false;
  SetPathName(target);
  SetModified(false);
  return true;
}

void Document::SetPathName(const std::wstring& path, bool add_to_recent) {
  path_ = FullPath(path);
  if (add_to_recent && App::Current() != nullptr) {
    App::Current()->recent_files().Add(ToBytes(path_));
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
    view_->edit().LoseHistory();
  } else {
    view_->edit().MarkSaved();
  }
}

void Document::UpdateFrameTitle() {
  HWND frame = MainWindow();
  if (frame == nullptr) return;
  const std::wstring names = LoadResString(App::Current()->template_id());
  const std::wstring window_title = names.substr(0, names.find(L'\n'));
  SetWindowTextW(frame, (Title() + L" - " + window_title).c_str());
}

}  // namespace fw

#include "frame/file_commands.h"

#include "fw/app.h"
#include "fw/document.h"
#include "fw/text.h"
#include "fw/ui.h"
#include "res/resource.h"
#include "view/tools.h"

namespace kestil {
namespace {

HWND MainWindow(const fw::EditView& view) { return GetParent(view.hwnd()); }

// Starts in the folder of the last file opened, with the file type chosen
// last time.
void OnFileOpen(const fw::EditView& view, KestilOptions& options) {
  fw::FileDialogRequest request;
  request.owner = MainWindow(view);
  request.filter = fw::LoadResString(IDS_OPEN_FILTER);
  request.filter_index = options.m_LastOpenFilter;
  request.initial_dir = fw::AsWide(options.m_LastOpenDir);
  request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!fw::Ui().OpenFile(request)) return;
  options.m_LastOpenFilter = request.filter_index;
  // Asks about unsaved edits first; a file that cannot be read leaves the
  // document as it was.
  if (!fw::App::Current()->OpenDocumentFile(request.file_name)) return;
  options.m_LastOpenDir = FolderOfPath(fw::AsU16(request.file_name));
}

void OnSaveAndBrowse(const fw::EditView& view) {
  fw::Document* doc = view.document();
  const std::wstring path = doc->path_name();
  if (!fw::FileExists(path)) {
    fw::Message(view.hwnd(), fw::LoadResString(IDS_SAVE_FIRST));
    return;
  }
  // A failed save has shown its message; the shell would show the old file.
  if (!doc->DoSave(path)) return;
  fw::Ui().ShellOpen(view.hwnd(), path);
}

}  // namespace

void InstallFileCommands(fw::FrameWindow& frame, fw::EditView& view, KestilOptions& options,
                         const std::function<void(std::uint8_t kind)>& file_new) {
  frame.On(ID_FILE_NEW, [file_new] { file_new(0); });
  frame.On(ID_FILE_NEW_HTML, [file_new] { file_new(1); });
  view.On(ID_FILE_OPEN, [&view, &options] { OnFileOpen(view, options); });
  view.On(ID_SAVE_AND_BROWSE, [&view] { OnSaveAndBrowse(view); });
}

}  // namespace kestil

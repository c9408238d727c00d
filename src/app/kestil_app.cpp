#include "app/kestil_app.h"

#include "check/check_commands.h"
#include "frame/encoding_commands.h"
#include "frame/file_commands.h"
#include "frame/kestil_doc.h"
#include "frame/main_frame.h"
#include "fw/dialog.h"
#include "fw/frame.h"
#include "fw/shell_registration.h"
#include "gradient/gradient_commands.h"
#include "res/resource.h"
#include "snippets/snippet_commands.h"
#include "view/kestil_view.h"

namespace kestil {
namespace {

// The About box: the template alone, closed by OK or Escape.
class CAboutDlg : public fw::Dialog {
 public:
  explicit CAboutDlg(HWND parent) : fw::Dialog(IDD_ABOUTBOX, parent) {}
};

std::wstring ExecutablePath() {
  std::wstring path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n);
  return path;
}

}  // namespace

CKestilApp::CKestilApp() {
  On(ID_APP_ABOUT, [this] {
    CAboutDlg about(frame() != nullptr ? frame()->hwnd() : nullptr);
    about.DoModal();
  });
}

void CKestilApp::LoadOptions() { KestilOptions::LoadOptions(profile()); }

void CKestilApp::SaveOptions() { KestilOptions::SaveOptions(profile()); }

void CKestilApp::FileNew(std::uint8_t kind) {
  m_NewDocKind = kind;
  FileNewDefault();
}

bool CKestilApp::InitInstance(const std::wstring& file) {
  SetRegistryKey(kRegistryMaker);
  LoadOptions();
  LoadStdProfileSettings();
  KestilOptions& options = *this;
  auto frame = std::make_unique<CMainFrame>(options, profile(), m_EditFont);
  auto view = std::make_unique<CKestilView>(options, m_EditFont);
  // The view is the first to see a command: the subsystems put their
  // commands there, beside the view's own.
  InstallGradientCommands(*view, options, profile());
  InstallSnippetCommands(*view, options, m_EditFont);
  InstallCheckCommands(*view, options);
  InstallFileCommands(*frame, *view, options, [this](std::uint8_t kind) { FileNew(kind); });
  auto doc = std::make_unique<CKestilDoc>(options, m_NewDocKind);
  InstallEncodingCommands(*doc);
  SetDocTemplate(std::move(doc), std::move(frame), std::move(view), IDR_MAINFRAME);
  WhenIdle([] {
    fw::RegisterDocumentType(
        {L"Kestil.Document", L"Kestil Document", L".txt", ExecutablePath(), 1});
  });
  // A file that cannot be opened (a stale shortcut) has given its message;
  // Kestil then starts with an empty document, as without a file.
  const bool ok = (!file.empty() && OpenDocumentFile(file)) || FileNewDefault();
  if (!ok) return false;
  ShowMainWindow(static_cast<CMainFrame*>(this->frame())->ShowCommand(SW_SHOW));
  DragAcceptFiles(this->frame()->hwnd(), TRUE);
  return true;
}

}  // namespace kestil

#include "app/kestil_app.h"

#include <shellapi.h>

#include "frame/kestil_doc.h"
#include "frame/main_frame.h"
#include "fw/dialog.h"
#include "fw/frame.h"
#include "fw/shell_registration.h"
#include "res/resource.h"
#include "view/kestil_view.h"
#include "view/tools.h"

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
  SetDocTemplate(std::make_unique<CKestilDoc>(), std::make_unique<CMainFrame>(),
                 std::make_unique<CKestilView>(), IDR_MAINFRAME);
  fw::RegisterDocumentType(
      {L"Kestil.Document", L"Kestil Document", L".txt", ExecutablePath(), 1});
  const bool ok = file.empty() ? FileNewDefault() : OpenDocumentFile(file);
  if (!ok) return false;
  ShowMainWindow(SW_SHOW);
  DragAcceptFiles(frame()->hwnd(), TRUE);
  return true;
}

void CKestilApp::ValidateNumberEdit(fw::Dialog& dialog, std::string& text, int id, int& number,
                                    int min, int max) {
  HWND field = dialog.Item(id);
  dialog.UpdateData(true);
  const NumberDecision d = ValidateNumber(text, min, max);
  number = d.value;
  if (!d.rewrite) return;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  text = d.text;
  dialog.UpdateData(false);  // may run this check once more, on the new text
  switch (d.caret) {
    case NumberCaret::kAfterMinus:
      SendMessageW(field, EM_SETSEL, 1, 1);
      break;
    case NumberCaret::kSelectAll:
      SendMessageW(field, EM_SETSEL, 0, -1);
      break;
    case NumberCaret::kAtTen:
      SendMessageW(field, EM_SETSEL, 10, 10);
      break;
    case NumberCaret::kAfterFirstIfAtStart:
      if (start != 0 || end != 0) return;
      SendMessageW(field, EM_SETSEL, 1, 1);
      break;
    case NumberCaret::kUnchanged:
      return;
  }
  SendMessageW(field, EM_SCROLLCARET, 0, 0);
}

HFONT CreateEditorFont() {
  return CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                     L"FixedSys");
}

}  // namespace kestil

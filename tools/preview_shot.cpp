// Helper of scripts/screenshots: the program with a stand-in A4 printer
// (the screenshots' Wine has none), a page of some length, and its print
// preview showing two pages until the file named on the command line exists.
//   preview_shot <done file> [zoom steps]   zoomed in instead of two pages
#include <string>

#include "app/kestil_app.h"
#include "base/text16.h"
#include "fw/edit_view.h"
#include "fw/frame.h"
#include "fw/ui.h"
#include "res/resource.h"

namespace {

class StandInPrinter : public fw::UiServices {
 public:
  fw::PrinterResult OpenPrintTarget(HWND, bool, fw::PrintTarget* target) override {
    *target = {CreateCompatibleDC(nullptr), 2480, 3508, 300, 300};  // A4 at 300 dpi
    return fw::PrinterResult::kOk;
  }
};

std::u16string SamplePage() {
  std::u16string text = u"<html>\r\n<head>\r\n<title>テスト</title>\r\n</head>\r\n<body>\r\n";
  for (int i = 1; i <= 120; ++i) {
    const std::u16string n = kestil::Widen(std::to_string(i));
    text += u"<p>日本語のページ " + n + u"\t<a href=\"page" + n + u".htm\">link</a></p>\r\n";
  }
  return text + u"</body>\r\n</html>\r\n";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring done = argv[1];
  StandInPrinter printer;
  fw::SetUi(&printer);
  kestil::CKestilApp app;
  if (!app.InitInstance(L"")) return 1;
  app.view()->edit().SetText(SamplePage());
  MoveWindow(app.frame()->hwnd(), 0, 0, 900, 620, TRUE);
  SendMessageW(app.frame()->hwnd(), WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
  HWND preview = FindWindowW(L"KestilFramePreview", nullptr);
  if (preview == nullptr) return 1;
  MoveWindow(preview, 0, 0, 900, 620, TRUE);
  const int zoom = argc > 2 ? _wtoi(argv[2]) : 0;
  if (zoom == 0) SendMessageW(GetDlgItem(preview, IDC_PREVIEW_TWO), BM_CLICK, 0, 0);
  for (int i = 0; i < zoom; ++i) SendMessageW(GetDlgItem(preview, IDC_PREVIEW_ZOOM_IN), BM_CLICK, 0, 0);
  while (GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  DestroyWindow(preview);
  fw::SetUi(nullptr);
  return 0;
}

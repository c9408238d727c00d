// Start-up of kestil.exe: the options, the main window with its edit surface,
// and the file named on the command line.
#include "fw/win.h"

#include <shellapi.h>

#include <memory>
#include <string>

#include "app/kestil_app.h"
#include "res/resource.h"
#include "view/edit_control.h"

namespace {

constexpr wchar_t kFrameClass[] = L"KestilFrame";
constexpr DWORD kViewStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL |
                             ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN | WS_HSCROLL;

kestil::CKestilApp theApp;

struct Frame {
  HWND view = nullptr;
  std::unique_ptr<kestil::EditControlOps> edit;
};

Frame g_frame;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      theApp.m_EditFont.Reset(kestil::CreateEditorFont());
      g_frame.view = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", kViewStyle, 0, 0, 0, 0, hwnd,
                                     reinterpret_cast<HMENU>(IDC_VIEW_EDIT),
                                     GetModuleHandleW(nullptr), nullptr);
      if (g_frame.view == nullptr) return -1;
      g_frame.edit = std::make_unique<kestil::EditControlOps>(g_frame.view);
      SendMessageW(g_frame.view, WM_SETFONT, reinterpret_cast<WPARAM>(theApp.m_EditFont.get()),
                   TRUE);
      const UINT tab = static_cast<UINT>(theApp.m_TabStop * 4);
      SendMessageW(g_frame.view, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tab));
      return 0;
    }
    case WM_SIZE:
      MoveWindow(g_frame.view, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(g_frame.view);
      return 0;
    case WM_CLOSE:
      theApp.SaveOptions();
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

std::wstring LoadResString(HINSTANCE instance, UINT id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) != 0 && size.QuadPart < 0x40000000;
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) != 0 &&
         got == bytes.size();
  }
  CloseHandle(file);
  return ok;
}

std::wstring FileTitle(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  theApp.LoadOptions();

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kFrameClass;
  if (RegisterClassExW(&wc) == 0) return 1;

  std::wstring document_title = LoadResString(instance, IDS_UNTITLED);
  std::string bytes;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring path = (argv != nullptr && argc > 1) ? argv[1] : L"";
  LocalFree(argv);
  if (!path.empty()) {
    if (!ReadWholeFile(path, bytes)) {
      const std::wstring message = path + L"\nファイルを開けません。";
      MessageBoxW(nullptr, message.c_str(), kestil::kApplicationName, MB_OK | MB_ICONEXCLAMATION);
      return 1;
    }
    document_title = FileTitle(path);
  }

  const std::wstring caption = document_title + L" - Kestil";
  HWND frame = CreateWindowExW(theApp.m_TopMost ? WS_EX_TOPMOST : 0, kFrameClass,
                               caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (frame == nullptr) return 1;
  if (!bytes.empty()) g_frame.edit->LoadRaw(bytes);
  ShowWindow(frame, show);
  UpdateWindow(frame);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

// Drives a running kestil.exe from outside, as automation tools do, for the
// screenshot script: waits for its main window, then posts one action.
//   drive wait             wait until the main window is shown
//   drive menu <letter>    open the menu-bar pop-up with that mnemonic
//   drive key <letter>     type a mnemonic into the open menu
//   drive command <id>     post WM_COMMAND with the id
//   drive close            post WM_CLOSE
//   drive bounds           print the rectangle that holds the program's shown
//                          top-level windows (main window, open menus and
//                          dialogs) and a margin, within the screen, as
//                          ImageMagick's WxH+X+Y
//   drive click <caption> <id>   click a button of the dialog with that caption
//   drive select <caption> <id> <line>   select a list box line, as a click would
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

static HWND FindMain() {
  for (int i = 0; i < 200; ++i) {
    HWND w = FindWindowW(L"KestilFrame", nullptr);
    if (w != nullptr && IsWindowVisible(w)) return w;
    Sleep(50);
  }
  return nullptr;
}

struct Bounds {
  DWORD process = 0;
  RECT rect{};
  bool any = false;
};

static BOOL CALLBACK AddWindow(HWND w, LPARAM param) {
  auto& b = *reinterpret_cast<Bounds*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(w, &process);
  RECT r{};
  if (process != b.process || !IsWindowVisible(w) || !GetWindowRect(w, &r) || IsRectEmpty(&r)) {
    return TRUE;
  }
  if (b.any) {
    UnionRect(&b.rect, &b.rect, &r);
  } else {
    b.rect = r;
    b.any = true;
  }
  return TRUE;
}

static int PrintBounds(HWND main) {
  Bounds b;
  GetWindowThreadProcessId(main, &b.process);
  EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&b));
  if (!b.any) return 1;
  constexpr int kMargin = 4;
  const int left = b.rect.left - kMargin > 0 ? b.rect.left - kMargin : 0;
  const int top = b.rect.top - kMargin > 0 ? b.rect.top - kMargin : 0;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const int right = b.rect.right + kMargin < width ? b.rect.right + kMargin : width;
  const int bottom = b.rect.bottom + kMargin < height ? b.rect.bottom + kMargin : height;
  std::printf("%dx%d+%d+%d\n", right - left, bottom - top, left, top);
  return 0;
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  HWND main = FindMain();
  if (main == nullptr) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  if (std::wcscmp(argv[1], L"menu") == 0 && argc > 2) {
    SetForegroundWindow(main);
    PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, static_cast<WPARAM>(argv[2][0]));
  } else if (std::wcscmp(argv[1], L"key") == 0 && argc > 2) {
    // A mnemonic for the open menu, which reads the thread's input.
    PostMessageW(main, WM_CHAR, static_cast<WPARAM>(argv[2][0]), 1);
  } else if (std::wcscmp(argv[1], L"command") == 0 && argc > 2) {
    PostMessageW(main, WM_COMMAND, std::wcstoul(argv[2], nullptr, 10), 0);
  } else if ((std::wcscmp(argv[1], L"click") == 0 && argc > 3) ||
             (std::wcscmp(argv[1], L"select") == 0 && argc > 4)) {
    const wchar_t* caption = argv[2];
    HWND dialog = nullptr;
    for (int i = 0; i < 200 && dialog == nullptr; ++i) {
      dialog = FindWindowW(L"#32770", caption);
      if (dialog == nullptr) Sleep(50);
    }
    if (dialog == nullptr) return 1;
    const int id = _wtoi(argv[3]);
    if (argv[1][0] == L'c') {
      PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    } else {
      SendMessageW(GetDlgItem(dialog, id), LB_SETCURSEL, _wtoi(argv[4]), 0);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
  } else if (std::wcscmp(argv[1], L"caret") == 0 && argc > 2) {
    // The editor's caret to a position, as another program puts it there.
    HWND editor = FindWindowExW(main, nullptr, L"Scintilla", nullptr);
    const WPARAM pos = std::wcstoul(argv[2], nullptr, 10);
    SendMessageW(editor, EM_SETSEL, pos, static_cast<LPARAM>(pos));
  } else if (std::wcscmp(argv[1], L"bounds") == 0) {
    return PrintBounds(main);
  } else if (std::wcscmp(argv[1], L"close") == 0) {
    PostMessageW(main, WM_CLOSE, 0, 0);
  }
  return 0;
}

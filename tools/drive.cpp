// Drives a running kestil.exe from outside, as automation tools do, for the
// screenshot script: waits for its main window, then posts one action.
//   drive wait             wait until the main window is shown
//   drive menu <letter>    open the menu-bar pop-up with that mnemonic
//   drive command <id>     post WM_COMMAND with the id
//   drive close            post WM_CLOSE
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static HWND FindMain() {
  for (int i = 0; i < 200; ++i) {
    HWND w = FindWindowW(L"KestilFrame", nullptr);
    if (w != nullptr && IsWindowVisible(w)) return w;
    Sleep(50);
  }
  return nullptr;
}

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  HWND main = FindMain();
  if (main == nullptr) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  if (std::strcmp(argv[1], "menu") == 0 && argc > 2) {
    SetForegroundWindow(main);
    PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, static_cast<unsigned char>(argv[2][0]));
  } else if (std::strcmp(argv[1], "command") == 0 && argc > 2) {
    PostMessageW(main, WM_COMMAND, std::strtoul(argv[2], nullptr, 10), 0);
  } else if (std::strcmp(argv[1], "close") == 0) {
    PostMessageW(main, WM_CLOSE, 0, 0);
  }
  return 0;
}

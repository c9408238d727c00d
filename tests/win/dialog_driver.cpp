#include "win/dialog_driver.h"

#include <stdexcept>

#include <gtest/gtest.h>

namespace kestil::testing {
namespace {

DialogDriver* g_driver = nullptr;
constexpr UINT kRunAction = WM_APP + 1;

bool IsDialog(HWND hwnd) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  return std::wstring(name) == L"#32770";
}

}  // namespace

DialogDriver::DialogDriver() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = HelperProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestilDialogDriver";
    return RegisterClassW(&wc) != 0;
  }();
  if (!registered) throw std::runtime_error("RegisterClassW");
  helper_ = CreateWindowW(L"KestilDialogDriver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  g_driver = this;
  hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver() {
  UnhookWindowsHookEx(hook_);
  DestroyWindow(helper_);
  g_driver = nullptr;
}

LRESULT CALLBACK DialogDriver::Hook(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE && g_driver != nullptr) {
    HWND hwnd = reinterpret_cast<HWND>(wp);
    if (IsDialog(hwnd) && g_driver->seen_.insert(hwnd).second) {
      wchar_t caption[256] = {};
      GetWindowTextW(hwnd, caption, 256);
      g_driver->captions_.push_back(caption);
      PostMessageW(g_driver->helper_, kRunAction, reinterpret_cast<WPARAM>(hwnd), 0);
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK DialogDriver::HelperProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != kRunAction || g_driver == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  HWND dialog = reinterpret_cast<HWND>(wp);
  if (!IsWindow(dialog)) return 0;
  if (g_driver->actions_.empty()) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return 0;
  }
  Action action = std::move(g_driver->actions_.front());
  g_driver->actions_.pop_front();
  // The dialog's loop shows it once its queue is empty; the action may come
  // first, so show it as that loop would.
  if (!IsWindowVisible(dialog)) {
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
  }
  action(dialog);
  return 0;
}

std::wstring DialogDriver::Text(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void DialogDriver::SetText(HWND dialog, int id, const std::wstring& text) {
  SetDlgItemTextW(dialog, id, text.c_str());
}

void DialogDriver::Click(HWND dialog, int id) {
  SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void DialogDriver::Key(HWND control, UINT vk) {
  PostMessageW(control, WM_KEYDOWN, vk, 1);
  PostMessageW(control, WM_KEYUP, vk, 0xC0000001);
}

void DialogDriver::Press(HWND dialog, UINT msg, wchar_t ch) {
  // Keys outside the dialog would reach the main window (and its menus).
  ASSERT_TRUE(IsChild(dialog, GetFocus())) << "the focus is outside the dialog";
  MSG m{GetFocus(), msg, ch, msg == WM_SYSCHAR ? 0x20000001 : 1, 0, {}};  // bit 29: Alt is down
  if (!IsDialogMessageW(dialog, &m)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

}  // namespace kestil::testing

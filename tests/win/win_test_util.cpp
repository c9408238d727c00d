#include "win/win_test_util.h"

#include "base/codec.h"
#include "base/utf8.h"

#include <atomic>
#include <stdexcept>
#include <thread>

namespace kestil::testing {

namespace {

constexpr wchar_t kClass[] = L"KestilTestFrame";

void RegisterFrameClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
      if (msg == WM_NOTIFY && fw::ScintillaSurface::DispatchNotify(lp)) return 0;
      return DefWindowProcW(hwnd, msg, wp, lp);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    return RegisterClassExW(&wc) != 0;
  }();
  if (!registered) throw std::runtime_error("RegisterClassExW");
}

}  // namespace

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void FromOtherThread(const std::function<void()>& sends) {
  std::atomic<bool> done{false};
  std::thread other([&] {
    sends();
    done = true;
  });
  PumpUntil([&] { return done.load(); });
  other.join();
}

bool PumpUntil(const std::function<bool()>& done) {
  for (int round = 0; round < 1000 && !done(); ++round) {
    PumpPending();
    if (done()) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}

TestEditWindow::TestEditWindow() {
  RegisterFrameClass();
  frame_ = CreateWindowExW(0, kClass, L"test", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  fw::ScintillaSurface::RegisterClass();
  edit_ = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0,
                          600, 400, frame_, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (frame_ == nullptr || edit_ == nullptr) throw std::runtime_error("CreateWindowExW");
}

TestEditWindow::~TestEditWindow() { DestroyWindow(frame_); }

OwnedSurface::OwnedSurface(std::unique_ptr<TestEditWindow> window)
    : fw::ScintillaSurface(window->edit()), window_(std::move(window)) {}

std::unique_ptr<OwnedSurface> MakeSurface() {
  return std::make_unique<OwnedSurface>(std::make_unique<TestEditWindow>());
}

std::u16string Sjis(std::string_view bytes) {
  cp932::Spellings memo = cp932::Spellings::Defaults();
  return cp932::Decode(bytes, memo);
}

std::string SjisOf(std::u16string_view text) {
  return cp932::Encode(text, cp932::Spellings::Defaults());
}

std::string Utf8Of(std::wstring_view text) {
  return utf8::Encode(std::u16string(text.begin(), text.end()));
}

}  // namespace kestil::testing

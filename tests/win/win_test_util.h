// Helpers of the Windows tests: real windows, and message pumping until a
// condition holds.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "fw/win.h"
#include "fw/scintilla_surface.h"

namespace kestil::testing {

// Dispatches pending messages until done() holds or about ten seconds of
// waiting have passed; returns done().
bool PumpUntil(const std::function<bool()>& done);
void PumpPending();
// Runs sends on another thread, as another program sends its messages,
// while this thread answers them.
void FromOtherThread(const std::function<void()>& sends);

// A top-level window holding an editing surface; it hands the surface's
// notifications to it, as the main window does.
class TestEditWindow {
 public:
  TestEditWindow();
  ~TestEditWindow();
  TestEditWindow(const TestEditWindow&) = delete;
  TestEditWindow& operator=(const TestEditWindow&) = delete;

  HWND frame() const { return frame_; }
  HWND edit() const { return edit_; }

 private:
  HWND frame_ = nullptr;
  HWND edit_ = nullptr;
};

// A surface that owns its window.
class OwnedSurface final : public fw::ScintillaSurface {
 public:
  explicit OwnedSurface(std::unique_ptr<TestEditWindow> window);

 private:
  std::unique_ptr<TestEditWindow> window_;
};

std::unique_ptr<OwnedSurface> MakeSurface();

// A wide text as UTF-8, for test messages.
std::string Utf8Of(std::wstring_view text);
// Code page 932 bytes as Windows decodes them, and a text back as its bytes:
// the tests that write Shift_JIS pages write them as the file holds them.
std::u16string Sjis(std::string_view bytes);
std::string SjisOf(std::u16string_view text);

}  // namespace kestil::testing

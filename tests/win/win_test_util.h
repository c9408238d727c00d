// Helpers of the Windows tests: real windows, and message pumping until a
// condition holds.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "fw/win.h"
#include "fw/edit_control.h"

namespace kestil::testing {

// Dispatches pending messages until done() holds or about ten seconds of
// waiting have passed; returns done().
bool PumpUntil(const std::function<bool()>& done);
void PumpPending();

// A top-level window holding a multi-line edit control set up like the view.
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

// EditControlOps that owns its window.
class OwnedEditControl final : public EditControlOps {
 public:
  explicit OwnedEditControl(std::unique_ptr<TestEditWindow> window);

 private:
  std::unique_ptr<TestEditWindow> window_;
};

std::unique_ptr<OwnedEditControl> MakeEditControl();

// A wide text as UTF-8, for test messages.
std::string Utf8Of(std::wstring_view text);
// Code page 932 bytes as Windows decodes them, and a text back as its bytes:
// the tests that write Shift_JIS pages write them as the file holds them.
std::u16string Sjis(std::string_view bytes);
std::string SjisOf(std::u16string_view text);

}  // namespace kestil::testing

// The real message box, answered by a person: the program's own services
// call the platform's function (not themselves).
#include <gtest/gtest.h>

#include "fw/ui.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

TEST(RealMessageBox, ShowsTheTextAndReturnsTheAnswer) {
  DialogDriver driver;
  std::wstring caption;
  driver.Then([&](HWND box) {
    wchar_t text[256] = {};
    GetWindowTextW(box, text, 256);
    caption = text;
    DialogDriver::Click(box, IDNO);
  });
  fw::UiServices real;
  EXPECT_EQ(real.MessageBox(nullptr, L"保存しますか?", L"kestil", MB_YESNOCANCEL), IDNO);
  EXPECT_EQ(caption, L"kestil");
}

}  // namespace
}  // namespace kestil::testing

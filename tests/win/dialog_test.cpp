// Dialogs with data exchange: integers, radio groups and code page 932
// strings, and the standard messages of a failed check.
#include <gtest/gtest.h>

#include <functional>

#include "fw/dialog.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

class ProbeDlg : public fw::Dialog {
 public:
  explicit ProbeDlg(std::function<void(ProbeDlg&)> script)
      : fw::Dialog(900, nullptr), script_(std::move(script)) {}

  int number = 4;
  int choice = 1;
  std::string text;
  bool last_ok = false;

  void Set(int id, const wchar_t* value) { SetDlgItemTextW(hwnd(), id, value); }
  void PressOK() { OnOK(); }
  std::wstring Get(int id) {
    wchar_t buffer[256] = {};
    GetDlgItemTextW(hwnd(), id, buffer, 256);
    return buffer;
  }

 protected:
  bool OnInitDialog() override {
    fw::Dialog::OnInitDialog();
    script_(*this);
    return true;
  }
  void DoDataExchange(fw::DataExchange& dx) override {
    dx.Text(901, number);
    dx.MinMaxInt(901, number, 2, 8);
    dx.Radio(902, choice);
    dx.Text(905, text);
  }

 private:
  std::function<void(ProbeDlg&)> script_;
};

class DialogTest : public AppTest {};

TEST_F(DialogTest, BadNumbersAreRefusedWithTheStandardMessages) {
  ProbeDlg dlg([](ProbeDlg& d) {
    d.Set(901, L"x1");
    d.PressOK();  // refused: not an integer
    d.Set(901, L"9");
    d.PressOK();  // refused: out of range
    d.Set(901, L"99999999999");
    d.PressOK();  // refused: beyond an integer, so out of range
    d.Set(901, L"-3");
    d.PressOK();
    d.Set(901, L"8");
    d.PressOK();
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.number, 8);
  ASSERT_EQ(ui_.messages.size(), 4u);
  EXPECT_EQ(ui_.messages[0], L"整数を入力してください。");
  EXPECT_EQ(ui_.messages[1], L"2 から 8 までの整数を入力してください。");
  EXPECT_EQ(ui_.messages[2], L"2 から 8 までの整数を入力してください。");
  EXPECT_EQ(ui_.messages[3], L"2 から 8 までの整数を入力してください。");
  EXPECT_EQ(ui_.captions[0], L"kestil");
}

}  // namespace
}  // namespace kestil::testing

namespace kestil::testing {
namespace {

// The real message box, answered by a person: the program's own services
// call the platform's function (not themselves).
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

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

TEST_F(DialogTest, ValuesGoInAndComeBack) {
  ProbeDlg dlg([](ProbeDlg& d) {
    EXPECT_EQ(d.Get(901), L"4");
    EXPECT_EQ(SendMessageW(GetDlgItem(d.hwnd(), 903), BM_GETCHECK, 0, 0), BST_CHECKED);
    d.Set(901, L" 6 ");
    CheckRadioButton(d.hwnd(), 902, 904, 904);
    d.Set(905, L"\u8868\u793A & \u30BD");  // 表示 & ソ
    d.PressOK();
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.number, 6);
  EXPECT_EQ(dlg.choice, 2);
  EXPECT_EQ(dlg.text, "\x95\x5C\x8E\xA6 & \x83\x5C");
  EXPECT_TRUE(ui_.messages.empty());
}

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

TEST_F(DialogTest, CancelKeepsTheMembers) {
  ProbeDlg dlg([](ProbeDlg& d) {
    d.Set(901, L"7");
    d.EndDialog(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.number, 4);
}

TEST_F(DialogTest, AFileTooLargeToHoldIsRefusedAndTheTextStays) {
  ASSERT_TRUE(Start());
  View().edit().ReplaceSel("kept");
  Doc().SetModified(false);
  TempFile big(L"kestil-huge.txt", "");
  HANDLE f = CreateFileW(big.path().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  LARGE_INTEGER size;
  size.QuadPart = 300ll << 20;
  SetFilePointerEx(f, size, nullptr, FILE_BEGIN);
  SetEndOfFile(f);
  CloseHandle(f);
  EXPECT_FALSE(App().OpenDocumentFile(big.path()));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"ファイルが大きすぎて開けません。"), std::wstring::npos);
  EXPECT_EQ(View().edit().GetText(), "kept");
  EXPECT_EQ(Doc().path_name(), L"");
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

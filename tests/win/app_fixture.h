// Runs the program's own classes in the test process: a fresh registry, the
// application object started as kestil.exe starts it, and message boxes and
// file dialogs answered by the test.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/kestil_app.h"
#include "fw/document.h"
#include "fw/edit_view.h"
#include "fw/frame.h"
#include "fw/ui.h"
#include "win/win_test_util.h"

namespace kestil::testing {

class FakeUi : public fw::UiServices {
 public:
  int MessageBox(HWND, const std::wstring& text, const std::wstring& caption,
                 UINT flags) override {
    messages.push_back(text);
    captions.push_back(caption);
    if (answers.empty()) return (flags & 0xF) == MB_OK ? IDOK : IDCANCEL;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool OpenFile(fw::FileDialogRequest& request) override {
    open_requests.push_back(request);
    if (real_open_dialog) return fw::UiServices::OpenFile(request);
    if (open_path.empty()) return false;
    request.file_name = open_path;
    return true;
  }
  fw::PrinterResult OpenPrintTarget(HWND owner, bool ask, fw::PrintTarget* target) override {
    if (!fake_printer) return fw::UiServices::OpenPrintTarget(owner, ask, target);
    // A4 at 300 dots per inch, drawn into memory.
    *target = {CreateCompatibleDC(nullptr), 2480, 3508, 300, 300};
    return fw::PrinterResult::kOk;
  }
  bool PickColor(HWND, COLORREF& color) override {
    if (colors.empty()) return false;
    color = colors.front();
    colors.pop_front();
    return true;
  }
  void ShellOpen(HWND, const std::wstring& path) override { shell_opened.push_back(path); }
  bool SaveFile(fw::FileDialogRequest& request) override {
    save_requests.push_back(request);
    if (save_path.empty()) return false;
    request.file_name = save_path;
    return true;
  }

  std::vector<std::wstring> messages;
  std::vector<std::wstring> captions;
  std::deque<int> answers;
  std::wstring open_path;
  bool real_open_dialog = false;  // the platform's dialog, for a DialogDriver to answer
  std::deque<COLORREF> colors;  // answers of the colour dialog; none: cancel
  bool fake_printer = false;  // false: the real printers (none under the tests' Wine)
  std::wstring save_path;
  std::vector<fw::FileDialogRequest> open_requests;
  std::vector<fw::FileDialogRequest> save_requests;
  std::vector<std::wstring> shell_opened;
};

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearRegistry();
    fw::SetUi(&ui_);
  }
  void TearDown() override {
    app_.reset();
    PumpPending();
    fw::SetUi(nullptr);
    ClearRegistry();
  }

  static void ClearRegistry() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ulmore Soft"); }

  // Starts the program; false as InitInstance gives it.
  bool Start(const std::wstring& file = L"") {
    app_.reset();
    app_ = std::make_unique<CKestilApp>();
    const bool ok = app_->InitInstance(file);
    PumpPending();
    return ok;
  }
  // Closes the main window as the user would (WM_CLOSE).
  void Close() {
    SendMessageW(Frame(), WM_CLOSE, 0, 0);
    PumpPending();
  }
  // Closes, then starts again reading the stored options.
  void Restart() {
    Close();
    Start();
  }

  CKestilApp& App() { return *app_; }
  HWND Frame() { return app_->frame()->hwnd(); }
  fw::EditView& View() { return *app_->view(); }
  HWND Edit() { return View().hwnd(); }
  // The text as the units the control holds, and as code page 932 bytes for
  // the tests that write their Shift_JIS pages as bytes.
  std::u16string Units() { return View().edit().GetText(); }
  std::string Text() { return SjisOf(View().edit().GetText()); }
  fw::Document& Doc() { return *app_->document(); }
  void Command(UINT id) {
    SendMessageW(Frame(), WM_COMMAND, id, 0);
    PumpPending();
  }
  void Idle() { app_->OnIdle(0); }
  std::wstring Title() {
    wchar_t text[512] = {};
    GetWindowTextW(Frame(), text, 512);
    return text;
  }

  FakeUi ui_;
  std::unique_ptr<CKestilApp> app_;
};

// The prefix's temporary folder, with its final backslash.
std::wstring TempDir();
// Writes a file as another program would, without the editor's save.
void Put(const std::wstring& path, const std::string& bytes);

// A file in the prefix's temporary folder, removed at the end of the test.
class TempFile {
 public:
  TempFile(const std::wstring& name, const std::string& bytes);
  ~TempFile();
  const std::wstring& path() const { return path_; }
  std::string Read() const;

 private:
  std::wstring path_;
};

}  // namespace kestil::testing

// The modeless window "HTML の検査結果" beside the main window: a line of
// summary (or the check's progress), the buttons 次の問題, 再検査 and 中止,
// and the findings as a list of line, column, kind and message.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "check/markup_check.h"
#include "fw/win.h"

namespace kestil {

class CCheckResultsWnd {
 public:
  struct Handlers {
    std::function<void(std::size_t)> jump;  // a finding chosen in the list
    std::function<void()> next;
    std::function<void()> again;
    std::function<void()> cancel;
    // The messages the check's thread posts to the window.
    std::function<void(UINT msg, WPARAM wp, LPARAM lp)> posted;
  };
  // The messages the check's thread posts: how far it is (wp the run,
  // lp the percent), and that it has finished (wp the run).
  static constexpr UINT kProgress = WM_APP + 0x31;
  static constexpr UINT kDone = WM_APP + 0x32;

  explicit CCheckResultsWnd(Handlers handlers) : handlers_(std::move(handlers)) {}
  ~CCheckResultsWnd();
  CCheckResultsWnd(const CCheckResultsWnd&) = delete;
  CCheckResultsWnd& operator=(const CCheckResultsWnd&) = delete;

  // Makes the window on first use, beside owner (to its right where the
  // screen has room, else to its left), and shows it without taking the
  // focus from the editor.
  bool Show(HWND owner);
  HWND hwnd() const { return hwnd_; }

  void ShowRunning(int percent);
  // The findings (kept by the caller while shown) and the summary line.
  void ShowFindings(const std::vector<Finding>& findings, const std::wstring& summary);
  // No findings, and a line of text (empty: nothing).
  void ShowMessage(const std::wstring& text);
  void Select(std::size_t index);

  // A finding's message as the list shows it: its Japanese text where the
  // string table has one, else Tidy's English.
  static std::wstring MessageOf(const Finding& finding);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  bool OnNotify(const NMHDR& header);
  void Layout();
  void SetRunning(bool running);
  void PlaceBeside(HWND owner);

  Handlers handlers_;
  HWND hwnd_ = nullptr;
  HWND summary_ = nullptr;
  HWND progress_ = nullptr;
  HWND list_ = nullptr;
  HWND next_ = nullptr;
  HWND again_ = nullptr;
  HWND cancel_ = nullptr;
  // The rows as the list shows them: line, column, kind, message.
  std::vector<std::wstring> rows_;
  bool running_ = false;
  static constexpr int kColumns = 4;
};

}  // namespace kestil

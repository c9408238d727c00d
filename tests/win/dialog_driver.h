// Acts on modal dialogs as a person would, from inside their message loop:
// a WH_CBT hook notices each new dialog as it is activated and posts its
// action to a helper window, which the dialog's own loop then runs. Actions
// run in the order the dialogs appear; a dialog with no action left is
// cancelled, so a test never hangs on one.
#pragma once

#include <deque>
#include <functional>
#include <set>
#include <string>

#include "fw/win.h"

namespace kestil::testing {

class DialogDriver {
 public:
  using Action = std::function<void(HWND dialog)>;

  DialogDriver();
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  void Then(Action action) { actions_.push_back(std::move(action)); }
  bool all_done() const { return actions_.empty(); }
  const std::vector<std::wstring>& captions() const { return captions_; }

  // Helpers for actions.
  static std::wstring Text(HWND dialog, int id);
  static void SetText(HWND dialog, int id, const std::wstring& text);
  static void Click(HWND dialog, int id);  // BM_CLICK on a button
  static void Key(HWND control, UINT vk);  // posts a key press
  // A character, or Alt and a letter, as the dialog's own loop handles it
  // (the dialog manager first) at the control with the focus.
  static void Type(HWND dialog, wchar_t ch) { Press(dialog, WM_CHAR, ch); }
  static void Alt(HWND dialog, wchar_t letter) { Press(dialog, WM_SYSCHAR, letter); }

 private:
  static void Press(HWND dialog, UINT msg, wchar_t ch);
  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK HelperProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  HHOOK hook_ = nullptr;
  HWND helper_ = nullptr;
  std::deque<Action> actions_;
  std::set<HWND> seen_;
  std::vector<std::wstring> captions_;
};

}  // namespace kestil::testing

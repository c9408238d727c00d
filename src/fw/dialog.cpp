#include "fw/dialog.h"

#include <algorithm>
#include <climits>
#include <new>
#include <vector>

#include "fw/text.h"
#include "fw/ui.h"
#include "fw/ids.h"

namespace fw {
namespace {

std::wstring ControlText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

// Writes a control's text only when it changes: a single-line edit control
// reports a change for every WM_SETTEXT, even of the same text.
void SetIfDifferent(HWND control, const std::wstring& text) {
  if (ControlText(control) != text) SetWindowTextW(control, text.c_str());
}

// Templates place dialogs at 0, 0; like the framework, show them centred
// over their owner (or the screen), kept on the screen.
void CenterOverOwner(HWND dialog) {
  RECT r{};
  GetWindowRect(dialog, &r);
  RECT area{};
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner != nullptr && IsWindowVisible(owner)) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  const LONG w = r.right - r.left;
  const LONG h = r.bottom - r.top;
  LONG x = area.left + (area.right - area.left - w) / 2;
  LONG y = area.top + (area.bottom - area.top - h) / 2;
  RECT screen{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
  x = std::max(screen.left, std::min(x, screen.right - w));
  y = std::max(screen.top, std::min(y, screen.bottom - h));
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool ParseInt(const std::wstring& text, int* value, bool* overflow) {
  *overflow = false;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  const std::size_t digits_start = i;
  long long n = 0;
  bool huge = false;
  while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
    if (!huge) n = n * 10 + (text[i] - L'0');
    if (n > static_cast<long long>(INT_MAX) + 1) huge = true;
    ++i;
  }
  if (i == digits_start) return false;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  if (i != text.size()) return false;
  if (negative) n = -n;
  if (huge || n < INT_MIN || n > INT_MAX) {
    // A whole number, but beyond an int: a range check reports it.
    *overflow = true;
    *value = negative ? INT_MIN : INT_MAX;
    return true;
  }
  *value = static_cast<int>(n);
  return true;
}

void DataExchange::Fail(int id, const std::wstring& message) {
  failed_ = true;
  Message(dialog_.hwnd(), message, MB_OK | MB_ICONEXCLAMATION);
  HWND control = dialog_.Item(id);
  if (control != nullptr) {
    SetFocus(control);
    SendMessageW(control, EM_SETSEL, 0, -1);
  }
}

void DataExchange::Text(int id, std::u16string& value) {
  if (failed_) return;
  HWND control = dialog_.Item(id);
  if (save_) {
    value = AsU16(ControlText(control));
  } else {
    SetIfDifferent(control, AsWide(value));
  }
}

void DataExchange::Text(int id, int& value) {
  if (failed_) return;
  HWND control = dialog_.Item(id);
  if (!save_) {
    SetIfDifferent(control, std::to_wstring(value));
    return;
  }
  int parsed = 0;
  bool overflow = false;
  if (!ParseInt(ControlText(control), &parsed, &overflow)) {
    Fail(id, LoadResString(IDS_PARSE_INT));
    return;
  }
  if (overflow) overflow_id_ = id;
  value = parsed;
}

void DataExchange::ComboIndex(int id, int& index) {
  if (failed_) return;
  HWND control = dialog_.Item(id);
  if (save_) {
    index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
  } else if (SendMessageW(control, CB_GETCURSEL, 0, 0) != index) {
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void DataExchange::Check(int id, int& checked) {
  if (failed_) return;
  HWND control = dialog_.Item(id);
  if (save_) {
    checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  } else {
    SendMessageW(control, BM_SETCHECK, checked != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void DataExchange::Radio(int first_id, int& index) {
  if (failed_) return;
  HWND control = dialog_.Item(first_id);
  int i = 0;
  if (save_) index = -1;
  while (control != nullptr) {
    if (save_) {
      if (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) index = i;
    } else {
      const WPARAM state = i == index ? BST_CHECKED : BST_UNCHECKED;
      if (static_cast<WPARAM>(SendMessageW(control, BM_GETCHECK, 0, 0)) != state) {
        SendMessageW(control, BM_SETCHECK, state, 0);
      }
    }
    control = GetNextDlgGroupItem(dialog_.hwnd(), control, FALSE);
    if (control == dialog_.Item(first_id)) break;
    ++i;
  }
}

void DataExchange::Control(int id, HWND& control) { control = dialog_.Item(id); }

void DataExchange::MinMaxInt(int id, int value, int min, int max) {
  if (failed_ || !save_) return;
  const bool overflow = overflow_id_ == id;
  overflow_id_ = 0;
  if (overflow || value < min || value > max) {
    Fail(id, Format(LoadResString(IDS_INT_RANGE), {std::to_wstring(min), std::to_wstring(max)}));
  }
}

INT_PTR Dialog::DoModal() {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id_), parent_,
                         DialogProc, reinterpret_cast<LPARAM>(this));
}

bool Dialog::UpdateData(bool save) {
  DataExchange dx(*this, save);
  DoDataExchange(dx);
  return !dx.failed();
}

void Dialog::EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

void Dialog::GotoControl(int id) {
  SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

bool Dialog::OnCommand(UINT, UINT, HWND) { return false; }

INT_PTR Dialog::OnMessage(UINT, WPARAM, LPARAM, bool*) { return 0; }

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Dialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lp);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    CenterOverOwner(hwnd);
    return self->OnInitDialog() ? TRUE : FALSE;
  }
  self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  try {
    return self->Dispatch(msg, wp, lp);
  } catch (const std::bad_alloc&) {
    Message(hwnd, LoadResString(IDS_OUT_OF_MEMORY), MB_OK | MB_ICONEXCLAMATION);
    return TRUE;
  }
}

INT_PTR Dialog::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND) {
    const UINT id = LOWORD(wp);
    const UINT code = HIWORD(wp);
    if (OnCommand(id, code, reinterpret_cast<HWND>(lp))) return TRUE;
    if (id == IDOK && code == BN_CLICKED) {
      OnOK();
      return TRUE;
    }
    if (id == IDCANCEL && code == BN_CLICKED) {
      OnCancel();
      return TRUE;
    }
    return FALSE;
  }
  bool handled = false;
  const INT_PTR result = OnMessage(msg, wp, lp, &handled);
  if (handled) {
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
  }
  return FALSE;
}

}  // namespace fw

#include "check/check_window.h"

#include <algorithm>

#include "check/check_messages.h"
#include "fw/dpi.h"
#include "fw/text.h"
#include "fw/ui.h"
#include "res/resource.h"

namespace kestil {
namespace {

constexpr wchar_t kClassName[] = L"KestilCheckResults";
// Sizes at 96 dots per inch.
constexpr int kWidth = 520;
constexpr int kHeight = 360;
constexpr int kGap = 6;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 24;
constexpr int kColumnWidths[] = {56, 48, 56, 520};

bool RegisterResultsClass(WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kClassName, &wc)) return true;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0;
}

HWND Child(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int id) {
  HWND w = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return w;
}

// The parts of a string of the table that its line feeds divide.
std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> parts;
  std::size_t from = 0;
  for (std::size_t at = text.find(L'\n'); at != std::wstring::npos; at = text.find(L'\n', from)) {
    parts.push_back(text.substr(from, at - from));
    from = at + 1;
  }
  parts.push_back(text.substr(from));
  return parts;
}

}  // namespace

CCheckResultsWnd::~CCheckResultsWnd() {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

std::wstring CCheckResultsWnd::MessageOf(const Finding& finding) {
  if (const unsigned id = CheckMessageId(finding.code); id != 0) {
    const std::wstring pattern = fw::LoadResString(id);
    if (!pattern.empty()) {
      std::vector<std::wstring> args;
      args.reserve(finding.args.size());
      for (const std::u16string& a : finding.args) args.push_back(fw::AsWide(a));
      return fw::Format(pattern, args);
    }
  }
  return fw::AsWide(finding.text);
}

bool CCheckResultsWnd::Show(HWND owner) {
  if (hwnd_ == nullptr) {
    if (!RegisterResultsClass(Proc)) return false;
    const int dpi = fw::WindowDpi(owner);
    CreateWindowExW(0, kClassName, fw::LoadResString(IDS_CHECK_TITLE).c_str(),
                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, 0, 0,
                    fw::ScaleToDpi(kWidth, dpi), fw::ScaleToDpi(kHeight, dpi), owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    if (hwnd_ == nullptr) return false;
    summary_ = Child(hwnd_, L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX, IDC_CHECK_SUMMARY);
    progress_ = Child(hwnd_, PROGRESS_CLASSW, L"", 0, IDC_CHECK_PROGRESS);
    SendMessageW(progress_, PBM_SETRANGE32, 0, 100);
    next_ = Child(hwnd_, L"BUTTON", fw::LoadResString(IDS_CHECK_NEXT_BUTTON), WS_TABSTOP | BS_PUSHBUTTON, IDC_CHECK_NEXT);
    again_ = Child(hwnd_, L"BUTTON", fw::LoadResString(IDS_CHECK_AGAIN_BUTTON), WS_TABSTOP | BS_PUSHBUTTON, IDC_CHECK_AGAIN);
    cancel_ = Child(hwnd_, L"BUTTON", fw::LoadResString(IDS_CHECK_CANCEL_BUTTON), WS_TABSTOP | BS_PUSHBUTTON, IDC_CHECK_CANCEL);
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                LVS_OWNERDATA,
                            0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CHECK_LIST)),
                            GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const std::vector<std::wstring> headings = Lines(fw::LoadResString(IDS_CHECK_COLUMNS));
    for (int i = 0; i < kColumns; ++i) {
      std::wstring heading = i < static_cast<int>(headings.size()) ? headings[i] : std::wstring();
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
      column.fmt = i < 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
      column.cx = fw::ScaleToDpi(kColumnWidths[i], dpi);
      column.pszText = heading.data();
      SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    SetRunning(false);
    Layout();
    PlaceBeside(owner);
  }
  if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  return true;
}

// To the right of the owner where its monitor has room, else to its left,
// else over its right edge; as high as the owner's top.
void CCheckResultsWnd::PlaceBeside(HWND owner) {
  RECT main{};
  RECT mine{};
  GetWindowRect(owner, &main);
  GetWindowRect(hwnd_, &mine);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const LONG width = mine.right - mine.left;
  const LONG height = mine.bottom - mine.top;
  LONG x = main.right;
  if (x + width > work.right) x = main.left - width >= work.left ? main.left - width : work.right - width;
  const LONG y = std::clamp(main.top, work.top, std::max(work.top, work.bottom - height));
  SetWindowPos(hwnd_, nullptr, std::max(x, work.left), y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The buttons at the top right, the summary (after the progress bar while
// the check runs) at the top left, the list below.
void CCheckResultsWnd::Layout() {
  if (hwnd_ == nullptr) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int dpi = fw::WindowDpi(hwnd_);
  const int gap = fw::ScaleToDpi(kGap, dpi);
  const int bw = fw::ScaleToDpi(kButtonWidth, dpi);
  const int bh = fw::ScaleToDpi(kButtonHeight, dpi);
  int x = client.right - gap - bw;
  for (HWND button : {cancel_, again_, next_}) {
    MoveWindow(button, x, gap, bw, bh, TRUE);
    x -= gap + bw;
  }
  const int left_width = std::max(0, x + bw - gap);
  const int bar_width = running_ ? left_width / 3 : 0;
  MoveWindow(progress_, gap, gap + bh / 4, bar_width, bh / 2, TRUE);
  const int summary_x = gap + (running_ ? bar_width + gap : 0);
  MoveWindow(summary_, summary_x, gap, std::max(0, left_width - (summary_x - gap)), bh, TRUE);
  const int top = gap * 2 + bh;
  MoveWindow(list_, gap, top, std::max(0, static_cast<int>(client.right) - 2 * gap),
             std::max(0, static_cast<int>(client.bottom) - top - gap), TRUE);
}

void CCheckResultsWnd::SetRunning(bool running) {
  running_ = running;
  ShowWindow(progress_, running ? SW_SHOWNA : SW_HIDE);
  EnableWindow(cancel_, running ? TRUE : FALSE);
  EnableWindow(again_, running ? FALSE : TRUE);
  EnableWindow(next_, !running && !rows_.empty() ? TRUE : FALSE);
  Layout();
}

void CCheckResultsWnd::ShowRunning(int percent) {
  if (hwnd_ == nullptr) return;
  if (!running_) {
    rows_.clear();
    ListView_SetItemCountEx(list_, 0, 0);
    SetRunning(true);
  }
  SendMessageW(progress_, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
  SetWindowTextW(summary_, fw::Format(fw::LoadResString(IDS_CHECK_RUNNING), {std::to_wstring(percent)}).c_str());
}

void CCheckResultsWnd::ShowFindings(const std::vector<Finding>& findings, const std::wstring& summary) {
  if (hwnd_ == nullptr) return;
  rows_.clear();
  rows_.reserve(findings.size() * kColumns);
  const std::wstring error = fw::LoadResString(IDS_CHECK_ERROR);
  const std::wstring warning = fw::LoadResString(IDS_CHECK_WARNING);
  for (const Finding& f : findings) {
    rows_.push_back(std::to_wstring(f.line));
    rows_.push_back(std::to_wstring(f.column));
    rows_.push_back(f.level == FindingLevel::kError ? error : warning);
    rows_.push_back(MessageOf(f));
  }
  ListView_SetItemCountEx(list_, static_cast<int>(findings.size()), 0);
  InvalidateRect(list_, nullptr, TRUE);
  SetRunning(false);
  SetWindowTextW(summary_, summary.c_str());
}

void CCheckResultsWnd::ShowMessage(const std::wstring& text) {
  if (hwnd_ == nullptr) return;
  rows_.clear();
  ListView_SetItemCountEx(list_, 0, 0);
  SetRunning(false);
  SetWindowTextW(summary_, text.c_str());
}

void CCheckResultsWnd::Select(std::size_t index) {
  if (hwnd_ == nullptr || index >= rows_.size() / kColumns) return;
  const int item = static_cast<int>(index);
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(list_, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list_, item, FALSE);
}

LRESULT CALLBACK CCheckResultsWnd::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<CCheckResultsWnd*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<CCheckResultsWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    // The owner went first: the window goes with it, the object stays.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  LRESULT result = 0;
  fw::RunGuarded(hwnd, [&] { result = self->Handle(msg, wp, lp); });
  return result;
}

LRESULT CCheckResultsWnd::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kProgress:
    case kDone:
      if (handlers_.posted) handlers_.posted(msg, wp, lp);
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_CLOSE:
      ShowWindow(hwnd_, SW_HIDE);  // the findings stay, and their marks
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDC_CHECK_NEXT: if (handlers_.next) handlers_.next(); return 0;
        case IDC_CHECK_AGAIN: if (handlers_.again) handlers_.again(); return 0;
        case IDC_CHECK_CANCEL: if (handlers_.cancel) handlers_.cancel(); return 0;
        default: break;
      }
      break;
    case WM_NOTIFY:
      if (OnNotify(*reinterpret_cast<const NMHDR*>(lp))) return 0;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

bool CCheckResultsWnd::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != list_) return false;
  const std::size_t count = rows_.size() / kColumns;
  switch (header.code) {
    case LVN_GETDISPINFOW: {
      auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
      const auto item = static_cast<std::size_t>(info.item.iItem);
      if ((info.item.mask & LVIF_TEXT) != 0 && item < count && info.item.iSubItem >= 0 &&
          info.item.iSubItem < kColumns && info.item.cchTextMax > 0) {
        const std::wstring& text = rows_[item * kColumns + static_cast<std::size_t>(info.item.iSubItem)];
        const std::size_t n = std::min(text.size(), static_cast<std::size_t>(info.item.cchTextMax - 1));
        std::copy_n(text.c_str(), n, info.item.pszText);
        info.item.pszText[n] = L'\0';
      }
      return true;
    }
    case NM_DBLCLK: {
      const int item = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
      if (item >= 0 && static_cast<std::size_t>(item) < count && handlers_.jump) handlers_.jump(static_cast<std::size_t>(item));
      return true;
    }
    case NM_RETURN: {
      const int item = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
      if (item >= 0 && static_cast<std::size_t>(item) < count && handlers_.jump) handlers_.jump(static_cast<std::size_t>(item));
      return true;
    }
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_ESCAPE) ShowWindow(hwnd_, SW_HIDE);
      return true;
    default:
      return false;
  }
}

}  // namespace kestil

#include "fw/printing.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>

#include "fw/text.h"
#include "fw/ui.h"
#include "fw/ids.h"

namespace fw {
namespace {

constexpr double kMarginMillimetres = 20.0;

}  // namespace

PrintJob::PrintJob(const std::u16string& text, const PrintTarget& target, HFONT font, int tab_chars)
    : text_(text), target_(target) {
  LOGFONTW lf{};
  if (font == nullptr || GetObjectW(font, sizeof lf, &lf) == 0) {
    GetObjectW(GetStockObject(SYSTEM_FIXED_FONT), sizeof lf, &lf);
  }
  // The editor font as it looks on the screen, at the printer's resolution.
  HDC screen = GetDC(nullptr);
  const int screen_dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  lf.lfHeight = MulDiv(lf.lfHeight, target.dpi_y, screen_dpi > 0 ? screen_dpi : 96);
  lf.lfWidth = 0;
  font_ = CreateFontIndirectW(&lf);
  margin_ = static_cast<int>(kMarginMillimetres / 25.4 * target.dpi_x);

  HDC dc = target.dc != nullptr ? target.dc : GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font_);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  line_height_ = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
  tab_px_ = std::max<int>(1, tm.tmAveCharWidth * std::clamp(tab_chars, 1, kMaxTabChars));
  // Widths by the character: measured once each.
  std::map<std::u16string, int, std::less<>> widths;
  auto measure = [&](std::u16string_view ch) {
    auto it = widths.find(ch);
    if (it != widths.end()) return it->second;
    SIZE size{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(ch.data()),
                          static_cast<int>(ch.size()), &size);
    return widths.emplace(std::u16string(ch), size.cx).first->second;
  };
  kestil::PageGeometry geometry;
  geometry.width = std::max(1, target.page_width - 2 * margin_);
  // Room below the text for the page number.
  geometry.lines_per_page = std::max(1, (target.page_height - 2 * margin_) / line_height_ - 2);
  geometry.tab_width = tab_px_;
  pages_ = kestil::LayOutPages(text_, geometry, measure);
  SelectObject(dc, old);
  if (target.dc == nullptr) ReleaseDC(nullptr, dc);
}

PrintJob::~PrintJob() {
  CloseDevice();
  if (font_ != nullptr) DeleteObject(font_);
}

void PrintJob::CloseDevice() {
  if (target_.dc != nullptr) DeleteDC(target_.dc);
  target_.dc = nullptr;
}

void PrintJob::DrawPage(HDC dc, int index) const {
  if (index < 0 || index >= page_count()) return;
  HGDIOBJ old = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  int y = margin_;
  for (const kestil::PrintLine& line : pages_[static_cast<std::size_t>(index)]) {
    if (line.end > line.begin) {
      TabbedTextOutW(dc, margin_, y, reinterpret_cast<const wchar_t*>(text_.data() + line.begin),
                     static_cast<int>(line.end - line.begin), 1, &tab_px_, margin_);
    }
    y += line_height_;
  }
  const std::wstring number = L"- " + std::to_wstring(index + 1) + L" -";
  SIZE size{};
  GetTextExtentPoint32W(dc, number.c_str(), static_cast<int>(number.size()), &size);
  TextOutW(dc, (target_.page_width - size.cx) / 2, target_.page_height - margin_ + line_height_ / 2,
           number.c_str(), static_cast<int>(number.size()));
  SelectObject(dc, old);
}

bool PrintPages(HWND owner, const PrintJob& job, const std::wstring& title) {
  HDC dc = job.target().dc;
  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = title.c_str();
  bool ok = StartDocW(dc, &info) > 0;
  for (int i = 0; ok && i < job.page_count(); ++i) {
    ok = StartPage(dc) > 0;
    if (ok) job.DrawPage(dc, i);
    if (ok) ok = EndPage(dc) > 0;
  }
  if (ok) {
    ok = EndDoc(dc) > 0;
  } else {
    AbortDoc(dc);
  }
  if (!ok) Message(owner, LoadResString(IDS_PRINT_FAILED), MB_OK | MB_ICONEXCLAMATION);
  return ok;
}

namespace {

constexpr int kBarHeight = 30;  // the row of buttons above the pages
constexpr int kGap = 8;         // around the pages
constexpr int kPageGap = 16;    // between two pages
constexpr int kLineStep = 32;   // an arrow key or a wheel notch, in pixels
constexpr UINT_PTR kButtonSubclass = 0x5056;

// The preview window: the pages as the printer will print them, below a row
// of buttons. It is modal to its owner, so that the text cannot change under
// it. Zoomed pages larger than the window scroll (bars, wheel, arrow keys,
// dragging). Its keys work wherever its focus is, on the window or on a
// button: the buttons pass them on, and their mnemonics work with or without
// Alt, as in a dialog.
class PreviewWindow {
 public:
  PreviewWindow(std::unique_ptr<PrintJob> job, void (*print_again)())
      : job_(std::move(job)), print_again_(print_again) {}

  bool Create(HWND owner);

 private:
  enum Button {
    kPrint = IDC_PREVIEW_PRINT,
    kNext = IDC_PREVIEW_NEXT,
    kPrev = IDC_PREVIEW_PREV,
    kTwo = IDC_PREVIEW_TWO,
    kZoomIn = IDC_PREVIEW_ZOOM_IN,
    kZoomOut = IDC_PREVIEW_ZOOM_OUT,
    kClose = IDC_PREVIEW_CLOSE,
    kButtonCount
  };

  // Sizes in pixels: the pages at the current zoom, and the whole they make
  // with their margins, which scrolls when it is larger than the view.
  struct Layout {
    int page_w = 0;
    int page_h = 0;
    int shown = 1;
    int content_w = 0;
    int content_h = 0;
  };

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                     DWORD_PTR self);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void OnCommand(int id);
  // True when the key is one of the preview's.
  bool OnKey(UINT vk);
  // True when an enabled button has ch as its mnemonic (and was pressed).
  bool OnMnemonic(wchar_t ch);
  void MoveFocus(bool back);
  void Close();
  void Paint(HDC dc);
  void DrawPages(HDC dc, int width, int height) const;
  void UpdateButtons();
  void Enable(int id, bool on);

  Layout ComputeLayout() const;
  SIZE ViewSize() const;
  bool Zoomed() const { return zoom_ > 0; }
  bool TallerThanView() const { return ComputeLayout().content_h > ViewSize().cy; }
  bool WiderThanView() const { return ComputeLayout().content_w > ViewSize().cx; }
  void UpdateScrollBars();
  void ScrollTo(int x, int y);
  void ScrollBy(int dx, int dy) { ScrollTo(scroll_x_ + dx, scroll_y_ + dy); }
  void OnScroll(int bar, int code);
  // Runs change (a new zoom or page count) keeping the spot of the pages at
  // the top and in the middle of the view where it is: pages that fitted
  // the view are then shown from their top, centred.
  template <typename Change>
  void KeepPlace(Change change);

  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;
  std::vector<HWND> disabled_;  // the owner and its other windows, while the preview is open
  HWND buttons_[kButtonCount] = {};
  std::unique_ptr<PrintJob> job_;
  void (*print_again_)();
  int page_ = 0;
  bool two_ = false;
  int zoom_ = 0;  // 0 shows whole pages; each step enlarges by half
  int scroll_x_ = 0;
  int scroll_y_ = 0;
  bool laying_out_ = false;  // SetScrollInfo resizes the client area
  bool dragging_ = false;
  POINT drag_from_{};
  POINT drag_scroll_{};
};

// The preview's window class is named after its owner's ("<owner>Preview")
// and shows the owner's icon.
bool RegisterPreviewClass(HWND owner, WNDPROC proc, std::wstring* name) {
  wchar_t owner_class[256] = {};
  GetClassNameW(owner, owner_class, 256);
  *name = std::wstring(owner_class) + L"Preview";
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name->c_str(), &wc)) return true;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.hIcon = reinterpret_cast<HICON>(GetClassLongPtrW(owner, GCLP_HICON));
  wc.lpszClassName = name->c_str();
  return RegisterClassExW(&wc) != 0;
}

wchar_t UpperCase(wchar_t ch) {
  wchar_t text[2] = {ch, 0};
  CharUpperW(text);
  return text[0];
}

// The letter after a single '&' of a label, in capitals; 0 for none.
wchar_t MnemonicOf(const std::wstring& label) {
  for (std::size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != L'&') continue;
    if (label[i + 1] != L'&') return UpperCase(label[i + 1]);
    ++i;  // "&&" shows one '&'
  }
  return 0;
}

bool PreviewWindow::Create(HWND owner) {
  std::wstring class_name;
  if (!RegisterPreviewClass(owner, Proc, &class_name)) return false;
  RECT r{};
  GetWindowRect(owner, &r);
  owner_ = owner;
  hwnd_ = CreateWindowExW(0, class_name.c_str(), LoadResString(IDS_PREVIEW_TITLE).c_str(),
                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL,
                          r.left + 20, r.top + 20, std::max<LONG>(r.right - r.left, 640),
                          std::max<LONG>(r.bottom - r.top, 480), owner, nullptr,
                          GetModuleHandleW(nullptr), this);
  if (hwnd_ == nullptr) return false;
  const UINT labels[kButtonCount] = {0, IDS_PREVIEW_PRINT, IDS_PREVIEW_NEXT, IDS_PREVIEW_PREV,
                                     IDS_PREVIEW_TWO, IDS_PREVIEW_ZOOM_IN, IDS_PREVIEW_ZOOM_OUT,
                                     IDS_PREVIEW_CLOSE};
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (int id = kPrint; id < kButtonCount; ++id) {
    buttons_[id] = CreateWindowExW(0, L"BUTTON", LoadResString(labels[id]).c_str(),
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                   4 + (id - 1) * 88, 3, 84, 24, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(buttons_[id], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SetWindowSubclass(buttons_[id], ButtonProc, kButtonSubclass, reinterpret_cast<DWORD_PTR>(this));
  }
  UpdateButtons();
  UpdateScrollBars();
  ShowWindow(hwnd_, SW_SHOW);
  // Modal: nothing else of the program takes input until the preview closes.
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM self_lp) -> BOOL {
        auto* self = reinterpret_cast<PreviewWindow*>(self_lp);
        const bool mine = w == self->owner_ ||
                          (GetWindow(w, GW_OWNER) == self->owner_ && IsWindowVisible(w));
        if (mine && w != self->hwnd_ && IsWindowEnabled(w)) self->disabled_.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(this));
  for (HWND w : disabled_) EnableWindow(w, FALSE);
  return true;
}

LRESULT CALLBACK PreviewWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<PreviewWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    delete self;  // the window owns its state
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->Handle(msg, wp, lp);
}

// A button passes the preview's keys and mnemonics on; Enter presses it.
LRESULT CALLBACK PreviewWindow::ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                           DWORD_PTR self_data) {
  auto* self = reinterpret_cast<PreviewWindow*>(self_data);
  switch (msg) {
    case WM_KEYDOWN:
      if (wp == VK_RETURN) {
        SendMessageW(hwnd, BM_CLICK, 0, 0);
        return 0;
      }
      if (self->OnKey(static_cast<UINT>(wp))) return 0;
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      if (self->OnMnemonic(static_cast<wchar_t>(wp))) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, ButtonProc, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT PreviewWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wp));
      return 0;
    case WM_KEYDOWN:
      if (OnKey(static_cast<UINT>(wp))) return 0;
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      if (OnMnemonic(static_cast<wchar_t>(wp))) return 0;
      break;
    case WM_MENUCHAR:
      // Alt released before the letter: the letter comes as a menu key.
      if (OnMnemonic(static_cast<wchar_t>(LOWORD(wp)))) return MAKELRESULT(0, MNC_CLOSE);
      break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
      UINT lines = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      if (lines == WHEEL_PAGESCROLL) lines = static_cast<UINT>(ViewSize().cy / kLineStep);
      const int step = MulDiv(GET_WHEEL_DELTA_WPARAM(wp), static_cast<int>(lines) * kLineStep,
                              WHEEL_DELTA);
      if (msg == WM_MOUSEWHEEL) {
        ScrollBy(0, -step);
      } else {
        ScrollBy(step, 0);
      }
      return 0;
    }
    case WM_VSCROLL:
      OnScroll(SB_VERT, LOWORD(wp));
      return 0;
    case WM_HSCROLL:
      OnScroll(SB_HORZ, LOWORD(wp));
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd_);
      if (GET_Y_LPARAM(lp) < kBarHeight || !(WiderThanView() || TallerThanView())) return 0;
      dragging_ = true;
      drag_from_ = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      drag_scroll_ = {scroll_x_, scroll_y_};
      SetCapture(hwnd_);
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) {
        ScrollTo(drag_scroll_.x - (GET_X_LPARAM(lp) - drag_from_.x),
                 drag_scroll_.y - (GET_Y_LPARAM(lp) - drag_from_.y));
      }
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      return 0;
    case WM_SETCURSOR: {
      // A hand over pages that can be dragged.
      POINT at{};
      GetCursorPos(&at);
      ScreenToClient(hwnd_, &at);
      if (LOWORD(lp) == HTCLIENT && at.y >= kBarHeight &&
          (dragging_ || WiderThanView() || TallerThanView())) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole client area
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_SIZE:
      UpdateScrollBars();
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      for (HWND w : disabled_) EnableWindow(w, TRUE);
      disabled_.clear();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

bool PreviewWindow::OnKey(UINT vk) {
  const SIZE view = ViewSize();
  switch (vk) {
    case VK_ESCAPE:
      Close();
      return true;
    case VK_NEXT:
    case VK_PRIOR: {
      const bool down = vk == VK_NEXT;
      // Zoomed in, the keys go through the page; otherwise from page to page.
      if (Zoomed() && TallerThanView()) {
        ScrollBy(0, (down ? 1 : -1) * std::max<int>(view.cy - kLineStep, kLineStep));
      } else {
        OnCommand(down ? kNext : kPrev);
      }
      return true;
    }
    case VK_UP: ScrollBy(0, -kLineStep); return true;
    case VK_DOWN: ScrollBy(0, kLineStep); return true;
    case VK_LEFT: ScrollBy(-kLineStep, 0); return true;
    case VK_RIGHT: ScrollBy(kLineStep, 0); return true;
    case VK_TAB:
      MoveFocus(GetKeyState(VK_SHIFT) < 0);
      return true;
    default:
      return false;
  }
}

bool PreviewWindow::OnMnemonic(wchar_t ch) {
  const wchar_t letter = UpperCase(ch);
  if (letter <= L' ') return false;
  for (int id = kPrint; id < kButtonCount; ++id) {
    if (!IsWindowEnabled(buttons_[id])) continue;
    wchar_t label[64] = {};
    GetWindowTextW(buttons_[id], label, 64);
    if (MnemonicOf(label) == letter) {
      OnCommand(id);
      return true;
    }
  }
  return false;
}

// Tab and Shift+Tab go round the enabled buttons; from the window itself
// Tab goes to the first.
void PreviewWindow::MoveFocus(bool back) {
  constexpr int n = kButtonCount - kPrint;
  int at = -1;  // the focused button, from 0
  for (int i = 0; i < n; ++i) {
    if (GetFocus() == buttons_[kPrint + i]) at = i;
  }
  if (at < 0) at = back ? 0 : n - 1;
  for (int step = 1; step <= n; ++step) {
    const int i = ((at + (back ? -step : step)) % n + n) % n;
    if (IsWindowEnabled(buttons_[kPrint + i])) {
      SetFocus(buttons_[kPrint + i]);
      return;
    }
  }
}

// The owner is enabled first, so that it is the window activated when this
// one goes.
void PreviewWindow::Close() {
  for (HWND w : disabled_) EnableWindow(w, TRUE);
  disabled_.clear();
  DestroyWindow(hwnd_);  // deletes this
}

template <typename Change>
void PreviewWindow::KeepPlace(Change change) {
  const Layout before = ComputeLayout();
  const SIZE view = ViewSize();
  const bool fitted_w = before.content_w <= view.cx;
  const double fx = fitted_w ? 0.5 : (scroll_x_ + view.cx / 2.0) / before.content_w;
  const double fy = static_cast<double>(scroll_y_) / std::max(before.content_h, 1);
  change();
  const Layout after = ComputeLayout();
  scroll_x_ = static_cast<int>(fx * after.content_w - view.cx / 2.0);
  scroll_y_ = static_cast<int>(fy * after.content_h);
  UpdateScrollBars();
}

void PreviewWindow::OnCommand(int id) {
  const int last = job_->page_count() - (two_ ? 2 : 1);
  switch (id) {
    case kNext:
      page_ = std::min(page_ + (two_ ? 2 : 1), std::max(last, 0));
      scroll_y_ = 0;
      break;
    case kPrev:
      page_ = std::max(page_ - (two_ ? 2 : 1), 0);
      scroll_y_ = 0;
      break;
    case kTwo: KeepPlace([this] { two_ = !two_; }); break;
    case kZoomIn: KeepPlace([this] { zoom_ = std::min(zoom_ + 1, 4); }); break;
    case kZoomOut: KeepPlace([this] { zoom_ = std::max(zoom_ - 1, 0); }); break;
    case kPrint: {
      // The print command runs with the preview gone and its owner enabled.
      void (*print)() = print_again_;
      Close();
      if (print != nullptr) print();
      return;
    }
    case kClose:
      Close();
      return;
    default:
      return;
  }
  UpdateButtons();
  UpdateScrollBars();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

// A button that becomes disabled gives the focus to the window, which keeps
// the keys working.
void PreviewWindow::Enable(int id, bool on) {
  if (!on && GetFocus() == buttons_[id]) SetFocus(hwnd_);
  EnableWindow(buttons_[id], on);
}

void PreviewWindow::UpdateButtons() {
  const int count = job_->page_count();
  Enable(kNext, page_ + (two_ ? 2 : 1) < count);
  Enable(kPrev, page_ > 0);
  SetWindowTextW(buttons_[kTwo], LoadResString(two_ ? IDS_PREVIEW_ONE : IDS_PREVIEW_TWO).c_str());
  Enable(kZoomIn, zoom_ < 4);
  Enable(kZoomOut, zoom_ > 0);
  SetWindowTextW(hwnd_, (LoadResString(IDS_PREVIEW_TITLE) + L" - " +
                         Format(LoadResString(IDS_PREVIEW_PAGE),
                                {std::to_wstring(page_ + 1), std::to_wstring(count)}))
                            .c_str());
}

// The area below the buttons, without the scroll bars.
SIZE PreviewWindow::ViewSize() const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return {client.right, std::max<LONG>(client.bottom - kBarHeight, 0)};
}

PreviewWindow::Layout PreviewWindow::ComputeLayout() const {
  // The scale comes from the view as it is without scroll bars, so that
  // showing them does not change it.
  SIZE base = ViewSize();
  const auto style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  if (style & WS_VSCROLL) base.cx += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) base.cy += GetSystemMetrics(SM_CYHSCROLL);
  Layout layout;
  layout.shown = two_ && page_ + 1 < job_->page_count() ? 2 : 1;
  const PrintTarget& t = job_->target();
  const double avail_w = base.cx - 2.0 * kGap;
  const double avail_h = base.cy - 2.0 * kGap;
  // The whole page fits the height (or the width share); zoom enlarges by half a step.
  const double fit = std::min(avail_h / t.page_height,
                              (avail_w / layout.shown - kPageGap) / t.page_width);
  const double scale = std::max(fit, 0.01) * (1.0 + 0.5 * zoom_);
  layout.page_w = std::max(1, static_cast<int>(t.page_width * scale));
  layout.page_h = std::max(1, static_cast<int>(t.page_height * scale));
  layout.content_w = layout.shown * layout.page_w + (layout.shown - 1) * kPageGap + 2 * kGap;
  layout.content_h = layout.page_h + 2 * kGap;
  return layout;
}

void PreviewWindow::UpdateScrollBars() {
  if (laying_out_ || hwnd_ == nullptr) return;
  laying_out_ = true;
  const Layout layout = ComputeLayout();
  // Showing one bar narrows the view the other way: a second pass settles it.
  for (int pass = 0; pass < 2; ++pass) {
    const SIZE view = ViewSize();
    scroll_x_ = std::clamp(scroll_x_, 0, std::max(layout.content_w - static_cast<int>(view.cx), 0));
    scroll_y_ = std::clamp(scroll_y_, 0, std::max(layout.content_h - static_cast<int>(view.cy), 0));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = layout.content_w - 1;
    si.nPage = static_cast<UINT>(view.cx);
    si.nPos = scroll_x_;
    SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
    si.nMax = layout.content_h - 1;
    si.nPage = static_cast<UINT>(view.cy);
    si.nPos = scroll_y_;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
  }
  laying_out_ = false;
}

void PreviewWindow::ScrollTo(int x, int y) {
  const int old_x = scroll_x_;
  const int old_y = scroll_y_;
  scroll_x_ = x;
  scroll_y_ = y;
  UpdateScrollBars();
  if (scroll_x_ == old_x && scroll_y_ == old_y) return;
  const SIZE view = ViewSize();
  RECT area{0, kBarHeight, view.cx, kBarHeight + view.cy};
  InvalidateRect(hwnd_, &area, FALSE);
}

void PreviewWindow::OnScroll(int bar, int code) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd_, bar, &si);
  int pos = si.nPos;
  const int page = std::max<int>(static_cast<int>(si.nPage) - kLineStep, kLineStep);
  switch (code) {
    case SB_LINEUP: pos -= kLineStep; break;
    case SB_LINEDOWN: pos += kLineStep; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  if (bar == SB_HORZ) {
    ScrollTo(pos, scroll_y_);
  } else {
    ScrollTo(scroll_x_, pos);
  }
}

void PreviewWindow::Paint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  RECT bar{0, 0, client.right, std::min<LONG>(kBarHeight, client.bottom)};
  FillRect(dc, &bar, GetSysColorBrush(COLOR_APPWORKSPACE));
  const SIZE view = ViewSize();
  if (view.cx <= 0 || view.cy <= 0) return;
  // Drawn off the screen and copied at once: scrolling does not flicker.
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, view.cx, view.cy);
  HGDIOBJ old = SelectObject(memory, bitmap);
  DrawPages(memory, view.cx, view.cy);
  BitBlt(dc, 0, kBarHeight, view.cx, view.cy, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

void PreviewWindow::DrawPages(HDC dc, int width, int height) const {
  RECT all{0, 0, width, height};
  FillRect(dc, &all, GetSysColorBrush(COLOR_APPWORKSPACE));
  const Layout layout = ComputeLayout();
  const int w = layout.page_w;
  const int h = layout.page_h;
  const int pages_w = layout.content_w - 2 * kGap;
  // Centred while they fit, else where the scroll bars put them.
  int x = layout.content_w <= width ? (width - pages_w) / 2 : kGap - scroll_x_;
  const int y = layout.content_h <= height ? kGap : kGap - scroll_y_;
  const PrintTarget& t = job_->target();
  for (int k = 0; k < layout.shown; ++k) {
    RECT shadow{x + 4, y + 4, x + w + 4, y + h + 4};
    FillRect(dc, &shadow, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT paper{x, y, x + w, y + h};
    FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, paper.left, paper.top, paper.right, paper.bottom);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, t.page_width, t.page_height, nullptr);
    SetViewportExtEx(dc, w, h, nullptr);
    SetViewportOrgEx(dc, x, y, nullptr);
    job_->DrawPage(dc, page_ + k);
    RestoreDC(dc, saved);
    x += w + kPageGap;
  }
}

}  // namespace

void ShowPrintPreview(HWND owner, std::unique_ptr<PrintJob> job, void (*print_again)()) {
  auto* window = new PreviewWindow(std::move(job), print_again);
  if (!window->Create(owner)) delete window;
}

}  // namespace fw

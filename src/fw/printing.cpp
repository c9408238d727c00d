#include "fw/printing.h"

#include <algorithm>
#include <map>

#include "fw/text.h"
#include "fw/ui.h"
#include "fw/ids.h"

namespace fw {
namespace {

constexpr double kMarginMillimetres = 20.0;

}  // namespace

PrintJob::PrintJob(const std::string& text, const PrintTarget& target, HFONT font, int tab_chars)
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
  // Widths by the character's bytes: decoded and measured once each.
  std::map<std::string, int, std::less<>> widths;
  auto measure = [&](std::string_view ch) {
    auto it = widths.find(ch);
    if (it != widths.end()) return it->second;
    const std::wstring wide = ToWide(ch);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return widths.emplace(std::string(ch), size.cx).first->second;
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
    const std::wstring wide = ToWide(std::string_view(text_).substr(line.begin, line.end - line.begin));
    if (!wide.empty()) {
      TabbedTextOutW(dc, margin_, y, wide.c_str(), static_cast<int>(wide.size()), 1, &tab_px_,
                     margin_);
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

// The preview window: the pages as the printer will print them.
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

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void OnCommand(int id);
  void Paint(HDC dc);
  void UpdateButtons();
  int BarHeight() const { return 30; }

  HWND hwnd_ = nullptr;
  HWND buttons_[kButtonCount] = {};
  std::unique_ptr<PrintJob> job_;
  void (*print_again_)();
  int page_ = 0;
  bool two_ = false;
  int zoom_ = 0;  // 0 shows whole pages; each step enlarges by half
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

bool PreviewWindow::Create(HWND owner) {
  std::wstring class_name;
  if (!RegisterPreviewClass(owner, Proc, &class_name)) return false;
  RECT r{};
  GetWindowRect(owner, &r);
  hwnd_ = CreateWindowExW(0, class_name.c_str(), LoadResString(IDS_PREVIEW_TITLE).c_str(),
                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, r.left + 20, r.top + 20,
                          std::max<LONG>(r.right - r.left, 640), std::max<LONG>(r.bottom - r.top, 480),
                          owner, nullptr, GetModuleHandleW(nullptr), this);
  if (hwnd_ == nullptr) return false;
  const UINT labels[kButtonCount] = {0, IDS_PREVIEW_PRINT, IDS_PREVIEW_NEXT, IDS_PREVIEW_PREV,
                                     IDS_PREVIEW_TWO, IDS_PREVIEW_ZOOM_IN, IDS_PREVIEW_ZOOM_OUT,
                                     IDS_PREVIEW_CLOSE};
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (int id = kPrint; id < kButtonCount; ++id) {
    buttons_[id] = CreateWindowExW(0, L"BUTTON", LoadResString(labels[id]).c_str(),
                                   WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 4 + (id - 1) * 88, 3, 84,
                                   24, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(buttons_[id], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  UpdateButtons();
  ShowWindow(hwnd_, SW_SHOW);
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

LRESULT PreviewWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wp));
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE) OnCommand(kClose);
      if (wp == VK_NEXT) OnCommand(kNext);
      if (wp == VK_PRIOR) OnCommand(kPrev);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_SIZE:
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    default:
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

void PreviewWindow::OnCommand(int id) {
  const int last = job_->page_count() - (two_ ? 2 : 1);
  switch (id) {
    case kNext: page_ = std::min(page_ + (two_ ? 2 : 1), std::max(last, 0)); break;
    case kPrev: page_ = std::max(page_ - (two_ ? 2 : 1), 0); break;
    case kTwo: two_ = !two_; break;
    case kZoomIn: zoom_ = std::min(zoom_ + 1, 4); break;
    case kZoomOut: zoom_ = std::max(zoom_ - 1, 0); break;
    case kPrint:
      if (print_again_ != nullptr) print_again_();
      DestroyWindow(hwnd_);
      return;
    case kClose:
      DestroyWindow(hwnd_);
      return;
    default:
      return;
  }
  UpdateButtons();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void PreviewWindow::UpdateButtons() {
  const int count = job_->page_count();
  EnableWindow(buttons_[kNext], page_ + (two_ ? 2 : 1) < count);
  EnableWindow(buttons_[kPrev], page_ > 0);
  SetWindowTextW(buttons_[kTwo], LoadResString(two_ ? IDS_PREVIEW_ONE : IDS_PREVIEW_TWO).c_str());
  EnableWindow(buttons_[kZoomIn], zoom_ < 4);
  EnableWindow(buttons_[kZoomOut], zoom_ > 0);
  SetWindowTextW(hwnd_, (LoadResString(IDS_PREVIEW_TITLE) + L" - " +
                         Format(LoadResString(IDS_PREVIEW_PAGE),
                                {std::to_wstring(page_ + 1), std::to_wstring(count)}))
                            .c_str());
}

void PreviewWindow::Paint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int top = BarHeight() + 8;
  const int avail_w = client.right - 16;
  const int avail_h = client.bottom - top - 8;
  const int shown = two_ && page_ + 1 < job_->page_count() ? 2 : 1;
  const PrintTarget& t = job_->target();
  // The whole page fits the height (or the width share); zoom enlarges by half a step.
  const double fit = std::min(static_cast<double>(avail_h) / t.page_height,
                              (static_cast<double>(avail_w) / shown - 16) / t.page_width);
  const double scale = fit * (1.0 + 0.5 * zoom_);
  const int w = static_cast<int>(t.page_width * scale);
  const int h = static_cast<int>(t.page_height * scale);
  int x = (client.right - (shown * w + (shown - 1) * 16)) / 2;
  for (int k = 0; k < shown; ++k) {
    const int y = top;
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
    x += w + 16;
  }
}

}  // namespace

void ShowPrintPreview(HWND owner, std::unique_ptr<PrintJob> job, void (*print_again)()) {
  auto* window = new PreviewWindow(std::move(job), print_again);
  if (!window->Create(owner)) delete window;
}

}  // namespace fw

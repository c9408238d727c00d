#include "fw/paint_buffer.h"

namespace fw {

BufferedPainting::~BufferedPainting() {
  Detach();
  Release();
}

void BufferedPainting::Attach(HWND control) {
  Detach();
  hwnd_ = control;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  control_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
}

void BufferedPainting::Detach() {
  if (control_proc_ != nullptr && IsWindow(hwnd_) &&
      GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(Proc)) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control_proc_));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  }
  control_proc_ = nullptr;
  hwnd_ = nullptr;
}

void BufferedPainting::Release() {
  if (dc_ != nullptr) {
    SelectObject(dc_, old_bitmap_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  old_bitmap_ = nullptr;
  cx_ = 0;
  cy_ = 0;
}

HDC BufferedPainting::Reserve(int cx, int cy) {
  if (dc_ != nullptr && cx <= cx_ && cy <= cy_) return dc_;
  Release();
  // A DIB section: what is made compatible with it later is one too, and
  // needs nothing from the display.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = cx;
  info.bmiHeader.biHeight = -cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = bitmap_ != nullptr ? CreateCompatibleDC(nullptr) : nullptr;
  if (dc_ == nullptr) {
    Release();
    return nullptr;
  }
  old_bitmap_ = SelectObject(dc_, bitmap_);
  cx_ = cx;
  cy_ = cy;
  return dc_;
}

void BufferedPainting::Paint() {
  PAINTSTRUCT ps{};
  HDC screen = BeginPaint(hwnd_, &ps);
  RECT client{};
  GetClientRect(hwnd_, &client);
  const RECT& r = ps.rcPaint;
  HDC dc = client.right > 0 && client.bottom > 0 ? Reserve(client.right, client.bottom) : nullptr;
  HDC target = dc != nullptr ? dc : screen;
  if (dc != nullptr) {
    SelectClipRgn(dc, nullptr);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  CallWindowProcW(control_proc_, hwnd_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target), 0);
  CallWindowProcW(control_proc_, hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target),
                  PRF_CLIENT);
  if (dc != nullptr) {
    BitBlt(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, dc, r.left, r.top, SRCCOPY);
  }
  EndPaint(hwnd_, &ps);
}

LRESULT CALLBACK BufferedPainting::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<BufferedPainting*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || self->control_proc_ == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  const WNDPROC proc = self->control_proc_;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the painting erases, in memory
    case WM_PAINT:
      if (wp != 0) break;  // a caller's own device context
      self->Paint();
      return 0;
    case WM_NCDESTROY:
      self->Detach();
      break;
    default:
      break;
  }
  return CallWindowProcW(proc, hwnd, msg, wp, lp);
}

}  // namespace fw

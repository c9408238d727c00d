#include "fw/dpi.h"

namespace fw {

int WindowDpi(HWND window) {
  // Windows before 10 (1607) has no per-window resolution.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi_for_window != nullptr && window != nullptr) {
    const UINT dpi = get_dpi_for_window(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

int ScaleToDpi(int pixels, int dpi) { return MulDiv(pixels, dpi, kBaseDpi); }

HFONT ScaledFont(HFONT font, int from_dpi, int to_dpi) {
  LOGFONTW lf{};
  if (font == nullptr || from_dpi <= 0 || GetObjectW(font, sizeof lf, &lf) == 0) return nullptr;
  lf.lfHeight = MulDiv(lf.lfHeight, to_dpi, from_dpi);
  lf.lfWidth = MulDiv(lf.lfWidth, to_dpi, from_dpi);
  return CreateFontIndirectW(&lf);
}

}  // namespace fw

// Dots per inch: what a window is shown at, and lengths and fonts drawn for
// 96 dots per inch made to fit it.
#pragma once

#include "fw/win.h"

namespace fw {

// The resolution that a length in pixels is given for when nothing else is said.
constexpr int kBaseDpi = 96;

// The window's monitor's resolution where the system keeps one per monitor,
// else the screen's.
int WindowDpi(HWND window);

// A length of pixels at kBaseDpi, at dpi.
int ScaleToDpi(int pixels, int dpi);

// A new font like font, made from_dpi and shown at to_dpi; null when font is none.
HFONT ScaledFont(HFONT font, int from_dpi, int to_dpi);

}  // namespace fw

// Ownership of a GDI font: the holder deletes the font it was given, and
// knows the resolution the font was made for.
#pragma once

#include "fw/dpi.h"
#include "fw/win.h"

namespace fw {

class FontHandle {
 public:
  FontHandle() = default;
  FontHandle(const FontHandle&) = delete;
  FontHandle& operator=(const FontHandle&) = delete;
  ~FontHandle() { Reset(nullptr); }
  void Reset(HFONT font, int dpi = kBaseDpi) {
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;
    dpi_ = dpi;
  }
  // Gives up the font without deleting it: a window may still show it.
  HFONT Release() {
    HFONT font = font_;
    font_ = nullptr;
    return font;
  }
  HFONT get() const { return font_; }
  int dpi() const { return dpi_; }

 private:
  HFONT font_ = nullptr;
  int dpi_ = kBaseDpi;
};

}  // namespace fw

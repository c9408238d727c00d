// A control that paints into a bitmap in memory, copied to the screen in one
// go. Under Wine, a toolbar that draws its images straight onto the window
// has the image list ask the display for its format at each image, a round
// trip to the server; into a bitmap of memory the same drawing costs none.
// The control draws itself as ever (WM_ERASEBKGND, then WM_PRINTCLIENT), so
// it looks the same.
#pragma once

#include "fw/win.h"

namespace fw {

class BufferedPainting {
 public:
  BufferedPainting() = default;
  BufferedPainting(const BufferedPainting&) = delete;
  BufferedPainting& operator=(const BufferedPainting&) = delete;
  ~BufferedPainting();

  // Takes over the control's painting, through its window procedure and
  // user data; until the control is destroyed or this object is.
  void Attach(HWND control);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Paint();
  // A memory device context of at least cx by cy pixels; nullptr when none
  // can be made, and the control then paints on the screen.
  HDC Reserve(int cx, int cy);
  void Detach();
  void Release();

  HWND hwnd_ = nullptr;
  WNDPROC control_proc_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  int cx_ = 0;
  int cy_ = 0;
};

}  // namespace fw

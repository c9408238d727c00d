// Printing the text: the printer, the pages laid out in the editor font
// scaled to the printer, page numbers, and the print preview window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fw/win.h"
#include "base/print_layout.h"

namespace fw {

// A printer (or, in a preview, the printer whose pages are shown).
struct PrintTarget {
  HDC dc = nullptr;  // owned by whoever opened it
  int page_width = 0;   // printable area, device units
  int page_height = 0;
  int dpi_x = 0;
  int dpi_y = 0;
};

enum class PrinterResult { kOk, kCancelled, kNoPrinter };

// Tab widths for layout, in average characters: a stored width beyond these
// is kept as stored but laid out as the nearest of them.
constexpr int kMaxTabChars = 64;

// The text laid out for one printer.
class PrintJob {
 public:
  // font: the editor font as shown on the screen; tab_chars: tab width in
  // average characters.
  PrintJob(const std::u16string& text, const PrintTarget& target, HFONT font, int tab_chars);
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  int page_count() const { return static_cast<int>(pages_.size()); }
  // Deletes the printer's device context (a preview needs only the layout).
  void CloseDevice();
  const PrintTarget& target() const { return target_; }
  // Draws page index (from 0) in the target's device units.
  void DrawPage(HDC dc, int index) const;

 private:
  std::u16string text_;
  PrintTarget target_;
  HFONT font_ = nullptr;
  int margin_ = 0;
  int line_height_ = 0;
  int tab_px_ = 0;
  std::vector<kestil::PrintPage> pages_;
};

// Prints every page to target.dc; false (after the message) on failure.
bool PrintPages(HWND owner, const PrintJob& job, const std::wstring& title);

// Opens the print preview window owned by owner; print_again runs the print
// command from the window.
void ShowPrintPreview(HWND owner, std::unique_ptr<PrintJob> job, void (*print_again)());

}  // namespace fw

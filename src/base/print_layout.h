// Laying out a text on printed pages: lines are the text's lines, a line too
// wide for the page is wrapped at a character boundary, and each page holds
// a fixed number of lines. Widths come from a measure of each character.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kestil {

struct PrintLine {
  std::size_t begin = 0;  // unit range of the text, without the line break
  std::size_t end = 0;
};

using PrintPage = std::vector<PrintLine>;

struct PageGeometry {
  int width = 0;           // printable width, in the measure's units
  int lines_per_page = 1;
  int tab_width = 0;       // tabs stop at every multiple of this, from the left edge
};

// measure(character units) gives the width of one character (a surrogate
// pair is one). An empty text gives one empty page.
std::vector<PrintPage> LayOutPages(std::u16string_view text, const PageGeometry& page,
                                   const std::function<int(std::u16string_view)>& measure);

}  // namespace kestil

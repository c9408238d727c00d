#include "base/print_layout.h"

#include "base/text16.h"

namespace kestil {

std::vector<PrintPage> LayOutPages(std::u16string_view text, const PageGeometry& page,
                                   const std::function<int(std::u16string_view)>& measure) {
  std::vector<PrintLine> lines;
  std::size_t pos = 0;
  const std::size_t n = text.size();
  for (;;) {
    // One line of the text: up to CR LF, CR or LF.
    std::size_t end = pos;
    while (end < n && text[end] != u'\r' && text[end] != u'\n') end = NextChar(text, end);
    // Wrapped where the next character would pass the right edge.
    std::size_t begin = pos;
    int x = 0;
    for (std::size_t i = pos; i < end; i = NextChar(text, i)) {
      const std::size_t len = CharUnits(text, i);
      int next = x;
      if (text[i] == u'\t' && page.tab_width > 0) {
        next = (x / page.tab_width + 1) * page.tab_width;
      } else {
        next = x + measure(text.substr(i, len));
      }
      if (next > page.width && i > begin) {
        lines.push_back({begin, i});
        begin = i;
        next = text[i] == u'\t' && page.tab_width > 0 ? page.tab_width : measure(text.substr(i, len));
      }
      x = next;
    }
    lines.push_back({begin, end});
    if (end >= n) break;
    pos = end + ((text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n') ? 2 : 1);
    if (pos >= n) break;  // a final line break ends the text; no empty last line is printed
  }
  std::vector<PrintPage> pages;
  const auto per_page = static_cast<std::size_t>(page.lines_per_page > 0 ? page.lines_per_page : 1);
  for (std::size_t i = 0; i < lines.size(); i += per_page) {
    pages.emplace_back(lines.begin() + static_cast<long>(i),
                       lines.begin() + static_cast<long>(std::min(lines.size(), i + per_page)));
  }
  return pages;
}

}  // namespace kestil

#include "base/text_width.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "base/codec.h"

namespace kestil {
namespace {

struct Range {
  char32_t first;
  char32_t last;
};

constexpr Range kWide[] = {
#include "base/east_asian_width.inc"
};

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Bytes Shift_JIS gives the single unit u; 0 when it holds no such character.
std::size_t ShiftJisBytes(char16_t u) {
  if (u < 0x80) return 1;
  if (cp932::IsEscape(u)) return 1;
  const std::uint16_t code = cp932::DefaultCode(u);
  if (code == 0) return 0;
  return code > 0xFF ? 2 : 1;
}

void AppendUtf8Escapes(char32_t c, std::u16string& out) {
  unsigned char bytes[4];
  int n = 0;
  if (c < 0x80) {
    bytes[n++] = static_cast<unsigned char>(c);
  } else if (c < 0x800) {
    bytes[n++] = static_cast<unsigned char>(0xC0 | (c >> 6));
    bytes[n++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    bytes[n++] = static_cast<unsigned char>(0xE0 | (c >> 12));
    bytes[n++] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
    bytes[n++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
  } else {
    bytes[n++] = static_cast<unsigned char>(0xF0 | (c >> 18));
    bytes[n++] = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
    bytes[n++] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
    bytes[n++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
  }
  constexpr char16_t kHex[] = u"0123456789ABCDEF";
  for (int i = 0; i < n; ++i) {
    out += u'%';
    out += kHex[bytes[i] >> 4];
    out += kHex[bytes[i] & 0xF];
  }
}

}  // namespace

bool IsWide(char32_t c) {
  const auto* it = std::upper_bound(std::begin(kWide), std::end(kWide), c,
                                    [](char32_t v, const Range& r) { return v < r.first; });
  return it != std::begin(kWide) && c <= std::prev(it)->last;
}

std::size_t ColumnsAt(std::u16string_view text, std::size_t i, std::size_t* units) {
  const char16_t u = text[i];
  if (IsHigh(u) && i + 1 < text.size() && IsLow(text[i + 1])) {
    *units = 2;
    const char32_t c = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
    return IsWide(c) ? 2 : 1;
  }
  *units = 1;
  if (const std::size_t bytes = ShiftJisBytes(u); bytes != 0) return bytes;
  return IsWide(u) ? 2 : 1;
}

std::size_t UnitOfColumn(std::u16string_view line, std::size_t column) {
  std::size_t pos = 0;
  std::size_t at = 1;  // the column where the character at pos starts
  while (pos < line.size() && at < column) {
    std::size_t units = 1;
    const std::size_t columns = ColumnsAt(line, pos, &units);
    if (at + columns > column) break;  // inside this character: its start
    at += columns;
    pos += units;
  }
  return pos;
}

std::size_t ColumnAfter(std::u16string_view before) {
  std::size_t column = 1;
  for (std::size_t pos = 0; pos < before.size();) {
    std::size_t units = 1;
    column += ColumnsAt(before, pos, &units);
    pos += units;
  }
  return column;
}

std::u16string EscapeForShiftJis(std::u16string_view path) {
  std::u16string out;
  out.reserve(path.size());
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char16_t u = path[i];
    if (IsHigh(u) && i + 1 < path.size() && IsLow(path[i + 1])) {
      AppendUtf8Escapes(0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (path[i + 1] - 0xDC00), out);
      ++i;
    } else if (ShiftJisBytes(u) != 0 || IsHigh(u) || IsLow(u)) {
      out += u;  // a lone surrogate has no UTF-8 form: it stays for the caller to see
    } else {
      AppendUtf8Escapes(u, out);
    }
  }
  return out;
}

}  // namespace kestil

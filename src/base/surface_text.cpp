#include "base/surface_text.h"

#include <algorithm>

namespace kestil::surface {

std::string Encode(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    char32_t c = text[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      // A lone surrogate takes the same three-byte shape as any unit.
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

namespace {

bool IsTrail(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

std::u16string Decode(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char b = p[i];
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    if (b >= 0xC2 && b <= 0xDF && i + 1 < n && IsTrail(p[i + 1])) {
      out.push_back(static_cast<char16_t>((b & 0x1F) << 6 | (p[i + 1] & 0x3F)));
      i += 2;
      continue;
    }
    if (b >= 0xE0 && b <= 0xEF && i + 2 < n && IsTrail(p[i + 1]) && IsTrail(p[i + 2]) &&
        (b != 0xE0 || p[i + 1] >= 0xA0)) {
      // Surrogates (ED A0 ... ED BF) included: they are the forms.
      out.push_back(static_cast<char16_t>((b & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 | (p[i + 2] & 0x3F)));
      i += 3;
      continue;
    }
    if (b >= 0xF0 && b <= 0xF4 && i + 3 < n && IsTrail(p[i + 1]) && IsTrail(p[i + 2]) &&
        IsTrail(p[i + 3]) && (b != 0xF0 || p[i + 1] >= 0x90) && (b != 0xF4 || p[i + 1] < 0x90)) {
      const char32_t c = static_cast<char32_t>(b & 0x07) << 18 | static_cast<char32_t>(p[i + 1] & 0x3F) << 12 |
                         static_cast<char32_t>(p[i + 2] & 0x3F) << 6 | (p[i + 3] & 0x3F);
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
      i += 4;
      continue;
    }
    out.push_back(static_cast<char16_t>(0xDC00 + b));
    ++i;
  }
  return out;
}

void SurrogateForms::Reset(std::string_view text) {
  starts_.clear();
  Rescan(0, text);
}

void SurrogateForms::Replace(std::size_t at, std::size_t removed, std::size_t inserted) {
  if (starts_.empty()) return;
  // A form that starts up to two bytes before the change may reach into it.
  const std::size_t touched = at >= kFormBytes - 1 ? at - (kFormBytes - 1) : 0;
  const auto first = std::lower_bound(starts_.begin(), starts_.end(), touched);
  const auto last = std::lower_bound(first, starts_.end(), at + removed);
  const auto kept = starts_.erase(first, last);
  for (auto it = kept; it != starts_.end(); ++it) *it = *it - removed + inserted;
}

void SurrogateForms::Rescan(std::size_t from, std::string_view window) {
  // Forms whose three bytes all lie in the window.
  const std::size_t end = window.size() >= kFormBytes ? from + window.size() - (kFormBytes - 1) : from;
  const auto first = std::lower_bound(starts_.begin(), starts_.end(), from);
  const auto last = std::lower_bound(first, starts_.end(), end);
  std::vector<std::size_t> found;
  const auto* p = reinterpret_cast<const unsigned char*>(window.data());
  for (std::size_t i = 0; i + 2 < window.size(); ++i) {
    if (p[i] != 0xED) continue;  // the one lead byte of every form
    if (IsFormAt(window, i)) {
      found.push_back(from + i);
      i += 2;
    }
  }
  const auto at = starts_.erase(first, last);
  starts_.insert(at, found.begin(), found.end());
}

std::size_t SurrogateForms::CountBefore(std::size_t byte) const {
  return static_cast<std::size_t>(std::lower_bound(starts_.begin(), starts_.end(), byte) - starts_.begin());
}

std::size_t SurrogateForms::FormStartOf(std::size_t byte) const {
  const auto it = std::lower_bound(starts_.begin(), starts_.end(), byte);
  if (it == starts_.begin()) return byte;
  const std::size_t start = *(it - 1);
  return byte < start + kFormBytes ? start : byte;
}

std::size_t SurrogateForms::FormEndOf(std::size_t byte) const {
  const std::size_t start = FormStartOf(byte);
  return start == byte ? byte : start + kFormBytes;
}

namespace {

// Bytes of the sequence that starts at p (n bytes left) and its units.
inline std::size_t SequenceAt(const unsigned char* p, std::size_t n, std::size_t* units) {
  *units = 1;
  const unsigned char b = p[0];
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return n > 1 && IsTrail(p[1]) ? 2 : 1;
  if (b >= 0xE0 && b <= 0xEF) {
    return n > 2 && IsTrail(p[1]) && IsTrail(p[2]) && (b != 0xE0 || p[1] >= 0xA0) ? 3 : 1;
  }
  if (b >= 0xF0 && b <= 0xF4 && n > 3 && IsTrail(p[1]) && IsTrail(p[2]) && IsTrail(p[3]) &&
      (b != 0xF0 || p[1] >= 0x90) && (b != 0xF4 || p[1] < 0x90)) {
    *units = 2;
    return 4;
  }
  return 1;
}

}  // namespace

std::size_t UnitsOf(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t units = 0;
  for (std::size_t i = 0; i < n;) {
    if (p[i] < 0x80) {
      ++units;
      ++i;
      continue;
    }
    std::size_t u = 0;
    i += SequenceAt(p + i, n - i, &u);
    units += u;
  }
  return units;
}

std::size_t BytesOfUnits(std::string_view bytes, std::size_t units) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n && units > 0) {
    std::size_t u = 0;
    const std::size_t len = SequenceAt(p + i, n - i, &u);
    if (u > units) break;
    units -= u;
    i += len;
  }
  return i;
}

namespace {

// Exact units before the line's first byte.
std::size_t UnitsBeforeLine(const SurfaceLines& lines, const SurrogateForms& forms, std::size_t line,
                            std::size_t line_start) {
  return lines.CoarseLineStart(line) - 2 * forms.CountBefore(line_start);
}

}  // namespace

std::size_t UnitOfByte(const SurfaceLines& lines, const SurrogateForms& forms, std::size_t byte) {
  byte = std::min(forms.FormStartOf(byte), lines.Length());
  const std::size_t line = lines.LineOfByte(byte);
  const std::size_t start = lines.LineStart(line);
  return UnitsBeforeLine(lines, forms, line, start) + UnitsOf(lines.Bytes(start, byte));
}

std::size_t ByteOfUnit(const SurfaceLines& lines, const SurrogateForms& forms, std::size_t unit) {
  // The forms before the position, found by their own exact positions, which
  // grow with their order; each of them adds two to the surface's count.
  const auto& starts = forms.starts();
  std::size_t lo = 0;
  std::size_t hi = starts.size();
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (UnitOfByte(lines, forms, starts[mid]) < unit) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  const std::size_t line = lines.LineOfCoarse(unit + 2 * lo);
  const std::size_t start = lines.LineStart(line);
  const std::size_t before = UnitsBeforeLine(lines, forms, line, start);
  if (unit <= before) return start;
  const std::size_t end = lines.LineStart(line + 1);
  return start + BytesOfUnits(lines.Bytes(start, end), unit - before);
}

}  // namespace kestil::surface

#include "view/tools.h"

#include <algorithm>
#include <climits>

#include "base/cp932.h"

namespace kestil {
namespace {

enum class Start { kNone, kBelow, kAbove, kNumber };

// Reads a decimal integer from the start of text as "%d" would: blanks, one
// sign, digits. Numbers beyond an int are below or above any range.
Start ReadNumber(const std::string& text, long long* value) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' ||
                             text[i] == '\n' || text[i] == '\v' || text[i] == '\f')) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t first = i;
  long long n = 0;
  bool huge = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    if (!huge) {
      n = n * 10 + (text[i] - '0');
      if (n > static_cast<long long>(INT_MAX) + 1) huge = true;
    }
    ++i;
  }
  if (i == first) return Start::kNone;
  if (huge) return negative ? Start::kBelow : Start::kAbove;
  *value = negative ? -n : n;
  if (*value < INT_MIN) return Start::kBelow;
  if (*value > INT_MAX) return Start::kAbove;
  return Start::kNumber;
}

struct Mapping {
  unsigned short code;
  char ascii;
};

constexpr Mapping kMarks[] = {
    {0x8144, '.'}, {0x8143, ','}, {0x8149, '!'}, {0x8168, '"'}, {0x8194, '#'},
    {0x8190, '$'}, {0x8193, '%'}, {0x8195, '&'}, {0x8166, '\''}, {0x8169, '('},
    {0x816A, ')'}, {0x8181, '='}, {0x817B, '+'}, {0x8196, '*'}, {0x815E, '/'},
    {0x817C, '-'}, {0x8151, '_'}, {0x8183, '<'}, {0x8184, '>'},
};

struct Table {
  Mapping entries[82];
};

constexpr Table BuildTable() {
  Table t{};
  int n = 0;
  t.entries[n++] = {0x8140, ' '};
  for (int i = 0; i < 26; ++i) t.entries[n++] = {static_cast<unsigned short>(0x8260 + i), static_cast<char>('A' + i)};
  for (int i = 0; i < 26; ++i) t.entries[n++] = {static_cast<unsigned short>(0x8281 + i), static_cast<char>('a' + i)};
  for (int i = 0; i < 10; ++i) t.entries[n++] = {static_cast<unsigned short>(0x824F + i), static_cast<char>('0' + i)};
  for (const Mapping& m : kMarks) t.entries[n++] = m;
  return t;
}

constexpr Table kTable = BuildTable();

}  // namespace

NumberDecision ValidateNumber(const std::string& text, int min, int max) {
  NumberDecision d;
  const int zero_or_min = min < 0 ? 0 : min;
  if (text == "-0") {
    d.value = zero_or_min;
    d.rewrite = true;
    d.text.assign(1, '-');  // (GCC 12 warns wrongly about assigning "-")
    d.caret = NumberCaret::kAfterMinus;
    return d;
  }
  if (text == "-" && min < 0) {
    d.value = 0;
    return d;
  }
  if (text.empty() || text == "0" || text == "+") {
    d.value = zero_or_min;
    d.rewrite = true;
    d.text = std::to_string(d.value);
    d.caret = NumberCaret::kSelectAll;
    return d;
  }
  long long n = 0;
  Start start = ReadNumber(text, &n);
  if (start == Start::kNumber && n < min) start = Start::kBelow;
  if (start == Start::kNumber && n > max) start = Start::kAbove;
  switch (start) {
    case Start::kBelow:
      d.value = min;
      d.caret = NumberCaret::kSelectAll;
      break;
    case Start::kNone:  // taken like a number above the maximum
    case Start::kAbove:
      d.value = max;
      d.caret = NumberCaret::kAtTen;
      break;
    case Start::kNumber:
      d.value = static_cast<int>(n);
      d.caret = NumberCaret::kAfterFirstIfAtStart;
      break;
  }
  d.rewrite = true;
  d.text = std::to_string(d.value);
  return d;
}

std::string ToHankaku(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (cp932::IsLeadByte(b) && i + 1 < text.size()) {
      const auto code = static_cast<unsigned short>(b << 8 | static_cast<unsigned char>(text[i + 1]));
      const auto* end = kTable.entries + 82;
      const auto* hit = std::find_if(kTable.entries, end, [code](const Mapping& m) { return m.code == code; });
      if (hit != end) {
        out += hit->ascii;
      } else {
        out.append(text, i, 2);
      }
      i += 2;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::optional<std::size_t> JumpTarget(const EditOps& edit, int line, int column) {
  const long long start = edit.LineIndex(static_cast<long long>(line) - 1);
  if (start < 0) return std::nullopt;
  const std::size_t length = edit.LineLength(static_cast<std::size_t>(start));
  const std::size_t column_index =
      std::min(static_cast<std::size_t>(std::max(column, 1)) - 1, length);
  return static_cast<std::size_t>(start) + column_index;
}

std::string FolderOfPath(const std::string& path) {
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < path.size(); i = cp932::NextChar(path, i)) {
    if (path[i] == '\\' && cp932::CharLength(path, i) == 1) last = i;
  }
  return last == std::string::npos ? path : path.substr(0, last);
}

std::string RelativePathForLink(const std::string& relative) {
  const bool dot = relative.size() >= 2 && relative[0] == '.' && relative[1] == '\\';
  std::string s = dot ? relative.substr(2) : relative;
  for (std::size_t i = 0; i < s.size(); i = cp932::NextChar(s, i)) {
    if (s[i] == '\\' && cp932::CharLength(s, i) == 1) s[i] = '/';
  }
  return s;
}

}  // namespace kestil

#include "view/tools.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "base/codec.h"
#include "base/text16.h"
#include "base/text_width.h"

namespace kestil {
namespace {

enum class Start { kNone, kBelow, kAbove, kNumber };

// Reads a decimal integer from the start of text as "%d" would: blanks, one
// sign, digits. Numbers beyond an int are below or above any range.
Start ReadNumber(const std::u16string& text, long long* value) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\r' ||
                             text[i] == u'\n' || text[i] == u'\v' || text[i] == u'\f')) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  const std::size_t first = i;
  long long n = 0;
  bool huge = false;
  while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
    if (!huge) {
      n = n * 10 + (text[i] - u'0');
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

// The ASCII character of each converted character, looked up by Unicode.
struct Hankaku {
  char16_t from;
  char16_t to;
};

std::vector<Hankaku> BuildHankaku() {
  std::vector<Hankaku> table;
  for (const Mapping& m : kTable.entries) {
    const char16_t u = cp932::DecodeDoubleByte(static_cast<unsigned char>(m.code >> 8),
                                               static_cast<unsigned char>(m.code & 0xFF));
    table.push_back({u, static_cast<char16_t>(m.ascii)});
  }
  std::sort(table.begin(), table.end(),
            [](const Hankaku& a, const Hankaku& b) { return a.from < b.from; });
  return table;
}

}  // namespace

NumberDecision ValidateNumber(const std::u16string& text, int min, int max) {
  NumberDecision d;
  const int zero_or_min = min < 0 ? 0 : min;
  if (text == u"-0") {
    d.value = zero_or_min;
    d.rewrite = true;
    d.text.assign(1, u'-');  // (GCC 12 warns wrongly about assigning u"-")
    d.caret = NumberCaret::kAfterMinus;
    return d;
  }
  if (text == u"-" && min < 0) {
    d.value = 0;
    return d;
  }
  if (text.empty() || text == u"0" || text == u"+") {
    d.value = zero_or_min;
    d.rewrite = true;
    d.text = Widen(std::to_string(d.value));
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
  d.text = Widen(std::to_string(d.value));
  return d;
}

std::u16string ToHankaku(std::u16string_view text) {
  static const std::vector<Hankaku> table = BuildHankaku();
  std::u16string out(text);
  for (char16_t& u : out) {
    const auto hit = std::lower_bound(table.begin(), table.end(), u,
                                      [](const Hankaku& h, char16_t v) { return h.from < v; });
    if (hit != table.end() && hit->from == u) u = hit->to;
  }
  return out;
}

std::optional<std::size_t> JumpTarget(const EditOps& edit, int line, int column) {
  const long long start = edit.LineIndex(static_cast<long long>(line) - 1);
  if (start < 0) return std::nullopt;
  const auto begin = static_cast<std::size_t>(start);
  const std::u16string text = edit.GetTextRange(begin, begin + edit.LineLength(begin));
  return begin + UnitOfColumn(text, static_cast<std::size_t>(std::max(column, 1)));
}

std::u16string FolderOfPath(std::u16string_view path) {
  const std::size_t last = path.rfind(u'\\');
  return std::u16string(last == std::u16string_view::npos ? path : path.substr(0, last));
}

std::u16string RelativePathForLink(std::u16string_view relative, bool shift_jis) {
  const bool dot = relative.size() >= 2 && relative[0] == u'.' && relative[1] == u'\\';
  std::u16string s(dot ? relative.substr(2) : relative);
  std::replace(s.begin(), s.end(), u'\\', u'/');
  return shift_jis ? EscapeForShiftJis(s) : s;
}

std::u16string ToCharacterReferences(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    switch (c) {
      case u'&': out += u"&amp;"; break;
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      case u'"': out += u"&quot;"; break;
      default: out.push_back(c); break;
    }
  }
  return out;
}

}  // namespace kestil

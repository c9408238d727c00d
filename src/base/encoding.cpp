#include "base/encoding.h"

#include <algorithm>
#include <array>

#include "base/utf8.h"

namespace kestil::encoding {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

constexpr std::array<std::string_view, 6> kUtf8Labels = {
    "unicode-1-1-utf-8", "unicode11utf8", "unicode20utf8", "utf-8", "utf8", "x-unicode20utf8"};
constexpr std::array<std::string_view, 8> kShiftJisLabels = {
    "csshiftjis", "ms932", "ms_kanji", "shift-jis", "shift_jis", "sjis", "windows-31j", "x-sjis"};
// The Encoding Standard's labels of UTF-16 (both byte orders).
constexpr std::array<std::string_view, 9> kUtf16Labels = {
    "csunicode", "iso-10646-ucs-2", "ucs-2", "unicode", "unicodefeff", "utf-16", "utf-16le",
    "unicodefffe", "utf-16be"};

constexpr bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

constexpr bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

constexpr char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// lower is written in lower case.
std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool EqualsIgnoringCase(std::string_view s, std::string_view lower) {
  return s.size() == lower.size() &&
         std::equal(s.begin(), s.end(), lower.begin(), [](char a, char b) { return Lower(a) == b; });
}

bool HasIgnoringCase(std::string_view s, std::size_t pos, std::string_view lower) {
  return pos <= s.size() && EqualsIgnoringCase(s.substr(pos, lower.size()), lower);
}

std::size_t FindIgnoringCase(std::string_view s, std::size_t from, std::size_t to,
                             std::string_view lower) {
  for (std::size_t i = from; i + lower.size() <= to; ++i) {
    if (EqualsIgnoringCase(s.substr(i, lower.size()), lower)) return i;
  }
  return std::string_view::npos;
}

struct Range {
  std::size_t begin = 0;
  std::size_t end = 0;
};

Declaration MakeDeclaration(std::string_view w, Range r) {
  while (r.begin < r.end && IsSpace(w[r.begin])) ++r.begin;
  while (r.end > r.begin && IsSpace(w[r.end - 1])) --r.end;
  return {EncodingOfLabel(w.substr(r.begin, r.end - r.begin)), r.begin, r.end};
}

enum class Step { kAttribute, kTagEnd, kCut };

struct Attribute {
  std::string_view name;
  Range value;
};

// Reads the attribute at *pos of a tag, the way browsers read a page's start
// for its encoding. kTagEnd moves past the '>'; kCut means the window ends
// inside the tag.
Step NextAttribute(std::string_view w, std::size_t* pos, Attribute* a) {
  const std::size_t n = w.size();
  std::size_t i = *pos;
  while (i < n && (IsSpace(w[i]) || w[i] == '/')) ++i;
  if (i >= n) return Step::kCut;
  if (w[i] == '>') {
    *pos = i + 1;
    return Step::kTagEnd;
  }
  const std::size_t name_begin = i;
  ++i;  // the first byte belongs to the name, even a '='
  while (i < n && !IsSpace(w[i]) && w[i] != '/' && w[i] != '>' && w[i] != '=') ++i;
  a->name = w.substr(name_begin, i - name_begin);
  while (i < n && IsSpace(w[i])) ++i;
  if (i >= n) return Step::kCut;
  if (w[i] != '=') {
    a->value = {i, i};
    *pos = i;
    return Step::kAttribute;
  }
  ++i;
  while (i < n && IsSpace(w[i])) ++i;
  if (i >= n) return Step::kCut;
  if (w[i] == '"' || w[i] == '\'') {
    const std::size_t close = w.find(w[i], i + 1);
    if (close == std::string_view::npos) return Step::kCut;
    a->value = {i + 1, close};
    *pos = close + 1;
    return Step::kAttribute;
  }
  const std::size_t value_begin = i;
  while (i < n && !IsSpace(w[i]) && w[i] != '>') ++i;
  if (i >= n) return Step::kCut;
  a->value = {value_begin, i};
  *pos = i;
  return Step::kAttribute;
}

// The label in a Content-Type value: what follows "charset", '=' and
// optional whitespace, quoted or up to whitespace or ';'.
std::optional<Range> CharsetOfContent(std::string_view w, Range content) {
  std::size_t i = content.begin;
  for (;;) {
    const std::size_t found = FindIgnoringCase(w, i, content.end, "charset");
    if (found == std::string_view::npos) return std::nullopt;
    i = found + 7;
    while (i < content.end && IsSpace(w[i])) ++i;
    if (i >= content.end || w[i] != '=') continue;
    ++i;
    while (i < content.end && IsSpace(w[i])) ++i;
    if (i >= content.end) return std::nullopt;
    if (w[i] == '"' || w[i] == '\'') {
      const std::size_t close = w.substr(0, content.end).find(w[i], i + 1);
      if (close == std::string_view::npos) return std::nullopt;
      return Range{i + 1, close};
    }
    const std::size_t begin = i;
    while (i < content.end && !IsSpace(w[i]) && w[i] != ';') ++i;
    return Range{begin, i};
  }
}

// Reads the meta element whose attributes start at *pos, past its end.
// False when the window ends inside it.
bool ReadMeta(std::string_view w, std::size_t* pos, std::optional<Declaration>* found) {
  std::optional<Range> charset;
  std::optional<Range> content;
  bool content_type = false;
  bool http_equiv_seen = false;
  Attribute a;
  Step step;
  while ((step = NextAttribute(w, pos, &a)) == Step::kAttribute) {
    const std::string_view value = w.substr(a.value.begin, a.value.end - a.value.begin);
    // The first of repeated attributes counts, as in browsers.
    if (EqualsIgnoringCase(a.name, "charset")) {
      if (!charset) charset = a.value;
    } else if (EqualsIgnoringCase(a.name, "content")) {
      if (!content) content = a.value;
    } else if (EqualsIgnoringCase(a.name, "http-equiv") && !http_equiv_seen) {
      http_equiv_seen = true;
      content_type = EqualsIgnoringCase(value, "content-type");
    }
  }
  if (step == Step::kCut) return false;
  if (charset) {
    *found = MakeDeclaration(w, *charset);
  } else if (content_type && content) {
    if (const auto label = CharsetOfContent(w, *content)) *found = MakeDeclaration(w, *label);
  }
  return true;
}

// The encoding pseudo-attribute among those from begin to end (the "?>").
std::optional<Declaration> XmlEncoding(std::string_view w, std::size_t begin, std::size_t end) {
  std::size_t i = begin;
  for (;;) {
    while (i < end && IsSpace(w[i])) ++i;
    const std::size_t name_begin = i;
    while (i < end && !IsSpace(w[i]) && w[i] != '=') ++i;
    const std::string_view name = w.substr(name_begin, i - name_begin);
    while (i < end && IsSpace(w[i])) ++i;
    if (name.empty() || i >= end || w[i] != '=') return std::nullopt;
    ++i;
    while (i < end && IsSpace(w[i])) ++i;
    if (i >= end || (w[i] != '"' && w[i] != '\'')) return std::nullopt;
    const std::size_t close = w.substr(0, end).find(w[i], i + 1);
    if (close == std::string_view::npos) return std::nullopt;
    if (EqualsIgnoringCase(name, "encoding")) return MakeDeclaration(w, {i + 1, close});
    i = close + 1;
  }
}

}  // namespace

std::string_view ByteOrderMark(Encoding e) {
  switch (e) {
    case Encoding::kUtf8Bom:
      return kUtf8Mark;
    case Encoding::kUtf16Le:
      return kUtf16LeMark;
    case Encoding::kUtf16Be:
      return kUtf16BeMark;
    case Encoding::kShiftJis:
    case Encoding::kUtf8:
      break;
  }
  return {};
}

std::optional<Encoding> EncodingOfLabel(std::string_view label) {
  label = Trimmed(label);
  for (const std::string_view l : kUtf8Labels) {
    if (EqualsIgnoringCase(label, l)) return Encoding::kUtf8;
  }
  for (const std::string_view l : kShiftJisLabels) {
    if (EqualsIgnoringCase(label, l)) return Encoding::kShiftJis;
  }
  return std::nullopt;
}

bool LabelNames(std::string_view label, Encoding e) {
  switch (e) {
    case Encoding::kShiftJis:
    case Encoding::kUtf8:
      return EncodingOfLabel(label) == e;
    case Encoding::kUtf8Bom:
      return EncodingOfLabel(label) == Encoding::kUtf8;
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be:
      break;
  }
  label = Trimmed(label);
  for (const std::string_view l : kUtf16Labels) {
    if (EqualsIgnoringCase(label, l)) return true;
  }
  return false;
}

std::optional<Declaration> FindDeclaration(std::string_view bytes) {
  const std::string_view w = bytes.substr(0, kDeclarationWindow);
  const std::size_t n = w.size();
  std::size_t pos = 0;
  while ((pos = w.find('<', pos)) != std::string_view::npos) {
    if (w.substr(pos, 4) == "<!--") {
      // "<!-->" is a whole comment, as in browsers.
      const std::size_t close = w.find("-->", pos + 2);
      if (close == std::string_view::npos) return std::nullopt;
      pos = close + 3;
    } else if (HasIgnoringCase(w, pos, "<meta") && pos + 5 < n &&
               (IsSpace(w[pos + 5]) || w[pos + 5] == '/')) {
      pos += 5;
      std::optional<Declaration> found;
      if (!ReadMeta(w, &pos, &found)) return std::nullopt;
      if (found) return found;
    } else if (HasIgnoringCase(w, pos, "<?xml") && pos + 5 < n && IsSpace(w[pos + 5])) {
      const std::size_t close = w.find("?>", pos + 5);
      if (close == std::string_view::npos) return std::nullopt;
      if (auto found = XmlEncoding(w, pos + 5, close)) return found;
      pos = close + 2;
    } else if (pos + 1 < n && (IsLetter(w[pos + 1]) ||
                               (w[pos + 1] == '/' && pos + 2 < n && IsLetter(w[pos + 2])))) {
      pos += 2;
      while (pos < n && !IsSpace(w[pos]) && w[pos] != '/' && w[pos] != '>') ++pos;
      Attribute a;
      Step step;
      while ((step = NextAttribute(w, &pos, &a)) == Step::kAttribute) {
      }
      if (step == Step::kCut) return std::nullopt;
    } else if (pos + 1 < n && (w[pos + 1] == '!' || w[pos + 1] == '/' || w[pos + 1] == '?')) {
      const std::size_t close = w.find('>', pos + 2);
      if (close == std::string_view::npos) return std::nullopt;
      pos = close + 1;
    } else {
      ++pos;
    }
  }
  return std::nullopt;
}

Encoding Detect(std::string_view bytes, Encoding for_ascii) {
  if (bytes.starts_with(kUtf8Mark)) return Encoding::kUtf8Bom;
  if (bytes.starts_with(kUtf16LeMark)) return Encoding::kUtf16Le;
  if (bytes.starts_with(kUtf16BeMark)) return Encoding::kUtf16Be;
  const utf8::Form form = utf8::Classify(bytes);
  if (form == utf8::Form::kWellFormed) return Encoding::kUtf8;
  if (const auto declaration = FindDeclaration(bytes); declaration && declaration->encoding) {
    return *declaration->encoding;
  }
  if (form == utf8::Form::kAscii) {
    return for_ascii == Encoding::kShiftJis ? Encoding::kShiftJis : Encoding::kUtf8;
  }
  return Encoding::kShiftJis;
}

std::optional<Declaration> FindDeclarationIn(std::u16string_view text) {
  std::string head(std::min(text.size(), kDeclarationWindow), '\x80');
  for (std::size_t i = 0; i < head.size(); ++i) {
    if (text[i] < 0x80) head[i] = static_cast<char>(text[i]);
  }
  return FindDeclaration(head);
}

std::string LabelFor(Encoding e, std::string_view replaced) {
  const bool lower = std::none_of(replaced.begin(), replaced.end(),
                                  [](char c) { return c >= 'A' && c <= 'Z'; });
  switch (e) {
    case Encoding::kShiftJis: return lower ? "shift_jis" : "Shift_JIS";
    case Encoding::kUtf8:
    case Encoding::kUtf8Bom: return lower ? "utf-8" : "UTF-8";
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be: return lower ? "utf-16" : "UTF-16";
  }
  return {};
}

}  // namespace kestil::encoding

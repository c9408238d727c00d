#include "check/markup_check.h"

#include <tidy.h>
#include <tidybuffio.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <memory>
#include <new>
#include <numeric>

#include "base/text_width.h"

namespace kestil {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
// How often (in bytes read) the check asks whether to stop and says how far it is.
constexpr std::size_t kAskEvery = 64 * 1024;
// The stack Tidy may take below the check's own frame. Tidy's parser goes
// one call deeper for each element left open, so a page nested thousands
// deep (or a text of nothing but start tags) would take all of a thread's
// stack: the check stops reading there. Real pages stay far below it.
constexpr std::uintptr_t kStackBudget = 256 * 1024;
// Tidy's memory beyond which the check gives up, as it would when the
// system has none left: a page never needs this much.
constexpr std::size_t kMemoryLimit = std::size_t{3} << 30;

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The character at text[i] as Tidy is given it, and in *units how many
// units it spans.
char32_t CharAt(std::u16string_view text, std::size_t i, std::size_t* units) {
  const char16_t u = text[i];
  *units = 1;
  if (IsHigh(u) && i + 1 < text.size() && IsLow(text[i + 1])) {
    *units = 2;
    return 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  }
  if (IsHigh(u) || IsLow(u) || u == 0xFFFE || u == 0xFFFF) return kReplacement;
  if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') return kReplacement;
  return u;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::u16string FromUtf8(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    char32_t c = kReplacement;
    std::size_t n = 1;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      n = 2;
    } else if ((b & 0xF0) == 0xE0) {
      n = 3;
    } else if ((b & 0xF8) == 0xF0) {
      n = 4;
    }
    if (n > 1) {
      if (i + n > s.size()) {
        n = s.size() - i;
      } else {
        c = b & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
      }
    }
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += n;
  }
  return out;
}

// Tidy's memory, every block on one list, so that all of it can go at once
// when Tidy has to give up in the middle of its work.
struct Block {
  Block* prev;
  Block* next;
  std::size_t size;
  std::size_t pad;  // keeps what follows aligned as malloc's blocks are
};

struct Session {
  TidyAllocator allocator;  // first: Tidy hands it back to the callbacks
  Block head{&head, &head, 0, 0};
  std::size_t used = 0;
  std::jmp_buf escape;

  // The input.
  std::string input;
  std::size_t pos = 0;
  std::size_t next_ask = 0;
  bool stopped = false;
  bool too_deep = false;
  std::uintptr_t stack_top = 0;  // the check's own frame
  const CheckControl* control = nullptr;

  // What the messages gave.
  CheckResult result;
  bool out_of_memory = false;
};

Session& SessionOf(TidyAllocator* a) { return *reinterpret_cast<Session*>(a); }

[[noreturn]] void TIDY_CALL Panic(TidyAllocator* a, ctmbstr) {
  std::longjmp(SessionOf(a).escape, 1);
}

void Link(Session& s, Block* b) {
  b->prev = s.head.prev;
  b->next = &s.head;
  s.head.prev->next = b;
  s.head.prev = b;
}

void Unlink(Block* b) {
  b->prev->next = b->next;
  b->next->prev = b->prev;
}

void* TIDY_CALL Alloc(TidyAllocator* a, size_t size) {
  Session& s = SessionOf(a);
  if (size > kMemoryLimit - s.used) Panic(a, nullptr);
  auto* b = static_cast<Block*>(std::malloc(sizeof(Block) + size));
  if (b == nullptr) Panic(a, nullptr);
  b->size = size;
  s.used += size;
  Link(s, b);
  return b + 1;
}

void TIDY_CALL Free(TidyAllocator* a, void* p) {
  if (p == nullptr) return;
  Block* b = static_cast<Block*>(p) - 1;
  Unlink(b);
  SessionOf(a).used -= b->size;
  std::free(b);
}

void* TIDY_CALL Realloc(TidyAllocator* a, void* p, size_t size) {
  if (p == nullptr) return Alloc(a, size);
  Session& s = SessionOf(a);
  Block* b = static_cast<Block*>(p) - 1;
  if (size > b->size && size - b->size > kMemoryLimit - s.used) Panic(a, nullptr);
  Unlink(b);
  auto* moved = static_cast<Block*>(std::realloc(b, sizeof(Block) + size));
  if (moved == nullptr) {
    Link(s, b);
    Panic(a, nullptr);
  }
  s.used = s.used - moved->size + size;
  moved->size = size;
  Link(s, moved);
  return moved + 1;
}

void FreeAll(Session& s) {
  for (Block* b = s.head.next; b != &s.head;) {
    Block* next = b->next;
    std::free(b);
    b = next;
  }
  s.head.prev = s.head.next = &s.head;
  s.used = 0;
}

constexpr TidyAllocatorVtbl kAllocator = {Alloc, Realloc, Free, Panic};

// The input, with a look now and then at whether to stop: a stopped check
// reads an early end.
int TIDY_CALL GetByte(void* data) {
  Session& s = *static_cast<Session*>(data);
  if (s.stopped || s.pos >= s.input.size()) return static_cast<int>(EndOfStream);
  const char here = 0;
  if (s.stack_top - reinterpret_cast<std::uintptr_t>(&here) > kStackBudget) {
    s.too_deep = true;
    s.stopped = true;
    return static_cast<int>(EndOfStream);
  }
  if (s.pos >= s.next_ask) {
    s.next_ask = s.pos + kAskEvery;
    if (s.control->cancelled && s.control->cancelled()) {
      s.stopped = true;
      return static_cast<int>(EndOfStream);
    }
    if (s.control->progress) s.control->progress(s.pos, s.input.size());
  }
  return static_cast<unsigned char>(s.input[s.pos++]);
}

void TIDY_CALL UngetByte(void* data, byte) {
  Session& s = *static_cast<Session*>(data);
  if (!s.stopped && s.pos > 0) --s.pos;
}

Bool TIDY_CALL AtEnd(void* data) {
  const Session& s = *static_cast<Session*>(data);
  return s.stopped || s.pos >= s.input.size() ? yes : no;
}

void TIDY_CALL PutNothing(void*, byte) {}

std::u16string ArgumentText(TidyMessage message, TidyMessageArgument* arg) {
  switch (tidyGetArgType(message, arg)) {
    case tidyFormatType_STRING: {
      const char* s = tidyGetArgValueString(message, arg);
      return s != nullptr ? FromUtf8(s) : std::u16string();
    }
    case tidyFormatType_INT: {
      const std::string s = std::to_string(tidyGetArgValueInt(message, arg));
      return {s.begin(), s.end()};
    }
    case tidyFormatType_UINT: {
      const std::string s = std::to_string(tidyGetArgValueUInt(message, arg));
      return {s.begin(), s.end()};
    }
    default:
      return {};
  }
}

}  // namespace

bool AboutClassicMarkup(unsigned code) {
  switch (code) {
    case MISMATCHED_ATTRIBUTE_WARN: case MISMATCHED_ATTRIBUTE_ERROR: case REMOVED_HTML5:
    case PROPRIETARY_ATTRIBUTE: case BAD_SUMMARY_HTML5: case ELEMENT_VERS_MISMATCH_WARN:
    case ELEMENT_VERS_MISMATCH_ERROR:
      return true;
    default:
      return false;
  }
}

namespace {

// Each report becomes a finding; nothing reaches Tidy's own output. No
// exception may cross into Tidy: a finding that cannot be kept stops the
// check as out of memory.
Bool TIDY_CALL OnMessage(TidyMessage message) {
  auto& s = *static_cast<Session*>(tidyGetAppData(tidyGetMessageDoc(message)));
  FindingLevel level;
  switch (tidyGetMessageLevel(message)) {
    case TidyWarning: case TidyAccess: level = FindingLevel::kWarning; break;
    case TidyError: case TidyBadDocument: case TidyFatal: level = FindingLevel::kError; break;
    default: return no;  // information, configuration, dialogue
  }
  if (s.stopped) return no;
  if (s.control != nullptr && s.control->classic && AboutClassicMarkup(tidyGetMessageCode(message))) return no;
  (level == FindingLevel::kError ? s.result.errors : s.result.warnings) += 1;
  if (s.result.findings.size() >= kMaxFindings) return no;
  try {
    Finding f;
    f.level = level;
    f.code = tidyGetMessageCode(message);
    f.tidy_line = static_cast<std::size_t>(std::max(0, tidyGetMessageLine(message)));
    f.tidy_column = static_cast<std::size_t>(std::max(0, tidyGetMessageColumn(message)));
    if (const char* text = tidyGetMessageDefault(message)) f.text = FromUtf8(text);
    TidyIterator it = tidyGetMessageArguments(message);
    while (it != nullptr) {
      TidyMessageArgument arg = tidyGetNextMessageArgument(message, &it);
      f.args.push_back(ArgumentText(message, &arg));
    }
    s.result.findings.push_back(std::move(f));
  } catch (const std::bad_alloc&) {
    s.out_of_memory = true;
    s.stopped = true;
  }
  return no;
}

// The settings for a hand-written page: diagnostics only, every one of them,
// a tab one column (as the document counts it), nothing that only reformats.
void Configure(TidyDoc doc) {
  tidySetInCharEncoding(doc, "utf8");
  tidyOptSetBool(doc, TidyShowWarnings, yes);
  tidyOptSetBool(doc, TidyShowInfo, no);
  tidyOptSetBool(doc, TidyQuiet, yes);
  tidyOptSetInt(doc, TidyShowErrors, 1u << 30);
  tidyOptSetBool(doc, TidyKeepTabs, yes);
  tidyOptSetBool(doc, TidyMark, no);
  tidyOptSetBool(doc, TidyDropEmptyElems, no);
  tidyOptSetBool(doc, TidyDropEmptyParas, no);
  tidyOptSetBool(doc, TidyFixUri, no);
  tidyOptSetInt(doc, TidyAccessibilityCheckLevel, 0);
}

// Tidy over the session's input: its parse and its checks of the tree;
// false when its memory ran out (the allocator jumped back here, and the
// session's blocks are all there is left of the document).
bool RunTidy(Session* s, TidyInputSource* source, TidyOutputSink* sink) {
  if (setjmp(s->escape) != 0) return false;
  TidyDoc doc = tidyCreateWithAllocator(&s->allocator);
  tidySetAppData(doc, s);
  Configure(doc);
  tidySetMessageCallback(doc, OnMessage);
  tidySetErrorSink(doc, sink);
  tidyParseSource(doc, source);
  if (!s->stopped) tidyCleanAndRepair(doc);
  tidyRelease(doc);
  return true;
}

bool IsBreak(char16_t u) { return u == u'\r' || u == u'\n'; }

// The unit after the line break at i.
std::size_t AfterBreak(std::u16string_view text, std::size_t i) {
  return text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? i + 2 : i + 1;
}

// Tidy says some things once for each of its passes over an attribute or
// an element: a finding the same as one before it at the same place goes.
void DropRepeats(CheckResult& result) {
  auto& all = result.findings;
  std::vector<Finding> kept;
  kept.reserve(all.size());
  std::size_t place_start = 0;  // in kept: the first finding at the current place
  for (Finding& f : all) {
    if (!kept.empty() && kept.back().position != f.position) place_start = kept.size();
    bool repeat = false;
    for (std::size_t k = place_start; k < kept.size() && !repeat; ++k) {
      repeat = kept[k].code == f.code && kept[k].args == f.args;
    }
    if (!repeat) {
      kept.push_back(std::move(f));
      continue;
    }
    (f.level == FindingLevel::kError ? result.errors : result.warnings) -= 1;
  }
  all = std::move(kept);
}

}  // namespace

std::string TidyInput(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  std::size_t i = !text.empty() && text[0] == 0xFEFF ? 1 : 0;
  while (i < text.size()) {
    std::size_t units = 1;
    char32_t c = CharAt(text, i, &units);
    // Tidy counts the columns after a lone CR wrongly (it reads one
    // character ahead and puts it back with the column of the line
    // before); a lone LF is the same line break to it.
    if (c == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n')) c = u'\n';
    AppendUtf8(c, out);
    i += units;
  }
  return out;
}

void PlaceFindings(std::u16string_view text, std::vector<Finding>& findings) {
  std::vector<std::size_t> order(findings.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  auto key = [&](std::size_t k) {
    return std::pair{std::max<std::size_t>(findings[k].tidy_line, 1), std::max<std::size_t>(findings[k].tidy_column, 1)};
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
  // One walk over the text: the line and column Tidy counts, and the
  // column the jump dialog counts, side by side. Tidy skips a byte order
  // mark at the start; the jump dialog counts it.
  std::size_t pos = 0;
  std::size_t shown_column = 1;
  if (!text.empty() && text[0] == 0xFEFF) {
    shown_column += ColumnsAt(text, 0, &pos);
  }
  std::size_t line = 1;
  std::size_t line_start = 0;
  std::size_t tidy_column = 1;
  for (const std::size_t k : order) {
    const auto [want_line, want_column] = key(k);
    while (line < want_line) {
      const std::size_t brk = text.find_first_of(u"\r\n", pos);
      if (brk == std::u16string_view::npos) {
        shown_column = ColumnAfter(text.substr(line_start));
        pos = text.size();
        break;
      }
      pos = AfterBreak(text, brk);
      ++line;
      line_start = pos;
      tidy_column = 1;
      shown_column = 1;
    }
    while (line == want_line && tidy_column < want_column && pos < text.size() && !IsBreak(text[pos])) {
      std::size_t units = 1;
      shown_column += ColumnsAt(text, pos, &units);
      pos += units;
      ++tidy_column;
    }
    Finding& f = findings[k];
    f.position = pos;
    f.line = line;
    f.column = shown_column;
    f.mark_end = MarkEnd(text, pos);
  }
}

std::size_t MarkEnd(std::u16string_view text, std::size_t pos) {
  constexpr std::size_t kLongest = 256;
  const std::size_t limit = std::min(text.size(), pos + kLongest);
  std::size_t end = pos;
  if (pos < text.size() && text[pos] == u'<') {
    while (end < limit && !IsBreak(text[end]) && text[end] != u'>') ++end;
    if (end < limit && text[end] == u'>') ++end;
  } else {
    auto word = [](char16_t u) { return u != u' ' && u != u'\t' && !IsBreak(u) && u != u'<' && u != u'>'; };
    while (end < limit && word(text[end])) ++end;
  }
  if (end == pos && pos < text.size() && !IsBreak(text[pos])) end = pos + 1;
  // Keep a surrogate pair whole.
  if (end < text.size() && end > pos && IsLow(text[end]) && IsHigh(text[end - 1])) ++end;
  return end;
}

CheckResult CheckMarkup(std::u16string_view text, const CheckControl& control) {
  const auto session = std::make_unique<Session>();
  Session& s = *session;
  s.allocator.vtbl = &kAllocator;
  s.control = &control;
  s.input = TidyInput(text);
  const char top = 0;
  s.stack_top = reinterpret_cast<std::uintptr_t>(&top);

  TidyOutputSink sink{};
  tidyInitSink(&sink, nullptr, PutNothing);
  TidyInputSource source{};
  tidyInitSource(&source, &s, GetByte, UngetByte, AtEnd);
  const bool finished = RunTidy(&s, &source, &sink);
  if (finished && !s.stopped && control.progress) control.progress(s.input.size(), s.input.size());
  FreeAll(s);

  CheckResult result;
  if (!finished || s.out_of_memory) {
    result.outcome = CheckOutcome::kOutOfMemory;
  } else if (s.stopped && !s.too_deep) {
    result.outcome = CheckOutcome::kCancelled;
  } else {
    result = std::move(s.result);
    if (s.too_deep) result.outcome = CheckOutcome::kTooDeep;
    PlaceFindings(text, result.findings);
    std::stable_sort(result.findings.begin(), result.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.position < b.position; });
    DropRepeats(result);
  }
  return result;
}

std::optional<std::size_t> NextFinding(const std::vector<Finding>& findings, std::size_t current,
                                       std::size_t line, std::size_t column) {
  if (findings.empty()) return std::nullopt;
  const std::pair caret{line, column};
  if (current < findings.size() && std::pair{findings[current].line, findings[current].column} == caret) {
    return (current + 1) % findings.size();
  }
  const auto it = std::upper_bound(findings.begin(), findings.end(), caret, [](const auto& at, const Finding& f) {
    return at < std::pair{f.line, f.column};
  });
  return it != findings.end() ? static_cast<std::size_t>(it - findings.begin()) : 0;
}

}  // namespace kestil

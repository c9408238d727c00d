#include "base/codec.h"

#include <array>
#include <cstring>
#include <algorithm>
#include <memory>

#include "base/cp932.h"
#include "base/text16.h"

namespace kestil::cp932 {
namespace {

#include "base/cp932_table.inc"

constexpr int kLeadCount = 60;

constexpr int LeadIndex(unsigned char b) {
  if (b >= 0x81 && b <= 0x9F) return b - 0x81;
  if (b >= 0xE0 && b <= 0xFC) return b - 0xE0 + (0x9F - 0x81 + 1);
  return -1;
}

constexpr unsigned char LeadOf(int index) {
  return static_cast<unsigned char>(index < 31 ? 0x81 + index : 0xE0 + index - 31);
}

// Which of a character's codes Windows writes: JIS X 0208 first, then NEC
// row 13, then the IBM extensions, the NEC-selected IBM extensions last.
int SpellingRank(std::uint16_t code) {
  const unsigned lead = code >> 8;
  if (lead == 0xED || lead == 0xEE) return 3;
  if (lead >= 0xFA && lead <= 0xFC) return 2;
  if (lead == 0x87) return 1;
  return 0;
}

struct Tables {
  // Unicode character in the low half, duplicate group + 1 (or 0) above it.
  std::uint32_t decode[kLeadCount][256] = {};
  // Unicode character of each two-byte code (lead << 8 | trail) that
  // decodes the same in every document; 0 for the others.
  char16_t plain_decode[65536] = {};
  // The same for one-byte characters (NUL excepted).
  char16_t plain_single[256] = {};
  std::uint64_t grouped[65536 / 64] = {};     // characters with a duplicate group
  std::uint16_t encode[65536] = {};           // default code, 0 if none
  std::uint16_t encode_group[65536] = {};     // duplicate group + 1, or 0
  // Code of each unit that encodes the same everywhere (one-byte characters
  // but NUL, two-byte characters with one spelling); 0 for the others.
  std::uint16_t encode_plain[65536] = {};
  // The same as the bytes to write, in order, and their count above them.
  std::uint32_t encode_step[65536] = {};
  std::vector<std::uint16_t> defaults;        // default code of each group
};

std::unique_ptr<Tables> BuildTables() {
  auto t = std::make_unique<Tables>();
  std::array<std::uint8_t, 65536> code_count{};
  for (int li = 0; li < kLeadCount; ++li) {
    for (int trail = 0; trail < 256; ++trail) {
      const char16_t u = kDoubleByteTable[li][trail];
      if (u == 0) continue;
      const std::uint16_t code = static_cast<std::uint16_t>(LeadOf(li) << 8 | trail);
      ++code_count[u];
      if (t->encode[u] == 0 || SpellingRank(code) < SpellingRank(t->encode[u]) ||
          (SpellingRank(code) == SpellingRank(t->encode[u]) && code < t->encode[u])) {
        t->encode[u] = code;
      }
    }
  }
  for (int li = 0; li < kLeadCount; ++li) {
    for (int trail = 0; trail < 256; ++trail) {
      const char16_t u = kDoubleByteTable[li][trail];
      if (u == 0 || code_count[u] < 2) continue;
      if (t->encode_group[u] == 0) {
        t->defaults.push_back(t->encode[u]);
        t->encode_group[u] = static_cast<std::uint16_t>(t->defaults.size());
      }
      t->grouped[u / 64] |= std::uint64_t{1} << (u % 64);
    }
  }
  for (int li = 0; li < kLeadCount; ++li) {
    for (int trail = 0; trail < 256; ++trail) {
      const char16_t u = kDoubleByteTable[li][trail];
      t->decode[li][trail] = u | (u != 0 && code_count[u] >= 2
                                      ? static_cast<std::uint32_t>(t->encode_group[u]) << 16
                                      : 0u);
      if (u != 0 && code_count[u] < 2) t->plain_decode[LeadOf(li) << 8 | trail] = u;
    }
  }
  for (std::uint32_t b = 1; b < 0x80; ++b) t->plain_single[b] = static_cast<char16_t>(b);
  for (std::uint32_t b = 0xA1; b <= 0xDF; ++b) {
    t->plain_single[b] = static_cast<char16_t>(0xFF61 + (b - 0xA1));
  }
  for (std::uint32_t u = 0; u < 65536; ++u) {
    if (t->encode[u] >= 0x100 && t->encode_group[u] == 0) t->encode_plain[u] = t->encode[u];
  }
  for (std::uint32_t u = 1; u < 0x80; ++u) t->encode_plain[u] = static_cast<std::uint16_t>(u);
  for (std::uint32_t u = 0xFF61; u <= 0xFF9F; ++u) {
    t->encode_plain[u] = static_cast<std::uint16_t>(u - 0xFF61 + 0xA1);
  }
  for (std::uint32_t u = 0; u < 65536; ++u) {
    const std::uint32_t c = t->encode_plain[u];
    if (c >= 0x100) t->encode_step[u] = (c >> 8) | (c & 0xFF) << 8 | 2u << 16;
    else if (c != 0) t->encode_step[u] = c | 1u << 16;
  }
  // One-byte characters; everything else without a code becomes '?'.
  for (std::uint32_t u = 0; u < 0x80; ++u) {
    t->encode[u] = static_cast<std::uint16_t>(u);
  }
  for (std::uint32_t u = 0xFF61; u <= 0xFF9F; ++u) {
    t->encode[u] = static_cast<std::uint16_t>(u - 0xFF61 + 0xA1);
  }
  return t;
}

const Tables& T() {
  static const std::unique_ptr<Tables> tables = BuildTables();
  return *tables;
}


}  // namespace

Spellings::Spellings() : chosen_(DuplicateGroupCount(), 0), met_(chosen_.size(), 0) {}

Spellings Spellings::Defaults() {
  Spellings s;
  s.chosen_ = T().defaults;
  return s;
}

void Spellings::Clear() {
  chosen_.assign(chosen_.size(), 0);
  met_.assign(met_.size(), 0);
  sequences_.clear();
}

void Spellings::Record(std::size_t g, std::uint16_t code) {
  if (chosen_[g] == 0) chosen_[g] = code;
  auto sequence = sequences_.find(g);
  if (sequence == sequences_.end() && code != chosen_[g]) {
    sequence = sequences_.emplace(g, std::vector<std::uint16_t>(met_[g], chosen_[g])).first;
  }
  if (sequence != sequences_.end()) sequence->second.push_back(code);
  ++met_[g];
}

std::uint16_t Spellings::CodeOf(std::size_t g, std::size_t n) const {
  const auto sequence = sequences_.find(g);
  if (sequence != sequences_.end() && n < sequence->second.size()) return sequence->second[n];
  return chosen_[g];
}

std::size_t DuplicateGroupCount() { return T().defaults.size(); }

std::size_t DuplicateGroupOf(char16_t u) {
  const std::uint16_t g = T().encode_group[u];
  return g != 0 ? g - 1u : DuplicateGroupCount();
}

Spellings Spellings::ForEdited(std::u16string_view original, std::u16string_view text) const {
  if (!mixed()) return *this;
  const std::size_t shorter = std::min(original.size(), text.size());
  std::size_t prefix = 0;
  while (prefix < shorter && original[prefix] == text[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         original[original.size() - 1 - suffix] == text[text.size() - 1 - suffix]) {
    ++suffix;
  }
  // Per group: occurrences in the original's unchanged end, then those met
  // so far in the text's start and middle, and in its end.
  struct Counts {
    std::size_t in_original_end = 0, before_end = 0, in_end = 0;
  };
  std::map<std::size_t, Counts> counts;
  for (const auto& entry : sequences_) counts[entry.first];
  for (std::size_t i = original.size() - suffix; i < original.size(); ++i) {
    const auto c = counts.find(DuplicateGroupOf(original[i]));
    if (c != counts.end()) ++c->second.in_original_end;
  }
  Spellings edited = *this;
  for (auto& entry : edited.sequences_) entry.second.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t g = DuplicateGroupOf(text[i]);
    const auto c = counts.find(g);
    if (c == counts.end()) continue;
    const std::vector<std::uint16_t>& codes = sequences_.at(g);
    const std::size_t end_start = codes.size() - std::min(codes.size(), c->second.in_original_end);
    std::size_t n = 0;
    if (i >= text.size() - suffix) {
      n = end_start + c->second.in_end++;
    } else {
      n = c->second.before_end++;
      // Past the unchanged start, no further than the unchanged end's own.
      if (i >= prefix && n >= end_start) n = codes.size();
    }
    edited.sequences_[g].push_back(n < codes.size() ? codes[n] : chosen_[g]);
  }
  return edited;
}

std::uint16_t DefaultCode(char16_t u) {
  const Tables& t = T();
  // cppcheck-suppress arrayIndexOutOfBoundsCond ; u < 65536 always
  return u >= 0x100 ? t.encode[u] : 0;
}

char16_t DecodeDoubleByte(unsigned char lead, unsigned char trail) {
  const int li = LeadIndex(lead);
  return li < 0 ? 0 : kDoubleByteTable[li][trail];
}

std::u16string Decode(std::string_view bytes, Spellings& memo) {
  std::u16string out;
  DecodeInto(bytes, memo, out);
  return out;
}

void DecodeInto(std::string_view bytes, Spellings& memo, std::u16string& out) {
  const Tables& t = T();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  if (out.size() < n) out.resize(n);
  char16_t* o = out.data();
  std::size_t i = 0;
  while (i < n) {
    // Runs of plain characters, one or two bytes each. (Eight ASCII bytes at
    // a time gain nothing on pages, where tags and text alternate.)
    while (i + 1 < n) {
      const unsigned char b = p[i];
      if (const char16_t single = t.plain_single[b]; single != 0) {
        *o++ = single;
        ++i;
        continue;
      }
      const char16_t u = t.plain_decode[b << 8 | p[i + 1]];
      if (u == 0) break;  // no lead byte, undefined, or spelled more than once
      *o++ = u;
      i += 2;
    }
    if (i >= n) break;
    const unsigned char b = p[i];
    if (b < 0x80) {
      *o++ = b != 0 ? b : kEscapeBase;
      ++i;
      continue;
    }
    if (b >= 0xA1 && b <= 0xDF) {
      *o++ = static_cast<char16_t>(0xFF61 + (b - 0xA1));
      ++i;
      continue;
    }
    const int li = LeadIndex(b);
    if (li < 0 || i + 1 >= n) {
      *o++ = static_cast<char16_t>(kEscapeBase + b);
      ++i;
      continue;
    }
    const unsigned char trail = p[i + 1];
    const std::uint32_t entry = t.decode[li][trail];
    const auto u = static_cast<char16_t>(entry);
    if (u != 0) {
      const auto g = static_cast<std::uint16_t>(entry >> 16);
      if (g != 0) memo.Record(g - 1u, static_cast<std::uint16_t>(b << 8 | trail));
      *o++ = u;
      i += 2;
      continue;
    }
    if (!IsTrailByte(trail)) {
      // The lead byte stands alone; the next byte is read on its own.
      *o++ = static_cast<char16_t>(kEscapeBase + b);
      ++i;
      continue;
    }
    *o++ = static_cast<char16_t>(kEscapeBase + b);
    *o++ = static_cast<char16_t>(kEscapeBase + trail);
    i += 2;
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
}

std::string Encode(std::u16string_view text, const Spellings& memo, std::size_t* unmappable) {
  std::string out;
  EncodeInto(text, memo, out, unmappable);
  return out;
}

void EncodeInto(std::u16string_view text, const Spellings& memo, std::string& out,
                std::size_t* unmappable) {
  const Tables& t = T();
  const std::size_t n = text.size();
  // One byte to spare: a one-byte character is written with a second byte
  // that the next one overwrites.
  if (out.size() < n * 2 + 1) out.resize(n * 2 + 1);
  char* o = out.data();
  std::size_t bad = 0;
  const char16_t* p = text.data();
  // Counted only where a character is spelled more than one way.
  const bool mixed = memo.mixed();
  std::vector<std::uint32_t> occurrences(mixed ? DuplicateGroupCount() : 0, 0);
  for (std::size_t i = 0; i < n; ++i) {
    // Most units encode the same everywhere: write their bytes, two at a
    // time, and move on by their count.
    const std::uint32_t step = t.encode_step[p[i]];
    if (step >= 0x10000) {
      std::memcpy(o, &step, 2);
      o += step >> 16;
      continue;
    }
    const char16_t u = p[i];
    if (u < 0x80) {
      *o++ = static_cast<char>(u);
      continue;
    }
    if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      if (IsHighSurrogate(u) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
        ++i;  // a character beyond the BMP: no code
        *o++ = '?';
        ++bad;
      } else if (IsEscape(u)) {
        *o++ = static_cast<char>(u - kEscapeBase);
      } else {
        *o++ = '?';
        ++bad;
      }
      continue;
    }
    std::uint16_t code = t.encode[u];
    if (code == 0) {
      *o++ = '?';
      ++bad;
    } else if (code < 0x100) {
      *o++ = static_cast<char>(code);
    } else {
      if ((t.grouped[u / 64] >> (u % 64)) & 1) {
        const std::size_t g = t.encode_group[u] - 1u;
        const std::uint16_t chosen = mixed ? memo.CodeOf(g, occurrences[g]++) : memo.Get(g);
        if (chosen != 0) code = chosen;
      }
      *o++ = static_cast<char>(code >> 8);
      *o++ = static_cast<char>(code & 0xFF);
    }
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  if (unmappable != nullptr) *unmappable = bad;
}

std::vector<std::size_t> UnmappableOffsets(std::u16string_view text, std::size_t limit) {
  const Tables& t = T();
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < text.size() && found.size() < limit; ++i) {
    const char16_t u = text[i];
    if (u < 0x80 || t.encode_step[u] >= 0x10000) continue;
    if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      if (IsEscape(u)) continue;
      found.push_back(i);
      if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
    } else if (t.encode[u] == 0) {
      found.push_back(i);
    }
  }
  return found;
}

}  // namespace kestil::cp932

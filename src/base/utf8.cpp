#include "base/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/utf8_avx2.h"

namespace kestil::utf8 {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
// Units of 0x80 and above, four units to the word.
constexpr std::uint64_t kWideUnits = 0xFF80FF80FF80FF80ull;

constexpr bool IsContinuation(unsigned b) { return (b & 0xC0) == 0x80; }

std::uint64_t Load8(const void* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}

// The character of the three-byte sequence at p, or 0 when the bytes are no
// such sequence (continuation bytes missing, overlong, or a surrogate).
inline unsigned ThreeByte(const unsigned char* p) {
  const unsigned b = p[0];
  const unsigned c1 = p[1];
  const unsigned c2 = p[2];
  if ((b & 0xF0) != 0xE0 || !IsContinuation(c1) || !IsContinuation(c2)) return 0;
  const unsigned u = (b & 0x0F) << 12 | (c1 & 0x3F) << 6 | (c2 & 0x3F);
  return u >= 0x800 && (u & 0xF800) != 0xD800 ? u : 0;
}

// The character of the well-formed sequence of two or four bytes at p, with
// left bytes available, and its length; 0 when there is none.
inline unsigned TwoOrFourByte(const unsigned char* p, std::size_t left, std::size_t* length) {
  const unsigned b = p[0];
  if (b >= 0xC2 && b <= 0xDF) {
    if (left < 2 || !IsContinuation(p[1])) return 0;
    *length = 2;
    return (b & 0x1F) << 6 | (p[1] & 0x3Fu);
  }
  if (b >= 0xF0 && b <= 0xF4) {
    if (left < 4 || !IsContinuation(p[1]) || !IsContinuation(p[2]) || !IsContinuation(p[3])) {
      return 0;
    }
    const unsigned u = (b & 0x07) << 18 | (p[1] & 0x3Fu) << 12 | (p[2] & 0x3Fu) << 6 |
                       (p[3] & 0x3Fu);
    if (u < 0x10000 || u > 0x10FFFF) return 0;
    *length = 4;
    return u;
  }
  return 0;
}

// Decodes from i until the end, or until i >= until with the three bytes
// before i in well-formed sequences (the bytes before the first i count
// as such), which is where the block code may take over.
std::size_t DecodeBytes(const unsigned char* p, std::size_t i, std::size_t n, std::size_t until,
                        char16_t** out) {
  char16_t* o = *out;
  std::size_t clean_from = 0;  // just after the last reserved unit
  while (i < n) {
    if (i >= until && i >= clean_from + 3) break;
    while (i + 8 <= n && (Load8(p + i) & kHighBits) == 0) {
      for (int k = 0; k < 8; ++k) o[k] = p[i + k];
      o += 8;
      i += 8;
    }
    // Runs of three-byte characters: most of a Japanese text.
    while (i + 3 <= n) {
      const unsigned u = ThreeByte(p + i);
      if (u == 0) break;
      *o++ = static_cast<char16_t>(u);
      i += 3;
    }
    if (i >= n) break;
    const unsigned b = p[i];
    if (b < 0x80) {
      *o++ = static_cast<char16_t>(b);
      ++i;
      continue;
    }
    std::size_t length = 0;
    const unsigned u = TwoOrFourByte(p + i, n - i, &length);
    if (u == 0) {
      *o++ = static_cast<char16_t>(kEscapeBase + b);
      clean_from = ++i;
    } else if (u < 0x10000) {
      *o++ = static_cast<char16_t>(u);
      i += length;
    } else {
      o[0] = static_cast<char16_t>(0xD800 + ((u - 0x10000) >> 10));
      o[1] = static_cast<char16_t>(0xDC00 + (u & 0x3FF));
      o += 2;
      i += length;
    }
  }
  *out = o;
  return i;
}

// Encodes the units from i up to end (and the low half of a pair that end
// splits); returns where it stopped.
std::size_t EncodeUnits(const char16_t* p, std::size_t i, std::size_t end, std::size_t n,
                        unsigned char** out, std::size_t* bad) {
  unsigned char* o = *out;
  while (i < end) {
    while (i + 4 <= end && (Load8(p + i) & kWideUnits) == 0) {
      for (int k = 0; k < 4; ++k) o[k] = static_cast<unsigned char>(p[i + k]);
      o += 4;
      i += 4;
    }
    while (i < end && p[i] >= 0x800 && (p[i] & 0xF800) != 0xD800) {
      const unsigned u = p[i];
      o[0] = static_cast<unsigned char>(0xE0 | u >> 12);
      o[1] = static_cast<unsigned char>(0x80 | (u >> 6 & 0x3F));
      o[2] = static_cast<unsigned char>(0x80 | (u & 0x3F));
      o += 3;
      ++i;
    }
    if (i >= end) break;
    const unsigned u = p[i];
    if (u < 0x80) {
      *o++ = static_cast<unsigned char>(u);
      ++i;
    } else if (u < 0x800) {
      o[0] = static_cast<unsigned char>(0xC0 | u >> 6);
      o[1] = static_cast<unsigned char>(0x80 | (u & 0x3F));
      o += 2;
      ++i;
    } else if (u < 0xDC00 && i + 1 < n && (p[i + 1] & 0xFC00) == 0xDC00) {
      const unsigned c = 0x10000 + ((u - 0xD800) << 10) + (p[i + 1] - 0xDC00u);
      o[0] = static_cast<unsigned char>(0xF0 | c >> 18);
      o[1] = static_cast<unsigned char>(0x80 | (c >> 12 & 0x3F));
      o[2] = static_cast<unsigned char>(0x80 | (c >> 6 & 0x3F));
      o[3] = static_cast<unsigned char>(0x80 | (c & 0x3F));
      o += 4;
      i += 2;
    } else if (IsReserved(static_cast<char16_t>(u))) {
      *o++ = static_cast<unsigned char>(u - kEscapeBase);
      ++i;
    } else {
      o[0] = 0xEF;
      o[1] = 0xBF;
      o[2] = 0xBD;
      o += 3;
      ++*bad;
      ++i;
    }
  }
  *out = o;
  return i;
}

// Adds the encoded length of the units from i up to end (and of the low half
// of a pair that end splits); returns where it stopped.
std::size_t CountUnits(const char16_t* p, std::size_t i, std::size_t end, std::size_t n,
                       std::size_t* total) {
  std::size_t sum = 0;
  for (; i < end; ++i) {
    const unsigned u = p[i];
    if ((u & 0xF800) != 0xD800) {
      sum += 1 + (u >= 0x80) + (u >= 0x800);
    } else if (u < 0xDC00 && i + 1 < n && (p[i + 1] & 0xFC00) == 0xDC00) {
      sum += 4;
      ++i;
    } else {
      sum += IsReserved(static_cast<char16_t>(u)) ? 1 : 3;
    }
  }
  *total += sum;
  return i;
}

Form ClassifyBytes(const unsigned char* p, std::size_t n) {
  bool wide = false;
  std::size_t i = 0;
  while (i < n) {
    while (i + 16 <= n && ((Load8(p + i) | Load8(p + i + 8)) & kHighBits) == 0) i += 16;
    while (i + 3 <= n && ThreeByte(p + i) != 0) {
      wide = true;
      i += 3;
    }
    if (i >= n) break;
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    if (TwoOrFourByte(p + i, n - i, &length) == 0) return Form::kIllFormed;
    wide = true;
    i += length;
  }
  return wide ? Form::kWellFormed : Form::kAscii;
}

// Units the block code takes, or hands back, at a time.
constexpr std::size_t kBlockUnits = 16;
constexpr std::size_t kBlockBytes = 32;

}  // namespace

std::u16string Decode(std::string_view bytes) {
  std::u16string out;
  DecodeInto(bytes, out);
  return out;
}

void DecodeInto(std::string_view bytes, std::u16string& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  // No byte gives more than one unit: four bytes give a pair at most.
  if (out.size() < n) out.resize(n);
  char16_t* const start = out.data();
  char16_t* o = start;
  if (!avx2::Available()) {
    DecodeBytes(p, 0, n, n, &o);
  } else {
    std::size_t i = 0;
    std::size_t until = 0;
    for (;;) {
      i = DecodeBytes(p, i, n, until, &o);
      if (i >= n) break;
      if (i + avx2::kDecodeReach > n) {
        until = n;
        continue;
      }
      std::size_t stop = 0;
      i = avx2::DecodeBlocks(p, i, n, &o, &stop);
      // Past the block the block code could not take.
      until = stop + kBlockBytes;
    }
  }
  out.resize(static_cast<std::size_t>(o - start));
}

std::string Encode(std::u16string_view text, std::size_t* unmappable) {
  std::string out;
  EncodeInto(text, out, unmappable);
  return out;
}

void EncodeInto(std::u16string_view text, std::string& out, std::size_t* unmappable) {
  const char16_t* p = text.data();
  const std::size_t n = text.size();
  // Measured first: cheaper than clearing three bytes for every unit. The
  // block code writes up to 16 bytes past its last.
  const std::size_t length = EncodedLength(text);
  if (out.size() < length + 16) out.resize(length + 16);
  auto* o = reinterpret_cast<unsigned char*>(out.data());
  std::size_t bad = 0;
  if (!avx2::Available()) {
    EncodeUnits(p, 0, n, n, &o, &bad);
  } else {
    std::size_t i = 0;
    while (i < n) {
      i = avx2::EncodeBlocks(p, i, n, &o);
      i = EncodeUnits(p, i, std::min(n, i + kBlockUnits), n, &o, &bad);
    }
  }
  out.resize(length);
  if (unmappable != nullptr) *unmappable = bad;
}

std::size_t EncodedLength(std::u16string_view text) {
  const char16_t* p = text.data();
  const std::size_t n = text.size();
  std::size_t total = 0;
  if (!avx2::Available()) {
    CountUnits(p, 0, n, n, &total);
  } else {
    std::size_t i = 0;
    while (i < n) {
      i = avx2::LengthBlocks(p, i, n, &total);
      i = CountUnits(p, i, std::min(n, i + kBlockUnits), n, &total);
    }
  }
  return total;
}

Form Classify(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  if (n >= 64 && avx2::Available()) return avx2::Classify(p, n);
  return ClassifyBytes(p, n);
}

}  // namespace kestil::utf8

#include "base/utf8_avx2.h"

#include <cstdint>
#include <cstring>

// KESTIL_NO_AVX2 builds the codec as it runs on processors without AVX2.
#if (defined(__x86_64__) || defined(__i386__)) && !defined(KESTIL_NO_AVX2)
#include <immintrin.h>
#define KESTIL_AVX2 __attribute__((target("avx2")))
#endif

namespace kestil::utf8::avx2 {

#if defined(KESTIL_AVX2)
namespace {

struct alignas(16) Control {
  std::uint8_t index[16];
};

// pshufb controls for every 8-bit mask, and the count of bytes or units each
// one keeps.
struct Shuffles {
  Control control[256];
  std::uint8_t count[256];
};

// Decoding: the 16-bit values at the set bits of the mask, packed together.
constexpr Shuffles MakeCompress() {
  Shuffles s{};
  for (int m = 0; m < 256; ++m) {
    int k = 0;
    for (int j = 0; j < 8; ++j) {
      if ((m >> j & 1) == 0) continue;
      s.control[m].index[k++] = static_cast<std::uint8_t>(2 * j);
      s.control[m].index[k++] = static_cast<std::uint8_t>(2 * j + 1);
    }
    s.count[m] = static_cast<std::uint8_t>(k / 2);
    while (k < 16) s.control[m].index[k++] = 0x80;
  }
  return s;
}

// Encoding: four 32-bit slots, each holding a character's bytes from its low
// end; bit j of the mask says that unit j takes two bytes or more, bit 4 + j
// that it takes three.
constexpr Shuffles MakeSqueeze() {
  Shuffles s{};
  for (int m = 0; m < 256; ++m) {
    int k = 0;
    for (int j = 0; j < 4; ++j) {
      const int length = 1 + (m >> j & 1) + (m >> (4 + j) & 1);
      for (int b = 0; b < length; ++b) s.control[m].index[k++] = static_cast<std::uint8_t>(4 * j + b);
    }
    s.count[m] = static_cast<std::uint8_t>(k);
    while (k < 16) s.control[m].index[k++] = 0x80;
  }
  return s;
}

constexpr Shuffles kCompress = MakeCompress();
constexpr Shuffles kSqueeze = MakeSqueeze();

// Kinds of error between a byte and the one before it. Each of three tables
// maps a nibble to the kinds it allows: the high and the low nibble of the
// byte before, and the high nibble of the byte itself. A pair is wrong when
// all three allow a kind.
constexpr std::uint8_t kTooShort = 1 << 0;    // a lead byte, then no continuation byte
constexpr std::uint8_t kTooLong = 1 << 1;     // ASCII, then a continuation byte
constexpr std::uint8_t kOverlong3 = 1 << 2;   // E0, then 80-9F
constexpr std::uint8_t kTooLarge = 1 << 3;    // F4-FF, then 90-BF
constexpr std::uint8_t kSurrogate = 1 << 4;   // ED, then A0-BF
constexpr std::uint8_t kOverlong2 = 1 << 5;   // C0 or C1, then a continuation byte
constexpr std::uint8_t kAfterF0F5 = 1 << 6;   // F0 (overlong) or F5-FF, then 80-8F
// Two continuation bytes: right only where the second is the third or the
// fourth byte of a sequence, which the bytes two and three back tell.
constexpr std::uint8_t kTwoContinuations = 1 << 7;

constexpr std::uint8_t kAnyLow = kTooShort | kTooLong | kTwoContinuations;
constexpr std::uint8_t kContinuationKinds =
    kTooLong | kTwoContinuations | kOverlong2 | kOverlong3 | kTooLarge | kSurrogate | kAfterF0F5;

constexpr Control kFirstHigh = {{
    kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong,
    kTwoContinuations, kTwoContinuations, kTwoContinuations, kTwoContinuations,
    kTooShort | kOverlong2,                      // C
    kTooShort,                                   // D
    kTooShort | kOverlong3 | kSurrogate,         // E
    kTooShort | kTooLarge | kAfterF0F5,          // F
}};

constexpr Control kFirstLow = {{
    kAnyLow | kOverlong2 | kOverlong3 | kAfterF0F5,  // 0
    kAnyLow | kOverlong2,                            // 1
    kAnyLow,
    kAnyLow,
    kAnyLow | kTooLarge,                             // 4
    kAnyLow | kTooLarge | kAfterF0F5,                // 5-C
    kAnyLow | kTooLarge | kAfterF0F5,
    kAnyLow | kTooLarge | kAfterF0F5,
    kAnyLow | kTooLarge | kAfterF0F5,
    kAnyLow | kTooLarge | kAfterF0F5,
    kAnyLow | kTooLarge | kAfterF0F5,
    kAnyLow | kTooLarge | kAfterF0F5,
    kAnyLow | kTooLarge | kAfterF0F5,
    kAnyLow | kTooLarge | kAfterF0F5 | kSurrogate,   // D
    kAnyLow | kTooLarge | kAfterF0F5,                // E-F
    kAnyLow | kTooLarge | kAfterF0F5,
}};

constexpr Control kSecondHigh = {{
    kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort,
    kContinuationKinds & ~kSurrogate & ~kTooLarge,   // 8
    kContinuationKinds & ~kSurrogate & ~kAfterF0F5,  // 9
    kContinuationKinds & ~kOverlong3 & ~kAfterF0F5,  // A
    kContinuationKinds & ~kOverlong3 & ~kAfterF0F5,  // B
    kTooShort, kTooShort, kTooShort, kTooShort,
}};

KESTIL_AVX2 inline __m256i Load(const void* p) {
  return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}

KESTIL_AVX2 inline __m256i Table(const Control& c) {
  return _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(c.index)));
}

KESTIL_AVX2 inline __m256i Bytes(int b) { return _mm256_set1_epi8(static_cast<char>(b)); }

// Nonzero bytes where the 32 bytes at p hold a byte that belongs to no
// well-formed sequence, judged from each byte and the three before it.
KESTIL_AVX2 inline __m256i Errors(const unsigned char* p) {
  const __m256i cur = Load(p);
  const __m256i prev1 = Load(p - 1);
  const __m256i nibble = Bytes(0x0F);
  const __m256i kinds = _mm256_and_si256(
      _mm256_and_si256(
          _mm256_shuffle_epi8(Table(kFirstHigh),
                              _mm256_and_si256(_mm256_srli_epi16(prev1, 4), nibble)),
          _mm256_shuffle_epi8(Table(kFirstLow), _mm256_and_si256(prev1, nibble))),
      _mm256_shuffle_epi8(Table(kSecondHigh), _mm256_and_si256(_mm256_srli_epi16(cur, 4), nibble)));
  // Bit 7 where a lead byte two back (E0 and above) or three back (F0 and
  // above) asks for a continuation byte here.
  const __m256i third = _mm256_subs_epu8(Load(p - 2), Bytes(0xE0 - 0x80));
  const __m256i fourth = _mm256_subs_epu8(Load(p - 3), Bytes(0xF0 - 0x80));
  const __m256i wanted = _mm256_and_si256(_mm256_or_si256(third, fourth), Bytes(0x80));
  return _mm256_xor_si256(kinds, wanted);
}

KESTIL_AVX2 inline char16_t* Compress(__m128i values, unsigned mask, char16_t* o) {
  const __m128i control = _mm_load_si128(reinterpret_cast<const __m128i*>(kCompress.control[mask].index));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_shuffle_epi8(values, control));
  return o + kCompress.count[mask];
}

KESTIL_AVX2 inline unsigned char* Squeeze(__m128i slots, unsigned mask, unsigned char* o) {
  const __m128i control = _mm_load_si128(reinterpret_cast<const __m128i*>(kSqueeze.control[mask].index));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_shuffle_epi8(slots, control));
  return o + kSqueeze.count[mask];
}

// Eight units, none a surrogate, one to a 32-bit lane.
KESTIL_AVX2 inline unsigned char* EncodeEight(__m256i u, unsigned char* o) {
  const __m256i low6 = _mm256_and_si256(u, _mm256_set1_epi32(0x3F));
  const __m256i two = _mm256_or_si256(
      _mm256_or_si256(_mm256_srli_epi32(u, 6), _mm256_slli_epi32(low6, 8)),
      _mm256_set1_epi32(0x80C0));
  const __m256i three = _mm256_or_si256(
      _mm256_or_si256(_mm256_srli_epi32(u, 12),
                      _mm256_and_si256(_mm256_slli_epi32(u, 2), _mm256_set1_epi32(0x3F00))),
      _mm256_or_si256(_mm256_slli_epi32(low6, 16), _mm256_set1_epi32(0x8080E0)));
  const __m256i wide2 = _mm256_cmpgt_epi32(u, _mm256_set1_epi32(0x7F));
  const __m256i wide3 = _mm256_cmpgt_epi32(u, _mm256_set1_epi32(0x7FF));
  const __m256i slots = _mm256_blendv_epi8(_mm256_blendv_epi8(u, two, wide2), three, wide3);
  const auto m2 = static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(wide2)));
  const auto m3 = static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(wide3)));
  o = Squeeze(_mm256_castsi256_si128(slots), (m2 & 0x0F) | (m3 & 0x0F) << 4, o);
  return Squeeze(_mm256_extracti128_si256(slots, 1), m2 >> 4 | (m3 & 0xF0), o);
}

KESTIL_AVX2 inline bool HasSurrogate(__m256i v) {
  const __m256i s = _mm256_cmpeq_epi16(_mm256_and_si256(v, _mm256_set1_epi16(static_cast<short>(0xF800))),
                                       _mm256_set1_epi16(static_cast<short>(0xD800)));
  return _mm256_testz_si256(s, s) == 0;
}

KESTIL_AVX2 std::size_t DecodeWith(const unsigned char* p, std::size_t i, std::size_t n,
                                   char16_t** out, std::size_t* stop) {
  const std::size_t start = i;
  char16_t* o = *out;
  while (i + kDecodeReach <= n) {
    const __m256i a = Load(p + i);
    // Four-byte sequences (and F5-FF) are left to the byte-at-a-time code.
    const __m256i bad = _mm256_or_si256(Errors(p + i), _mm256_subs_epu8(a, Bytes(0xEF)));
    if (_mm256_testz_si256(bad, bad) == 0) break;
    if (_mm256_movemask_epi8(a) == 0) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(o),
                          _mm256_cvtepu8_epi16(_mm256_castsi256_si128(a)));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(o + 16),
                          _mm256_cvtepu8_epi16(_mm256_extracti128_si256(a, 1)));
      o += 32;
      i += 32;
      continue;
    }
    // The value of the character that would start at each byte, as a low and
    // a high byte: a = lead, b and c the bytes after it. For a three-byte
    // lead, y = b, x = c, z = a; for a two-byte lead, y = a, x = b, z = 0.
    const __m256i b = Load(p + i + 1);
    const __m256i c = Load(p + i + 2);
    const __m256i three = _mm256_cmpgt_epi8(a, Bytes(0xDF));  // E0-EF (and ASCII)
    const __m256i y = _mm256_blendv_epi8(a, b, three);
    const __m256i x = _mm256_blendv_epi8(b, c, three);
    const __m256i z = _mm256_and_si256(a, three);
    __m256i lo = _mm256_or_si256(_mm256_and_si256(x, Bytes(0x3F)),
                                 _mm256_and_si256(_mm256_slli_epi16(y, 6), Bytes(0xC0)));
    __m256i hi = _mm256_or_si256(_mm256_and_si256(_mm256_slli_epi16(z, 4), Bytes(0xF0)),
                                 _mm256_and_si256(_mm256_srli_epi16(y, 2), Bytes(0x0F)));
    lo = _mm256_blendv_epi8(a, lo, a);  // ASCII is itself
    hi = _mm256_blendv_epi8(_mm256_setzero_si256(), hi, a);
    const __m256i first = _mm256_unpacklo_epi8(lo, hi);   // bytes 0-7 and 16-23
    const __m256i second = _mm256_unpackhi_epi8(lo, hi);  // bytes 8-15 and 24-31
    const __m256i continuation = _mm256_cmpgt_epi8(Bytes(0xC0), a);  // signed: 80-BF
    const unsigned starts = ~static_cast<unsigned>(_mm256_movemask_epi8(continuation));
    o = Compress(_mm256_castsi256_si128(first), starts & 0xFF, o);
    o = Compress(_mm256_castsi256_si128(second), starts >> 8 & 0xFF, o);
    o = Compress(_mm256_extracti128_si256(first, 1), starts >> 16 & 0xFF, o);
    o = Compress(_mm256_extracti128_si256(second, 1), starts >> 24, o);
    i += 32;
  }
  *stop = i;
  // The last character taken may end past i, in bytes not checked yet (they
  // may be no continuation bytes at all): it is given back. It started in
  // one of the two bytes before i and has one unit, as no four-byte sequence
  // gets here.
  std::size_t r = i;
  for (std::size_t s = i; s > start && s + 2 > i;) {
    const unsigned b = p[--s];
    if ((b & 0xC0) == 0x80) continue;
    const std::size_t length = b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    if (s + length > i) {
      r = s;
      --o;
    }
    break;
  }
  *out = o;
  return r;
}

KESTIL_AVX2 std::size_t EncodeWith(const char16_t* p, std::size_t i, std::size_t n,
                                   unsigned char** out) {
  unsigned char* o = *out;
  while (i + 16 <= n) {
    const __m256i v = Load(p + i);
    if (HasSurrogate(v)) break;
    if (_mm256_testz_si256(v, _mm256_set1_epi16(static_cast<short>(0xFF80))) != 0) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o),
                       _mm_packus_epi16(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1)));
      o += 16;
      i += 16;
      continue;
    }
    o = EncodeEight(_mm256_cvtepu16_epi32(_mm256_castsi256_si128(v)), o);
    o = EncodeEight(_mm256_cvtepu16_epi32(_mm256_extracti128_si256(v, 1)), o);
    i += 16;
  }
  *out = o;
  return i;
}

KESTIL_AVX2 std::size_t LengthWith(const char16_t* p, std::size_t i, std::size_t n,
                                   std::size_t* total) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i below80 = _mm256_set1_epi16(static_cast<short>(0xFF80));
  const __m256i below800 = _mm256_set1_epi16(static_cast<short>(0xF800));
  std::int64_t sum = 0;
  bool surrogate = false;
  while (!surrogate && i + 16 <= n) {
    // Each lane counts down, by one for a unit below 0x800 and one more below
    // 0x80, at most 2 a block: 8192 blocks stay within 16 bits.
    __m256i down = zero;
    std::int64_t blocks = 0;
    for (; blocks < 8192 && i + 16 <= n; ++blocks, i += 16) {
      const __m256i v = Load(p + i);
      if (HasSurrogate(v)) {
        surrogate = true;
        break;
      }
      down = _mm256_add_epi16(down, _mm256_cmpeq_epi16(_mm256_and_si256(v, below80), zero));
      down = _mm256_add_epi16(down, _mm256_cmpeq_epi16(_mm256_and_si256(v, below800), zero));
    }
    const __m256i pairs = _mm256_madd_epi16(down, _mm256_set1_epi16(1));
    __m128i s = _mm_add_epi32(_mm256_castsi256_si128(pairs), _mm256_extracti128_si256(pairs, 1));
    s = _mm_add_epi32(s, _mm_shuffle_epi32(s, 0x4E));
    s = _mm_add_epi32(s, _mm_shuffle_epi32(s, 0xB1));
    sum += 48 * blocks + _mm_cvtsi128_si32(s);
  }
  *total += static_cast<std::size_t>(sum);
  return i;
}

KESTIL_AVX2 Form ClassifyWith(const unsigned char* p, std::size_t n) {
  // The first and the last block are checked from a copy with zero (ASCII)
  // bytes before the input and after it: a sequence cut by the end is then
  // cut by a zero.
  alignas(32) unsigned char edge[64] = {};
  std::memcpy(edge + 3, p, 32);
  __m256i bad = Errors(edge + 3);
  __m256i any = Load(edge + 3);
  std::size_t i = 32;
  for (; i + 32 <= n; i += 32) {
    if (_mm256_testz_si256(bad, bad) == 0) return Form::kIllFormed;
    bad = Errors(p + i);
    any = _mm256_or_si256(any, Load(p + i));
  }
  std::memset(edge, 0, sizeof edge);
  std::memcpy(edge, p + i - 3, 3 + (n - i));
  bad = _mm256_or_si256(bad, Errors(edge + 3));
  any = _mm256_or_si256(any, Load(edge + 3));
  if (_mm256_testz_si256(bad, bad) == 0) return Form::kIllFormed;
  return _mm256_movemask_epi8(any) == 0 ? Form::kAscii : Form::kWellFormed;
}

}  // namespace

bool Available() {
  static const bool available = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return available;
}

std::size_t DecodeBlocks(const unsigned char* p, std::size_t i, std::size_t n, char16_t** out,
                         std::size_t* stop) {
  return DecodeWith(p, i, n, out, stop);
}

std::size_t EncodeBlocks(const char16_t* p, std::size_t i, std::size_t n, unsigned char** out) {
  return EncodeWith(p, i, n, out);
}

std::size_t LengthBlocks(const char16_t* p, std::size_t i, std::size_t n, std::size_t* total) {
  return LengthWith(p, i, n, total);
}

Form Classify(const unsigned char* p, std::size_t n) { return ClassifyWith(p, n); }

#else

bool Available() { return false; }

std::size_t DecodeBlocks(const unsigned char*, std::size_t i, std::size_t, char16_t**,
                         std::size_t* stop) {
  *stop = i;
  return i;
}

std::size_t EncodeBlocks(const char16_t*, std::size_t i, std::size_t, unsigned char**) { return i; }

std::size_t LengthBlocks(const char16_t*, std::size_t i, std::size_t, std::size_t*) { return i; }

Form Classify(const unsigned char*, std::size_t) { return Form::kIllFormed; }

#endif

}  // namespace kestil::utf8::avx2

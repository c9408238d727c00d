// Decoding and encoding 10 MB of code page 932 text and 10 MB of UTF-8 text,
// beside glibc's iconv doing the same conversions on the same text; and
// finding the encoding of each, which for the UTF-8 text reads all of it.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <stdexcept>
#include <string>

#include "base/codec.h"
#include "base/encoding.h"
#include "base/utf8.h"
#include "sample_text.h"

namespace {

constexpr std::size_t kSize = 10 * 1024 * 1024;

const std::string& Text() {
  static const std::string text = kestil::bench::SampleText(kSize);
  return text;
}

const std::u16string& Wide() {
  static const std::u16string wide = [] {
    kestil::cp932::Spellings memo;
    return kestil::cp932::Decode(Text(), memo);
  }();
  return wide;
}

// The same page-like text in UTF-8, cut to 10 MB at a character boundary.
const std::string& Utf8Text() {
  static const std::string text = [] {
    std::string t = kestil::utf8::Encode(Wide());
    std::size_t end = kSize;
    while ((static_cast<unsigned char>(t[end]) & 0xC0) == 0x80) --end;
    t.resize(end);
    return t;
  }();
  return text;
}

const std::u16string& Utf8Wide() {
  static const std::u16string wide = kestil::utf8::Decode(Utf8Text());
  return wide;
}

std::size_t Iconv(const char* to, const char* from, const char* in, std::size_t in_bytes,
                  std::string& out) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
  char* src = const_cast<char*>(in);
  char* dst = out.data();
  std::size_t left = in_bytes;
  std::size_t room = out.size();
  const std::size_t rc = iconv(cd, &src, &left, &dst, &room);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) throw std::runtime_error("iconv");
  return out.size() - room;
}

void BM_DecodeCodec(benchmark::State& state) {
  for (auto _ : state) {
    kestil::cp932::Spellings memo;
    auto wide = kestil::cp932::Decode(Text(), memo);
    benchmark::DoNotOptimize(wide.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}

void BM_DecodeCodecReused(benchmark::State& state) {
  std::u16string wide;
  for (auto _ : state) {
    kestil::cp932::Spellings memo;
    kestil::cp932::DecodeInto(Text(), memo, wide);
    benchmark::DoNotOptimize(wide.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}

void BM_DecodeIconv(benchmark::State& state) {
  std::string out(Text().size() * 2 + 16, '\0');
  for (auto _ : state) {
    benchmark::DoNotOptimize(Iconv("UTF-16LE", "CP932", Text().data(), Text().size(), out));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}

void BM_EncodeCodec(benchmark::State& state) {
  kestil::cp932::Spellings memo;
  for (auto _ : state) {
    auto bytes = kestil::cp932::Encode(Wide(), memo);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}

void BM_EncodeCodecReused(benchmark::State& state) {
  kestil::cp932::Spellings memo;
  std::string bytes;
  for (auto _ : state) {
    kestil::cp932::EncodeInto(Wide(), memo, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}

void BM_EncodeIconv(benchmark::State& state) {
  std::string out(Wide().size() * 2 + 16, '\0');
  const auto* in = reinterpret_cast<const char*>(Wide().data());
  for (auto _ : state) {
    benchmark::DoNotOptimize(Iconv("CP932", "UTF-16LE", in, Wide().size() * 2, out));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}

void BM_Utf8DecodeCodec(benchmark::State& state) {
  for (auto _ : state) {
    auto wide = kestil::utf8::Decode(Utf8Text());
    benchmark::DoNotOptimize(wide.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Utf8Text().size()));
}

void BM_Utf8DecodeCodecReused(benchmark::State& state) {
  std::u16string wide;
  for (auto _ : state) {
    kestil::utf8::DecodeInto(Utf8Text(), wide);
    benchmark::DoNotOptimize(wide.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Utf8Text().size()));
}

void BM_Utf8DecodeIconv(benchmark::State& state) {
  std::string out(Utf8Text().size() * 2 + 16, '\0');
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        Iconv("UTF-16LE", "UTF-8", Utf8Text().data(), Utf8Text().size(), out));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Utf8Text().size()));
}

void BM_Utf8EncodeCodec(benchmark::State& state) {
  for (auto _ : state) {
    auto bytes = kestil::utf8::Encode(Utf8Wide());
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Utf8Text().size()));
}

void BM_Utf8EncodeCodecReused(benchmark::State& state) {
  std::string bytes;
  for (auto _ : state) {
    kestil::utf8::EncodeInto(Utf8Wide(), bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Utf8Text().size()));
}

void BM_Utf8EncodeIconv(benchmark::State& state) {
  std::string out(Utf8Text().size() + 16, '\0');
  const auto* in = reinterpret_cast<const char*>(Utf8Wide().data());
  for (auto _ : state) {
    benchmark::DoNotOptimize(Iconv("UTF-8", "UTF-16LE", in, Utf8Wide().size() * 2, out));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Utf8Text().size()));
}

// Well-formed UTF-8: every byte is read before the answer is known.
void BM_DetectUtf8(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(kestil::encoding::Detect(Utf8Text(), kestil::Encoding::kUtf8));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Utf8Text().size()));
}

// Code page 932: the first two-byte character ends the UTF-8 scan.
void BM_DetectShiftJis(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(kestil::encoding::Detect(Text(), kestil::Encoding::kUtf8));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}

BENCHMARK(BM_DecodeCodec)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeCodecReused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeIconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeCodec)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeCodecReused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeIconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8DecodeCodec)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8DecodeCodecReused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8DecodeIconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8EncodeCodec)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8EncodeCodecReused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8EncodeIconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectShiftJis)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

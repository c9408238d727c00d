#include "base/utf16.h"

#include <cstddef>

namespace kestil::utf16 {
namespace {

// Each unit is put together from its two bytes; with the order fixed at
// compile time the compiler turns this into wide loads and shuffles, on a
// host of either order.
template <bool kBigEndian>
void Units(const unsigned char* p, std::size_t units, char16_t* o) {
  constexpr int kHigh = kBigEndian ? 0 : 1;
  constexpr int kLow = 1 - kHigh;
  for (std::size_t i = 0; i < units; ++i) {
    o[i] = static_cast<char16_t>(p[2 * i + kHigh] << 8 | p[2 * i + kLow]);
  }
}

template <bool kBigEndian>
void Bytes(const char16_t* p, std::size_t units, unsigned char* o) {
  constexpr int kHigh = kBigEndian ? 0 : 1;
  constexpr int kLow = 1 - kHigh;
  for (std::size_t i = 0; i < units; ++i) {
    o[2 * i + kHigh] = static_cast<unsigned char>(p[i] >> 8);
    o[2 * i + kLow] = static_cast<unsigned char>(p[i] & 0xFF);
  }
}

}  // namespace

Decoded Decode(std::string_view bytes, bool big_endian) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t units = bytes.size() / 2;
  Decoded out;
  out.text.resize(units);
  if (big_endian) {
    Units<true>(p, units, out.text.data());
  } else {
    Units<false>(p, units, out.text.data());
  }
  if (bytes.size() % 2 != 0) out.trailing_byte = p[bytes.size() - 1];
  return out;
}

std::string Encode(std::u16string_view text, bool big_endian,
                   std::optional<unsigned char> trailing_byte) {
  const std::size_t units = text.size();
  std::string out(2 * units + (trailing_byte ? 1 : 0), '\0');
  auto* o = reinterpret_cast<unsigned char*>(out.data());
  if (big_endian) {
    Bytes<true>(text.data(), units, o);
  } else {
    Bytes<false>(text.data(), units, o);
  }
  if (trailing_byte) o[2 * units] = *trailing_byte;
  return out;
}

}  // namespace kestil::utf16

// A fingerprint of a file's bytes, kept when the file is read or written, so
// that a change which keeps the size and the time (a copy that restores the
// modification time) is still noticed.
#pragma once

#include <cstdint>
#include <string_view>

namespace kestil {

// FNV-1a, 64 bits: not a defence against a forger, which nothing here needs,
// and fast enough to run over 10 MB at every save.
constexpr std::uint64_t ContentHash(std::string_view bytes) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001B3ull;
  }
  return h;
}

}  // namespace kestil

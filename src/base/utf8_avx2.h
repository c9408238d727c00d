// The UTF-8 codec's fast cases, 32 bytes or 16 units at a time with AVX2.
// utf8.cpp calls them only when Available(); each stops where its fast case
// ends and leaves the rest to the byte-at-a-time code, so that both give the
// same result for every input.
#pragma once

#include <cstddef>

#include "base/utf8.h"

namespace kestil::utf8::avx2 {

// The processor and the system support AVX2 (false on other architectures).
bool Available();

// Bytes Decode reads from a block's start: the block and two more, for the
// characters that start in its last bytes.
constexpr std::size_t kDecodeReach = 34;

// Decodes blocks from i (3 <= i, i + kDecodeReach <= n, every byte before i
// in a well-formed sequence) while they are well-formed and hold no
// four-byte sequence. Returns the boundary of characters where it stopped,
// with *out past the units of the characters before it; *stop receives the
// start of the block it could not take.
std::size_t DecodeBlocks(const unsigned char* p, std::size_t i, std::size_t n, char16_t** out,
                         std::size_t* stop);

// Encodes blocks of 16 units from i while they hold no surrogate. Writes up to
// 16 bytes past the last byte it produces. Returns where it stopped.
std::size_t EncodeBlocks(const char16_t* p, std::size_t i, std::size_t n, unsigned char** out);

// Adds to *total the encoded length of blocks of 16 units from i while they
// hold no surrogate. Returns where it stopped.
std::size_t LengthBlocks(const char16_t* p, std::size_t i, std::size_t n, std::size_t* total);

// Classify for n >= 64.
Form Classify(const unsigned char* p, std::size_t n);

}  // namespace kestil::utf8::avx2

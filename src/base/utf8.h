// Lossless conversion between UTF-8 bytes and UTF-16.
//
// Every byte string survives Decode followed by Encode byte for byte:
//  - a well-formed sequence becomes its character: one unit, or a surrogate
//    pair from U+10000 on; every ASCII byte, NUL too, is its own character;
//  - every byte that belongs to no well-formed sequence (a continuation
//    byte with no lead before it, a sequence cut short by the next byte or by
//    the end, an overlong form, an encoded surrogate ED A0-ED BF, a value
//    above U+10FFFF, C0, C1, F5-FF) becomes the reserved unit 0xDC00 + byte,
//    and Encode writes that byte again. Only bytes 0x80-0xFF can be such a
//    byte, so Decode yields the reserved units 0xDC80-0xDCFF and never
//    0xDC00-0xDC7F; and since well-formed UTF-8 holds no surrogate, no
//    character decodes to a reserved unit.
//
// Text that did not come from Decode (typed, or decoded from another
// encoding) is written by the same rule: every reserved unit 0xDC00-0xDCFF
// is its byte, so a byte that was no character in a code page 932 document
// (NUL and the second byte of an undefined code among them) reaches the UTF-8
// file unchanged. Any other unpaired surrogate has no UTF-8 form: it is
// written as U+FFFD (EF BF BD) and counted as unmappable. Reserved units placed side by side can spell a character once
// written (0xDCC3 0xDCA9 is written C3 A9, which reads back as U+00E9); text
// from Decode never does, as its reserved bytes were read as no character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestil::utf8 {

constexpr char16_t kEscapeBase = 0xDC00;

// The units Decode gives for bytes that are no character.
constexpr bool IsEscape(char16_t u) { return u >= 0xDC80 && u <= 0xDCFF; }
// The units Encode writes as one byte each.
constexpr bool IsReserved(char16_t u) { return u >= 0xDC00 && u <= 0xDCFF; }

std::u16string Decode(std::string_view bytes);
// The same into out, reusing its storage.
void DecodeInto(std::string_view bytes, std::u16string& out);

// An unpaired surrogate that is no reserved unit becomes U+FFFD and is
// counted in *unmappable when given.
std::string Encode(std::u16string_view text, std::size_t* unmappable = nullptr);
void EncodeInto(std::u16string_view text, std::string& out, std::size_t* unmappable = nullptr);

// Byte length of Encode(text), without building the string.
std::size_t EncodedLength(std::u16string_view text);

enum class Form {
  kAscii,       // only bytes below 0x80 (the empty string too)
  kWellFormed,  // well-formed, with at least one character above U+007F
  kIllFormed,   // at least one byte that Decode turns into a reserved unit
};

// What the bytes are, without decoding them.
Form Classify(std::string_view bytes);

}  // namespace kestil::utf8

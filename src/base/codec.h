// Lossless conversion between code page 932 bytes and UTF-16.
//
// Every byte string survives Decode followed by Encode byte for byte:
//  - defined characters become their Unicode form, as Windows maps them;
//  - a byte that is no character (NUL, 0x80, 0xA0, 0xFD-0xFF, a lead byte
//    without a usable second byte, both bytes of an undefined two-byte code)
//    becomes the reserved code unit 0xDC00 + byte, an unpaired low surrogate
//    that no character decodes to; Encode turns it back into that byte;
//  - several characters of the code page have two or three codes (NEC row 13,
//    the NEC-selected IBM extensions and the IBM extensions repeat each other
//    and a few JIS symbols). Every spelling decodes to the character. A
//    Spellings object, kept per document, records which code the text used
//    for each of them, and Encode writes that code again; where one text
//    spells a character more than one way, it records the code of each
//    occurrence in order, and Encode gives the n-th occurrence the n-th code
//    (occurrences beyond those the first one's).
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kestil::cp932 {

constexpr char16_t kEscapeBase = 0xDC00;

constexpr bool IsEscape(char16_t u) { return u >= 0xDC00 && u <= 0xDCFF; }

// Per-document memory of which code was used for each character that the
// code page spells more than once.
class Spellings {
 public:
  Spellings();
  // A memory in which every such character already has its Windows default
  // spelling. Used where no document memory exists (registry strings).
  static Spellings Defaults();

  void Clear();
  // Code chosen for duplicate group g, 0 while none is recorded.
  std::uint16_t Get(std::size_t g) const { return chosen_[g]; }
  void Set(std::size_t g, std::uint16_t code) { chosen_[g] = code; }
  // Decoding met the character of group g spelled as code.
  void Record(std::size_t g, std::uint16_t code);
  // Whether some character was met spelled more than one way.
  bool mixed() const { return !sequences_.empty(); }
  // The code for occurrence n (from 0) of group g's character.
  std::uint16_t CodeOf(std::size_t g, std::size_t n) const;
  // The memory for text, an edited form of original (the text this memory
  // was decoded from): the occurrences in its unchanged start and end keep
  // the spellings they had there, those in between take the ones next in
  // order, and any beyond those the first spelling.
  Spellings ForEdited(std::u16string_view original, std::u16string_view text) const;

 private:
  std::vector<std::uint16_t> chosen_;
  std::vector<std::uint32_t> met_;  // occurrences decoded, per group
  // For the groups spelled more than one way: each occurrence's code.
  std::map<std::size_t, std::vector<std::uint16_t>> sequences_;
};

// Number of characters that have more than one code.
std::size_t DuplicateGroupCount();
// The duplicate group of a unit, DuplicateGroupCount() for a unit with one
// code or none.
std::size_t DuplicateGroupOf(char16_t u);

// Decodes bytes; records in memo the spelling of each duplicate character
// met for the first time.
std::u16string Decode(std::string_view bytes, Spellings& memo);
// The same into out, reusing its storage.
void DecodeInto(std::string_view bytes, Spellings& memo, std::u16string& out);

// Encodes text. A character with no code in code page 932 (and a surrogate
// pair) becomes '?' and is counted in *unmappable when given.
std::string Encode(std::u16string_view text, const Spellings& memo,
                   std::size_t* unmappable = nullptr);
void EncodeInto(std::u16string_view text, const Spellings& memo, std::string& out,
                std::size_t* unmappable = nullptr);

// Where Encode would write '?': the offset of each character (a surrogate
// pair counts once) with no code, the first `limit` of them.
std::vector<std::size_t> UnmappableOffsets(std::u16string_view text, std::size_t limit);

// Windows' default code for a Unicode character, 0 if there is none.
std::uint16_t DefaultCode(char16_t u);

// Unicode character of a double-byte code, 0 if undefined.
char16_t DecodeDoubleByte(unsigned char lead, unsigned char trail);

}  // namespace kestil::cp932

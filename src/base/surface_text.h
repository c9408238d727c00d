// The text as the editing surface holds it: UTF-8, in which a unit that is
// no character on its own (a lone surrogate, among them the reserved units
// U+DC00 + byte of bytes that are no character) stands in its three-byte
// form ED A0 80 ... ED BF BF. No valid text produces such a form, so every
// UTF-16 text has exactly one spelling on the surface and comes back from it
// unchanged.
//
// The surface counts UTF-16 positions itself but takes each byte of a form
// for a unit of its own. SurrogateForms knows where the forms stand and
// corrects that count, so that positions stay exact; a text without forms
// costs nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestil::surface {

constexpr std::size_t kFormBytes = 3;

std::string Encode(std::u16string_view text);
// A byte that belongs to no sequence (which the surface only holds when
// something wrote it past Encode) becomes the reserved unit U+DC00 + byte.
std::u16string Decode(std::string_view bytes);

// Whether the three-byte form of a lone surrogate starts at i.
inline bool IsFormAt(std::string_view bytes, std::size_t i) {
  return i + 2 < bytes.size() && static_cast<unsigned char>(bytes[i]) == 0xED &&
         (static_cast<unsigned char>(bytes[i + 1]) & 0xE0) == 0xA0 &&
         (static_cast<unsigned char>(bytes[i + 2]) & 0xC0) == 0x80;
}

// What the surface tells of its lines. Its own UTF-16 count takes each byte
// of a form for one unit; every other sequence counts as it decodes.
class SurfaceLines {
 public:
  virtual ~SurfaceLines() = default;
  virtual std::size_t LineOfByte(std::size_t byte) const = 0;
  virtual std::size_t LineStart(std::size_t line) const = 0;
  // The surface's count of units before the line.
  virtual std::size_t CoarseLineStart(std::size_t line) const = 0;
  // The line that holds the position of that count.
  virtual std::size_t LineOfCoarse(std::size_t coarse) const = 0;
  virtual std::size_t Length() const = 0;
  // The bytes from..to, valid until the text changes.
  virtual std::string_view Bytes(std::size_t from, std::size_t to) const = 0;
};

// Units of the bytes, each as Decode counts them.
std::size_t UnitsOf(std::string_view bytes);
// The byte offset after `units` units of the bytes; a count that ends
// inside a surrogate pair stops before it.
std::size_t BytesOfUnits(std::string_view bytes, std::size_t units);

// The byte positions at which forms start, kept in order through changes.
class SurrogateForms {
 public:
  void Reset(std::string_view text);
  // The bytes from at to at + removed were replaced by `inserted` bytes;
  // forms after the change move with it, forms it touched are dropped.
  void Replace(std::size_t at, std::size_t removed, std::size_t inserted);
  // Finds the forms again in the bytes of the text that start at `from`.
  void Rescan(std::size_t from, std::string_view window);

  bool empty() const { return starts_.empty(); }
  const std::vector<std::size_t>& starts() const { return starts_; }
  // Forms that start before the byte position.
  std::size_t CountBefore(std::size_t byte) const;
  // The start of the form that holds the byte position strictly inside it,
  // or the position itself.
  std::size_t FormStartOf(std::size_t byte) const;
  std::size_t FormEndOf(std::size_t byte) const;

 private:
  std::vector<std::size_t> starts_;
};

// Exact UTF-16 positions from the surface's line count and the forms. A
// byte position inside a form counts as the form's start; a unit position
// between the halves of a pair gives the pair's start; positions past the
// end give the end.
std::size_t UnitOfByte(const SurfaceLines& lines, const SurrogateForms& forms, std::size_t byte);
std::size_t ByteOfUnit(const SurfaceLines& lines, const SurrogateForms& forms, std::size_t unit);

}  // namespace kestil::surface

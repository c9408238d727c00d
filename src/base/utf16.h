// UTF-16 bytes, little- or big-endian, and the units they hold.
//
// Every unit is kept as it is, an unpaired surrogate too: the edit control
// holds any unit, so a UTF-16 file needs no reserved unit, and every byte
// string survives Decode followed by Encode byte for byte.
//
// A file of odd length ends in a byte that is half a unit. It stays out of
// the text: a UTF-16 file may hold any unit as itself, the reserved units of
// the other codecs among them, so no unit could stand for a lone byte without
// being taken for the unit it is. Decode hands the byte over apart from the
// text, and Encode writes it after the last unit.
//
// A byte order mark is a unit like any other here (U+FEFF); the caller takes
// it off before decoding and puts it back before writing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestil::utf16 {

struct Decoded {
  std::u16string text;
  // The last byte of input of odd length.
  std::optional<unsigned char> trailing_byte;
};

Decoded Decode(std::string_view bytes, bool big_endian);

std::string Encode(std::u16string_view text, bool big_endian,
                   std::optional<unsigned char> trailing_byte = std::nullopt);

}  // namespace kestil::utf16

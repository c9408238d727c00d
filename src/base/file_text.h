// A document's text and the bytes of its file: the encoding, and what each
// encoding needs remembered so that an unchanged text saves byte for byte
// (code page 932's duplicate spellings, the odd last byte of a UTF-16 file).
//
// The edit control holds a NUL-terminated text, so a NUL never reaches it:
// NUL stands in the text as the reserved unit 0xDC00, the one code page 932
// gives the NUL byte, and every encoder writes it back as NUL. A UTF-16 file
// that holds a lone 0xDC00 unit and no NUL keeps that unit instead.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/codec.h"
#include "base/encoding.h"

namespace kestil {

class FileText {
 public:
  // Takes the encoding that detection finds (for_ascii: the encoding for new
  // documents) and decodes the bytes in it.
  std::u16string Open(std::string_view bytes, Encoding for_ascii);
  // Decodes the bytes in encoding e; a byte order mark at the start is taken
  // off. UTF-8 becomes the marked or the unmarked kind as the bytes are.
  std::u16string Decode(std::string_view bytes, Encoding e);
  // A new, empty document in encoding e.
  void Reset(Encoding e);

  // The file's bytes for text, in encoding(). Characters the encoding cannot
  // hold are written as '?' (Shift_JIS) or U+FFFD (an unpaired surrogate in
  // UTF-8) and counted in *unmappable.
  std::string Encode(std::u16string_view text, std::size_t* unmappable = nullptr) const;

  // A character the encoding cannot hold, and its line (from 1; CR LF, CR
  // and LF each end one).
  struct Unmappable {
    std::size_t line;
    std::u16string character;
  };
  // The first `limit` characters that Encode would write as '?'.
  std::vector<Unmappable> FindUnmappable(std::u16string_view text, std::size_t limit) const;

  Encoding encoding() const { return encoding_; }
  // The next save writes this encoding; the text stays the same characters.
  void set_encoding(Encoding e) { encoding_ = e; }

 private:
  Encoding encoding_ = Encoding::kShiftJis;
  cp932::Spellings spellings_;
  // The text as decoded, kept where it spells a character more than one way,
  // so that an edited text's occurrences can be matched with its own.
  std::u16string spelled_;
  std::optional<unsigned char> trailing_byte_;
  bool keep_dc00_ = false;  // a UTF-16 file's lone 0xDC00 units are themselves
};

// The name of an encoding in the status bar ("Shift_JIS", "UTF-8",
// "UTF-8 BOM", "UTF-16 LE", "UTF-16 BE").
std::u16string_view EncodingName(Encoding e);

}  // namespace kestil

// The encodings a document's file may have, their byte order marks, and how
// the encoding of a file being opened is found.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestil {

enum class Encoding {
  kShiftJis,  // code page 932
  kUtf8,      // without a byte order mark
  kUtf8Bom,
  kUtf16Le,   // with its byte order mark, as every UTF-16 document has
  kUtf16Be,
};

namespace encoding {

// The bytes a file in encoding e starts with; empty for Shift_JIS and UTF-8
// without a mark.
std::string_view ByteOrderMark(Encoding e);

// kUtf8 or kShiftJis for one of their labels in the WHATWG Encoding Standard
// (ASCII whitespace around the label ignored, ASCII letters in any case);
// nothing for any other label, including those of encodings Kestil does not
// read.
std::optional<Encoding> EncodingOfLabel(std::string_view label);

// Whether a declaration's label names encoding e: a UTF-8 label either kind
// of UTF-8, a UTF-16 label either byte order.
bool LabelNames(std::string_view label, Encoding e);

// As in browsers, only the start of a file is searched for a declaration.
constexpr std::size_t kDeclarationWindow = 1024;

struct Declaration {
  // What the label names, when it is a label of kUtf8 or kShiftJis.
  std::optional<Encoding> encoding;
  // Where the label lies in the bytes, ASCII whitespace around it left out.
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The first character encoding declaration whose element lies whole within
// the first kDeclarationWindow bytes:
//   <meta charset="...">  (quotes double, single or none)
//   <meta http-equiv="Content-Type" content="...; charset=...">
//   <?xml ... encoding="..."?>
// Names of elements and attributes are matched in any ASCII case; comments
// are skipped, and so are other tags, read attribute by attribute so that a
// '>' in a quoted value does not end them. A declaration with any label
// counts, so the first one decides even when it names an encoding Kestil does
// not read. The bytes are read as ASCII, so this works on code page 932 and
// UTF-8 files alike.
std::optional<Declaration> FindDeclaration(std::string_view bytes);

// FindDeclaration over a text: its first kDeclarationWindow units, ASCII as
// itself and every other unit as a byte beyond ASCII; begin and end are
// unit positions. (The label is ASCII, so it is the same units in the text.)
std::optional<Declaration> FindDeclarationIn(std::u16string_view text);

// The label to write in place of replaced so that it declares e: lower case
// when replaced has no capital, else as the encoding is usually written
// ("Shift_JIS", "UTF-8", "UTF-16").
std::string LabelFor(Encoding e, std::string_view replaced);

// The encoding of a file's bytes, by the first rule that decides:
//  1. a byte order mark (EF BB BF, FF FE, FE FF);
//  2. well-formed UTF-8 with at least one character beyond ASCII is kUtf8;
//  3. a declaration (FindDeclaration) naming UTF-8 or Shift_JIS: this covers
//     an ASCII page that declares UTF-8 and a UTF-8 page with a few broken
//     bytes that declares it;
//  4. an ASCII-only file (an empty one too) takes for_ascii, the encoding for
//     new documents, but without a mark: the file has none, and reading it as
//     UTF-8 keeps its bytes where a UTF-16 choice would not, so kUtf8Bom,
//     kUtf16Le and kUtf16Be give kUtf8;
//  5. anything else is kShiftJis.
// UTF-16 without a mark is never recognized.
Encoding Detect(std::string_view bytes, Encoding for_ascii);

}  // namespace encoding
}  // namespace kestil

// How many columns a character takes where columns count Shift_JIS bytes:
// a character Shift_JIS holds takes its byte count (1 or 2), a reserved unit
// (a byte that is no character) 1, and any other character 2 when it is
// wide (East Asian Width W or F) and 1 otherwise. A surrogate pair is one
// character.
#pragma once

#include <cstddef>
#include <string_view>

namespace kestil {

// East Asian Width W or F.
bool IsWide(char32_t c);

// The columns of the character that starts at text[i], and in *units the
// UTF-16 units it spans (1, or 2 for a surrogate pair).
std::size_t ColumnsAt(std::u16string_view text, std::size_t i, std::size_t* units);

// The position in line (UTF-16 units) where column (from 1) starts: the
// start of the character that holds it, or the line's end when it is
// shorter.
std::size_t UnitOfColumn(std::u16string_view line, std::size_t column);

// The column (from 1) at the end of the text before it in its line: what
// the jump dialog takes to come back to the same place.
std::size_t ColumnAfter(std::u16string_view before);

// A path for a link in a Shift_JIS document: each character Shift_JIS
// cannot hold becomes the %XX escapes of its UTF-8 bytes (the URL form a
// browser resolves to the same file); every other character stays.
std::u16string EscapeForShiftJis(std::u16string_view path);

}  // namespace kestil

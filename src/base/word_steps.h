// Where Ctrl+Left and Ctrl+Right stop in a line of text: at the start of
// each word, where a word is a run of one kind of character. In Japanese
// text a change of script is a change of word (漢字, ひらがな, カタカナ,
// letters and digits), as a Windows editor steps through it; spaces belong
// to the word before them.
#pragma once

#include <cstddef>
#include <string_view>

namespace kestil {

// The next stop after pos in the line (its length at the end).
std::size_t NextWordStop(std::u16string_view line, std::size_t pos);
// The stop before pos in the line (0 at the start).
std::size_t PreviousWordStop(std::u16string_view line, std::size_t pos);

}  // namespace kestil

#include "base/file_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>


namespace kestil {
namespace {

using namespace std::string_literals;

// What opening a file gives, and that saving it unchanged gives its bytes.
std::u16string OpenedAndSavedBack(const std::string& bytes, Encoding expected,
                                  Encoding for_ascii = Encoding::kShiftJis) {
  FileText file;
  const std::u16string text = file.Open(bytes, for_ascii);
  EXPECT_EQ(file.encoding(), expected);
  EXPECT_EQ(file.Encode(text), bytes);
  EXPECT_EQ(text.find(u'\0'), std::u16string::npos);  // the control would cut it there
  return text;
}

TEST(FileText, EveryEncodingSavesItsFileByteForByte) {
  EXPECT_EQ(OpenedAndSavedBack("\x95\x5C\x83\x5C abc\x80\xFD"s, Encoding::kShiftJis),
            u"表ソ abc\xDC80\xDCFD");
  EXPECT_EQ(OpenedAndSavedBack("<meta charset=utf-8>\xC2\xA9\xC3"s, Encoding::kUtf8),
            u"<meta charset=utf-8>©\xDCC3");
  EXPECT_EQ(OpenedAndSavedBack("\xEF\xBB\xBF" "a\xE3\x81\x82"s, Encoding::kUtf8Bom), u"aあ");
  EXPECT_EQ(OpenedAndSavedBack("\xFF\xFE" "a\0\x42\xD8\xB7\xDF\0\xDC!"s, Encoding::kUtf16Le),
            u"a𠮷\xDC00");
  EXPECT_EQ(OpenedAndSavedBack("\xFE\xFF\0a\xD8\x42\0"s, Encoding::kUtf16Be), u"a\xD842");
  // A mark and nothing else, an empty file, NUL bytes.
  EXPECT_EQ(OpenedAndSavedBack("\xEF\xBB\xBF"s, Encoding::kUtf8Bom), u"");
  EXPECT_EQ(OpenedAndSavedBack(std::string(5, '\0'), Encoding::kUtf8, Encoding::kUtf8),
            std::u16string(5, u'\xDC00'));
  // NUL in UTF-16 stands as the reserved unit; a file whose lone 0xDC00 is
  // no NUL keeps it, and one of odd length its last byte.
  EXPECT_EQ(OpenedAndSavedBack("\xFF\xFE" "a\0\0\0b\0\x7F"s, Encoding::kUtf16Le), u"a\xDC00" "b");
}

// Converting writes the characters in the new encoding; a byte that was no
// character in code page 932 goes to UTF-8 as the same byte.
TEST(FileText, ConversionsKeepTheCharactersAndTheStrayBytes) {
  FileText file;
  const std::u16string text = file.Open("\x95\x5C\x80 \x82\xA0\0"s, Encoding::kShiftJis);
  file.set_encoding(Encoding::kUtf8);
  EXPECT_EQ(file.Encode(text), "\xE8\xA1\xA8\x80 \xE3\x81\x82\0"s);
  file.set_encoding(Encoding::kUtf16Be);
  EXPECT_EQ(file.Encode(text), "\xFE\xFF\x88\x68\xDC\x80\0 \x30\x42\0\0"s);
  file.set_encoding(Encoding::kShiftJis);
  // Shift_JIS cannot hold © or 𠮷: each is one "?", counted once.
  std::size_t unmappable = 0;
  EXPECT_EQ(file.Encode(u"©𠮷a", &unmappable), "??a");
  EXPECT_EQ(unmappable, 2u);
  file.set_encoding(Encoding::kUtf8);
  EXPECT_EQ(file.Encode(u"©𠮷a表", &unmappable), "©𠮷a表");
  EXPECT_EQ(unmappable, 0u);
}

// The save's question names the characters that would become "?" and their
// lines; a reserved unit is a byte of the file, and saves as it was.
TEST(FileText, CharactersShiftJisCannotHoldAreFoundWithTheirLines) {
  FileText file;
  const std::u16string text = u"表𠮷\r\n\xDC80\n\r©\r\r\n\xD800é";
  using Found = std::vector<FileText::Unmappable>;
  EXPECT_EQ(file.FindUnmappable(text, 10).size(), 4u);
  const Found found = file.FindUnmappable(text, 3);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].line, 1u);
  EXPECT_EQ(found[0].character, u"𠮷");
  EXPECT_EQ(found[1].line, 4u);
  EXPECT_EQ(found[1].character, u"©");
  EXPECT_EQ(found[2].line, 6u);
  EXPECT_EQ(found[2].character, u"\xD800");
  file.set_encoding(Encoding::kUtf8);
  EXPECT_TRUE(file.FindUnmappable(text, 10).empty());
}

// Every code of every character the code page spells more than once, in
// code order and then backwards: as Shift_JIS the file comes back byte for
// byte, and in UTF-8 each code is its character.
TEST(FileText, EveryDuplicateSpellingSavesAsItselfAndConvertsAsItsCharacter) {
  std::vector<std::pair<std::uint16_t, char16_t>> codes;
  std::map<char16_t, int> spellings;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      const char16_t u = cp932::DecodeDoubleByte(static_cast<unsigned char>(lead),
                                                 static_cast<unsigned char>(trail));
      if (u != 0) codes.push_back({static_cast<std::uint16_t>(lead << 8 | trail), u});
      if (u != 0) ++spellings[u];
    }
  }
  std::erase_if(codes, [&](const auto& c) { return spellings[c.second] < 2; });
  ASSERT_GT(codes.size(), 700u);
  std::string bytes;
  std::string utf8;
  const auto add = [&](const std::pair<std::uint16_t, char16_t>& c) {
    bytes += {static_cast<char>(c.first >> 8), static_cast<char>(c.first & 0xFF), '\n'};
    utf8 += {static_cast<char>(0xE0 | c.second >> 12), static_cast<char>(0x80 | (c.second >> 6 & 0x3F)),
             static_cast<char>(0x80 | (c.second & 0x3F)), '\n'};
  };
  std::for_each(codes.begin(), codes.end(), add);
  std::for_each(codes.rbegin(), codes.rend(), add);
  FileText file;
  const std::u16string text = file.Decode(bytes, Encoding::kShiftJis);
  EXPECT_EQ(text.size(), codes.size() * 4);
  EXPECT_EQ(file.Encode(text), bytes);
  file.set_encoding(Encoding::kUtf8);
  EXPECT_EQ(file.Encode(text), utf8);
}

// Edited, a text that spells 纊 both ways keeps each spelling on the
// occurrences left as they were, before and after the edit; new ones take the
// first spelling.
TEST(FileText, EditsKeepTheSpellingsOfTheCharactersAroundThem) {
  FileText file;
  const std::string a = "\xFA\x5C", b = "\xED\x40";  // both 纊
  const std::u16string text = file.Decode(a + "x" + b + "y" + b + "z" + a, Encoding::kShiftJis);
  ASSERT_EQ(text, u"纊x纊y纊z纊");
  EXPECT_EQ(file.Encode(u"纊" + text), a + a + "x" + b + "y" + b + "z" + a);
  EXPECT_EQ(file.Encode(text + u"纊"), a + "x" + b + "y" + b + "z" + a + a);
  EXPECT_EQ(file.Encode(u"纊x纊纊纊y纊z纊"), a + "x" + b + a + a + "y" + b + "z" + a);
  EXPECT_EQ(file.Encode(u"纊xyz纊"), a + "xyz" + a);
}

// Reopening in another encoding reads the same bytes another way; a UTF-8
// mark makes the document the marked kind.
TEST(FileText, DecodingInAChosenEncoding) {
  FileText file;
  EXPECT_EQ(file.Decode("\xE8\xA1\xA8", Encoding::kShiftJis), u"陦ｨ");
  EXPECT_EQ(file.Decode("\xEF\xBB\xBF\xE8\xA1\xA8", Encoding::kUtf8), u"表");
  EXPECT_EQ(file.encoding(), Encoding::kUtf8Bom);
  // Asked for the marked kind, a file without the mark keeps all its bytes.
  EXPECT_EQ(file.Decode("abcdef", Encoding::kUtf8Bom), u"abcdef");
  EXPECT_EQ(file.encoding(), Encoding::kUtf8);
}

}  // namespace
}  // namespace kestil

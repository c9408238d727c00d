#include "base/encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestil::encoding {
namespace {

// Detects from a buffer of exactly the input's size, so that the address
// sanitizer catches any read past the end.
Encoding DetectExact(const std::string& bytes, Encoding for_ascii) {
  const std::vector<char> buffer(bytes.begin(), bytes.end());
  return Detect(std::string_view(buffer.data(), buffer.size()), for_ascii);
}

// The label FindDeclaration points at, or "-" when it finds none.
std::string DeclaredLabel(const std::string& bytes) {
  const std::vector<char> buffer(bytes.begin(), bytes.end());
  const std::string_view view(buffer.data(), buffer.size());
  const auto d = FindDeclaration(view);
  if (!d) return "-";
  EXPECT_LE(d->begin, d->end);
  EXPECT_LE(d->end, view.size());
  EXPECT_EQ(d->encoding, EncodingOfLabel(view.substr(d->begin, d->end - d->begin)));
  return std::string(view.substr(d->begin, d->end - d->begin));
}

const std::string kUtf8Text = "<p>\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E</p>";  // 日本語
const std::string kShiftJisText = "<p>\x93\xFA\x96\x7B\x8C\xEA</p>";
const std::string kAsciiText = "<p>HTML</p>\r\n";
const std::string kDeclaresUtf8 = "<meta charset=\"utf-8\">";
const std::string kDeclaresShiftJis = "<meta charset=\"Shift_JIS\">";

TEST(Encoding, MarksOfEachEncoding) {
  EXPECT_EQ(ByteOrderMark(Encoding::kShiftJis), "");
  EXPECT_EQ(ByteOrderMark(Encoding::kUtf8), "");
  EXPECT_EQ(ByteOrderMark(Encoding::kUtf8Bom), "\xEF\xBB\xBF");
  EXPECT_EQ(ByteOrderMark(Encoding::kUtf16Le), "\xFF\xFE");
  EXPECT_EQ(ByteOrderMark(Encoding::kUtf16Be), "\xFE\xFF");
}

TEST(Encoding, AMarkDecidesAgainstContentAndDeclaration) {
  for (const Encoding e : {Encoding::kUtf8Bom, Encoding::kUtf16Le, Encoding::kUtf16Be}) {
    const std::string mark(ByteOrderMark(e));
    EXPECT_EQ(DetectExact(mark, Encoding::kShiftJis), e);
    EXPECT_EQ(DetectExact(mark + kShiftJisText, Encoding::kUtf8), e);
    EXPECT_EQ(DetectExact(mark + kDeclaresShiftJis + kUtf8Text, Encoding::kUtf8), e);
    EXPECT_EQ(DetectExact(mark + "x", Encoding::kShiftJis), e);
  }
  // The first bytes of a mark are no mark.
  EXPECT_EQ(DetectExact("\xEF\xBB", Encoding::kUtf8), Encoding::kShiftJis);
  EXPECT_EQ(DetectExact("\xFF", Encoding::kUtf8), Encoding::kShiftJis);
}

TEST(Encoding, WellFormedUtf8DecidesAgainstADeclaration) {
  EXPECT_EQ(DetectExact(kUtf8Text, Encoding::kShiftJis), Encoding::kUtf8);
  EXPECT_EQ(DetectExact(kDeclaresShiftJis + kUtf8Text, Encoding::kShiftJis), Encoding::kUtf8);
  EXPECT_EQ(DetectExact("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" + kUtf8Text,
                        Encoding::kShiftJis),
            Encoding::kUtf8);
  // Long enough for the block code, with a character at the very end.
  std::string long_text;
  while (long_text.size() < 5000) long_text += kAsciiText;
  EXPECT_EQ(DetectExact(long_text + "\xE3\x81\x82", Encoding::kShiftJis), Encoding::kUtf8);
  EXPECT_EQ(DetectExact(long_text + "\xE3\x81", Encoding::kUtf8), Encoding::kShiftJis);
}

TEST(Encoding, ADeclarationDecidesWhenTheContentDoesNot) {
  // ASCII only.
  EXPECT_EQ(DetectExact(kDeclaresUtf8 + kAsciiText, Encoding::kShiftJis), Encoding::kUtf8);
  EXPECT_EQ(DetectExact(kDeclaresShiftJis + kAsciiText, Encoding::kUtf8), Encoding::kShiftJis);
  // UTF-8 with a broken byte, and Shift_JIS, each declaring itself.
  EXPECT_EQ(DetectExact(kDeclaresUtf8 + kUtf8Text + "\x82" + kUtf8Text, Encoding::kShiftJis),
            Encoding::kUtf8);
  EXPECT_EQ(DetectExact(kDeclaresShiftJis + kShiftJisText, Encoding::kUtf8), Encoding::kShiftJis);
  // A declaration of an encoding Kestil does not read decides nothing.
  EXPECT_EQ(DetectExact("<meta charset=\"euc-jp\">" + kShiftJisText, Encoding::kUtf8),
            Encoding::kShiftJis);
  EXPECT_EQ(DetectExact("<meta charset=\"euc-jp\">" + kAsciiText, Encoding::kUtf8), Encoding::kUtf8);
  // The first declaration is the one that counts.
  EXPECT_EQ(DetectExact("<meta charset=\"euc-jp\">" + kDeclaresUtf8 + kAsciiText,
                        Encoding::kShiftJis),
            Encoding::kShiftJis);
}

TEST(Encoding, OtherFilesByWhatTheyHold) {
  // ASCII takes the encoding for new documents, without its mark.
  EXPECT_EQ(DetectExact(kAsciiText, Encoding::kShiftJis), Encoding::kShiftJis);
  EXPECT_EQ(DetectExact(kAsciiText, Encoding::kUtf8), Encoding::kUtf8);
  EXPECT_EQ(DetectExact(kAsciiText, Encoding::kUtf8Bom), Encoding::kUtf8);
  EXPECT_EQ(DetectExact(kAsciiText, Encoding::kUtf16Le), Encoding::kUtf8);
  EXPECT_EQ(DetectExact(kAsciiText, Encoding::kUtf16Be), Encoding::kUtf8);
  EXPECT_EQ(DetectExact("", Encoding::kShiftJis), Encoding::kShiftJis);
  EXPECT_EQ(DetectExact("", Encoding::kUtf8), Encoding::kUtf8);
  EXPECT_EQ(DetectExact(std::string("a\0b", 3), Encoding::kUtf8), Encoding::kUtf8);
  // Anything else is Shift_JIS, whatever new documents use.
  EXPECT_EQ(DetectExact(kShiftJisText, Encoding::kUtf8), Encoding::kShiftJis);
  EXPECT_EQ(DetectExact(kUtf8Text + "\xC0", Encoding::kUtf8), Encoding::kShiftJis);
  // UTF-16 without its mark (日本) is not recognized.
  EXPECT_EQ(DetectExact("\xE5\x65\x2C\x67", Encoding::kUtf8), Encoding::kShiftJis);
}

TEST(Encoding, EveryLabel) {
  for (const char* label : {"unicode-1-1-utf-8", "unicode11utf8", "unicode20utf8", "utf-8", "utf8",
                            "x-unicode20utf8", "UTF-8", " \tUtf8\r\n\f"}) {
    EXPECT_EQ(EncodingOfLabel(label), Encoding::kUtf8) << label;
    EXPECT_EQ(DetectExact(std::string("<meta charset='") + label + "'>", Encoding::kShiftJis),
              Encoding::kUtf8)
        << label;
  }
  for (const char* label : {"csshiftjis", "ms932", "ms_kanji", "shift-jis", "shift_jis", "sjis",
                            "windows-31j", "x-sjis", "Shift_JIS", "MS932", " SJIS "}) {
    EXPECT_EQ(EncodingOfLabel(label), Encoding::kShiftJis) << label;
    EXPECT_EQ(DetectExact(std::string("<meta charset='") + label + "'>", Encoding::kUtf8),
              Encoding::kShiftJis)
        << label;
  }
  for (const char* label : {"", "utf-16", "utf-16le", "euc-jp", "iso-2022-jp", "utf-8x", "utf_8",
                            "shift_jis2", "sjis\v", "u\xC5\xA7" "f-8"}) {
    EXPECT_EQ(EncodingOfLabel(label), std::nullopt) << label;
  }
}

TEST(Encoding, DeclarationForms) {
  EXPECT_EQ(DeclaredLabel("<meta charset=\"utf-8\">"), "utf-8");
  EXPECT_EQ(DeclaredLabel("<meta charset='UTF-8'>"), "UTF-8");
  EXPECT_EQ(DeclaredLabel("<META CharSet=Shift_JIS>"), "Shift_JIS");
  EXPECT_EQ(DeclaredLabel("<meta charset=utf-8/>"), "utf-8/");
  EXPECT_EQ(DeclaredLabel("<meta\tcharset = \" utf-8 \" >"), "utf-8");
  EXPECT_EQ(DeclaredLabel("<meta/charset=sjis>"), "sjis");
  EXPECT_EQ(DeclaredLabel("<meta name=x charset=utf8 charset=sjis>"), "utf8");
  EXPECT_EQ(DeclaredLabel("<meta http-equiv=\"Content-Type\" "
                          "content=\"text/html; charset=Shift_JIS\">"),
            "Shift_JIS");
  EXPECT_EQ(DeclaredLabel("<meta content='text/html;CHARSET = \"utf-8\"' http-equiv=content-type>"),
            "utf-8");
  EXPECT_EQ(DeclaredLabel("<meta http-equiv=content-type content=\"text/html; charset=x-sjis;x\">"),
            "x-sjis");
  EXPECT_EQ(DeclaredLabel("<meta http-equiv=content-type content=\"charsetx; charset=utf8\">"),
            "utf8");
  EXPECT_EQ(DeclaredLabel("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>"), "Shift_JIS");
  EXPECT_EQ(DeclaredLabel("<?xml version='1.0' encoding='utf-8' standalone='yes'?>"), "utf-8");
  // Found after other markup, and with its place in the bytes.
  const std::string page =
      "<!DOCTYPE html>\r\n<html lang=\"ja\"><head><title>a > b</title>\r\n"
      "<meta name=\"viewport\" content=\"width=device-width\"><meta charset=\"euc-jp\">";
  EXPECT_EQ(DeclaredLabel(page), "euc-jp");
  const auto d = FindDeclaration(page);
  ASSERT_TRUE(d.has_value());
  EXPECT_EQ(d->begin, page.size() - 8);
  EXPECT_EQ(d->end, page.size() - 2);
  EXPECT_EQ(d->encoding, std::nullopt);
}

TEST(Encoding, WhatIsNoDeclaration) {
  for (const char* bytes : {
           "<!-- <meta charset=\"utf-8\"> -->",
           "<!-- a > b <meta charset=\"utf-8\"> -->",
           "<a title=\"x><meta charset=utf-8>",
           "<a title=\"<meta charset=utf-8>\">",
           "<a title='x' data-x=\"<meta charset=utf-8>\">",
           "<metal charset=utf-8>",
           "<meta name=\"description\" content=\"charset=utf-8\">",
           "<meta http-equiv=\"refresh\" content=\"0; charset=utf-8\">",
           "<meta http-equiv=\"Content-Type\" content=\"text/html\">",
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset='utf-8\">",
           "<?xml-stylesheet encoding=\"utf-8\"?>",
           "<?xml version=\"1.0\"?>",
           "charset=\"utf-8\"",
           "<p>encoding=\"utf-8\"</p>",
       }) {
    EXPECT_EQ(DeclaredLabel(bytes), "-") << bytes;
  }
  // A comment that is closed at once does not hide what follows.
  EXPECT_EQ(DeclaredLabel("<!--><meta charset=sjis>"), "sjis");
}

TEST(Encoding, OnlyTheFirst1024BytesAreSearched) {
  const std::string decl = "<meta charset=\"utf-8\">";
  for (std::size_t filler = 990; filler < 1010; ++filler) {
    const std::string bytes = std::string(filler, ' ') + decl + kAsciiText;
    const bool whole = filler + decl.size() <= kDeclarationWindow;
    EXPECT_EQ(DeclaredLabel(bytes), whole ? "utf-8" : "-") << filler;
    EXPECT_EQ(DetectExact(bytes, Encoding::kShiftJis), whole ? Encoding::kUtf8 : Encoding::kShiftJis)
        << filler;
  }
  // Shift_JIS text first: the declaration after the window decides nothing.
  std::string late;
  while (late.size() < 1100) late += kShiftJisText;
  EXPECT_EQ(DetectExact(late + decl, Encoding::kUtf8), Encoding::kShiftJis);
}

// Every prefix of pages with declarations, so that each form is cut at every
// byte: a cut declaration counts for nothing, and nothing is read past the
// end.
TEST(Encoding, DeclarationsCutAtTheEnd) {
  const std::string forms[] = {
      "<meta charset=\"utf-8\">",
      "<meta charset=utf-8>",
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>",
      "<!-- x --><a href='y'><meta charset='utf-8'>",
  };
  for (const std::string& form : forms) {
    for (std::size_t cut = 0; cut <= form.size(); ++cut) {
      const std::string bytes = form.substr(0, cut);
      const bool whole = cut == form.size();
      EXPECT_EQ(DeclaredLabel(bytes), whole ? "utf-8" : "-") << bytes;
      EXPECT_EQ(DetectExact(bytes, Encoding::kShiftJis),
                whole ? Encoding::kUtf8 : Encoding::kShiftJis)
          << bytes;
    }
  }
}

}  // namespace
}  // namespace kestil::encoding

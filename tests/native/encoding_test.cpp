#include "base/encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestil::encoding {
namespace {

// From a buffer of exactly the input's size, for the address sanitizer.
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
  EXPECT_LE(d->end, view.size());
  EXPECT_EQ(d->encoding, EncodingOfLabel(view.substr(d->begin, d->end - d->begin)));
  return std::string(view.substr(d->begin, d->end - d->begin));
}

const std::string kUtf8Text = "<p>\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E</p>";  // 日本語
const std::string kShiftJisText = "<p>\x93\xFA\x96\x7B\x8C\xEA</p>";
const std::string kAsciiText = "<p>HTML</p>\r\n";
const std::string kDeclaresUtf8 = "<meta charset=\"utf-8\">";
const std::string kDeclaresShiftJis = "<meta charset=\"Shift_JIS\">";

// A mark beats well-formed UTF-8, which beats a declaration, which beats
// the rest; ASCII takes the encoding for new documents.
TEST(Encoding, DetectionRulesInOrder) {
  for (const Encoding e : {Encoding::kUtf8Bom, Encoding::kUtf16Le, Encoding::kUtf16Be}) {
    const std::string mark(ByteOrderMark(e));
    EXPECT_EQ(DetectExact(mark, Encoding::kShiftJis), e);
    EXPECT_EQ(DetectExact(mark + kDeclaresShiftJis + kUtf8Text, Encoding::kUtf8), e);
  }
  EXPECT_EQ(DetectExact("\xEF\xBB", Encoding::kUtf8), Encoding::kShiftJis);  // half a mark
  EXPECT_EQ(DetectExact(kDeclaresShiftJis + kUtf8Text, Encoding::kShiftJis), Encoding::kUtf8);
  // Long enough for the block code, with the deciding bytes at the very end.
  std::string long_text;
  while (long_text.size() < 5000) long_text += kAsciiText;
  EXPECT_EQ(DetectExact(long_text + "\xE3\x81\x82", Encoding::kShiftJis), Encoding::kUtf8);
  EXPECT_EQ(DetectExact(long_text + "\xE3\x81", Encoding::kUtf8), Encoding::kShiftJis);
  EXPECT_EQ(DetectExact(kDeclaresShiftJis + kShiftJisText, Encoding::kUtf8), Encoding::kShiftJis);
  EXPECT_EQ(DetectExact(kDeclaresUtf8 + kUtf8Text + "\x82", Encoding::kShiftJis), Encoding::kUtf8);
  // An unknown encoding's declaration decides nothing, and hides later ones.
  EXPECT_EQ(DetectExact("<meta charset=\"euc-jp\">" + kAsciiText, Encoding::kUtf8), Encoding::kUtf8);
  EXPECT_EQ(DetectExact("<meta charset=\"euc-jp\">" + kDeclaresUtf8 + kAsciiText,
                        Encoding::kShiftJis),
            Encoding::kShiftJis);
  EXPECT_EQ(DetectExact(kAsciiText, Encoding::kUtf16Le), Encoding::kUtf8);  // never a mark
  EXPECT_EQ(DetectExact("", Encoding::kUtf8), Encoding::kUtf8);
  EXPECT_EQ(DetectExact("\xE5\x65\x2C\x67", Encoding::kUtf8), Encoding::kShiftJis);  // UTF-16
}

TEST(Encoding, Labels) {
  for (const char* label : {"unicode-1-1-utf-8", "x-unicode20utf8", " \tUtf8\r\n\f"}) {
    EXPECT_EQ(EncodingOfLabel(label), Encoding::kUtf8) << label;
  }
  for (const char* label : {"csshiftjis", "MS932", "ms_kanji", "windows-31j", "x-sjis"}) {
    EXPECT_EQ(EncodingOfLabel(label), Encoding::kShiftJis) << label;
  }
  for (const char* label : {"", "utf-16", "utf_8", "sjis\v", "u\xC5\xA7" "f-8"}) {
    EXPECT_EQ(EncodingOfLabel(label), std::nullopt) << label;
  }
}

TEST(Encoding, DeclarationForms) {
  EXPECT_EQ(DeclaredLabel("<META\tCharSet = \" utf-8 \" >"), "utf-8");
  EXPECT_EQ(DeclaredLabel("<meta name=x charset=utf8 charset=sjis>"), "utf8");
  EXPECT_EQ(DeclaredLabel("<meta content='text/html;CHARSET = \"utf-8\"' http-equiv=content-type>"),
            "utf-8");
  EXPECT_EQ(DeclaredLabel("<meta http-equiv=content-type content=\"charsetx; charset=x-sjis;x\">"),
            "x-sjis");
  EXPECT_EQ(DeclaredLabel("<?xml version='1.0' encoding='utf-8' standalone='yes'?>"), "utf-8");
  EXPECT_EQ(DeclaredLabel("<!--><meta charset=sjis>"), "sjis");
  const std::string page = "<!DOCTYPE html>\r\n<title>a > b</title><meta charset=\"euc-jp\">";
  const auto d = FindDeclaration(page);
  ASSERT_TRUE(d.has_value());
  EXPECT_EQ(d->begin, page.size() - 8);
  EXPECT_EQ(d->end, page.size() - 2);
  EXPECT_EQ(d->encoding, std::nullopt);
}

TEST(Encoding, WhatIsNoDeclaration) {
  for (const char* bytes : {
           "<!-- a > b <meta charset=\"utf-8\"> -->",
           "<a title='x' data-x=\"<meta charset=utf-8>\">",
           "<metal charset=utf-8>",
           "<?xml-stylesheet encoding=\"utf-8\"?>",
           "<p>encoding=\"utf-8\"</p>",
       }) {
    EXPECT_EQ(DeclaredLabel(bytes), "-") << bytes;
  }
}

// Only the first 1024 bytes are searched; a declaration cut at the end of
// the bytes or of the window counts for nothing.
TEST(Encoding, DeclarationsCutShort) {
  for (std::size_t filler = 1002; filler < 1004; ++filler) {  // ends at byte 1024, 1025
    const std::string bytes = std::string(filler, ' ') + kDeclaresUtf8 + kAsciiText;
    EXPECT_EQ(DetectExact(bytes, Encoding::kShiftJis),
              filler == 1002 ? Encoding::kUtf8 : Encoding::kShiftJis);
  }
  for (const std::string form : {"<meta http-equiv=\"Content-Type\" content=\"charset=utf-8\">",
                                 "<?xml version=\"1.0\" encoding=\"utf-8\"?>"}) {
    for (std::size_t cut = 0; cut <= form.size(); ++cut) {
      EXPECT_EQ(DeclaredLabel(form.substr(0, cut)), cut == form.size() ? "utf-8" : "-") << cut;
    }
  }
}

// In a text the label is found at its units, past characters beyond ASCII,
// and is rewritten in the case it was written in.
TEST(Encoding, DeclarationsInATextAndTheirNewLabels) {
  const std::u16string text = u"<!-- 表𠮷 --><meta charset=\"Shift_JIS\">";
  const auto found = FindDeclarationIn(text);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(text.substr(found->begin, found->end - found->begin), u"Shift_JIS");
  EXPECT_FALSE(FindDeclarationIn(std::u16string(1024, u'表') + u"<meta charset=utf-8>"));
  EXPECT_EQ(LabelFor(Encoding::kUtf8Bom, "Shift_JIS"), "UTF-8");
  EXPECT_EQ(LabelFor(Encoding::kShiftJis, "utf-8"), "shift_jis");
  EXPECT_EQ(LabelFor(Encoding::kUtf16Be, "x-sjis"), "utf-16");
}

}  // namespace
}  // namespace kestil::encoding

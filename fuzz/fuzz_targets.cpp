// libFuzzer targets over the portable logic. One executable per target,
// chosen at build time by KESTIL_FUZZ_TARGET.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/options.h"
#include "base/profile.h"
#include "base/surface_text.h"
#include "base/codec.h"
#include "base/encoding.h"
#include "base/file_text.h"
#include "base/text16.h"
#include "base/utf16.h"
#include "base/utf8.h"
#include "base/text_width.h"
#include "check/markup_check.h"
#include "gradient/gradient.h"
#include "view/tools.h"

namespace {

#define CHECK(cond)     \
  do {                  \
    if (!(cond)) std::abort(); \
  } while (0)

using kestil::cp932::Spellings;

void Codec(const std::string& bytes) {
  Spellings memo;
  const std::u16string text = kestil::cp932::Decode(bytes, memo);
  CHECK(kestil::cp932::Encode(text, memo) == bytes);
  Spellings defaults = Spellings::Defaults();
  CHECK(kestil::cp932::Encode(kestil::cp932::Decode(bytes, defaults), defaults) == bytes);
}

void Utf8(const std::string& bytes) {
  const std::u16string text = kestil::utf8::Decode(bytes);
  CHECK(kestil::utf8::Encode(text) == bytes);
  CHECK(kestil::utf8::EncodedLength(text) == bytes.size());
  // Surrogates only in pairs or as reserved units for bytes from 0x80 on,
  // and the classification without decoding agrees with what decoding found.
  bool reserved = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF) {
      CHECK(i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF);
      ++i;
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      CHECK(kestil::utf8::IsEscape(u));
      reserved = true;
    }
  }
  bool ascii = true;
  for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  using kestil::utf8::Form;
  CHECK(kestil::utf8::Classify(bytes) ==
        (reserved ? Form::kIllFormed : ascii ? Form::kAscii : Form::kWellFormed));
  // The same bytes read as any text: Encode writes what EncodedLength says.
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  CHECK(kestil::utf8::Encode(units).size() == kestil::utf8::EncodedLength(units));
}

void Utf16(const std::string& bytes) {
  for (const bool big_endian : {false, true}) {
    const kestil::utf16::Decoded d = kestil::utf16::Decode(bytes, big_endian);
    CHECK(kestil::utf16::Encode(d.text, big_endian, d.trailing_byte) == bytes);
  }
}

// The first byte chooses the encoding for new documents.
void Detection(const std::string& bytes) {
  using kestil::Encoding;
  if (bytes.empty()) return;
  const auto for_ascii = static_cast<Encoding>(static_cast<unsigned char>(bytes[0]) % 5);
  const std::string rest = bytes.substr(1);
  const Encoding e = kestil::encoding::Detect(rest, for_ascii);
  CHECK(e == Encoding::kShiftJis || e == Encoding::kUtf8 || e == Encoding::kUtf8Bom ||
        e == Encoding::kUtf16Le || e == Encoding::kUtf16Be);
  if (kestil::utf8::Classify(rest) == kestil::utf8::Form::kWellFormed &&
      kestil::encoding::ByteOrderMark(e).empty()) {
    CHECK(e == Encoding::kUtf8);
  }
  for (const Encoding marked : {Encoding::kUtf8Bom, Encoding::kUtf16Le, Encoding::kUtf16Be}) {
    const std::string with_mark = std::string(kestil::encoding::ByteOrderMark(marked)) + rest;
    CHECK(kestil::encoding::Detect(with_mark, for_ascii) == marked);
  }
  if (const auto d = kestil::encoding::FindDeclaration(rest)) {
    CHECK(d->begin <= d->end && d->end <= kestil::encoding::kDeclarationWindow);
    CHECK(d->end <= rest.size());
    CHECK(d->encoding == kestil::encoding::EncodingOfLabel(rest.substr(d->begin, d->end - d->begin)));
  }
}

// The bytes as UTF-16 units, little-endian: any text the program may hold.
std::u16string UnitsOf(const std::string& bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return units;
}

// The first byte chooses the encoding; every file saves back unchanged, the
// text never holds NUL, and converting to any encoding and back to the same
// one keeps the characters.
void FileText(const std::string& bytes) {
  using kestil::Encoding;
  if (bytes.empty()) return;
  const auto e = static_cast<Encoding>(static_cast<unsigned char>(bytes[0]) % 5);
  const std::string rest = bytes.substr(1);
  kestil::FileText file;
  const std::u16string text = (bytes[0] & 0x80) ? file.Open(rest, e) : file.Decode(rest, e);
  CHECK(text.find(u'\0') == std::u16string::npos);
  const bool utf16 = file.encoding() == Encoding::kUtf16Le || file.encoding() == Encoding::kUtf16Be;
  const std::string mark(kestil::encoding::ByteOrderMark(file.encoding()));
  const std::string saved = file.Encode(text);
  const bool mark_added = utf16 && rest.compare(0, mark.size(), mark) != 0;
  const bool nul_and_dc00 = utf16 && text.find(u'\xDC00') != std::u16string::npos &&
                            rest.find(std::string("\0\0", 2)) != std::string::npos;
  if (!nul_and_dc00) CHECK(saved == (mark_added ? mark + rest : rest));
}

void TagCase(const std::string& bytes) {
  const std::u16string text = UnitsOf(bytes);
  const std::u16string upper = kestil::UpperAscii(text);
  CHECK(upper.size() == text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    CHECK(text[i] == upper[i] || (text[i] >= u'a' && text[i] <= u'z' && upper[i] == text[i] - 32));
  }
}

void Hankaku(const std::string& bytes) {
  const std::u16string text = UnitsOf(bytes);
  const std::u16string once = kestil::ToHankaku(text);
  CHECK(once.size() == text.size());
  CHECK(kestil::ToHankaku(once) == once);
}

void Gradient(const std::string& bytes) {
  if (bytes.size() < 6) return;
  const auto start = static_cast<kestil::ColorRef>(static_cast<unsigned char>(bytes[0]) |
                                                   static_cast<unsigned char>(bytes[1]) << 8 |
                                                   static_cast<unsigned char>(bytes[2]) << 16);
  const auto end = static_cast<kestil::ColorRef>(static_cast<unsigned char>(bytes[3]) |
                                                 static_cast<unsigned char>(bytes[4]) << 8 |
                                                 static_cast<unsigned char>(bytes[5]) << 16);
  const std::u16string text = UnitsOf(bytes.substr(6));
  const std::u16string markup = kestil::GradientMarkup(text, start, end, 0);
  const std::vector<std::u16string> chars = kestil::SplitCharacters(text);
  CHECK(markup.size() == text.size() + 29 * chars.size());
  // Upper case changes the markup's letters only: each character stands
  // where it stood, unit for unit.
  const std::u16string upper = kestil::GradientMarkup(text, start, end, 1);
  CHECK(upper.size() == markup.size());
  std::size_t at = 0;
  for (const std::u16string& c : chars) {
    CHECK(upper.compare(at + 22, c.size(), c) == 0);
    at += 29 + c.size();
  }
}

void Number(const std::string& bytes) {
  if (bytes.size() < 8) return;
  int a = 0;
  int b = 0;
  for (int i = 0; i < 4; ++i) a = a << 8 | static_cast<unsigned char>(bytes[i]);
  for (int i = 4; i < 8; ++i) b = b << 8 | static_cast<unsigned char>(bytes[i]);
  const int min = std::min(a, b);
  const int max = std::max(a, b);
  const std::u16string text = UnitsOf(bytes.substr(8));
  const kestil::NumberDecision d = kestil::ValidateNumber(text, min, max);
  if (d.rewrite && d.text != u"-") CHECK(d.text == kestil::Widen(std::to_string(d.value)));
  if (min >= 0 || max >= 0) CHECK((d.value >= min && d.value <= max) || d.value == 0);
}

void RelativePath(const std::string& bytes) {
  const std::u16string path = UnitsOf(bytes);
  const std::u16string link = kestil::RelativePathForLink(path, false);
  CHECK(link.size() <= path.size());
  CHECK(link.find(u'\\') == std::u16string::npos);
  const std::u16string escaped = kestil::RelativePathForLink(path, true);
  CHECK(escaped.find(u'\\') == std::u16string::npos);
  const std::u16string folder = kestil::FolderOfPath(path);
  CHECK(folder.size() <= path.size());
}

// Fills a profile with values of any type under the names the program reads.
void Options(const std::string& bytes) {
  static const char* const kNames[] = {
      "m_TopMost", "m_LastColor", "m_LastOpenDir", "m_LastOpenFilter", "m_TagStrType",
      "m_TabStop", "m_RegTitle_00", "m_RegStr_15", "m_RegCount", "m_RegStColor_00",
      "m_RegEdColor_05", "m_RegTitle_15", "DefStColor", "DefEdColor", "DefStr"};
  kestil::MemoryProfile profile;
  std::size_t i = 0;
  while (i + 6 <= bytes.size()) {
    const auto name = kNames[static_cast<unsigned char>(bytes[i]) % std::size(kNames)];
    const char* section = (bytes[i + 1] & 1) ? "Option" : "Dialog\\Grad";
    int number = 0;
    for (int k = 2; k < 6; ++k) number = number << 8 | static_cast<unsigned char>(bytes[i + k]);
    if (bytes[i + 1] & 2) {
      const std::size_t len = static_cast<unsigned char>(bytes[i + 2]) % 64;
      profile.WriteString(section, name, UnitsOf(bytes.substr(i + 6, len)));
      i += 6 + len;
    } else {
      profile.WriteInt(section, name, number);
      i += 6;
    }
  }
  kestil::KestilOptions options;
  options.LoadOptions(profile);
  kestil::GradientStore store;
  store.Load(profile);
  CHECK(store.m_RegCount >= 0 && store.m_RegCount <= kestil::GradientStore::kSlots);
  kestil::MemoryProfile out;
  options.SaveOptions(out);
  store.Save(out);
}

// The surface's spelling: every UTF-16 text comes back; any bytes decode to
// a text whose spelling decodes to it again; the forms found after an edit
// are those a fresh scan finds.
void Surface(const std::string& bytes) {
  namespace sf = kestil::surface;
  const std::u16string text = UnitsOf(bytes);
  const std::string spelled = sf::Encode(text);
  CHECK(sf::Decode(spelled) == text);
  CHECK(sf::UnitsOf(spelled) == text.size());
  const std::u16string loose = sf::Decode(bytes);
  CHECK(sf::Decode(sf::Encode(loose)) == loose);
  if (bytes.size() < 4) return;
  std::string edited = spelled;
  sf::SurrogateForms forms;
  forms.Reset(edited);
  const std::size_t units = text.size();
  const std::size_t a = sf::BytesOfUnits(edited, static_cast<unsigned char>(bytes[0]) % (units + 1));
  const std::size_t b = std::max(a, sf::BytesOfUnits(edited, static_cast<unsigned char>(bytes[1]) % (units + 1)));
  const std::string inserted = sf::Encode(text.substr(0, static_cast<unsigned char>(bytes[2]) % 8));
  edited.replace(a, b - a, inserted);
  forms.Replace(a, b - a, inserted.size());
  const std::size_t from = a >= 2 ? a - 2 : 0;
  forms.Rescan(from, std::string_view(edited).substr(from, a + inserted.size() + 2 - from));
  sf::SurrogateForms fresh;
  fresh.Reset(edited);
  CHECK(forms.starts() == fresh.starts());
}

// The markup check over any text: it finishes, and each finding's place,
// mark, line and column lie in the text and agree with one another (the
// line's start plus the columns before the place, as the jump dialog counts).
void Check(const std::string& bytes) {
  const std::u16string text = UnitsOf(bytes);
  const kestil::CheckResult r = kestil::CheckMarkup(text);
  CHECK(r.outcome == kestil::CheckOutcome::kDone || r.outcome == kestil::CheckOutcome::kTooDeep);
  std::size_t before = 0;
  for (const kestil::Finding& f : r.findings) {
    CHECK(f.position >= before && f.position <= f.mark_end && f.mark_end <= text.size());
    before = f.position;
    std::size_t line = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i < f.position; ++i) {
      if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'))) {
        ++line;
        start = i + 1;
      }
    }
    CHECK(f.line == line);
    CHECK(f.column == kestil::ColumnAfter(std::u16string_view(text).substr(start, f.position - start)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  KESTIL_FUZZ_TARGET(bytes);
  return 0;
}

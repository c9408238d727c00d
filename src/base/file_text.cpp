#include "base/file_text.h"

#include <algorithm>

#include "base/text16.h"
#include "base/utf16.h"
#include "base/utf8.h"

namespace kestil {
namespace {

constexpr char16_t kNulUnit = 0xDC00;

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::u16string FileText::Open(std::string_view bytes, Encoding for_ascii) {
  return Decode(bytes, encoding::Detect(bytes, for_ascii));
}

void FileText::Reset(Encoding e) {
  encoding_ = e;
  spellings_.Clear();
  spelled_.clear();
  trailing_byte_.reset();
  keep_dc00_ = false;
}

std::u16string FileText::Decode(std::string_view bytes, Encoding e) {
  // UTF-8 is marked or not as the file is, whichever was asked for.
  if (e == Encoding::kUtf8 || e == Encoding::kUtf8Bom) {
    e = StartsWith(bytes, encoding::ByteOrderMark(Encoding::kUtf8Bom)) ? Encoding::kUtf8Bom
                                                                        : Encoding::kUtf8;
  }
  Reset(e);
  std::u16string text;
  switch (e) {
    case Encoding::kShiftJis:
      cp932::DecodeInto(bytes, spellings_, text);
      if (spellings_.mixed()) spelled_ = text;
      return text;  // NUL is a reserved unit already
    case Encoding::kUtf8:
    case Encoding::kUtf8Bom:
      utf8::DecodeInto(bytes.substr(encoding::ByteOrderMark(e).size()), text);
      break;
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be: {
      const std::string_view mark = encoding::ByteOrderMark(e);
      utf16::Decoded d = utf16::Decode(StartsWith(bytes, mark) ? bytes.substr(mark.size()) : bytes,
                                       e == Encoding::kUtf16Be);
      text = std::move(d.text);
      trailing_byte_ = d.trailing_byte;
      const bool has_nul = text.find(u'\0') != std::u16string::npos;
      keep_dc00_ = !has_nul && text.find(kNulUnit) != std::u16string::npos;
      break;
    }
  }
  std::replace(text.begin(), text.end(), u'\0', kNulUnit);
  return text;
}

std::string FileText::Encode(std::u16string_view text, std::size_t* unmappable) const {
  std::size_t bad = 0;
  std::string bytes(encoding::ByteOrderMark(encoding_));
  switch (encoding_) {
    case Encoding::kShiftJis: {
      std::string body;
      if (spelled_.empty()) {
        cp932::EncodeInto(text, spellings_, body, &bad);
      } else {
        cp932::EncodeInto(text, spellings_.ForEdited(spelled_, text), body, &bad);
      }
      bytes += body;
      break;
    }
    case Encoding::kUtf8:
    case Encoding::kUtf8Bom:
      bytes += utf8::Encode(text, &bad);
      break;
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be: {
      std::u16string units(text);
      if (!keep_dc00_) std::replace(units.begin(), units.end(), kNulUnit, u'\0');
      bytes += utf16::Encode(units, encoding_ == Encoding::kUtf16Be, trailing_byte_);
      break;
    }
  }
  if (unmappable != nullptr) *unmappable = bad;
  return bytes;
}

std::vector<FileText::Unmappable> FileText::FindUnmappable(std::u16string_view text,
                                                           std::size_t limit) const {
  std::vector<Unmappable> found;
  if (encoding_ != Encoding::kShiftJis) return found;
  std::size_t line = 1;
  std::size_t counted = 0;  // line breaks before this offset are in line
  for (const std::size_t at : cp932::UnmappableOffsets(text, limit)) {
    for (; counted < at; ++counted) {
      if (text[counted] == u'\n' || (text[counted] == u'\r' && text[counted + 1] != u'\n')) ++line;
    }
    found.push_back({line, std::u16string(text.substr(at, CharUnits(text, at)))});
  }
  return found;
}

std::u16string_view EncodingName(Encoding e) {
  switch (e) {
    case Encoding::kShiftJis: return u"Shift_JIS";
    case Encoding::kUtf8: return u"UTF-8";
    case Encoding::kUtf8Bom: return u"UTF-8 BOM";
    case Encoding::kUtf16Le: return u"UTF-16 LE";
    case Encoding::kUtf16Be: return u"UTF-16 BE";
  }
  return u"";
}

}  // namespace kestil

#include "fw/text.h"

namespace fw {

namespace {
const kestil::cp932::Spellings& Defaults() {
  static const kestil::cp932::Spellings defaults = kestil::cp932::Spellings::Defaults();
  return defaults;
}
}  // namespace

std::wstring ToWide(std::string_view bytes) {
  kestil::cp932::Spellings memo = Defaults();
  return AsWide(kestil::cp932::Decode(bytes, memo));
}

std::string ToBytes(std::wstring_view wide) {
  const std::u16string u16 = AsU16(wide);
  return kestil::cp932::Encode(u16, Defaults());
}

}  // namespace fw

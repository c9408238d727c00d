#include "base/file_name.h"

#include <array>

namespace kestil {
namespace {

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool IsReservedDevice(std::u16string_view base) {
  static constexpr std::array<std::u16string_view, 6> kNames = {u"con", u"prn", u"aux", u"nul",
                                                                u"conin$", u"conout$"};
  for (const std::u16string_view name : kNames) {
    if (EqualsIgnoringCase(base, name)) return true;
  }
  // COM and LPT with one digit; Windows counts the superscripts ¹ ² ³ too.
  if (base.size() != 4) return false;
  const std::u16string_view stem = base.substr(0, 3);
  const char16_t digit = base[3];
  return (EqualsIgnoringCase(stem, u"com") || EqualsIgnoringCase(stem, u"lpt")) &&
         ((digit >= u'0' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' ||
          digit == u'\u00B3');
}

}  // namespace

FileNameProblem ProblemOfFileName(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  const std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
  for (const char16_t c : name) {
    if (c < 0x20 || std::u16string_view(u"<>:\"|?*").find(c) != std::u16string_view::npos) {
      return FileNameProblem::kForbiddenCharacter;
    }
  }
  // The device is reached whatever follows the first point ("aux.htm"),
  // and spaces before it do not count ("nul .txt").
  std::u16string_view base = name.substr(0, name.find(u'.'));
  while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
  return IsReservedDevice(base) ? FileNameProblem::kReservedDevice : FileNameProblem::kNone;
}

}  // namespace kestil

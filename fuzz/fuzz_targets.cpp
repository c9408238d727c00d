// libFuzzer targets over the portable logic. One executable per target,
// chosen at build time by KESTIL_FUZZ_TARGET.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/options.h"
#include "base/profile.h"
#include "base/codec.h"
#include "base/cp932.h"
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
  CHECK(kestil::cp932::EncodedLength(text) == bytes.size());
  Spellings defaults = Spellings::Defaults();
  CHECK(kestil::cp932::Encode(kestil::cp932::Decode(bytes, defaults), defaults) == bytes);
}

void TagCase(const std::string& bytes) {
  const std::string upper = kestil::cp932::UpperCased(bytes);
  CHECK(upper.size() == bytes.size());
  for (std::size_t i = 0; i < bytes.size(); i = kestil::cp932::NextChar(bytes, i)) {
    const std::size_t len = kestil::cp932::CharLength(bytes, i);
    for (std::size_t k = 0; k < len; ++k) {
      const char a = bytes[i + k];
      const char b = upper[i + k];
      CHECK(a == b || (len == 1 && a >= 'a' && a <= 'z' && b == a - 32));
    }
  }
}

void Hankaku(const std::string& bytes) {
  const std::string once = kestil::ToHankaku(bytes);
  CHECK(once.size() <= bytes.size());
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
  const std::string text = bytes.substr(6);
  const std::string markup = kestil::GradientMarkup(text, start, end, 0);
  const std::vector<std::string> chars = kestil::SplitCharacters(text);
  CHECK(markup.size() == text.size() + 29 * chars.size());
  // Upper case changes the markup's letters only: each character stands
  // where it stood, byte for byte.
  const std::string upper = kestil::GradientMarkup(text, start, end, 1);
  CHECK(upper.size() == markup.size());
  std::size_t at = 0;
  for (const std::string& c : chars) {
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
  const std::string text = bytes.substr(8);
  const kestil::NumberDecision d = kestil::ValidateNumber(text, min, max);
  if (d.rewrite && d.text != "-") CHECK(d.text == std::to_string(d.value));
  if (min >= 0 || max >= 0) CHECK((d.value >= min && d.value <= max) || d.value == 0);
}

void RelativePath(const std::string& bytes) {
  const std::string link = kestil::RelativePathForLink(bytes);
  CHECK(link.size() <= bytes.size());
  for (std::size_t i = 0; i < link.size(); i = kestil::cp932::NextChar(link, i)) {
    CHECK(!(link[i] == '\\' && kestil::cp932::CharLength(link, i) == 1));
  }
  const std::string folder = kestil::FolderOfPath(bytes);
  CHECK(folder.size() <= bytes.size());
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
      profile.WriteString(section, name, bytes.substr(i + 6, len));
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  KESTIL_FUZZ_TARGET(bytes);
  return 0;
}

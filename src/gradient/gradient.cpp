#include "gradient/gradient.h"

#include <algorithm>
#include <cstdio>

#include "base/text16.h"

namespace kestil {

const char kGradSection[] = "Dialog\\Grad";

namespace {

int Channel(ColorRef color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

}  // namespace

std::string ColorText(ColorRef color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", Channel(color, 0), Channel(color, 8),
                Channel(color, 16));
  return text;
}

ColorRef ShadowColor(ColorRef color) {
  auto down = [&](int shift) { return static_cast<ColorRef>(std::max(Channel(color, shift) - 64, 0)) << shift; };
  return down(0) | down(8) | down(16);
}

std::vector<std::u16string> SplitCharacters(std::u16string_view text) {
  std::vector<std::u16string> chars;
  for (std::size_t i = 0; i < text.size(); i = NextChar(text, i)) {
    chars.emplace_back(text.substr(i, CharUnits(text, i)));
  }
  return chars;
}

ColorRef GradientColor(ColorRef start, ColorRef end, std::size_t i, std::size_t n) {
  if (n < 2) return start & 0xFFFFFF;
  ColorRef color = 0;
  for (int shift : {0, 8, 16}) {
    const int s = Channel(start, shift);
    const int e = Channel(end, shift);
    const double v = static_cast<double>(e - s) / static_cast<double>(n - 1) *
                         static_cast<double>(i) +
                     s;
    const int channel = std::clamp(static_cast<int>(v), 0, 255);
    color |= static_cast<ColorRef>(channel) << shift;
  }
  return color;
}

std::u16string GradientMarkup(std::u16string_view text, ColorRef start, ColorRef end,
                              int tag_case, bool css) {
  const std::vector<std::u16string> chars = SplitCharacters(text);
  // Only the markup follows the tag case; the user's characters go in as typed.
  std::u16string open = css ? u"<span style=\"" : u"<font color=\"";
  std::u16string close = css ? u"</span>" : u"</font>";
  if (tag_case != 0) {
    UpperAsciiInPlace(open);
    UpperAsciiInPlace(close);
  }
  if (css) open += u"color:";
  std::u16string markup;
  markup.reserve(text.size() + 30 * chars.size());
  for (std::size_t i = 0; i < chars.size(); ++i) {
    std::u16string color = Widen(ColorText(GradientColor(start, end, i, chars.size())));
    if (tag_case != 0 && !css) UpperAsciiInPlace(color);
    markup += open;
    markup += color;
    markup += u"\">";
    markup += chars[i];
    markup += close;
  }
  return markup;
}

void GradientStore::Load(Profile& p) {
  m_RegCount = std::clamp(p.GetInt(kGradSection, "m_RegCount", m_RegCount), 0, kSlots);
  for (int i = 0; i < m_RegCount; ++i) {
    m_RegStColor[i] = static_cast<ColorRef>(p.GetInt(kGradSection, SlotName("m_RegStColor_%02d", i), 0));
    m_RegEdColor[i] = static_cast<ColorRef>(p.GetInt(kGradSection, SlotName("m_RegEdColor_%02d", i), 0));
    m_RegTitle[i] = p.GetString(kGradSection, SlotName("m_RegTitle_%02d", i), u"");
  }
  m_DefStColor = static_cast<ColorRef>(
      p.GetInt(kGradSection, "DefStColor", static_cast<int>(m_DefStColor)));
  m_DefEdColor = static_cast<ColorRef>(
      p.GetInt(kGradSection, "DefEdColor", static_cast<int>(m_DefEdColor)));
  m_DefStr = p.GetString(kGradSection, "DefStr", m_DefStr);
}

void GradientStore::Save(Profile& p) const {
  p.WriteInt(kGradSection, "m_RegCount", m_RegCount);
  for (int i = 0; i < m_RegCount && i < kSlots; ++i) {
    p.WriteInt(kGradSection, SlotName("m_RegStColor_%02d", i), static_cast<int>(m_RegStColor[i]));
    p.WriteInt(kGradSection, SlotName("m_RegEdColor_%02d", i), static_cast<int>(m_RegEdColor[i]));
    p.WriteString(kGradSection, SlotName("m_RegTitle_%02d", i), m_RegTitle[i]);
  }
  p.WriteInt(kGradSection, "DefStColor", static_cast<int>(m_DefStColor));
  p.WriteInt(kGradSection, "DefEdColor", static_cast<int>(m_DefEdColor));
  p.WriteString(kGradSection, "DefStr", m_DefStr);
}

}  // namespace kestil

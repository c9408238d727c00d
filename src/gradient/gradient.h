// Colour text, the per-character gradient markup, and the stored colour
// pairs of the gradient dialog.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/profile.h"

namespace kestil {

using ColorRef = std::uint32_t;  // red in bits 0-7, green 8-15, blue 16-23

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kBlue = 0xFF0000;

// "#rrggbb", lower-case digits, red first.
std::string ColorText(ColorRef color);

// Each channel reduced by 64, not below 0.
ColorRef ShadowColor(ColorRef color);

// One element per character (a surrogate pair is one), each in its own
// colour from start to end: v = (e - s) / (n - 1) * i + s in double
// precision, truncated toward zero and clamped to 0..255. Nothing is
// escaped. A text of one character gives that character in the start
// colour; an empty text gives nothing. A non-zero tag_case writes the tag,
// the attribute and the colour digits in capitals; the characters of the
// text keep their case either way. css: each character a span with its
// colour as CSS (<span style="color:#rrggbb">c</span>), which keeps its
// lower case; otherwise a font element.
std::u16string GradientMarkup(std::u16string_view text, ColorRef start, ColorRef end,
                              int tag_case, bool css = false);

// The characters of a text, each one unit or a surrogate pair (an unpaired
// surrogate stands alone).
std::vector<std::u16string> SplitCharacters(std::u16string_view text);

// The colour of character i of n.
ColorRef GradientColor(ColorRef start, ColorRef end, std::size_t i, std::size_t n);

// The stored colour pairs and the dialog's last state, section "Dialog\Grad".
struct GradientStore {
  static constexpr int kSlots = 16;
  int m_RegCount = 0;
  std::array<ColorRef, kSlots> m_RegStColor{};
  std::array<ColorRef, kSlots> m_RegEdColor{};
  std::array<std::u16string, kSlots> m_RegTitle;
  ColorRef m_DefStColor = kRed;  // the dialog's last colours and text
  ColorRef m_DefEdColor = kBlue;
  std::u16string m_DefStr;

  // A count outside 0..16 is bounded; a missing colour of a slot in use
  // reads as black.
  void Load(Profile& profile);
  void Save(Profile& profile) const;
};

extern const char kGradSection[];  // "Dialog\\Grad"

}  // namespace kestil

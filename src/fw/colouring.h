// How the surface colours a language: the lexer that styles it, its word
// lists, and the program's palette, one colour for each role of the markup.
#pragma once

#include <cstdint>

#include "base/language.h"

namespace fw {

// The roles of the palette.
enum class Role {
  kTag, kUnknownTag, kAttribute, kUnknownAttribute, kValue, kComment, kEntity, kDoctype,
  kScriptKeyword, kScriptString, kScriptComment, kScriptNumber, kScriptRegex,
  kCssSelector, kCssProperty, kCssUnknownProperty, kCssValue, kCssComment, kCssAtRule,
};

// The colour the palette gives the role.
std::uint32_t PaletteColour(Role role);

// Sets the component (through its direct function) to colour the language;
// plain text, or any language in the system's high-contrast mode, gets no
// lexer and the window's own colours.
using SurfaceCall = std::intptr_t (*)(std::intptr_t, unsigned int, std::uintptr_t, std::intptr_t);
void ApplyColouring(SurfaceCall call, std::intptr_t surface, kestil::Language language);

}  // namespace fw

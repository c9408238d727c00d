// Every user option and the sixteen snippets, as the application object holds
// them, with their loading from and saving to section "Option".
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/profile.h"

namespace kestil {

constexpr int kSnippetCount = 16;
extern const char kOptionSection[];    // "Option"
extern const char kEncodingSection[];  // "Encoding"
constexpr int kNewDocEncodings = 3;

struct KestilOptions {
  std::array<std::u16string, kSnippetCount> m_RegTitle;
  std::array<std::u16string, kSnippetCount> m_RegStr;
  std::u16string m_LastOpenDir;
  std::uint8_t m_TopMost = 0;
  std::uint32_t m_LastColor = 0x808080;
  std::int32_t m_LastOpenFilter = 0;
  std::int32_t m_TagStrType = 0;
  std::int32_t m_TabStop = 4;
  // The encoding of new documents: 0 Shift_JIS, 1 UTF-8, 2 UTF-8 with a
  // byte order mark; section "Encoding".
  std::int32_t m_NewDocEncoding = 0;
  // Section "View": colours for the markup, and line numbers (0 off).
  std::int32_t m_Highlight = 1;
  std::int32_t m_LineNumbers = 1;
  // Section "Markup": how the commands write (0 the classic markup, 1
  // HTML5 with CSS), and whether "</" completes the end tag (0 off).
  std::int32_t m_MarkupStyle = 0;
  std::int32_t m_AutoClose = 1;

  // Reads every option, each with its current value as the default.
  void LoadOptions(Profile& profile);
  // Writes all 38 values of "Option", defaults and empty snippets included,
  // the encoding for new documents, the two "View" values and the two
  // "Markup" values.
  void SaveOptions(Profile& profile) const;
};

std::string RegTitleName(int slot);  // "m_RegTitle_%02d"
std::string RegStrName(int slot);    // "m_RegStr_%02d"

}  // namespace kestil

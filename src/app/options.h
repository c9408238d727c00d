// Every user option and the sixteen snippets, as the application object holds
// them, with their loading from and saving to section "Option".
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/profile.h"

namespace kestil {

constexpr int kSnippetCount = 16;
extern const char kOptionSection[];  // "Option"

struct KestilOptions {
  std::array<std::string, kSnippetCount> m_RegTitle;
  std::array<std::string, kSnippetCount> m_RegStr;
  std::string m_LastOpenDir;
  std::uint8_t m_TopMost = 0;
  std::uint32_t m_LastColor = 0x808080;
  std::int32_t m_LastOpenFilter = 0;
  std::int32_t m_TagStrType = 0;
  std::int32_t m_TabStop = 4;

  // Reads every option, each with its current value as the default.
  void LoadOptions(Profile& profile);
  // Writes all 38 values, defaults and empty snippets included.
  void SaveOptions(Profile& profile) const;
};

std::string RegTitleName(int slot);  // "m_RegTitle_%02d"
std::string RegStrName(int slot);    // "m_RegStr_%02d"

}  // namespace kestil

#include "app/options.h"

namespace kestil {

const char kOptionSection[] = "Option";
const char kEncodingSection[] = "Encoding";
const char kViewSection[] = "View";
const char kMarkupSection[] = "Markup";

std::string RegTitleName(int slot) { return SlotName("m_RegTitle_%02d", slot); }
std::string RegStrName(int slot) { return SlotName("m_RegStr_%02d", slot); }

void KestilOptions::LoadOptions(Profile& p) {
  const std::string s = kOptionSection;
  m_TopMost = static_cast<std::uint8_t>(p.GetInt(s, "m_TopMost", m_TopMost) & 0xFF);
  m_LastColor = static_cast<std::uint32_t>(
      p.GetInt(s, "m_LastColor", static_cast<int>(m_LastColor)));
  m_LastOpenDir = p.GetString(s, "m_LastOpenDir", m_LastOpenDir);
  m_LastOpenFilter = p.GetInt(s, "m_LastOpenFilter", m_LastOpenFilter);
  m_TagStrType = p.GetInt(s, "m_TagStrType", m_TagStrType);
  m_TabStop = p.GetInt(s, "m_TabStop", m_TabStop);
  for (int n = 0; n < kSnippetCount; ++n) {
    m_RegTitle[n] = p.GetString(s, RegTitleName(n), m_RegTitle[n]);
    m_RegStr[n] = p.GetString(s, RegStrName(n), m_RegStr[n]);
  }
  m_NewDocEncoding = p.GetInt(kEncodingSection, "m_NewDocEncoding", m_NewDocEncoding);
  if (m_NewDocEncoding < 0 || m_NewDocEncoding >= kNewDocEncodings) m_NewDocEncoding = 0;
  m_Highlight = p.GetInt(kViewSection, "Highlight", m_Highlight) != 0 ? 1 : 0;
  m_LineNumbers = p.GetInt(kViewSection, "LineNumbers", m_LineNumbers) != 0 ? 1 : 0;
  m_MarkupStyle = p.GetInt(kMarkupSection, "Style", m_MarkupStyle);
  if (m_MarkupStyle < 0 || m_MarkupStyle > 1) m_MarkupStyle = 0;
  m_AutoClose = p.GetInt(kMarkupSection, "AutoClose", m_AutoClose) != 0 ? 1 : 0;
}

void KestilOptions::SaveOptions(Profile& p) const {
  const std::string s = kOptionSection;
  p.WriteInt(s, "m_TopMost", m_TopMost);
  p.WriteInt(s, "m_LastColor", static_cast<int>(m_LastColor));
  p.WriteString(s, "m_LastOpenDir", m_LastOpenDir);
  p.WriteInt(s, "m_LastOpenFilter", m_LastOpenFilter);
  p.WriteInt(s, "m_TagStrType", m_TagStrType);
  p.WriteInt(s, "m_TabStop", m_TabStop);
  for (int n = 0; n < kSnippetCount; ++n) {
    p.WriteString(s, RegTitleName(n), m_RegTitle[n]);
    p.WriteString(s, RegStrName(n), m_RegStr[n]);
  }
  p.WriteInt(kEncodingSection, "m_NewDocEncoding", m_NewDocEncoding);
  p.WriteInt(kViewSection, "Highlight", m_Highlight);
  p.WriteInt(kViewSection, "LineNumbers", m_LineNumbers);
  p.WriteInt(kMarkupSection, "Style", m_MarkupStyle);
  p.WriteInt(kMarkupSection, "AutoClose", m_AutoClose);
}

}  // namespace kestil

#include "app/options.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

// Every option survives a save and a load; the section holds exactly the 38
// values, the empty snippets included.
TEST(Options, EveryValueComesBackAndNothingElseIsWritten) {
  KestilOptions saved;
  saved.m_TopMost = 1;
  saved.m_LastColor = 0x00123456;
  saved.m_LastOpenDir = "C:\\site";
  saved.m_LastOpenFilter = 2;
  saved.m_TagStrType = 1;
  saved.m_TabStop = 7;
  saved.m_RegTitle[15] = "last";
  saved.m_RegStr[0] = "<h1></h1>";
  MemoryProfile p;
  saved.SaveOptions(p);
  EXPECT_EQ(p.values().size(), 38u);
  for (const auto& [key, value] : p.values()) EXPECT_EQ(key.first, "Option");
  KestilOptions loaded;
  loaded.LoadOptions(p);
  EXPECT_EQ(loaded.m_TopMost, 1);
  EXPECT_EQ(loaded.m_LastColor, 0x00123456u);
  EXPECT_EQ(loaded.m_LastOpenDir, "C:\\site");
  EXPECT_EQ(loaded.m_LastOpenFilter, 2);
  EXPECT_EQ(loaded.m_TagStrType, 1);
  EXPECT_EQ(loaded.m_TabStop, 7);
  EXPECT_EQ(loaded.m_RegTitle, saved.m_RegTitle);
  EXPECT_EQ(loaded.m_RegStr, saved.m_RegStr);
}

// The one-byte member takes the low byte; the colour keeps all 32 bits.
TEST(Options, NumbersAreTakenAsStored) {
  MemoryProfile p;
  p.WriteInt("Option", "m_TopMost", 0x1FF);
  p.WriteInt("Option", "m_LastColor", -1);
  KestilOptions o;
  o.LoadOptions(p);
  EXPECT_EQ(o.m_TopMost, 0xFF);
  EXPECT_EQ(o.m_LastColor, 0xFFFFFFFFu);
}

}  // namespace
}  // namespace kestil

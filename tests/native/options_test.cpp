#include "app/options.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

TEST(Options, FirstStartGivesDefaults) {
  MemoryProfile empty;
  KestilOptions o;
  o.LoadOptions(empty);
  EXPECT_EQ(o.m_TopMost, 0);
  EXPECT_EQ(o.m_LastColor, 0x808080u);
  EXPECT_EQ(o.m_LastOpenDir, "");
  EXPECT_EQ(o.m_LastOpenFilter, 0);
  EXPECT_EQ(o.m_TagStrType, 0);
  EXPECT_EQ(o.m_TabStop, 4);
  for (int n = 0; n < kSnippetCount; ++n) {
    EXPECT_EQ(o.m_RegTitle[n], "");
    EXPECT_EQ(o.m_RegStr[n], "");
  }
}

TEST(Options, SaveWritesAll38ValuesInOrder) {
  MemoryProfile p;
  KestilOptions().SaveOptions(p);
  const auto& order = p.write_order();
  ASSERT_EQ(order.size(), 38u);
  const char* head[] = {"m_TopMost",       "m_LastColor",  "m_LastOpenDir",
                        "m_LastOpenFilter", "m_TagStrType", "m_TabStop"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(order[i], (MemoryProfile::Key{"Option", head[i]}));
  }
  EXPECT_EQ(order[6].second, "m_RegTitle_00");
  EXPECT_EQ(order[7].second, "m_RegStr_00");
  EXPECT_EQ(order[26].second, "m_RegTitle_10");
  EXPECT_EQ(order[37].second, "m_RegStr_15");
  auto value = [&p](const char* name) { return p.values()[{"Option", name}]; };
  EXPECT_TRUE(value("m_TopMost").is_int);
  EXPECT_FALSE(value("m_LastOpenDir").is_int);
  EXPECT_EQ(value("m_LastColor").number, 8421504);
  EXPECT_FALSE(value("m_RegStr_15").is_int);
  // Reading goes in the same order.
  KestilOptions o;
  o.LoadOptions(p);
  EXPECT_EQ(p.read_order(), p.write_order());
}

TEST(Options, WrongTypesAndOddNumbersGiveDefaultsOrLowByte) {
  MemoryProfile p;
  p.WriteString("Option", "m_TabStop", "8");
  p.WriteInt("Option", "m_RegStr_03", 42);
  p.WriteInt("Option", "m_TopMost", 0x1FF);
  p.WriteInt("Option", "m_LastColor", -1);
  KestilOptions o;
  o.LoadOptions(p);
  EXPECT_EQ(o.m_TabStop, 4);
  EXPECT_EQ(o.m_RegStr[3], "");
  EXPECT_EQ(o.m_TopMost, 0xFF);
  EXPECT_EQ(o.m_LastColor, 0xFFFFFFFFu);
}

}  // namespace
}  // namespace kestil

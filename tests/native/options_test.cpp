#include "app/options.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

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

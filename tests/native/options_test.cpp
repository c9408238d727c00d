#include "app/options.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

// Every value is written, options first and then the slots, and read back
// in the same order.
TEST(Options, SaveWritesAll38ValuesAndLoadReadsThemInOrder) {
  MemoryProfile p;
  KestilOptions().SaveOptions(p);
  const auto& order = p.write_order();
  ASSERT_EQ(order.size(), 38u);
  EXPECT_EQ(order[0], (MemoryProfile::Key{"Option", "m_TopMost"}));
  EXPECT_EQ(order[5].second, "m_TabStop");
  EXPECT_EQ(order[7].second, "m_RegStr_00");
  EXPECT_EQ(order[37].second, "m_RegStr_15");
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

#include "app/options.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

// Every option survives a save and a load, characters beyond Shift_JIS
// included; "Option" holds exactly its 38 values, the empty snippets
// included, and the encoding for new documents has its own section.
TEST(Options, EveryValueComesBackAndNothingElseIsWritten) {
  KestilOptions saved;
  saved.m_LastColor = 0x00123456;
  saved.m_LastOpenDir = u"C:\\Users\\José\\𠮷";
  saved.m_RegTitle[15] = u"© last";
  saved.m_RegStr[0] = u"<h1>𠮷</h1>";
  saved.m_NewDocEncoding = 2;
  saved.m_LineNumbers = 0;
  saved.m_MarkupStyle = 1;
  saved.m_AutoClose = 0;
  MemoryProfile p;
  saved.SaveOptions(p);
  std::size_t in_option = 0;
  for (const auto& [key, value] : p.values()) in_option += key.first == "Option";
  EXPECT_EQ(in_option, 38u);
  // and m_NewDocEncoding in "Encoding", two in "View", two in "Markup"
  EXPECT_EQ(p.values().size(), 43u);
  KestilOptions loaded;
  loaded.LoadOptions(p);
  EXPECT_EQ(loaded.m_LastColor, 0x00123456u);
  EXPECT_EQ(loaded.m_LastOpenDir, saved.m_LastOpenDir);
  EXPECT_EQ(loaded.m_NewDocEncoding, 2);
  EXPECT_EQ(loaded.m_Highlight, 1);
  EXPECT_EQ(loaded.m_LineNumbers, 0);
  EXPECT_EQ(loaded.m_MarkupStyle, 1);
  EXPECT_EQ(loaded.m_AutoClose, 0);
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

// An encoding for new documents that Kestil does not offer reads as
// Shift_JIS, a way of writing it does not know as the classic markup.
TEST(Options, UnknownChoicesReadAsTheFirst) {
  for (const int stored : {-1, 3}) {
    MemoryProfile p;
    p.WriteInt("Encoding", "m_NewDocEncoding", stored);
    p.WriteInt("Markup", "Style", stored - 1);
    KestilOptions o;
    o.m_NewDocEncoding = 1;
    o.m_MarkupStyle = 1;
    o.LoadOptions(p);
    EXPECT_EQ(o.m_NewDocEncoding, 0) << stored;
    EXPECT_EQ(o.m_MarkupStyle, 0) << stored;
  }
}

}  // namespace
}  // namespace kestil

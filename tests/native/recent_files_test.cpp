#include "base/recent_files.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

TEST(RecentFiles, NewestFirstWithoutDuplicatesAndBounded) {
  RecentFiles list(3);
  list.Add("C:\\a.htm");
  list.Add("C:\\b.htm");
  list.Add("c:\\A.HTM");
  EXPECT_EQ(list.entries(), (std::vector<std::string>{"c:\\A.HTM", "C:\\b.htm"}));
  list.Add("C:\\c.htm");
  list.Add("C:\\d.htm");
  EXPECT_EQ(list.entries(), (std::vector<std::string>{"C:\\d.htm", "C:\\c.htm", "c:\\A.HTM"}));
  list.Remove(1);
  list.Remove(7);
  EXPECT_EQ(list.entries(), (std::vector<std::string>{"C:\\d.htm", "c:\\A.HTM"}));
}

TEST(RecentFiles, MenuTexts) {
  EXPECT_EQ(RecentFiles::MenuText(0, "C:\\a&b.htm"), "&1 C:\\a&&b.htm");
  EXPECT_EQ(RecentFiles::MenuText(9, "x"), "1&0 x");
  EXPECT_EQ(RecentFiles::MenuText(15, "x"), "16 x");
  // An '&' as the second byte of a two-byte character is not doubled.
  EXPECT_EQ(RecentFiles::MenuText(1, "\x83\x26"), "&2 \x83\x26");
}

}  // namespace
}  // namespace kestil

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

// The menu keeps a long path's root and its name and leaves out folders from
// the left, as many as it must to stay within the limit.
TEST(RecentFiles, LongPathsLoseTheirMiddleFolders) {
  EXPECT_EQ(RecentFiles::CompactPath("C:\\one\\two\\three\\name.htm", 25),
            "C:\\one\\two\\three\\name.htm");  // 25 characters: as it is
  EXPECT_EQ(RecentFiles::CompactPath("C:\\one\\two\\three\\name.htm", 21), "C:\\...\\three\\name.htm");
  EXPECT_EQ(RecentFiles::CompactPath("C:\\one\\two\\three\\name.htm", 20), "C:\\...\\name.htm");
  EXPECT_EQ(RecentFiles::CompactPath("C:/one/two/name.htm", 15), "C:/.../name.htm");
  EXPECT_EQ(RecentFiles::CompactPath("\\\\server\\share\\one\\two\\name.htm", 30),
            "\\\\server\\share\\...\\name.htm");
  EXPECT_EQ(RecentFiles::CompactPath("\\\\?\\UNC\\server\\share\\one\\name.htm", 20),
            "\\\\?\\UNC\\server\\share\\...\\name.htm");
  EXPECT_EQ(RecentFiles::CompactPath("\\\\?\\C:\\one\\two\\name.htm", 20), "\\\\?\\C:\\...\\name.htm");
  // The name stays whole, even alone over the limit; with no folder there is
  // nothing to leave out.
  const std::string name(80, 'x');
  EXPECT_EQ(RecentFiles::CompactPath("C:\\a\\" + name, 60), "C:\\...\\" + name);
  EXPECT_EQ(RecentFiles::CompactPath("C:\\" + name, 60), "C:\\" + name);
}

// Characters are counted and stepped as characters: 表 (95 5C) is one, and
// its second byte is no separator.
TEST(RecentFiles, TwoByteFolderNamesStayWhole) {
  std::string folder;
  for (int i = 0; i < 30; ++i) folder += "\x95\x5C";
  const std::string fits = "C:\\" + folder + "\\a.htm";  // 69 bytes, 39 characters
  EXPECT_EQ(RecentFiles::CompactPath(fits, 60), fits);
  EXPECT_EQ(RecentFiles::CompactPath("C:\\" + folder + "\\" + folder + "\\a.htm", 60),
            "C:\\...\\" + folder + "\\a.htm");
}

TEST(RecentFiles, MenuTextsOfLongPathsAreShortenedThenEscaped) {
  const std::string path = "C:\\a&b\\" + std::string(60, 'f') + "\\c&d.htm";
  EXPECT_EQ(RecentFiles::MenuText(0, path), "&1 C:\\...\\c&&d.htm");
  std::string deep = "C:";
  for (int i = 0; i < 20; ++i) deep += "\\abcd";
  std::string nine;
  for (int i = 0; i < 9; ++i) nine += "\\abcd";
  EXPECT_EQ(RecentFiles::MenuText(1, deep + "\\name.htm"), "&2 C:\\..." + nine + "\\name.htm");  // 60
}

}  // namespace
}  // namespace kestil

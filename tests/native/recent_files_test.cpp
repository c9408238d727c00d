#include "base/recent_files.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

TEST(RecentFiles, NewestFirstWithoutDuplicatesAndBounded) {
  RecentFiles list(3);
  list.Add(u"C:\\a.htm");
  list.Add(u"C:\\b.htm");
  list.Add(u"c:\\A.HTM");
  EXPECT_EQ(list.entries(), (std::vector<std::u16string>{u"c:\\A.HTM", u"C:\\b.htm"}));
  list.Add(u"C:\\c.htm");
  list.Add(u"C:\\d.htm");
  list.Remove(1);
  list.Remove(7);
  EXPECT_EQ(list.entries(), (std::vector<std::u16string>{u"C:\\d.htm", u"c:\\A.HTM"}));
}

TEST(RecentFiles, MenuTexts) {
  EXPECT_EQ(RecentFiles::MenuText(0, u"C:\\a&b.htm"), u"&1 C:\\a&&b.htm");
  EXPECT_EQ(RecentFiles::MenuText(9, u"x"), u"1&0 x");
  EXPECT_EQ(RecentFiles::MenuText(15, u"x"), u"16 x");
}

// The menu keeps a long path's root and its name and leaves out folders from
// the left, as many as it must to stay within the limit.
TEST(RecentFiles, LongPathsLoseTheirMiddleFolders) {
  EXPECT_EQ(RecentFiles::CompactPath(u"C:\\one\\two\\three\\name.htm", 21), u"C:\\...\\three\\name.htm");
  EXPECT_EQ(RecentFiles::CompactPath(u"C:\\one\\two\\three\\name.htm", 20), u"C:\\...\\name.htm");
  EXPECT_EQ(RecentFiles::CompactPath(u"\\\\?\\UNC\\server\\share\\one\\name.htm", 20),
            u"\\\\?\\UNC\\server\\share\\...\\name.htm");
  // The name stays whole, even alone over the limit; with no folder there is
  // nothing to leave out.
  const std::u16string name(80, u'x');
  EXPECT_EQ(RecentFiles::CompactPath(u"C:\\a\\" + name, 60), u"C:\\...\\" + name);
  EXPECT_EQ(RecentFiles::CompactPath(u"C:\\" + name, 60), u"C:\\" + name);
}

// A surrogate pair counts as one character; menu texts are shortened, then
// escaped.
TEST(RecentFiles, PairsCountAsOneAndMenuTextsAreShortened) {
  std::u16string folder;
  for (int i = 0; i < 30; ++i) folder += u"𠮷";
  const std::u16string fits = u"C:\\" + folder + u"\\a.htm";  // 69 units, 39 characters
  EXPECT_EQ(RecentFiles::CompactPath(fits, 60), fits);
  const std::u16string path = u"C:\\a&b\\" + std::u16string(60, u'f') + u"\\c&d.htm";
  EXPECT_EQ(RecentFiles::MenuText(0, path), u"&1 C:\\...\\c&&d.htm");
}

}  // namespace
}  // namespace kestil

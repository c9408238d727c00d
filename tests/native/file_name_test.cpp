#include "base/file_name.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

TEST(FileName, NamesWindowsRefusesAreToldApart) {
  for (const std::u16string_view path :
       {u"C:\\site\\con", u"nul", u"C:\\site\\aux.htm", u"com1.txt", u"LPT9", u"Prn.tar.gz",
        u"nul .txt", u"com\u00B9", u"d/CONOUT$"}) {
    EXPECT_EQ(ProblemOfFileName(path), FileNameProblem::kReservedDevice)
        << std::string(path.begin(), path.end());
  }
  for (const std::u16string_view path :
       {u"C:\\site\\a\u0001b.htm", u"a:b", u"what?.txt", u"x*", u"<p>", u"a|b", u"\"q\"", u"\t"}) {
    EXPECT_EQ(ProblemOfFileName(path), FileNameProblem::kForbiddenCharacter);
  }
  // Only the last part counts, and only the whole part before the point.
  for (const std::u16string_view path :
       {u"C:\\site\\index.htm", u"C:\\con2\\a.txt", u"console.log", u"com10", u"lpt", u"com",
        u"auxiliary.htm", u"x.con", u"表.txt", u"C:\\"}) {
    EXPECT_EQ(ProblemOfFileName(path), FileNameProblem::kNone);
  }
}

}  // namespace
}  // namespace kestil

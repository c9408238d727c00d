#include "snippets/snippet_menu.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

TEST(SnippetMenu, TextsAndStates) {
  EXPECT_EQ(SnippetMenuText(0, u"", u"").text, u"未登録(&0)");
  EXPECT_FALSE(SnippetMenuText(15, u"", u"").enabled);
  EXPECT_EQ(SnippetMenuText(15, u"", u"").text, u"未登録(&F)");
  EXPECT_EQ(SnippetMenuText(11, u"title", u"body").text, u"title(&B)");
  EXPECT_TRUE(SnippetMenuText(11, u"title", u"").enabled);
  const auto body_only = SnippetMenuText(3, u"", u"x");
  EXPECT_EQ(body_only.text, u"(&3)");
  EXPECT_TRUE(body_only.enabled);
  // '&' is shown as typed; any other character is kept as it is.
  EXPECT_EQ(SnippetMenuText(10, u"A&B", u"x").text, u"A&&B(&A)");
  EXPECT_EQ(SnippetMenuText(1, u"ソ&表©𠮷", u"x").text, u"ソ&&表©𠮷(&1)");
}

}  // namespace
}  // namespace kestil

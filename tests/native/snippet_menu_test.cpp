#include "snippets/snippet_menu.h"

#include <gtest/gtest.h>

namespace kestil {
namespace {

TEST(SnippetMenu, TextsAndStates) {
  EXPECT_EQ(SnippetMenuText(0, "", "").text, "\x96\xA2\x93\x6F\x98\x5E(&0)");
  EXPECT_FALSE(SnippetMenuText(15, "", "").enabled);
  EXPECT_EQ(SnippetMenuText(15, "", "").text, "\x96\xA2\x93\x6F\x98\x5E(&F)");
  EXPECT_EQ(SnippetMenuText(11, "title", "body").text, "title(&B)");
  EXPECT_TRUE(SnippetMenuText(11, "title", "").enabled);
  const auto body_only = SnippetMenuText(3, "", "x");
  EXPECT_EQ(body_only.text, "(&3)");
  EXPECT_TRUE(body_only.enabled);
  // '&' is shown as typed; a second byte that is not '&' is never doubled.
  EXPECT_EQ(SnippetMenuText(10, "A&B", "x").text, "A&&B(&A)");
  EXPECT_EQ(SnippetMenuText(1, "\x83\x5C&\x95\x5C", "x").text, "\x83\x5C&&\x95\x5C(&1)");
}

}  // namespace
}  // namespace kestil

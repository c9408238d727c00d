#include "contract/edit_contract.h"
#include "view/memory_edit.h"

namespace kestil::testing {

INSTANTIATE_TEST_SUITE_P(Memory, EditContract,
                         ::testing::Values(EditBackend{
                             "memory", [] { return std::make_unique<MemoryEdit>(); }}),
                         [](const auto& info) { return info.param.name; });

TEST(MemoryEdit, CountsScrolls) {
  MemoryEdit e("abc");
  InsertText(e, "x", kCaretNone, 0);
  EXPECT_EQ(e.scroll_count(), 0);
  InsertText(e, "x", kCaretAfter, 0);
  EXPECT_EQ(e.scroll_count(), 1);
}

}  // namespace kestil::testing

#include "base/undo_history.h"

#include <gtest/gtest.h>

#include <string>

namespace kestil {
namespace {

using History = UndoHistory<std::string>;

History::Step Typed(std::size_t at, const char* ch, std::uint32_t time) {
  return {at, "", ch, true, time};
}

TEST(UndoHistory, TypingRunsJoinUntilABreakAJumpOrAPause) {
  History h;
  h.Record(Typed(0, "a", 0));
  h.Record(Typed(1, "b", 100));
  h.Record(Typed(2, "c", 200));
  EXPECT_EQ(h.size(), 1u);
  h.Record(Typed(3, "\r\n", 300));  // a line break is a step of its own
  h.Record(Typed(5, "d", 400));
  EXPECT_EQ(h.size(), 3u);
  h.Record(Typed(9, "e", 500));  // the caret jumped
  EXPECT_EQ(h.size(), 4u);
  h.Record(Typed(10, "f", 500 + History::kPause + 1));  // a pause
  EXPECT_EQ(h.size(), 5u);
  h.Record({10, "x", "y", false, 600});  // a command is never joined
  h.Record(Typed(11, "g", 600));
  EXPECT_EQ(h.size(), 7u);
  EXPECT_EQ(h.Undo().inserted, "g");
  EXPECT_EQ(h.Undo().removed, "x");
  EXPECT_EQ(h.Redo().inserted, "y");
}

TEST(UndoHistory, ModifiedMeansDifferentFromTheSavedState) {
  History h;
  EXPECT_FALSE(h.IsModified());
  h.Record({0, "", "a", false, 0});
  EXPECT_TRUE(h.IsModified());
  h.MarkSaved();
  EXPECT_FALSE(h.IsModified());
  h.Record(Typed(1, "b", 0));  // does not join across the save
  h.Record(Typed(2, "c", 0));
  EXPECT_EQ(h.size(), 2u);
  h.Undo();
  EXPECT_FALSE(h.IsModified());
  h.Undo();
  EXPECT_TRUE(h.IsModified());
  h.Redo();
  EXPECT_FALSE(h.IsModified());
  // A new change after undoing past the save makes the saved state unreachable.
  h.Undo();
  h.Record({0, "a", "z", false, 0});
  EXPECT_TRUE(h.IsModified());
  h.Undo();
  EXPECT_TRUE(h.IsModified());
  EXPECT_FALSE(h.CanUndo());
  EXPECT_TRUE(h.CanRedo());
  // A change that is no change records nothing; a lost history is modified.
  h.Record({0, "q", "q", false, 0});
  EXPECT_TRUE(h.CanRedo());
  h.Lose();
  EXPECT_FALSE(h.CanUndo());
  EXPECT_TRUE(h.IsModified());
  h.Clear();
  EXPECT_FALSE(h.IsModified());
}

}  // namespace
}  // namespace kestil

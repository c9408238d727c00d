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
  EXPECT_EQ(h.size(), 1u);
  h.Record(Typed(2, "\r\n", 300));                      // a line break is a step of its own
  h.Record(Typed(4, "d", 400));
  h.Record(Typed(9, "e", 500));                         // the caret jumped
  h.Record(Typed(10, "f", 500 + History::kPause + 1));  // a pause
  h.Record({10, "x", "y", false, 600});                 // a command is never joined
  h.Record(Typed(11, "g", 600));
  EXPECT_EQ(h.size(), 7u);
  EXPECT_EQ(h.Undo().inserted, "g");
}

TEST(UndoHistory, ModifiedMeansDifferentFromTheSavedState) {
  History h;
  h.Record({0, "", "a", false, 0});
  EXPECT_TRUE(h.IsModified());
  h.MarkSaved();
  h.Record(Typed(1, "b", 0));  // does not join across the save
  h.Record(Typed(2, "c", 0));
  EXPECT_EQ(h.size(), 2u);
  h.Undo();
  EXPECT_FALSE(h.IsModified());
  // A new change after undoing past the save makes the saved state unreachable.
  h.Undo();
  h.Record({0, "a", "z", false, 0});
  h.Undo();
  EXPECT_TRUE(h.IsModified());
  EXPECT_TRUE(h.CanRedo());
  h.Record({0, "q", "q", false, 0});  // no change: nothing recorded
  EXPECT_TRUE(h.CanRedo());
  h.Lose();  // a lost history is modified
  EXPECT_TRUE(h.IsModified());
  h.Clear();
  EXPECT_FALSE(h.IsModified());
}

// Beyond its bound the history drops its oldest steps; the newest still undo
// exactly, and a saved state that was dropped can no longer be reached.
TEST(UndoHistory, ABoundedHistoryKeepsTheNewestSteps) {
  std::string text;
  History h;
  h.SetLimit(10);
  h.MarkSaved();
  auto replace = [&](std::size_t at, std::size_t length, const std::string& put) {
    h.Record({at, text.substr(at, length), put, false, 0});
    text.replace(at, length, put);
  };
  replace(0, 0, "abcd");     // holds 4
  replace(0, 2, "XY");       // 8
  replace(4, 0, "1234");     // 12: the first step goes
  EXPECT_EQ(h.size(), 2u);
  auto undo = [&] {
    const History::Step& s = h.Undo();
    text.replace(s.at, s.inserted.size(), s.removed);
  };
  undo();
  undo();
  EXPECT_EQ(text, "abcd");
  EXPECT_FALSE(h.CanUndo());
  EXPECT_TRUE(h.IsModified());  // the empty text it was saved as is out of reach
  replace(0, 4, std::string(20, 'z'));  // larger than the bound: alone
  EXPECT_EQ(h.size(), 1u);
  h.Forget();
  EXPECT_FALSE(h.CanUndo());
  EXPECT_TRUE(h.IsModified());
}

}  // namespace
}  // namespace kestil

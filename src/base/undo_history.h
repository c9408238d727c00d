// The undo history of a text: each step replaced `removed` at a position by
// `inserted`. Typed characters that continue one another form one step; a
// line break, a jump of the caret or a pause ends the run. The history also
// knows whether it stands at the state last saved, and holds at most a
// bounded amount of text: beyond it the oldest steps go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

namespace kestil {

template <class Text>
class UndoHistory {
 public:
  struct Step {
    std::size_t at = 0;
    Text removed;
    Text inserted;
    bool typing = false;       // a typed character, which may join the last step
    std::uint32_t time = 0;    // milliseconds, for the pause that ends a run
    // A setting of the document that the step changed with the text (its
    // line ending), before and after; -1 when the step left it alone.
    int setting_before = -1;
    int setting_after = -1;
  };

  static constexpr std::uint32_t kPause = 1500;

  // Forgets every step; the text as it is counts as saved.
  void Clear() {
    steps_.clear();
    held_ = 0;
    index_ = 0;
    saved_ = 0;
  }

  // Forgets every step but not whether the text differs from the saved one.
  void Forget() {
    const bool modified = IsModified();
    Clear();
    if (modified) saved_ = kUnreachable;
  }

  // The most text (in characters of Text, removed and inserted together)
  // that the steps may hold; the newest step is always kept.
  void SetLimit(std::size_t units) {
    limit_ = units;
    Trim();
  }

  void Record(Step step) {
    if (step.removed == step.inserted) return;  // nothing changed
    if (index_ < steps_.size()) {
      while (steps_.size() > index_) DropNewest();  // the steps that could be redone are gone
      if (saved_ > index_) saved_ = kUnreachable;
    }
    if (CanJoin(step)) {
      Step& last = steps_.back();
      last.inserted += step.inserted;
      last.time = step.time;
      held_ += step.inserted.size();
    } else {
      held_ += step.removed.size() + step.inserted.size();
      steps_.push_back(std::move(step));
      ++index_;
    }
    Trim();
  }

  bool CanUndo() const { return index_ > 0; }
  bool CanRedo() const { return index_ < steps_.size(); }
  // The step to revert (replace `inserted` at `at` by `removed`).
  const Step& Undo() { return steps_[--index_]; }
  // The step to apply again.
  const Step& Redo() { return steps_[index_++]; }
  // The step recorded last, while nothing stands to be redone; null otherwise.
  Step* Newest() { return index_ != 0 && index_ == steps_.size() ? &steps_.back() : nullptr; }

  void MarkSaved() { saved_ = index_; }
  // The saved state can no longer be reached by undo or redo.
  void Unsave() { saved_ = kUnreachable; }
  // A change that could not be recorded: the history is gone and the text
  // differs from the saved state.
  void Lose() {
    Clear();
    saved_ = kUnreachable;
  }
  // False only where the history stands at the saved state; true may still
  // be a text equal to it, reached by other steps.
  bool IsModified() const { return saved_ != index_; }
  std::size_t size() const { return steps_.size(); }
  std::size_t held() const { return held_; }

 private:
  static constexpr std::size_t kUnreachable = static_cast<std::size_t>(-1);

  void DropNewest() {
    held_ -= steps_.back().removed.size() + steps_.back().inserted.size();
    steps_.pop_back();
    if (saved_ != kUnreachable && saved_ > steps_.size()) saved_ = kUnreachable;
  }

  void Trim() {
    while (held_ > limit_ && steps_.size() > 1) {
      if (index_ == 0) {  // only steps to redo: the farthest goes
        DropNewest();
        continue;
      }
      held_ -= steps_.front().removed.size() + steps_.front().inserted.size();
      steps_.pop_front();
      --index_;
      if (saved_ == 0) {
        saved_ = kUnreachable;  // the saved state lay before the dropped step
      } else if (saved_ != kUnreachable) {
        --saved_;
      }
    }
  }

  bool CanJoin(const Step& step) const {
    if (!step.typing || steps_.empty() || index_ != steps_.size() || saved_ == index_) return false;
    const Step& last = steps_.back();
    if (!last.typing || !step.removed.empty() || HasLineBreak(step.inserted) ||
        HasLineBreak(last.inserted)) {
      return false;
    }
    return step.at == last.at + last.inserted.size() && step.time - last.time <= kPause;
  }

  static bool HasLineBreak(const Text& text) {
    for (auto c : text) {
      if (c == '\r' || c == '\n') return true;
    }
    return false;
  }

  std::deque<Step> steps_;
  std::size_t held_ = 0;                     // characters the steps hold
  std::size_t limit_ = static_cast<std::size_t>(-1);
  std::size_t index_ = 0;  // steps applied
  std::size_t saved_ = 0;  // steps applied when the text was saved
};

}  // namespace kestil

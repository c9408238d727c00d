// The undo history of a text: each step replaced `removed` at a position by
// `inserted`. Typed characters that continue one another form one step; a
// line break, a jump of the caret or a pause ends the run. The history also
// knows whether the text differs from the state last saved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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
  };

  static constexpr std::uint32_t kPause = 1500;

  // Forgets every step; the text as it is counts as saved.
  void Clear() {
    steps_.clear();
    index_ = 0;
    saved_ = 0;
  }

  void Record(Step step) {
    if (step.removed == step.inserted) return;  // nothing changed
    if (index_ < steps_.size()) {
      steps_.resize(index_);  // the steps that could be redone are gone
      if (saved_ > index_) saved_ = kUnreachable;
    }
    if (CanJoin(step)) {
      Step& last = steps_.back();
      last.inserted += step.inserted;
      last.time = step.time;
      return;
    }
    steps_.push_back(std::move(step));
    ++index_;
  }

  bool CanUndo() const { return index_ > 0; }
  bool CanRedo() const { return index_ < steps_.size(); }
  // The step to revert (replace `inserted` at `at` by `removed`).
  const Step& Undo() { return steps_[--index_]; }
  // The step to apply again.
  const Step& Redo() { return steps_[index_++]; }

  void MarkSaved() { saved_ = index_; }
  // A change that could not be recorded: the history is gone and the text
  // differs from the saved state.
  void Lose() {
    steps_.clear();
    index_ = 0;
    saved_ = kUnreachable;
  }
  bool IsModified() const { return saved_ != index_; }
  std::size_t size() const { return steps_.size(); }

 private:
  static constexpr std::size_t kUnreachable = static_cast<std::size_t>(-1);

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

  std::vector<Step> steps_;
  std::size_t index_ = 0;  // steps applied
  std::size_t saved_ = 0;  // steps applied when the text was saved
};

}  // namespace kestil

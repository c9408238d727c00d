#include "base/recent_files.h"

#include <algorithm>

#include "base/cp932.h"

namespace kestil {
namespace {

bool SamePath(const std::string& a, const std::string& b) {
  return cp932::UpperCased(a) == cp932::UpperCased(b);
}

std::string EntryName(std::size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

void RecentFiles::Add(const std::string& path) {
  if (path.empty() || capacity_ == 0) return;
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [&](const std::string& e) { return SamePath(e, path); }),
                 entries_.end());
  entries_.insert(entries_.begin(), path);
  if (entries_.size() > capacity_) entries_.resize(capacity_);
}

void RecentFiles::Remove(std::size_t index) {
  if (index < entries_.size()) entries_.erase(entries_.begin() + static_cast<long>(index));
}

void RecentFiles::Load(Profile& profile) {
  entries_.clear();
  for (std::size_t i = 0; i < capacity_; ++i) {
    std::string path = profile.GetString(kSection, EntryName(i), "");
    if (path.empty()) continue;
    const bool known = std::any_of(entries_.begin(), entries_.end(),
                                   [&](const std::string& e) { return SamePath(e, path); });
    if (!known) entries_.push_back(std::move(path));
  }
}

void RecentFiles::Save(Profile& profile) const {
  for (std::size_t i = 0; i < capacity_; ++i) {
    profile.WriteString(kSection, EntryName(i), i < entries_.size() ? entries_[i] : "");
  }
}

std::string RecentFiles::MenuText(std::size_t index, const std::string& path) {
  std::string number = std::to_string(index + 1);
  std::string text;
  if (index < 9) {
    text = "&" + number;
  } else if (index == 9) {
    text = "1&0";
  } else {
    text = number;
  }
  return text + ' ' + cp932::MenuEscaped(path);
}

}  // namespace kestil

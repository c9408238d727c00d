#include "base/recent_files.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/text16.h"

namespace kestil {
namespace {

std::string EntryName(std::size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

void RecentFiles::Add(const std::u16string& path) {
  if (path.empty() || capacity_ == 0) return;
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [&](const std::u16string& e) { return SameAsciiFold(e, path); }),
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
    std::u16string path = profile.GetString(kSection, EntryName(i), u"");
    if (path.empty()) continue;
    const bool known = std::any_of(entries_.begin(), entries_.end(),
                                   [&](const std::u16string& e) { return SameAsciiFold(e, path); });
    if (!known) entries_.push_back(std::move(path));
  }
}

void RecentFiles::Save(Profile& profile) const {
  for (std::size_t i = 0; i < capacity_; ++i) {
    profile.WriteString(kSection, EntryName(i), i < entries_.size() ? entries_[i] : u"");
  }
}

std::u16string RecentFiles::MenuText(std::size_t index, const std::u16string& path) {
  const std::string number = std::to_string(index + 1);
  std::string text;
  if (index < 9) {
    text = "&" + number;
  } else if (index == 9) {
    text = "1&0";
  } else {
    text = number;
  }
  return Widen(text) + u' ' + MenuEscaped(CompactPath(path, kMenuPathChars));
}

namespace {

bool IsSeparator(char16_t u) { return u == u'\\' || u == u'/'; }

std::size_t CharCount(std::u16string_view s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); i = NextChar(s, i)) ++n;
  return n;
}

// Where the root ends: after "C:", "\\server\share", "\\?\C:" or
// "\\?\UNC\server\share"; 0 for a path without one.
std::size_t RootEnd(std::u16string_view s, const std::vector<std::size_t>& separators) {
  auto end_of = [&](std::size_t k) { return k < separators.size() ? separators[k] : s.size(); };
  const bool unc = separators.size() >= 2 && separators[0] == 0 && separators[1] == 1;
  if (!unc) return s.size() >= 2 && s[1] == u':' ? 2 : 0;
  // Component k lies between separators k and k + 1.
  auto component = [&](std::size_t k) {
    if (k >= separators.size()) return std::u16string();
    return UpperAscii(std::u16string(s.substr(separators[k] + 1, end_of(k + 1) - separators[k] - 1)));
  };
  if (component(1) == u"?" || component(1) == u".") {
    return component(2) == u"UNC" ? end_of(5) : end_of(3);
  }
  return end_of(3);
}

}  // namespace

std::u16string RecentFiles::CompactPath(const std::u16string& path, std::size_t max_chars) {
  if (CharCount(path) <= max_chars) return path;
  std::vector<std::size_t> separators;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsSeparator(path[i])) separators.push_back(i);
  }
  const std::size_t root_end = RootEnd(path, separators);
  // The folders between the root and the name start after these separators.
  std::vector<std::size_t> folder_starts;
  for (std::size_t at : separators) {
    if (at >= root_end) folder_starts.push_back(at);
  }
  if (folder_starts.size() < 2) return path;  // no folder to leave out
  const std::u16string root = path.substr(0, root_end);
  // "..." stands where the folders were, after the separator that began them.
  std::u16string marker = u"...";
  if (root_end != 0 || folder_starts.front() == 0) marker.insert(0, 1, path[folder_starts.front()]);
  // The shortest form keeps only the name; each step takes one more of the
  // last folders while the whole still fits.
  std::size_t keep = folder_starts.back();
  for (std::size_t k = folder_starts.size() - 1; k > 1; --k) {
    const std::size_t wider = folder_starts[k - 1];
    if (CharCount(root) + CharCount(marker) + CharCount(std::u16string_view(path).substr(wider)) >
        max_chars) {
      break;
    }
    keep = wider;
  }
  return root + marker + path.substr(keep);
}

}  // namespace kestil

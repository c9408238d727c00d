// The list of recently used files: newest first, no duplicates (paths
// compared without regard to ASCII case, as Windows compares them), at most a
// fixed number of entries, stored as "File1" ... "FileN" in its own section.
#pragma once

#include <string>
#include <vector>

#include "base/profile.h"

namespace kestil {

class RecentFiles {
 public:
  static constexpr char kSection[] = "Recent File List";

  explicit RecentFiles(std::size_t capacity) : capacity_(capacity) {}

  void Add(const std::u16string& path);
  void Remove(std::size_t index);
  const std::vector<std::u16string>& entries() const { return entries_; }

  // Entries that are missing or empty are skipped.
  void Load(Profile& profile);
  // Writes every slot; slots beyond the list are written empty.
  void Save(Profile& profile) const;

  // The menu text of entry index: "&1 path" ... "1&0 path", then the number
  // without a mnemonic; the path shortened by CompactPath to
  // kMenuPathChars, '&' in it doubled.
  static std::u16string MenuText(std::size_t index, const std::u16string& path);

  static constexpr std::size_t kMenuPathChars = 60;

  // A path of more than max_chars characters (a surrogate pair counts one)
  // as "root\...\folders\name": the root ("C:", "\\server\share"), "...",
  // and as many of the last folders as fit, always the whole name, even when
  // that alone is longer. '\' and '/' separate.
  static std::u16string CompactPath(const std::u16string& path, std::size_t max_chars);

 private:
  std::size_t capacity_;
  std::vector<std::u16string> entries_;
};

}  // namespace kestil

// The texts that kestil_save_victim.exe saves over its target in turn, for
// the test that kills it in the middle of a save.
#pragma once

#include <string>

namespace kestil::testing {

// Large, so that a save lasts long enough to be stopped at chosen moments;
// the two sizes and lines differ, so that a cut or mixed file is neither.
inline std::string VictimText(bool newer) {
  const std::string line = newer ? "<p>new \x95\x5C text of the page</p>\r\n" : "<p>old text</p>\r\n";
  std::string text;
  text.reserve((80u << 20) + line.size());
  while (text.size() < (80u << 20)) text += line;
  return text;
}

}  // namespace kestil::testing

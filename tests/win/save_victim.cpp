// Saves the newer and the older victim text over the file named on its
// command line, in turn, until it is killed; for a minute at most, so that
// a test that dies first does not leave it writing.
#include "fw/file_io.h"
#include "win/save_victim.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  const std::string texts[] = {kestil::testing::VictimText(true),
                               kestil::testing::VictimText(false)};
  const ULONGLONG start = GetTickCount64();
  for (int round = 0; GetTickCount64() - start < 60000; ++round) {
    DWORD error = 0;
    if (!fw::WriteFileSafely(argv[1], texts[round % 2], &error)) return 1;
  }
  return 0;
}

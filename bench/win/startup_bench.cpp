// Timing harness under Wine: process start to the main window's first idle
// moment (WaitForInputIdle), for kestil.exe and Wine's notepad started the
// same way in the same run; without a file and with a 10 MB code page 932
// text.
//   kestil_startup_bench [pairs, 15 unless given] [--no-file]
// The two programs take turns (kestil, notepad, kestil, ...), so that a slow
// spell of the machine weighs on both alike; one pair first is not counted,
// so that both start from warm caches. Beside the ratio of the two medians
// stands the median of the ratios within each pair, which a slow spell that
// lasts a pair moves less.
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "fw/win.h"
#include "sample_text.h"

namespace {

double Now() {
  LARGE_INTEGER f;
  LARGE_INTEGER t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// Seconds from CreateProcess to the first idle moment; negative on failure.
double TimeToIdle(const std::wstring& command_line) {
  std::wstring cmd = command_line;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double t0 = Now();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    return -1;
  }
  const DWORD rc = WaitForInputIdle(pi.hProcess, 300000);
  const double elapsed = Now() - t0;
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return rc == 0 ? elapsed : -1;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  return n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

struct Comparison {
  double kestil = 0;
  double notepad = 0;
  double pair_ratio = 0;  // the median of kestil / notepad within each pair
};

Comparison Alternate(const std::wstring& kestil, const std::wstring& notepad, int pairs) {
  TimeToIdle(kestil);
  TimeToIdle(notepad);
  std::vector<double> k;
  std::vector<double> n;
  std::vector<double> r;
  for (int i = 0; i < pairs; ++i) {
    k.push_back(TimeToIdle(kestil));
    n.push_back(TimeToIdle(notepad));
    r.push_back(k.back() / n.back());
  }
  return {Median(k), Median(n), Median(r)};
}

void Report(const char* what, const Comparison& c, int pairs, double target) {
  std::printf("start-up, %-8s kestil %.3f s, notepad %.3f s, ratio %.2f (medians of %d pairs; "
              "within a pair %.2f; target at most %.1f)\n",
              what, c.kestil, c.notepad, c.kestil / c.notepad, pairs, c.pair_ratio, target);
  std::fflush(stdout);
}

std::wstring Directory() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir = path;
  return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int pairs = 15;
  bool with_file = true;
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--no-file") == 0) {
      with_file = false;
    } else if (const int n = _wtoi(argv[i]); n > 0) {
      pairs = n;
    }
  }
  const std::wstring kestil = L"\"" + Directory() + L"kestil.exe\"";
  const std::wstring notepad = L"notepad.exe";
  Report("no file:", Alternate(kestil, notepad, pairs), pairs, 1.1);
  if (!with_file) return 0;

  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  auto write_sample = [&](const wchar_t* name, std::size_t size) {
    const std::wstring file = std::wstring(temp) + name;
    const std::string text = kestil::bench::SampleText(size);
    HANDLE f = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD wrote = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr);
    CloseHandle(f);
    return file;
  };
  const std::wstring file = write_sample(L"kestil-bench-10mb.txt", 10 * 1024 * 1024);
  // Eight seconds a start for notepad: three pairs are enough to see the ratio.
  const int file_pairs = 3;
  const std::wstring quoted = L" \"" + file + L"\"";
  const Comparison ten = Alternate(kestil + quoted, notepad + quoted, file_pairs);
  Report("10 MB:", ten, file_pairs, 0.1);
  DeleteFileW(file.c_str());

  // 100 MB, kestil alone: the cost grows with the file.
  const std::wstring large = write_sample(L"kestil-bench-100mb.txt", 100 * 1024 * 1024);
  std::vector<double> times;
  for (int i = 0; i < 3; ++i) times.push_back(TimeToIdle(kestil + L" \"" + large + L"\""));
  const double hundred = Median(times);
  std::printf("start-up, 100 MB: kestil %.3f s, %.1f times its 10 MB start-up (target at most 12)\n",
              hundred, hundred / ten.kestil);
  DeleteFileW(large.c_str());
  return 0;
}

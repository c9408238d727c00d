// Timing harness under Wine: process start to the main window's first idle
// moment (WaitForInputIdle), for kestil.exe and Wine's notepad started the
// same way in the same run; without a file and with a 10 MB code page 932
// text.
#include <algorithm>
#include <cstdio>
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

double Median(const std::wstring& command_line, int rounds) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) times.push_back(TimeToIdle(command_line));
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

std::wstring Directory() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir = path;
  return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

}  // namespace

int wmain() {
  const std::wstring kestil = L"\"" + Directory() + L"kestil.exe\"";
  const std::wstring notepad = L"notepad.exe";
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"kestil-bench-10mb.txt";
  {
    const std::string text = kestil::bench::SampleText(10 * 1024 * 1024);
    HANDLE f = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD wrote = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr);
    CloseHandle(f);
  }
  const double kestil_empty = Median(kestil, 5);
  const double notepad_empty = Median(notepad, 5);
  std::printf("start-up, no file:  kestil %.3f s, notepad %.3f s, ratio %.2f (target at most 1.2)\n",
              kestil_empty, notepad_empty, kestil_empty / notepad_empty);
  const std::wstring quoted = L" \"" + file + L"\"";
  const double kestil_file = Median(kestil + quoted, 3);
  const double notepad_file = Median(notepad + quoted, 3);
  std::printf("start-up, 10 MB:    kestil %.3f s, notepad %.3f s, ratio %.2f (target at most 1.5)\n",
              kestil_file, notepad_file, kestil_file / notepad_file);
  DeleteFileW(file.c_str());
  return 0;
}

// Timing harness under Wine: InsertText into a 10 MB document in the edit
// control, beside a bare EM_REPLACESEL of the same text at the same place.
#include <algorithm>
#include <memory>
#include <cstdio>
#include <string>
#include <vector>

#include "base/codec.h"
#include "fw/win.h"
#include "sample_text.h"
#include "fw/edit_control.h"
#include "view/insert_engine.h"

namespace {

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int wmain() {
  const std::size_t size = 10 * 1024 * 1024;
  kestil::cp932::Spellings spellings;
  const std::u16string text = kestil::cp932::Decode(kestil::bench::SampleText(size), spellings);
  HWND frame = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                               800, 600, nullptr, nullptr, nullptr, nullptr);
  HWND edit = CreateWindowExW(0, L"EDIT", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                  ES_AUTOHSCROLL | ES_WANTRETURN,
                              0, 0, 780, 560, frame, nullptr, nullptr, nullptr);
  auto ops_scope = std::make_unique<kestil::EditControlOps>(edit);
  kestil::EditControlOps& ops = *ops_scope;
  ops.SetText(text);

  const std::u16string markup = u"<a href=\"\">";
  const std::u16string wide = markup;
  const int rounds = 9;
  // Three places: near the start, the middle and the end of the document.
  const double places[] = {0.01, 0.5, 0.99};
  std::printf("%-8s %12s %12s %8s\n", "place", "bare (ms)", "insert (ms)", "ratio");
  double worst = 0;
  for (double place : places) {
    std::vector<double> bare;
    std::vector<double> insert;
    for (int r = 0; r < rounds; ++r) {
      const auto units = static_cast<WPARAM>(GetWindowTextLengthW(edit) * place);
      SendMessageW(edit, EM_SETSEL, units, static_cast<LPARAM>(units));
      double t0 = Now();
      SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
      bare.push_back(Now() - t0);

      SendMessageW(edit, EM_SETSEL, units, static_cast<LPARAM>(units));
      t0 = Now();
      kestil::InsertText(ops, markup, 9, 0);
      insert.push_back(Now() - t0);
    }
    const double b = Median(bare) * 1000;
    const double i = Median(insert) * 1000;
    worst = std::max(worst, i / b);
    std::printf("%-8.2f %12.2f %12.2f %8.2f\n", place, b, i, i / b);
  }
  std::printf("worst ratio %.2f (target at most 1.2)\n", worst);

  // Typing one character in the middle, with the undo history recording it
  // and into the bare control, alternately on the same document.
  ops_scope.reset();  // the control is bare now
  std::vector<double> with_history;
  std::vector<double> bare_typing;
  for (int r = 0; r < rounds; ++r) {
    auto type_one = [&](std::vector<double>& into) {
      const auto units = static_cast<WPARAM>(GetWindowTextLengthW(edit) / 2);
      SendMessageW(edit, EM_SETSEL, units, static_cast<LPARAM>(units));
      const double t0 = Now();
      SendMessageW(edit, WM_CHAR, L'x', 1);
      into.push_back(Now() - t0);
    };
    type_one(bare_typing);
    {
      kestil::EditControlOps recording(edit);
      type_one(with_history);
    }
  }
  const double h = Median(with_history) * 1000;
  const double b = Median(bare_typing) * 1000;
  std::printf("typing one character: history %.2f ms, bare %.2f ms, ratio %.2f (target at most 1.1)\n",
              h, b, h / b);
  DestroyWindow(frame);
  return 0;
}

// Timing harness under Wine for the editing surface, on 10 MB of page-like
// text: InsertText at three places, typing one character in the middle
// beside typing into a 1 KB document, and moving the caret to the end with
// the paint there beside a plain EDIT control taking the same text.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/codec.h"
#include "fw/scintilla_surface.h"
#include "fw/win.h"
#include "sample_text.h"
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

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY && fw::ScintillaSurface::DispatchNotify(lp)) return 0;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND MakeFrame() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestilBenchFrame";
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
  return CreateWindowExW(0, L"KestilBenchFrame", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                         600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

std::unique_ptr<fw::ScintillaSurface> MakeSurface(HWND frame) {
  auto s = fw::ScintillaSurface::Create(frame, 1, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0);
  MoveWindow(s->hwnd(), 0, 0, 780, 560, TRUE);
  return s;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// One typed character at the middle, the modified mark asked as the idle
// work asks it, and the paint, as typing goes on there.
double TypeOne(fw::ScintillaSurface& s) {
  const std::size_t middle = s.GetTextRange(0, static_cast<std::size_t>(-1)).size() / 2;
  s.SetSel(middle, middle);
  // The first character at a new place scrolls the view there; typing goes
  // on where it started, which is what is timed.
  SendMessageW(s.hwnd(), WM_CHAR, L'x', 1);
  UpdateWindow(s.hwnd());
  Pump();
  const double t0 = Now();
  SendMessageW(s.hwnd(), WM_CHAR, L'x', 1);
  (void)s.IsModified();
  UpdateWindow(s.hwnd());
  return Now() - t0;
}

}  // namespace

int wmain() {
  const std::size_t size = 10 * 1024 * 1024;
  kestil::cp932::Spellings spellings;
  const std::u16string text = kestil::cp932::Decode(kestil::bench::SampleText(size), spellings);
  const std::u16string small = kestil::cp932::Decode(kestil::bench::SampleText(1024), spellings);
  HWND frame = MakeFrame();
  auto surface = MakeSurface(frame);
  double t0 = Now();
  surface->SetText(text);
  UpdateWindow(surface->hwnd());
  std::printf("load and first paint, 10 MB: %.1f ms\n", (Now() - t0) * 1000);

  const int rounds = 9;
  const std::u16string markup = u"<a href=\"\">";
  std::printf("%-8s %12s\n", "place", "InsertText (ms)");
  for (double place : {0.01, 0.5, 0.99}) {
    std::vector<double> insert;
    for (int r = 0; r < rounds; ++r) {
      const auto units = static_cast<std::size_t>(static_cast<double>(text.size()) * place);
      surface->SetSel(units, units);
      t0 = Now();
      kestil::InsertText(*surface, markup, 9, 0);
      insert.push_back(Now() - t0);
    }
    std::printf("%-8.2f %12.3f\n", place, Median(insert) * 1000);
  }

  // Typing: the large document beside a small one, in turns.
  auto little = MakeSurface(frame);
  little->SetText(small);
  ShowWindow(little->hwnd(), SW_HIDE);
  std::vector<double> large_typing;
  std::vector<double> small_typing;
  for (int r = 0; r < 15; ++r) {
    ShowWindow(little->hwnd(), SW_HIDE);
    ShowWindow(surface->hwnd(), SW_SHOW);
    large_typing.push_back(TypeOne(*surface));
    ShowWindow(surface->hwnd(), SW_HIDE);
    ShowWindow(little->hwnd(), SW_SHOW);
    small_typing.push_back(TypeOne(*little));
  }
  const double large = Median(large_typing) * 1000;
  const double tiny = Median(small_typing) * 1000;
  std::printf("typing one character: 10 MB %.3f ms, 1 KB %.3f ms, ratio %.2f (target at most 1.2)\n",
              large, tiny, large / tiny);
  ShowWindow(little->hwnd(), SW_HIDE);
  ShowWindow(surface->hwnd(), SW_SHOW);

  // The caret to the end and the paint there, beside the EDIT control's
  // WM_SETTEXT of the same text.
  std::vector<double> to_end;
  for (int r = 0; r < 5; ++r) {
    surface->SetSel(0, 0);
    surface->ScrollCaret();
    UpdateWindow(surface->hwnd());
    t0 = Now();
    surface->SetSel(text.size(), text.size());
    surface->ScrollCaret();
    UpdateWindow(surface->hwnd());
    to_end.push_back(Now() - t0);
  }
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL,
                              0, 0, 780, 560, frame, nullptr, nullptr, nullptr);
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  t0 = Now();
  SetWindowTextW(edit, reinterpret_cast<const wchar_t*>(text.c_str()));
  const double edit_load = Now() - t0;
  const double end = Median(to_end) * 1000;
  std::printf("caret to the end of 10 MB and paint: %.2f ms; EDIT control WM_SETTEXT: %.1f ms; ratio %.4f (target at most 0.1)\n",
              end, edit_load * 1000, end / (edit_load * 1000));

  // The same with the page's colours: a fresh surface each time, so that
  // nothing is styled before the caret goes.
  std::vector<double> coloured_load;
  std::vector<double> coloured_end;
  std::vector<double> coloured_typing;
  for (int r = 0; r < 3; ++r) {
    auto page = MakeSurface(frame);
    page->SetLanguage(kestil::Language::kHtml);
    t0 = Now();
    page->SetText(text);
    UpdateWindow(page->hwnd());
    coloured_load.push_back(Now() - t0);
    // Until the end shows its own colours: styled from the start, painted.
    t0 = Now();
    page->SetSel(text.size(), text.size());
    page->ScrollCaret();
    (void)page->ColourAt(text.size() - 1);
    UpdateWindow(page->hwnd());
    coloured_end.push_back(Now() - t0);
    coloured_typing.push_back(TypeOne(*page));
    coloured_typing.push_back(TypeOne(*page));
  }
  auto little_page = MakeSurface(frame);
  little_page->SetLanguage(kestil::Language::kHtml);
  little_page->SetText(small);
  std::vector<double> small_coloured_typing;
  for (int r = 0; r < 6; ++r) small_coloured_typing.push_back(TypeOne(*little_page));
  std::printf("coloured 1 KB page: typing %.3f ms\n", Median(small_coloured_typing) * 1000);
  const double coloured = Median(coloured_end) * 1000;
  std::printf("coloured: load and first paint %.1f ms, caret to the end and paint %.1f ms (ratio %.4f to the EDIT "
              "control, target at most 0.1), typing at the middle %.3f ms\n",
              Median(coloured_load) * 1000, coloured, coloured / (edit_load * 1000), Median(coloured_typing) * 1000);
  DestroyWindow(frame);
  return 0;
}

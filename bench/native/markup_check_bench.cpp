// The markup check of a 1 MB page (UTF-16 units): Tidy's parse and checks,
// the findings placed in the text, a few hundred of them.
#include <benchmark/benchmark.h>

#include <string>

#include "check/markup_check.h"

namespace {

std::u16string Page(std::size_t units) {
  std::u16string page = u"<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head><title>頁</title></head>\r\n<body>\r\n";
  const std::u16string block =
      u"<div class=\"box\">\r\n<p>日本語の文章と <a href=\"x.htm\">リンク</a>。\r\n"
      u"<ul><li>一つ目<li>二つ目</ul>\r\n<!-- 注 -->\r\n"
      u"<table><tr><td>表</td><td>ソ</td></tr></table>\r\n"
      u"<script>if (a < b) s = 1;</script>\r\n</div>\r\n";
  const std::u16string faulty = u"<p><img src=\"a.png\"><b>太字<i>斜体</b></i></p>\r\n";
  for (int n = 0; page.size() < units; ++n) page += n % 20 == 0 ? faulty : block;
  page += u"</body>\r\n</html>\r\n";
  return page;
}

void BM_CheckOneMegabytePage(benchmark::State& state) {
  const std::u16string page = Page(1024 * 1024);
  std::size_t findings = 0;
  for (auto _ : state) {
    const kestil::CheckResult r = kestil::CheckMarkup(page);
    findings = r.findings.size();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckOneMegabytePage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

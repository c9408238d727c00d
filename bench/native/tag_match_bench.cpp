// The partner of a tag in a 10 MB page: the first <html>, whose end tag is
// the page's last, and a div in the middle, and the element open at the
// page's end, beside one typed character's share of work (inserting a unit
// into the text).
#include <benchmark/benchmark.h>

#include <string>

#include "view/tag_match.h"

namespace {

std::u16string Page(std::size_t units) {
  std::u16string page = u"<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head><title>頁</title></head>\r\n<body>\r\n";
  const std::u16string block =
      u"<div class=\"box\">\r\n<p>日本語の文章と <a href=\"x.htm\">リンク</a>。\r\n"
      u"<ul><li>一つ目<li>二つ目</ul>\r\n<!-- <div> ではない -->\r\n"
      u"<table><tr><td>表</td><td>ソ</td></tr></table>\r\n"
      u"<script>if (a < b) s = \"</div>\";</script>\r\n</div>\r\n";
  while (page.size() < units) page += block;
  page += u"</body>\r\n</html>\r\n";
  return page;
}

const std::u16string& TenMegabytes() {
  static const std::u16string page = Page(5 * 1024 * 1024);  // 10 MB as UTF-16
  return page;
}

void BM_PartnerOfTheFirstHtml(benchmark::State& state) {
  const std::u16string& page = TenMegabytes();
  const std::size_t pos = page.find(u"<html") + 2;
  for (auto _ : state) benchmark::DoNotOptimize(kestil::MatchTag(page, pos));
}
BENCHMARK(BM_PartnerOfTheFirstHtml)->Unit(benchmark::kMillisecond);

void BM_PartnerOfADivInTheMiddle(benchmark::State& state) {
  const std::u16string& page = TenMegabytes();
  const std::size_t pos = page.find(u"<div", page.size() / 2) + 2;
  for (auto _ : state) benchmark::DoNotOptimize(kestil::MatchTag(page, pos));
}
BENCHMARK(BM_PartnerOfADivInTheMiddle)->Unit(benchmark::kMillisecond);

// The element a "</" at the end of the page's body would close.
void BM_OpenElementAtTheEnd(benchmark::State& state) {
  const std::u16string& page = TenMegabytes();
  const std::size_t pos = page.rfind(u"</body>");
  for (auto _ : state) benchmark::DoNotOptimize(kestil::InnermostOpenElement(page, pos));
}
BENCHMARK(BM_OpenElementAtTheEnd)->Unit(benchmark::kMillisecond);

void BM_AKeystrokesInsertion(benchmark::State& state) {
  std::u16string page = TenMegabytes();
  for (auto _ : state) {
    page.insert(page.size() / 2, 1, u'x');
    benchmark::DoNotOptimize(page.data());
  }
}
BENCHMARK(BM_AKeystrokesInsertion)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

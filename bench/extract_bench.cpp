// ExtractRelatedSearches on a 1 MiB results page, with the block near its end and without any block,
// next to a plain search of the same page for the block's marker as the baseline.

#include <benchmark/benchmark.h>

#include <string>

#include "crawl/related_searches.h"
#include "tests/support/gbk.h"

namespace {

constexpr std::size_t kPageBytes = 1024 * 1024;

// Result markup repeated up to the size, then (optionally) the block with ten links and the footer.
Text MakePage(bool withBlock) {
  const std::string result = Gbk(
      "<div class=\"g\"><h3 class=\"r\"><a href=\"http://shop.example/p\" class=\"l\">手机大全</a></h3>\r\n"
      "<div class=\"s\">最新手机报价、参数与评测。</div></div>\r\n");
  std::string block = Gbk("<div id=\"brs\"><h3>相关搜索</h3><table><tr>");
  for (int i = 0; i < 10; ++i)
    block += Gbk("<td><a href=\"/search?q=") + std::to_string(i) + Gbk("\" X\">手机报价</a></td>");
  block += "</tr></table></div></div>";
  const std::string footer = "<div id=\"foot\"></div></body></html>";
  Text page;
  while (page.size() + result.size() + block.size() + footer.size() < kPageBytes) page += result;
  if (withBlock) page += block;
  page += footer;
  return page;
}

void Extract(benchmark::State& state, bool withBlock) {
  const Text page = MakePage(withBlock);
  for (auto _ : state) {
    RelatedSearches related = ExtractRelatedSearches(page);
    if (related.found != withBlock || related.keywords.size() != (withBlock ? 10u : 0u)) {
      state.SkipWithError("unexpected extraction result");
      break;
    }
    benchmark::DoNotOptimize(related);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}

void BM_ExtractBlockNearEnd(benchmark::State& state) {
  Extract(state, true);
}
void BM_ExtractNoBlock(benchmark::State& state) {
  Extract(state, false);
}

void BM_BaselineFindMarker(benchmark::State& state) {
  const Text page = MakePage(true);
  const std::string marker = Gbk("相关搜索");
  for (auto _ : state) benchmark::DoNotOptimize(page.find(marker));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}

BENCHMARK(BM_BaselineFindMarker)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExtractBlockNearEnd)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExtractNoBlock)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

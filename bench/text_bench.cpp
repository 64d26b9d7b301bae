// Splitting and searching a large keyword list, each against a plain baseline in the same run: a split
// that steps one character at a time, and a byte search that ignores character starts.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/character_scan.h"
#include "text/find_replace.h"
#include "text/line_list.h"

namespace {

// Keyword lines as a crawl collects them: mostly common Chinese characters (GBK lead bytes B0..D7 and
// trail bytes A1..FE), some with a brand name, a model number or a blank, 10 to 20 bytes each.
std::string KeywordLines(int count) {
  std::mt19937 random(20240611);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const char* const latin[] = {"iphone", "5G", "win10", "pdf", "2024", "app", "mp3"};
  std::string text;
  for (int line = 0; line < count; ++line) {
    if (line > 0) text += "\r\n";
    const std::size_t length = static_cast<std::size_t>(pick(10, 20));
    const std::size_t lineStart = text.size();
    if (pick(0, 4) == 0) {
      text += latin[pick(0, std::size(latin) - 1)];
      if (pick(0, 1) == 0) text += ' ';
    }
    while (text.size() - lineStart + 2 <= length) {
      text += static_cast<char>(pick(0xB0, 0xD7));
      text += static_cast<char>(pick(0xA1, 0xFE));
    }
  }
  return text + "\r\n";
}

const std::string& Keywords(int count) {
  static const std::string small = KeywordLines(100000);
  static const std::string large = KeywordLines(1000000);
  return count == 100000 ? small : large;
}

void Lines(benchmark::State& state, std::size_t lines, std::size_t bytes) {
  state.counters["lines"] = static_cast<double>(lines);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_SplitByCharactersBaseline(benchmark::State& state) {
  const std::string& text = Keywords(static_cast<int>(state.range(0)));
  std::size_t lines = 0;
  for (auto _ : state) {
    auto entries = SplitByCharacters(text, kLineBreak);
    lines = entries.size();
    benchmark::DoNotOptimize(entries.data());
  }
  Lines(state, lines, text.size());
}

void BM_SplitTextViews(benchmark::State& state) {
  const std::string& text = Keywords(static_cast<int>(state.range(0)));
  std::size_t lines = 0;
  for (auto _ : state) {
    auto entries = SplitTextViews(text, kLineBreak);
    lines = entries.size();
    benchmark::DoNotOptimize(entries.data());
  }
  Lines(state, lines, text.size());
}

void BM_SplitText(benchmark::State& state) {
  const std::string& text = Keywords(static_cast<int>(state.range(0)));
  std::size_t lines = 0;
  for (auto _ : state) {
    LineList entries = SplitText(text, kLineBreak);
    lines = entries.size();
    benchmark::DoNotOptimize(entries.data());
  }
  Lines(state, lines, text.size());
}

// The sought text is the last line made only of Chinese characters, so that the whole list is searched
// and the first byte of the sought text occurs all over it, on first and on second bytes alike.
std::string LastChineseLine(const std::string& text) {
  const std::vector<std::string_view> lines = SplitTextViews(text, kLineBreak);
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    if (IsLeadByte(line->front())) return std::string(*line);
  }
  return std::string(lines.back());
}

void BM_ByteFindBaseline(benchmark::State& state) {
  const std::string& text = Keywords(100000);
  const std::string sought = LastChineseLine(text);
  std::size_t found = 0;
  for (auto _ : state) {
    found = std::string_view(text).find(sought);
    benchmark::DoNotOptimize(found);
  }
  state.counters["found_at"] = static_cast<double>(found + 1);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_FindText(benchmark::State& state) {
  const std::string& text = Keywords(100000);
  const std::string sought = LastChineseLine(text);
  std::int64_t found = 0;
  for (auto _ : state) {
    found = FindText(text, sought);
    benchmark::DoNotOptimize(found);
  }
  state.counters["found_at"] = static_cast<double>(found);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// What the refining commands do per line: search one short line for one short keyword.
void BM_FindTextShortLines(benchmark::State& state) {
  const std::string& text = Keywords(100000);
  const std::vector<std::string_view> lines = SplitTextViews(text, kLineBreak);
  const std::string sought(lines[7].substr(0, 4));
  std::size_t matches = 0;
  for (auto _ : state) {
    matches = 0;
    for (std::string_view line : lines) matches += FindText(line, sought) > 0;
    benchmark::DoNotOptimize(matches);
  }
  state.counters["matches"] = static_cast<double>(matches);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines.size()));
}

}  // namespace

BENCHMARK(BM_SplitByCharactersBaseline)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitTextViews)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitText)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByteFindBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindTextShortLines)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

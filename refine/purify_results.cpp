#include "refine/purify_results.h"

#include <cstdint>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "refine/result_box_output.h"
#include "refine/seed_matcher.h"
#include "text/line_list.h"
#include "text/numbers.h"
#include "ui/surface.h"

namespace {

// Each result line that contains a seed, followed by CR LF, in the order of the results. Repeated lines
// are tested one by one and stay repeated.
Text KeptLines(const std::vector<std::string_view>& seeds, const std::vector<std::string_view>& results) {
  SeedMatcher matcher(seeds);
  std::vector<bool> kept(results.size(), false);
  for (std::size_t i = 0; i < results.size(); ++i) kept[i] = matcher.ContainsAnySeed(results[i]);
  return JoinKeptLines(results, kept);
}

}  // namespace

void StartPurifyResults() {
  // A thread that cannot be started runs nothing; the button can be pressed again.
  try {
    std::thread(PurifyResults).detach();
  } catch (const std::system_error&) {
  }
}

void PurifyResults() {
  // The seeds are this run's own copy: edits to the seed box during the run do not reach it.
  Text seedText = GetControlText(Control::关键词编辑框);
  std::vector<std::string_view> seeds = SplitTextViews(seedText, kLineBreak);
  Text resultText = GetControlText(Control::一级结果框);
  std::vector<std::string_view> results = SplitTextViews(resultText, kLineBreak);
  SetStatus("  现在开始对 " + FormatInteger(static_cast<std::int32_t>(results.size())) +
            "行 关键词进行提纯操作，对比种子有 " + FormatInteger(static_cast<std::int32_t>(seeds.size())) +
            " 个，");
  SetControlText(Control::一级结果框, Text());

  Text output = KeptLines(seeds, results);
  results = {};
  resultText = {};
  const std::int32_t remaining = AppendOutputAndCountLines(output);
  AppendStatus(" 提纯完成，现在还有 " + FormatInteger(remaining) + " 个结果关键词！");
}

Text PurifiedText(const Text& seedText, const Text& resultText) {
  return KeptLines(SplitTextViews(seedText, kLineBreak), SplitTextViews(resultText, kLineBreak));
}

#include "refine/purify_results.h"

#include <cstdint>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

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
  std::size_t outputSize = 0;
  for (std::size_t i = 0; i < results.size(); ++i) {
    if (!matcher.ContainsAnySeed(results[i])) continue;
    kept[i] = true;
    outputSize += results[i].size() + kLineBreak.size();
  }

  Text output;
  output.reserve(outputSize);
  for (std::size_t i = 0; i < results.size(); ++i) {
    if (!kept[i]) continue;
    output.append(results[i]);
    output.append(kLineBreak);
  }
  return output;
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

  // One append for the whole output rather than one per kept line: every append rewrites the result
  // file. When no line is kept nothing is appended, as when no line passes one by one.
  Text output = KeptLines(seeds, results);
  results = {};
  resultText = {};
  if (!output.empty()) AppendControlText(Control::一级结果框, output);
  output = {};

  std::size_t remaining = SplitTextViews(GetControlText(Control::一级结果框), kLineBreak).size();
  AppendStatus(" 提纯完成，现在还有 " + FormatInteger(static_cast<std::int32_t>(remaining)) +
               " 个结果关键词！");
}

Text PurifiedText(const Text& seedText, const Text& resultText) {
  return KeptLines(SplitTextViews(seedText, kLineBreak), SplitTextViews(resultText, kLineBreak));
}

#include "refine/remove_duplicates.h"

#include <cstdint>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_set>
#include <vector>

#include "text/line_list.h"
#include "text/numbers.h"
#include "ui/surface.h"

namespace {

// Each surviving line followed by CR LF. Scanning from the end, the first sighting of a line is its last
// occurrence, the one that stays. An empty line is never the duplicate of another, so each one stays in
// its place.
Text SurvivingLines(const std::vector<std::string_view>& lines) {
  std::vector<bool> survives(lines.size(), false);
  std::unordered_set<std::string_view> later;
  later.reserve(lines.size());
  std::size_t outputSize = 0;
  for (std::size_t i = lines.size(); i-- > 0;) {
    if (!lines[i].empty() && !later.insert(lines[i]).second) continue;
    survives[i] = true;
    outputSize += lines[i].size() + kLineBreak.size();
  }

  Text output;
  output.reserve(outputSize);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!survives[i]) continue;
    output.append(lines[i]);
    output.append(kLineBreak);
  }
  return output;
}

}  // namespace

void StartRemoveDuplicates() {
  // A thread that cannot be started runs nothing; the button can be pressed again.
  try {
    std::thread(RemoveDuplicates).detach();
  } catch (const std::system_error&) {
  }
}

void RemoveDuplicates() {
  Text resultText = GetControlText(Control::一级结果框);
  std::vector<std::string_view> lines = SplitTextViews(resultText, kLineBreak);
  SetStatus("  现在开始对 " + FormatInteger(static_cast<std::int32_t>(lines.size())) +
            "行 关键词进行去重复操作，");
  SetControlText(Control::一级结果框, Text());

  // The whole output goes into the box in one append: every append rewrites the result file, so one
  // append per surviving line would make a long list cost time with the square of its length. Only an
  // empty box gives an empty output, and then nothing is appended.
  Text output = SurvivingLines(lines);
  lines = {};
  resultText = {};
  if (!output.empty()) AppendControlText(Control::一级结果框, output);
  output = {};

  std::size_t remaining = SplitTextViews(GetControlText(Control::一级结果框), kLineBreak).size();
  AppendStatus(" 去重复完成，现在还有 " + FormatInteger(static_cast<std::int32_t>(remaining)) +
               " 个结果关键词！");
}

Text DeduplicatedText(const Text& resultText) {
  return SurvivingLines(SplitTextViews(resultText, kLineBreak));
}

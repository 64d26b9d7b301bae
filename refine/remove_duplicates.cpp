#include "refine/remove_duplicates.h"

#include <cstdint>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_set>
#include <vector>

#include "refine/result_box_output.h"
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
  for (std::size_t i = lines.size(); i-- > 0;) {
    survives[i] = lines[i].empty() || later.insert(lines[i]).second;
  }
  return JoinKeptLines(lines, survives);
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

  Text output = SurvivingLines(lines);
  lines = {};
  resultText = {};
  const std::int32_t remaining = AppendOutputAndCountLines(output);
  AppendStatus(" 去重复完成，现在还有 " + FormatInteger(remaining) + " 个结果关键词！");
}

Text DeduplicatedText(const Text& resultText) {
  return SurvivingLines(SplitTextViews(resultText, kLineBreak));
}

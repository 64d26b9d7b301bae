#include "refine/result_box_output.h"

#include "text/line_list.h"
#include "ui/surface.h"

Text JoinKeptLines(const std::vector<std::string_view>& lines, const std::vector<bool>& kept) {
  std::size_t size = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (kept[i]) size += lines[i].size() + kLineBreak.size();
  }
  Text output;
  output.reserve(size);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!kept[i]) continue;
    output.append(lines[i]);
    output.append(kLineBreak);
  }
  return output;
}

std::int32_t AppendOutputAndCountLines(const Text& output) {
  if (!output.empty()) AppendControlText(Control::一级结果框, output);
  // The box is counted as it is now: text that another writer added meanwhile counts too.
  return static_cast<std::int32_t>(SplitTextViews(GetControlText(Control::一级结果框), kLineBreak).size());
}

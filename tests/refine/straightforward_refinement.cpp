#include "tests/refine/straightforward_refinement.h"

#include "tests/support/gbk.h"
#include "text/find_replace.h"
#include "text/line_list.h"
#include "text/numbers.h"
#include "ui/surface.h"

namespace {

bool IsDuplicate(const LineList& lines, std::size_t i) {
  for (std::size_t j = i + 1; j < lines.size(); ++j) {
    if (ByteLength(lines[j]) == ByteLength(lines[i]) && FindText(lines[j], lines[i]) != -1) return true;
  }
  return false;
}

bool ContainsSeed(const Text& line, const LineList& seeds) {
  for (const Text& seed : seeds) {
    if (FindText(line, seed) != -1) return true;
  }
  return false;
}

Text Count(const Text& text) {
  return FormatInteger(static_cast<std::int32_t>(SplitText(text, kLineBreak).size()));
}

}  // namespace

Text StraightforwardDeduplicatedText(const Text& resultText) {
  LineList lines = SplitText(resultText, kLineBreak);
  Text output;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (!IsDuplicate(lines, i)) output += lines[i] + Text(kLineBreak);
  }
  if (!lines.empty()) output += lines.back() + Text(kLineBreak);
  return output;
}

Text StraightforwardPurifiedText(const Text& seedText, const Text& resultText) {
  LineList seeds = SplitText(seedText, kLineBreak);
  Text output;
  for (const Text& line : SplitText(resultText, kLineBreak)) {
    if (ContainsSeed(line, seeds)) output += line + Text(kLineBreak);
  }
  return output;
}

void StraightforwardRemoveDuplicates() {
  LineList lines = SplitText(GetControlText(Control::一级结果框), kLineBreak);
  SetStatus(Gbk("  现在开始对 ") + FormatInteger(static_cast<std::int32_t>(lines.size())) +
            Gbk("行 关键词进行去重复操作，"));
  SetControlText(Control::一级结果框, Text());
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (!IsDuplicate(lines, i)) AppendControlText(Control::一级结果框, lines[i] + Text(kLineBreak));
  }
  if (!lines.empty()) AppendControlText(Control::一级结果框, lines.back() + Text(kLineBreak));
  AppendStatus(Gbk(" 去重复完成，现在还有 ") + Count(GetControlText(Control::一级结果框)) +
               Gbk(" 个结果关键词！"));
}

void StraightforwardPurifyResults() {
  LineList seeds = SplitText(GetControlText(Control::关键词编辑框), kLineBreak);
  LineList results = SplitText(GetControlText(Control::一级结果框), kLineBreak);
  SetStatus(Gbk("  现在开始对 ") + FormatInteger(static_cast<std::int32_t>(results.size())) +
            Gbk("行 关键词进行提纯操作，对比种子有 ") +
            FormatInteger(static_cast<std::int32_t>(seeds.size())) + Gbk(" 个，"));
  SetControlText(Control::一级结果框, Text());
  for (const Text& line : results) {
    if (ContainsSeed(line, seeds)) AppendControlText(Control::一级结果框, line + Text(kLineBreak));
  }
  AppendStatus(Gbk(" 提纯完成，现在还有 ") + Count(GetControlText(Control::一级结果框)) +
               Gbk(" 个结果关键词！"));
}

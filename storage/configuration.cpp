#include "storage/configuration.h"

#include <cstddef>
#include <cstdint>

#include "storage/app_state.h"
#include "storage/file_access.h"
#include "text/line_list.h"
#include "text/numbers.h"
#include "ui/controls.h"
#include "ui/surface.h"

namespace {

// Line 3 is never read; lines 4 to 23 are the captions of 分类1 to 分类20.
constexpr std::size_t kFirstCaptionLine = 4;

LineList ReadConfigurationLines() {
  return SplitText(ReadWholeFile(State().configFilePath), kLineBreak);
}

Text LineOrEmpty(const LineList& lines, std::size_t lineNumber) {
  return lineNumber <= lines.size() ? lines[lineNumber - 1] : Text();
}

Text ChoiceStatus(const Text& prefix, std::int32_t value) {
  const Text quote(1, static_cast<char>(34));
  return prefix + quote + FormatInteger(value) + quote + " ！";
}

}  // namespace

void LoadConfiguration() {
  AppState& state = State();
  const LineList lines = ReadConfigurationLines();
  state.depthText.Set(LineOrEmpty(lines, 1));
  state.delayText.Set(LineOrEmpty(lines, 2));
  SetControlText(Control::层次组合框, state.depthText.Get());
  SetControlText(Control::延时组合框, state.delayText.Get());
  // A shortened file gives no caption for the buttons past its end: they keep the caption they show,
  // so every button still has one.
  for (int number = 1; number <= kCategoryCount; ++number) {
    const std::size_t lineNumber = kFirstCaptionLine + static_cast<std::size_t>(number) - 1;
    if (lineNumber > lines.size()) break;
    SetControlCaption(CategoryButton(number), lines[lineNumber - 1]);
  }
  CloseAllFiles();
}

void UpdateConfigurationLine(int lineNumber, int value) {
  const LineList lines = ReadConfigurationLines();
  // The write would be refused while the read still holds the file.
  CloseAllFiles();
  Text content;
  for (std::size_t i = 1; i <= lines.size(); ++i) {
    content += static_cast<int>(i) == lineNumber ? FormatInteger(value) : lines[i - 1];
    content += kLineBreak;
  }
  WriteWholeFile(State().configFilePath, content);
  LoadConfiguration();
  CloseAllFiles();
}

void ApplyDepthChoice() {
  const std::int32_t depth = ParseInteger(GetSelectedText(Control::层次组合框));
  UpdateConfigurationLine(1, depth);
  SetStatus(ChoiceStatus("  当前状态： 种子关键词括展深度 更新为 ", depth));
  CloseAllFiles();
}

void ApplyDelayChoice() {
  const std::int32_t delay = ParseInteger(GetSelectedText(Control::延时组合框));
  UpdateConfigurationLine(2, delay);
  SetStatus(ChoiceStatus("  当前状态： 和淘宝官方系统链接的延时处理时间 更新为 ", delay));
  CloseAllFiles();
}

#include "storage/category_files.h"

#include <unistd.h>

#include <cerrno>
#include <string>

#include "storage/app_state.h"
#include "storage/file_access.h"
#include "text/numbers.h"
#include "ui/surface.h"

namespace {

Text CurrentDirectory() {
  std::string buffer(256, '\0');
  for (;;) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) return BytesToText(buffer);
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

Text SeedFileOf(int number) {
  return "data\\zz-" + FormatInteger(number) + ".txt";
}

Text ResultFileOf(int number) {
  return "data\\jg-" + FormatInteger(number) + ".txt";
}

void InitialisePaths() {
  AppState& state = State();
  state.workingDirectory = CurrentDirectory();
  state.configFilePath = state.workingDirectory + "\\data\\vantor.txt";
  state.seedFilePath = state.workingDirectory + "\\data\\zz-1.txt";
  state.resultFilePath = state.workingDirectory + "\\data\\jg-1.txt";
}

void SelectCategory(int number) {
  AppState& state = State();
  state.seedFilePath = SeedFileOf(number);
  state.resultFilePath = ResultFileOf(number);
  LoadCategoryTexts();
}

// Each file stays held while its box is set, so the save that the box's change runs cannot rewrite a
// file that exists; a missing file is not held, and that save creates it empty.
void LoadCategoryTexts() {
  AppState& state = State();
  SetControlText(Control::关键词编辑框, ReadWholeFile(state.seedFilePath));
  SetControlText(Control::一级结果框, ReadWholeFile(state.resultFilePath));
  CloseAllFiles();
}

// A refusal because the load holds the file is no failure: the file already holds what the box shows.
void SaveSeedText() {
  const WriteOutcome outcome = WriteWholeFile(State().seedFilePath, GetControlText(Control::关键词编辑框));
  CloseAllFiles();
  SetStatus(outcome == WriteOutcome::Failed ? "  当前状态： 种子关键词 保存失败！"
                                            : "  当前状态： 更新并保存了 种子关键词！");
}

void SaveResultText() {
  const WriteOutcome outcome = WriteWholeFile(State().resultFilePath, GetControlText(Control::一级结果框));
  CloseAllFiles();
  if (outcome == WriteOutcome::Failed) SetStatus("  当前状态： 括展关键词 保存失败！");
}

#include "ui/configuration_window_handlers.h"

#include "storage/app_state.h"
#include "storage/file_access.h"
#include "text/line_list.h"
#include "text/numbers.h"
#include "ui/surface.h"

namespace {

constexpr int kConfigurationLines = 23;

}  // namespace

void LoadConfigurationText() {
  AttachTooltip(Control::配制编辑框, "修改后关闭自动保存\r\n\r\n千万要随意修改否则程序会出错！");
  Text text = ReadWholeFile(State().configFilePath);
  // The file is held now, so the save that this change raises cannot rewrite an existing file.
  SetControlText(Control::配制编辑框, text);
  CloseAllFiles();
}

void SaveConfigurationText() {
  WriteWholeFile(State().configFilePath, GetControlText(Control::配制编辑框));
  CloseAllFiles();
}

void CheckConfigurationLines() {
  // The file is counted, not the box: the file is what the next start-up reads.
  auto lines = static_cast<int>(SplitText(ReadWholeFile(State().configFilePath), kLineBreak).size());
  CloseAllFiles();
  if (lines == kConfigurationLines) {
    ShowMessage("配制文件已经保存！\r\n\r\n重启软件即可生效！", kButtonsOk, "配制文件保存成功！");
    return;
  }
  Text text = "配制文件的 正确行数是 23 行！\r\n\r\n现在是 ";
  text += '"';
  text += FormatInteger(lines);
  text += '"';
  text += "行！【看一下是否有空行】\r\n\r\n如果你现在重启软件的话，将会产生不可预知的错误，建议您立即重设！";
  ShowMessage(text, kButtonsYesNoCancel, "配制文件的 行数不对！");
}

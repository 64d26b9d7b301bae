#include "ui/main_window_handlers.h"

#include <utility>

#include "storage/category_files.h"
#include "storage/configuration.h"
#include "storage/file_access.h"
#include "ui/surface.h"

namespace {

const std::pair<Control, const char*> kBalloonTips[] = {
    {Control::层次标签, "一般情况下选择1-2层即可抓取很多了！"},
    {Control::延时标签, "这是和谷歌 官方系统网站的 链接延时设置\r\n\r\n1000=1秒，一般的网速 2-5秒比较合适！"},
    {Control::软件配置, "此功能用于设制二十项关键词分类的名称等！"},
    {Control::结果提纯, "分析抓取到的结果\r\n\r\n未包含种子关键词的将被过虑删除！"},
    {Control::去除重复, "分析抓取到的结果，过虑重复的括展关键词！"},
    {Control::开始抓取, "开始按照预设的种子进行抓取工作"},
    {Control::关键词编辑框, "在此录入种子关键词\r\n\r\n一行一个！"},
    {Control::一级结果框, "鼠标左键双击，即可复制内容！"},
    {Control::简单超文本框, "点击下载更多实用软件！"},
};

struct BoxTexts {
  const char* copied;
  const char* copiedStatus;
  const char* failedStatus;
  const char* hint;
};

BoxTexts TextsOf(Control box) {
  if (box == Control::关键词编辑框) {
    return {"已经将 种子关键词结果 存放在剪切版中", "  当前状态： 剪切 种子关键词到剪切版 成功！",
            "  当前状态： 剪切 种子键词到剪切版 失败！",
            "  当前状态： 双击此处 即可复制 种子关键词的内容 ！"};
  }
  return {"已经将 括展关键词结果 存放在剪切版中", "  当前状态： 剪切 括展关键词到剪切版 成功！",
          "  当前状态： 剪切 括展关键词到剪切版 失败！",
          "  当前状态： 双击此处、即可复制、已经抓取到的、这些括展关键词、的内容 ！"};
}

}  // namespace

void InitialiseMainWindow() {
  InitialisePaths();
  SetStatus("  当前状态： 欢迎使用Talvern Ornivex工具，系统已经启动完毕！");
  for (const auto& [control, tip] : kBalloonTips) AttachTooltip(control, tip);
  LoadConfiguration();
  LoadCategoryTexts();
  CloseAllFiles();
}

void CopyBoxToClipboard(Control box) {
  BoxTexts texts = TextsOf(box);
  if (CopyToClipboard(GetControlText(box))) {
    ShowMessage(texts.copied, kButtonsOk, "剪切关键词成功！");
    SetStatus(texts.copiedStatus);
    return;
  }
  ShowMessage("没有剪切成功", kButtonsOk, "没有剪切成功！");
  SetStatus(texts.failedStatus);
}

void ShowBoxHint(Control box) {
  SetStatus(TextsOf(box).hint);
}

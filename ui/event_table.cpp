#include "ui/event_table.h"

#include "crawl/level_crawl.h"
#include "refine/purify_results.h"
#include "refine/remove_duplicates.h"
#include "storage/category_files.h"
#include "storage/configuration.h"
#include "ui/configuration_window_handlers.h"
#include "ui/main_window_handlers.h"

namespace {

std::function<void()>& ConfigurationWindowOpener() {
  static std::function<void()> open;
  return open;
}

void OpenConfigurationWindow() {
  if (ConfigurationWindowOpener()) ConfigurationWindowOpener()();
}

void DispatchBoxEvent(Control box, UiEvent event) {
  switch (event) {
    case UiEvent::TextChanged:
      box == Control::关键词编辑框 ? SaveSeedText() : SaveResultText();
      return;
    case UiEvent::DoubleClick:
      CopyBoxToClipboard(box);
      return;
    case UiEvent::LeftButtonPressed:
      ShowBoxHint(box);
      return;
    default:
      return;
  }
}

}  // namespace

void SetConfigurationWindowOpener(std::function<void()> open) {
  ConfigurationWindowOpener() = std::move(open);
}

void DispatchEvent(Control control, UiEvent event) {
  if (int number = CategoryNumber(control); number != 0) {
    if (event == UiEvent::Clicked) SelectCategory(number);
    return;
  }
  switch (control) {
    case Control::关键词编辑框:
    case Control::一级结果框:
      DispatchBoxEvent(control, event);
      return;
    case Control::层次组合框:
      if (event == UiEvent::ListEntryChosen) ApplyDepthChoice();
      return;
    case Control::延时组合框:
      if (event == UiEvent::ListEntryChosen) ApplyDelayChoice();
      return;
    case Control::开始抓取:
      if (event == UiEvent::Clicked) StartCrawl();
      return;
    case Control::去除重复:
      if (event == UiEvent::Clicked) StartRemoveDuplicates();
      return;
    case Control::结果提纯:
      if (event == UiEvent::Clicked) StartPurifyResults();
      return;
    case Control::软件配置:
      // On the press, not on a completed click: the keyboard cannot open the configuration window.
      if (event == UiEvent::LeftButtonPressed) OpenConfigurationWindow();
      return;
    case Control::配制编辑框:
      if (event == UiEvent::TextChanged) SaveConfigurationText();
      return;
    default:
      return;
  }
}

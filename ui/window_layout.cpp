#include "ui/window_layout.h"

#include <array>
#include <utility>

#include "text/numbers.h"

namespace {

constexpr Rgb kGrey96{96, 96, 96};
constexpr Rgb kHelpBlue{46, 117, 143};
constexpr Rgb kStatusGrey{128, 128, 128};

ControlSpec Place(Text name, WidgetKind kind, Text parent, int left, int top, int width, int height,
                  Text text = {}) {
  ControlSpec spec;
  spec.name = std::move(name);
  spec.kind = kind;
  spec.parent = std::move(parent);
  spec.left = left;
  spec.top = top;
  spec.width = width;
  spec.height = height;
  spec.text = std::move(text);
  return spec;
}

std::vector<Text> NumberList(int first, int last, int step) {
  std::vector<Text> list;
  for (int value = first; value <= last; value += step) list.push_back(FormatInteger(value));
  return list;
}

void WithSongFont(ControlSpec& spec) {
  spec.fontFamily = "宋体";
  spec.fontPixelHeight = 12;
}

WindowSpec BuildMainWindow() {
  WindowSpec window;
  window.caption = " Ornivex 工具 -- Talvern V1.3";
  window.clientWidth = 594;
  window.clientHeight = 470;
  window.minimiseButton = true;
  window.tipDelayMs = 600;
  window.tipDisplayMs = 5000;
  window.fontFamily = "宋体";
  auto& c = window.controls;

  c.push_back(Place("分组框1", WidgetKind::GroupBox, "", 2, 6, 208, 350, "输入核心 种子关键词"));
  c.push_back(Place("关键词编辑框", WidgetKind::EditBox, "分组框1", 3, 16, 202, 331));
  c.back().verticalScrollBar = true;
  c.push_back(Place("分组框2", WidgetKind::GroupBox, "", 368, 6, 224, 440, "括展关键词 抓取结果"));
  c.push_back(Place("一级结果框", WidgetKind::EditBox, "分组框2", 3, 16, 218, 421));
  c.back().verticalScrollBar = true;

  c.push_back(Place("分组框3", WidgetKind::GroupBox, "", 214, 6, 150, 350, "相关设制项"));
  c.push_back(Place("层次标签", WidgetKind::Label, "分组框3", 4, 23, 88, 20, "抓取深度层次(?)"));
  c.back().textColour = kGrey96;
  c.back().pointingHand = true;
  c.push_back(Place("层次组合框", WidgetKind::ComboBox, "分组框3", 98, 23, 49, 20));
  c.back().list = NumberList(1, 15, 1);
  c.back().pointingHand = true;
  c.push_back(Place("延时标签", WidgetKind::Label, "分组框3", 4, 46, 88, 20, "抓取延时(?)"));
  c.back().textColour = kGrey96;
  c.back().pointingHand = true;
  c.push_back(Place("延时组合框", WidgetKind::ComboBox, "分组框3", 98, 46, 49, 20));
  c.back().list = NumberList(1000, 9000, 1000);
  c.back().pointingHand = true;

  for (int number = 1; number <= kCategoryCount; ++number) {
    int row = (number + 1) / 2;
    int left = number % 2 == 1 ? 4 : 76;
    Text caption = "分类" + FormatInteger(number);
    c.push_back(
        Place(caption, WidgetKind::RadioButton, "分组框3", left, 79 + 20 * (row - 1), 68, 18, caption));
    c.back().textColour = kGrey96;
    c.back().pointingHand = true;
    c.back().checked = number == 1;
  }

  c.push_back(Place("软件配置", WidgetKind::PushButton, "分组框3", 4, 289, 68, 24, "软件配置"));
  c.back().pointingHand = true;
  c.push_back(Place("结果提纯", WidgetKind::PushButton, "分组框3", 78, 289, 68, 24, "结果提纯"));
  c.back().pointingHand = true;
  c.push_back(Place("去除重复", WidgetKind::PushButton, "分组框3", 4, 320, 68, 24, "去除重复"));
  c.back().pointingHand = true;
  WithSongFont(c.back());
  c.push_back(Place("气球提示框", WidgetKind::TooltipControl, "分组框3", 66, -14, 24, 24));
  // It lies over the lower right corner of 分组框3, beside 去除重复.
  c.push_back(Place("开始抓取", WidgetKind::PushButton, "", 292, 326, 68, 24, "开始抓取"));
  c.back().pointingHand = true;
  WithSongFont(c.back());

  c.push_back(Place("分组框4", WidgetKind::GroupBox, "", 2, 359, 362, 85, "说明"));
  c.push_back(Place("标签1", WidgetKind::Label, "分组框4", 8, 12, 346, 16,
                    "配置好分类，输入核心种子关键词，设置抓取层数，抓取延时！"));
  c.back().textColour = kHelpBlue;
  c.push_back(Place("标签2", WidgetKind::Label, "分组框4", 8, 29, 346, 16,
                    "点击开始抓取，然后，你就可以把软件最小化放在一边了！"));
  c.back().textColour = kHelpBlue;
  c.push_back(Place("标签3", WidgetKind::Label, "分组框4", 8, 46, 346, 16,
                    "如果层数很深，可能会抓取上万，等到工作完成，会提醒你的！"));
  c.back().textColour = kHelpBlue;
  // The strip of links stays empty: the program offers no web sites of its own.
  c.push_back(Place("简单超文本框", WidgetKind::LinkStrip, "分组框4", 8, 65, 346, 16));
  WithSongFont(c.back());

  c.push_back(Place("当前状态", WidgetKind::StatusLine, "", -2, 449, 598, 18, "当前状态： "));
  c.back().textColour = kStatusGrey;
  return window;
}

WindowSpec BuildConfigurationWindow() {
  WindowSpec window;
  window.caption = "软件配置界面";
  window.clientWidth = 194;
  window.clientHeight = 409;
  window.minimiseButton = false;
  window.tipDelayMs = 600;
  window.tipDisplayMs = 3000;
  window.fontFamily = "宋体";
  auto& c = window.controls;

  c.push_back(Place("分组框1", WidgetKind::GroupBox, "", 3, 8, 188, 394, "分类名称设置"));
  c.back().textColour = kGrey96;
  c.push_back(Place("标签1", WidgetKind::Label, "分组框1", 3, 17, 178, 16, "这里共有 23 行 不能多也不能少"));
  c.back().textColour = Rgb{0, 0, 255};
  c.push_back(Place("标签2", WidgetKind::Label, "", 8, 42, 178, 16, "前 3 行，不要动"));
  c.back().textColour = Rgb{128, 0, 0};
  c.push_back(Place("标签3", WidgetKind::Label, "", 8, 61, 178, 16, "4 - 23行分别依次 是分类的名称"));
  c.back().textColour = Rgb{0, 0, 96};
  c.push_back(Place("配制编辑框", WidgetKind::EditBox, "分组框1", 3, 80, 180, 310));
  c.push_back(Place("气球提示框", WidgetKind::TooltipControl, "分组框1", 120, -7, 32, 24));
  return window;
}

}  // namespace

const WindowSpec& MainWindowSpec() {
  static const WindowSpec window = BuildMainWindow();
  return window;
}

const WindowSpec& ConfigurationWindowSpec() {
  static const WindowSpec window = BuildConfigurationWindow();
  return window;
}

Text ControlName(Control control) {
  static const std::array<Text, kControlCount> names = {
#define ORNIVEX_CONTROL_NAME(name) #name,
      ORNIVEX_CONTROLS(ORNIVEX_CONTROL_NAME)
#undef ORNIVEX_CONTROL_NAME
  };
  return names[static_cast<int>(control)];
}

std::optional<Control> ControlNamed(const Text& name) {
  for (int i = 0; i < kControlCount; ++i) {
    if (ControlName(static_cast<Control>(i)) == name) return static_cast<Control>(i);
  }
  return std::nullopt;
}

#include "ui/window_layout.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/gbk.h"

namespace {

TEST(WindowLayoutTest, ControlNamesAreTheirGbkNamesAndMapBack) {
  EXPECT_EQ(ControlName(Control::关键词编辑框), Gbk("关键词编辑框"));
  EXPECT_EQ(ControlName(Control::分类20), Gbk("分类20"));
  for (int i = 0; i < kControlCount; ++i) {
    auto control = static_cast<Control>(i);
    EXPECT_EQ(ControlNamed(ControlName(control)), control) << i;
  }
  EXPECT_EQ(ControlNamed(Gbk("分组框1")), std::nullopt);
}

// Names are unique within a window, a control lies in a group box made before it, and every control
// that the logic addresses is in the window it belongs to, once.
void ExpectWellFormed(const WindowSpec& window, const std::set<Control>& addressed) {
  std::set<Text> names;
  std::set<Text> groupBoxes;
  std::set<Control> found;
  for (const ControlSpec& control : window.controls) {
    EXPECT_TRUE(names.insert(control.name).second) << Utf8(control.name);
    if (!control.parent.empty()) {
      EXPECT_TRUE(groupBoxes.count(control.parent)) << Utf8(control.name);
    }
    if (control.kind == WidgetKind::GroupBox) groupBoxes.insert(control.name);
    if (auto named = ControlNamed(control.name)) found.insert(*named);
  }
  EXPECT_EQ(found, addressed);
}

TEST(WindowLayoutTest, BothTablesAreWellFormed) {
  std::set<Control> main;
  for (int i = 0; i < kControlCount; ++i) main.insert(static_cast<Control>(i));
  main.erase(Control::配制编辑框);
  ExpectWellFormed(MainWindowSpec(), main);
  ExpectWellFormed(ConfigurationWindowSpec(), {Control::配制编辑框});
  EXPECT_EQ(MainWindowSpec().controls.size(), 40u);
  EXPECT_EQ(ConfigurationWindowSpec().controls.size(), 6u);
}

TEST(WindowLayoutTest, EveryControlFitsItsWindow) {
  for (const WindowSpec* window : {&MainWindowSpec(), &ConfigurationWindowSpec()}) {
    for (const ControlSpec& control : window->controls) {
      if (!control.parent.empty() || control.kind == WidgetKind::StatusLine) continue;
      EXPECT_LE(control.left + control.width, window->clientWidth) << Utf8(control.name);
      EXPECT_LE(control.top + control.height, window->clientHeight) << Utf8(control.name);
    }
  }
}

}  // namespace

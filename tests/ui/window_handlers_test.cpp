#include <gtest/gtest.h>

#include "crawl/level_crawl.h"
#include "storage/app_state.h"
#include "tests/support/gbk.h"
#include "tests/ui/window_world.h"
#include "ui/configuration_window_handlers.h"
#include "ui/event_table.h"
#include "ui/main_window_handlers.h"

namespace {

TEST(InitialiseMainWindowTest, FillsTheWindowAndEndsWithTheSeedBoxSaveStatus) {
  WindowWorld world;
  std::vector<Text> log = world.surface.StatusLog();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log.front(), Gbk("  当前状态： 欢迎使用Talvern Ornivex工具，系统已经启动完毕！"));
  EXPECT_EQ(log.back(), Gbk("  当前状态： 更新并保存了 种子关键词！"));
  EXPECT_EQ(world.surface.Peek(Control::关键词编辑框), Gbk("苹果\r\n香蕉"));
  EXPECT_EQ(world.surface.Peek(Control::一级结果框), Gbk("苹果价格\r\n"));
  EXPECT_EQ(world.surface.Peek(Control::层次组合框), "2");
  EXPECT_EQ(world.surface.Peek(Control::延时组合框), "0");
  // Loading never rewrites an existing file.
  EXPECT_EQ(world.dir.Read("data/zz-1.txt"), Gbk("苹果\r\n香蕉"));
}

TEST(InitialiseMainWindowTest, AttachesTheNineTipsInOrder) {
  WindowWorld world;
  const std::pair<Control, const char*> expected[] = {
      {Control::层次标签, "一般情况下选择1-2层即可抓取很多了！"},
      {Control::延时标签,
       "这是和谷歌 官方系统网站的 链接延时设置\r\n\r\n1000=1秒，一般的网速 2-5秒比较合适！"},
      {Control::软件配置, "此功能用于设制二十项关键词分类的名称等！"},
      {Control::结果提纯, "分析抓取到的结果\r\n\r\n未包含种子关键词的将被过虑删除！"},
      {Control::去除重复, "分析抓取到的结果，过虑重复的括展关键词！"},
      {Control::开始抓取, "开始按照预设的种子进行抓取工作"},
      {Control::关键词编辑框, "在此录入种子关键词\r\n\r\n一行一个！"},
      {Control::一级结果框, "鼠标左键双击，即可复制内容！"},
      {Control::简单超文本框, "点击下载更多实用软件！"},
  };
  auto tips = world.surface.Tooltips();
  ASSERT_EQ(tips.size(), std::size(expected));
  for (std::size_t i = 0; i < tips.size(); ++i) {
    EXPECT_EQ(tips[i].first, expected[i].first) << i;
    EXPECT_EQ(tips[i].second, Gbk(expected[i].second)) << i;
  }
}

struct BoxCase {
  Control box;
  const char* copied;
  const char* copiedStatus;
  const char* failedStatus;
  const char* hint;
};

const BoxCase kBoxes[] = {
    {Control::关键词编辑框, "已经将 种子关键词结果 存放在剪切版中",
     "  当前状态： 剪切 种子关键词到剪切版 成功！", "  当前状态： 剪切 种子键词到剪切版 失败！",
     "  当前状态： 双击此处 即可复制 种子关键词的内容 ！"},
    {Control::一级结果框, "已经将 括展关键词结果 存放在剪切版中",
     "  当前状态： 剪切 括展关键词到剪切版 成功！", "  当前状态： 剪切 括展关键词到剪切版 失败！",
     "  当前状态： 双击此处、即可复制、已经抓取到的、这些括展关键词、的内容 ！"},
};

TEST(BoxEventsTest, DoubleClickCopiesTheBoxThenReportsAfterTheMessage) {
  for (const BoxCase& c : kBoxes) {
    WindowWorld world;
    world.Raise(c.box, UiEvent::DoubleClick);
    EXPECT_EQ(world.surface.Clipboard(), world.surface.Peek(c.box));
    auto messages = world.surface.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, Gbk(c.copied));
    EXPECT_EQ(messages[0].title, Gbk("剪切关键词成功！"));
    EXPECT_EQ(messages[0].buttonSet, kButtonsOk);
    EXPECT_EQ(world.LastStatus(), Gbk(c.copiedStatus));
  }
}

TEST(BoxEventsTest, AFailedCopyReportsTheFailureAndKeepsTheBox) {
  for (const BoxCase& c : kBoxes) {
    WindowWorld world;
    Text before = world.surface.Peek(c.box);
    world.surface.SetClipboardWorks(false);
    world.Raise(c.box, UiEvent::DoubleClick);
    auto messages = world.surface.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, Gbk("没有剪切成功"));
    EXPECT_EQ(messages[0].title, Gbk("没有剪切成功！"));
    EXPECT_EQ(world.LastStatus(), Gbk(c.failedStatus));
    EXPECT_EQ(world.surface.Peek(c.box), before);
  }
}

TEST(BoxEventsTest, AnEmptySeedBoxCopiesTheEmptyText) {
  WindowWorld world;
  world.surface.UserEdit(Control::关键词编辑框, "");
  world.Raise(Control::关键词编辑框, UiEvent::DoubleClick);
  EXPECT_EQ(world.surface.Clipboard(), "");
  EXPECT_EQ(world.LastStatus(), Gbk("  当前状态： 剪切 种子关键词到剪切版 成功！"));
}

TEST(BoxEventsTest, PressingABoxWritesItsHintAndNothingElse) {
  for (const BoxCase& c : kBoxes) {
    WindowWorld world;
    std::size_t statuses = world.surface.StatusLog().size();
    world.Raise(c.box, UiEvent::LeftButtonPressed);
    EXPECT_EQ(world.surface.StatusLog().size(), statuses + 1);
    EXPECT_EQ(world.LastStatus(), Gbk(c.hint));
    EXPECT_TRUE(world.surface.Messages().empty());
  }
}

TEST(EventTableTest, ACategoryButtonLoadsThatCategory) {
  WindowWorld world;
  world.Raise(Control::分类3, UiEvent::Clicked);
  EXPECT_EQ(world.surface.Peek(Control::关键词编辑框), Gbk("第三类种子\r\n"));
  EXPECT_EQ(world.surface.Peek(Control::一级结果框), Gbk("第三类结果\r\n"));
  EXPECT_EQ(State().seedFilePath, "data\\zz-3.txt");
  // A category without files gets both, empty.
  world.Raise(Control::分类20, UiEvent::Clicked);
  EXPECT_TRUE(world.dir.Exists("data/zz-20.txt"));
  EXPECT_TRUE(world.dir.Exists("data/jg-20.txt"));
  EXPECT_EQ(world.surface.Peek(Control::关键词编辑框), "");
}

TEST(EventTableTest, DepthAndDelayChoicesRewriteTheirLines) {
  WindowWorld world;
  world.surface.ChooseListEntry(Control::层次组合框, "12");
  EXPECT_EQ(world.dir.Read("data/vantor.txt"), ConfigurationBytes("12", "0"));
  EXPECT_EQ(world.LastStatus(), Gbk("  当前状态： 种子关键词括展深度 更新为 \"12\" ！"));
  world.surface.ChooseListEntry(Control::延时组合框, "3000");
  EXPECT_EQ(world.dir.Read("data/vantor.txt"), ConfigurationBytes("12", "3000"));
  EXPECT_EQ(world.LastStatus(), Gbk("  当前状态： 和淘宝官方系统链接的延时处理时间 更新为 \"3000\" ！"));
  EXPECT_EQ(State().delayText.Get(), "3000");
}

TEST(EventTableTest, EditsOfTheBoxesReachTheirFiles) {
  WindowWorld world;
  world.surface.UserEdit(Control::关键词编辑框, Gbk("新种子"));
  world.surface.UserEdit(Control::一级结果框, Gbk("新结果\r\n"));
  EXPECT_EQ(world.dir.Read("data/zz-1.txt"), Gbk("新种子"));
  EXPECT_EQ(world.dir.Read("data/jg-1.txt"), Gbk("新结果\r\n"));
}

TEST(EventTableTest, TheCommandButtonsStartTheirWork) {
  WindowWorld world;
  SetSleeper([](int) {});
  SetPageFetcher([](const Text&) { return Text(); });
  world.Raise(Control::开始抓取, UiEvent::Clicked);
  ASSERT_TRUE(world.surface.WaitForMessages(1, std::chrono::seconds(10)));
  EXPECT_EQ(world.surface.Messages().back().title, Gbk("当前抓取工作完成"));
  SetPageFetcher({});
  SetSleeper({});

  world.surface.UserEdit(Control::一级结果框, "b\r\na\r\nb\r\n");
  world.Raise(Control::去除重复, UiEvent::Clicked);
  for (int i = 0; i < 500 && world.surface.Peek(Control::一级结果框) != "a\r\nb\r\n"; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(world.surface.Peek(Control::一级结果框), "a\r\nb\r\n");

  world.surface.UserEdit(Control::关键词编辑框, "a");
  world.Raise(Control::结果提纯, UiEvent::Clicked);
  for (int i = 0; i < 500 && world.surface.Peek(Control::一级结果框) != "a\r\n"; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(world.surface.Peek(Control::一级结果框), "a\r\n");
}

TEST(EventTableTest, EventsWithoutAHandlerDoNothing) {
  WindowWorld world;
  std::size_t statuses = world.surface.StatusLog().size();
  world.Raise(Control::开始抓取, UiEvent::LeftButtonPressed);
  world.Raise(Control::分类2, UiEvent::DoubleClick);
  world.Raise(Control::软件配置, UiEvent::Clicked);
  world.Raise(Control::层次标签, UiEvent::Clicked);
  EXPECT_EQ(world.surface.StatusLog().size(), statuses);
  EXPECT_EQ(State().seedFilePath, State().workingDirectory + "\\data\\zz-1.txt");
}

// The configuration window as the event table opens it: loaded when created, checked when closed.
class ConfigurationWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetConfigurationWindowOpener([this] {
      LoadConfigurationText();
      if (edit_) edit_();
      CheckConfigurationLines();
    });
  }
  void TearDown() override { SetConfigurationWindowOpener({}); }

  // Opens the window with 软件配置, runs `edit` while it is open, closes it; the message it showed.
  MemorySurface::Message OpenAndClose(WindowWorld& world, std::function<void()> edit = {}) {
    edit_ = std::move(edit);
    std::size_t before = world.surface.Messages().size();
    world.Raise(Control::软件配置, UiEvent::LeftButtonPressed);
    auto messages = world.surface.Messages();
    EXPECT_EQ(messages.size(), before + 1);
    return messages.back();
  }

  std::function<void()> edit_;
};

TEST_F(ConfigurationWindowTest, OpeningAndClosingLeavesTheFileAndReports23Lines) {
  WindowWorld world;
  auto message = OpenAndClose(world);
  EXPECT_EQ(message.text, Gbk("配制文件已经保存！\r\n\r\n重启软件即可生效！"));
  EXPECT_EQ(message.title, Gbk("配制文件保存成功！"));
  EXPECT_EQ(message.buttonSet, kButtonsOk);
  EXPECT_EQ(world.dir.Read("data/vantor.txt"), ConfigurationBytes());
  EXPECT_EQ(world.surface.Peek(Control::配制编辑框), ConfigurationBytes());
}

Text WrongCountText(const char* count) {
  return Gbk(
      std::string("配制文件的 正确行数是 23 行！\r\n\r\n现在是 \"") + count +
      "\"行！【看一下是否有空行】\r\n\r\n如果你现在重启软件的话，将会产生不可预知的错误，建议您立即重设！");
}

TEST_F(ConfigurationWindowTest, AnExtraLineBreakReports24) {
  WindowWorld world;
  auto message = OpenAndClose(
      world, [&] { world.surface.UserEdit(Control::配制编辑框, ConfigurationBytes() + "\r\n"); });
  EXPECT_EQ(message.text, WrongCountText("24"));
  EXPECT_EQ(message.title, Gbk("配制文件的 行数不对！"));
  EXPECT_EQ(message.buttonSet, kButtonsYesNoCancel);
  EXPECT_EQ(world.dir.Read("data/vantor.txt"), ConfigurationBytes() + "\r\n");
}

TEST_F(ConfigurationWindowTest, DroppingTheLastLineBreakKeeps23) {
  WindowWorld world;
  std::string text = ConfigurationBytes();
  text.resize(text.size() - 2);
  auto message = OpenAndClose(world, [&] { world.surface.UserEdit(Control::配制编辑框, text); });
  EXPECT_EQ(message.title, Gbk("配制文件保存成功！"));
  EXPECT_EQ(world.dir.Read("data/vantor.txt"), text);
}

TEST_F(ConfigurationWindowTest, AMissingFileIsCreatedEmptyAndCountsZero) {
  WindowWorld world;
  std::filesystem::remove(world.dir.path() / "data/vantor.txt");
  auto message = OpenAndClose(world);
  EXPECT_EQ(message.text, WrongCountText("0"));
  EXPECT_TRUE(world.dir.Exists("data/vantor.txt"));
  EXPECT_EQ(world.dir.Read("data/vantor.txt"), "");
}

TEST_F(ConfigurationWindowTest, ANewCaptionReachesTheButtonOnlyAtTheNextLoad) {
  WindowWorld world;
  std::string text = ConfigurationBytes();
  std::string changed = text;
  std::string old = Gbk("类别3");
  changed.replace(changed.find(old), old.size(), Gbk("鞋子"));
  OpenAndClose(world, [&] { world.surface.UserEdit(Control::配制编辑框, changed); });
  EXPECT_EQ(world.dir.Read("data/vantor.txt"), changed);
  EXPECT_EQ(world.surface.Peek(Control::分类3), Gbk("类别3"));
  world.surface.ChooseListEntry(Control::层次组合框, "2");
  EXPECT_EQ(world.surface.Peek(Control::分类3), Gbk("鞋子"));
}

}  // namespace

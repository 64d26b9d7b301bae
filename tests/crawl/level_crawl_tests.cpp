#include "crawl/level_crawl.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "crawl/page_fetch.h"
#include "crawl/search_url.h"
#include "storage/app_state.h"
#include "storage/category_files.h"
#include "tests/crawl/crawl_rig.h"
#include "tests/support/gbk.h"
#include "tests/support/http_server.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

// The status lines of a crawl, in GBK as the crawl writes them.
std::string Started() {
  return Gbk("  当前状态： 括展关键词 获取完成！");
}
std::string Progress(int level, int lines, int line) {
  return Gbk("  现在开始第 " + std::to_string(level) + " 层抓取工作，本层总行数 " + std::to_string(lines) +
             " 当前已经执行了 " + std::to_string(line) + " 行！");
}
std::string EmptyLine(int level) {
  return Gbk("  在第 " + std::to_string(level) + " 层，发现了一个空格！");
}
std::string NoContent(const std::string& keywordUtf8) {
  return Gbk("  关键词 " + keywordUtf8 + " 没有提取到相关内容！");
}
std::string Entering(int level) {
  return Gbk("  现在开始 进入 " + std::to_string(level) + " 层 抓取");
}
std::string Done() {
  return Gbk("  ================= 抓取 工作 完成 =====================");
}

void ExpectCompletionMessage(MemorySurface& surface) {
  std::vector<MemorySurface::Message> messages = surface.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, Gbk("哥：当前抓取工作已经完成了\r\n\r\n到Brimmel休息一下再工作吧！"));
  EXPECT_EQ(messages[0].title, Gbk("当前抓取工作完成"));
  EXPECT_EQ(messages[0].buttonSet, kButtonsOk);
}

std::vector<std::string> StatusesSince(MemorySurface& surface, std::size_t first) {
  std::vector<std::string> log = surface.StatusLog();
  return std::vector<std::string>(log.begin() + static_cast<std::ptrdiff_t>(first), log.end());
}

// Pages that link one keyword each: the keyword with "x" appended, so that every level has input.
Text OneLinkPage(const Text& url) {
  return RelatedPage({KeywordOf(url) + "x"});
}
Text NoBlockPage(const Text&) {
  return PageWithoutBlock();
}

// The keyword in the raw request line of a results-page request, percent escapes undone.
std::string QueryKeyword(const std::string& request) {
  const std::string target = request.substr(0, request.find(" HTTP/"));
  const std::string query = target.substr(target.find("&q=") + 3);
  std::string keyword;
  for (std::size_t i = 0; i < query.size(); ++i) {
    if (query[i] == '%' && i + 2 < query.size()) {
      keyword += static_cast<char>(std::stoi(query.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      keyword += query[i];
    }
  }
  return keyword;
}

TEST(CrawlThroughServer, ResultFileHoldsEveryBatchInCrawlOrder) {
  TempDir dir;
  const std::string seeds = Gbk("种子一\r\n\r\n种子二\r\n无结果\r\n");
  dir.Write("data/zz-1.txt", seeds);
  dir.Write("data/jg-1.txt", Gbk("旧结果\r\n"));
  ScopedCurrentDirectory inDir(dir.path());

  const std::map<std::string, std::string> pages = {
      {Gbk("种子一"), RelatedPage({Gbk("苹果"), Gbk("香蕉")})},
      {Gbk("种子二"), RelatedPage({Gbk("橙子")})},
      {Gbk("橙子"), RelatedPage({Gbk("橙汁")})},
      {Gbk("苹果"), RelatedPage({Gbk("红苹果"), Gbk("青苹果")})},
      {Gbk("香蕉"), PageWithoutBlock()},
  };
  HttpServer server([&](const std::string& request) {
    auto page = pages.find(QueryKeyword(request));
    return page == pages.end() ? HttpServer::Page(PageWithoutBlock(), 404) : HttpServer::Page(page->second);
  });
  const Text searchHost = "http://" + SearchHost();
  CrawlRig rig(
      [&](const Text& url) {
        return FetchPageText("http://" + server.hostAndPort() + url.substr(searchHost.size()));
      },
      SaveBoxes);

  rig.surface().Run([] {
    InitialisePaths();
    LoadCategoryTexts();
  });
  State().depthText.Set("2");
  State().delayText.Set("1000");
  const std::size_t firstStatus = rig.surface().StatusLog().size();
  rig.ClickStart();
  ASSERT_TRUE(rig.WaitForMessages(1));

  // Level 2 reads slot 1 newest batch first: 橙子, (empty), 苹果, 香蕉, (empty).
  EXPECT_EQ(dir.Read("data/jg-1.txt"), Gbk("苹果\r\n香蕉\r\n橙子\r\n橙汁\r\n红苹果\r\n青苹果\r\n"));
  EXPECT_EQ(dir.Read("data/zz-1.txt"), seeds);
  EXPECT_EQ(rig.Fetched(), (std::vector<std::string>{Gbk("种子一"), Gbk("种子二"), Gbk("无结果"), Gbk("橙子"),
                                                     Gbk("苹果"), Gbk("香蕉")}));
  EXPECT_EQ(server.Requests().size(), 6u);
  EXPECT_EQ(
      StatusesSince(rig.surface(), firstStatus),
      (std::vector<std::string>{
          Started(), Progress(1, 4, 1), Progress(1, 4, 2), EmptyLine(1), Progress(1, 4, 3), Progress(1, 4, 4),
          NoContent("无结果"), Entering(2), Progress(2, 5, 1), Progress(2, 5, 2), EmptyLine(2),
          Progress(2, 5, 3), Progress(2, 5, 4), NoContent("香蕉"), Progress(2, 5, 5), EmptyLine(2), Done()}));
  // One delay after each fetched page, one before level 2, none after an empty line or the last level.
  std::vector<CrawlRig::Sleep> sleeps = rig.Sleeps();
  ASSERT_EQ(sleeps.size(), 7u);
  for (const CrawlRig::Sleep& sleep : sleeps) EXPECT_EQ(sleep.milliseconds, 1000);
  EXPECT_EQ(sleeps[3].statusBefore, Entering(2));
  ExpectCompletionMessage(rig.surface());
  ReleaseState();
}

struct DepthCase {
  const char* depth;
  bool blocks;                        // every page links one keyword; otherwise no page has a block
  std::vector<std::string> statuses;  // the whole status log of the crawl
  std::size_t sleeps;
  bool completes;     // the completion message comes
  int linkingLevels;  // the levels whose page linked a keyword
};

std::ostream& operator<<(std::ostream& out, const DepthCase& c) {
  return out << "depth \"" << c.depth << "\"";
}

// Depth above 15: levels 1 to 15, each but the first with the link and the empty entry after it.
std::vector<std::string> FifteenLevelsThenSixteenAnnounced() {
  std::vector<std::string> statuses = {Started(), Progress(1, 1, 1), Entering(2)};
  for (int level = 2; level <= 15; ++level) {
    statuses.insert(statuses.end(),
                    {Progress(level, 2, 1), Progress(level, 2, 2), EmptyLine(level), Entering(level + 1)});
  }
  return statuses;
}

class CrawlDepth : public testing::TestWithParam<DepthCase> {};

TEST_P(CrawlDepth, RunsTheLevelsTheDepthAllows) {
  const DepthCase& c = GetParam();
  CrawlRig rig(c.blocks ? OneLinkPage : NoBlockPage);
  rig.surface().UserEdit(Control::关键词编辑框, Gbk("种子\r\n"));
  rig.surface().UserEdit(Control::一级结果框, Gbk("旧结果\r\n"));
  State().depthText.Set(c.depth);
  State().delayText.Set("1000");

  rig.ClickStart();
  if (c.completes) {
    ASSERT_TRUE(rig.WaitForMessages(1));
  }
  if (c.sleeps > 0) {
    ASSERT_TRUE(rig.WaitForSleeps(c.sleeps));
  }
  // Whatever would come after the last expected step (a sixteenth level, a message) has time to show.
  if (!c.completes) std::this_thread::sleep_for(100ms);

  EXPECT_EQ(rig.surface().StatusLog(), c.statuses);
  EXPECT_EQ(rig.Sleeps().size(), c.sleeps);
  EXPECT_EQ(rig.surface().Messages().size(), c.completes ? 1u : 0u);
  if (c.completes) ExpectCompletionMessage(rig.surface());
  // The last delay follows the last status before the end: the one delay after announcing level 16.
  const std::string& lastBeforeSleep = c.statuses[c.statuses.size() - (c.completes ? 2 : 1)];
  if (c.sleeps > 0) {
    EXPECT_EQ(rig.Sleeps().back().statusBefore, lastBeforeSleep);
  }
  // The result box was emptied at the start and holds the link of every level that ran, level 15's too.
  std::string results;
  std::string keyword = Gbk("种子");
  for (int level = 1; level <= c.linkingLevels; ++level) results += (keyword += "x") + "\r\n";
  EXPECT_EQ(rig.surface().Peek(Control::一级结果框), results);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CrawlDepth,
    testing::Values(DepthCase{"0", true, {Started()}, 0, false, 0},
                    DepthCase{"abc", true, {Started()}, 0, false, 0},
                    DepthCase{"0.5", true, {Started(), Progress(1, 1, 1), Done()}, 1, true, 1},
                    DepthCase{"1", true, {Started(), Progress(1, 1, 1), Done()}, 1, true, 1},
                    DepthCase{
                        "3",
                        false,
                        {Started(), Progress(1, 1, 1), NoContent("种子"), Entering(2), Entering(3), Done()},
                        3,
                        true,
                        0},
                    DepthCase{"20", true, FifteenLevelsThenSixteenAnnounced(), 30, false, 15}));

TEST(StartCrawl, EmptySeedBoxShowsTheMessageAndKeepsTheResults) {
  CrawlRig rig(OneLinkPage);
  rig.surface().UserEdit(Control::关键词编辑框, "");
  rig.surface().UserEdit(Control::一级结果框, Gbk("旧结果\r\n"));
  State().depthText.Set("3");
  rig.ClickStart();

  std::vector<MemorySurface::Message> messages = rig.surface().Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, Gbk("关键词不能小于 1 ！"));
  EXPECT_EQ(messages[0].title, Gbk("关键词长度不对"));
  EXPECT_EQ(messages[0].buttonSet, kButtonsOk);
  EXPECT_EQ(rig.surface().Peek(Control::一级结果框), Gbk("旧结果\r\n"));
  EXPECT_EQ(rig.surface().TextChangedCount(Control::一级结果框), 1);  // the test's own edit
  EXPECT_EQ(rig.surface().StatusLog(), std::vector<std::string>{Started()});
  EXPECT_TRUE(rig.Fetched().empty());
}

TEST(CrawlDelay, IsReadAnewAtEverySleep) {
  CrawlRig rig(NoBlockPage);
  rig.surface().UserEdit(Control::关键词编辑框, "a\r\nb\r\n");
  State().depthText.Set("2");
  State().delayText.Set("1000");
  // Each change comes from the user-interface thread while the worker sleeps, as a delay choice does.
  rig.onSleep = [&](std::size_t number) {
    const char* next = number == 1 ? "-5" : " 7 ms";
    rig.surface().Run([next] { State().delayText.Set(next); });
  };
  rig.ClickStart();
  ASSERT_TRUE(rig.WaitForMessages(1));

  std::vector<CrawlRig::Sleep> sleeps = rig.Sleeps();
  ASSERT_EQ(sleeps.size(), 3u);
  EXPECT_EQ(sleeps[0].milliseconds, 1000);
  EXPECT_EQ(sleeps[1].milliseconds, 0);  // a negative delay sleeps 0
  EXPECT_EQ(sleeps[2].milliseconds, 7);  // the sleep before level 2
  EXPECT_EQ(sleeps[2].statusBefore, Entering(2));
}

TEST(CrawlDepth, IsReadAtTheEndOfEachLevel) {
  CrawlRig rig(OneLinkPage);
  rig.surface().UserEdit(Control::关键词编辑框, "a\r\n");
  State().depthText.Set("1");
  State().delayText.Set("0");
  rig.onSleep = [&](std::size_t number) {
    if (number == 1) rig.surface().Run([] { State().depthText.Set("2"); });
  };
  rig.ClickStart();
  ASSERT_TRUE(rig.WaitForMessages(1));

  EXPECT_EQ(rig.Fetched(), (std::vector<std::string>{"a", "ax"}));
}

TEST(CrawlLevel, BlockWithoutLinksLeavesAnEmptyEntryAndNoAppend) {
  CrawlRig rig([](const Text&) { return RelatedPage({}); });
  rig.surface().UserEdit(Control::关键词编辑框, "a\r\n");
  State().depthText.Set("2");
  State().delayText.Set("0");
  rig.ClickStart();
  ASSERT_TRUE(rig.WaitForMessages(1));

  EXPECT_EQ(rig.surface().StatusLog(), (std::vector<std::string>{Started(), Progress(1, 1, 1), Entering(2),
                                                                 Progress(2, 1, 1), EmptyLine(2), Done()}));
  EXPECT_EQ(rig.surface().Peek(Control::一级结果框), "");
  EXPECT_EQ(rig.surface().TextChangedCount(Control::一级结果框), 1);  // emptied by the start only
  EXPECT_EQ(rig.Fetched(), std::vector<std::string>{"a"});
}

// Called on the test's own thread: the level runs to its end before the call returns.
TEST(CrawlLevel, PutsEachBatchInFrontOfItsSlot) {
  const std::map<std::string, std::string> pages = {{"p1", RelatedPage({"k1", "k2"})},
                                                    {"p2", RelatedPage({"k3"})}};
  CrawlRig rig([&](const Text& url) { return pages.at(KeywordOf(url)); });
  rig.surface().UserEdit(Control::关键词编辑框, "p1\r\np2\r\n");
  State().depthText.Set("1");
  auto crawl = std::make_shared<CrawlSlots>();
  CrawlLevel(crawl, 1);

  EXPECT_EQ(crawl->slots[0], "k3\r\n\r\nk1\r\nk2\r\n\r\n");
  for (std::size_t slot = 1; slot < crawl->slots.size(); ++slot)
    EXPECT_EQ(crawl->slots[slot], "") << slot + 1;
  EXPECT_EQ(rig.surface().Peek(Control::一级结果框), "k1\r\nk2\r\nk3\r\n");
}

TEST(CrawlLevel, LevelFifteenAppendsButFillsNoSlot) {
  CrawlRig rig(OneLinkPage);
  State().depthText.Set("15");
  auto crawl = std::make_shared<CrawlSlots>();
  crawl->slots[13] = "q\r\n";
  CrawlLevel(crawl, 15);

  EXPECT_EQ(crawl->slots[13], "q\r\n");
  for (std::size_t slot = 0; slot < 13; ++slot) EXPECT_EQ(crawl->slots[slot], "") << slot + 1;
  EXPECT_EQ(rig.surface().Peek(Control::一级结果框), "qx\r\n");
  EXPECT_EQ(rig.surface().StatusLog(), (std::vector<std::string>{Progress(15, 1, 1), Done()}));
}

// A later crawl starts with empty slots of its own: its level 2 reads only its own level 1.
TEST(StartCrawl, EachCrawlHasSlotsOfItsOwn) {
  CrawlRig rig(OneLinkPage);
  State().depthText.Set("2");
  State().delayText.Set("0");
  rig.surface().UserEdit(Control::关键词编辑框, "a\r\n");
  rig.ClickStart();
  ASSERT_TRUE(rig.WaitForMessages(1));
  rig.surface().UserEdit(Control::关键词编辑框, "b\r\n");
  rig.ClickStart();
  ASSERT_TRUE(rig.WaitForMessages(2));

  EXPECT_EQ(rig.Fetched(), (std::vector<std::string>{"a", "ax", "b", "bx"}));
  EXPECT_EQ(rig.surface().Peek(Control::一级结果框), "bx\r\nbxx\r\n");
}

TEST(StartNextLevel, StartsNothingOutsideTwoToFifteen) {
  CrawlRig rig(OneLinkPage);
  rig.surface().UserEdit(Control::关键词编辑框, "a\r\n");
  State().depthText.Set("1");
  auto crawl = std::make_shared<CrawlSlots>();
  crawl->slots[13] = "q\r\n";
  for (int level : {-1, 0, 1, 16, 17}) StartNextLevel(crawl, level);
  std::this_thread::sleep_for(100ms);

  EXPECT_TRUE(rig.Fetched().empty());
  EXPECT_TRUE(rig.surface().StatusLog().empty());
}

}  // namespace

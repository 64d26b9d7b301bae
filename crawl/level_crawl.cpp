#include "crawl/level_crawl.h"

#include <chrono>
#include <cstdint>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "crawl/page_fetch.h"
#include "crawl/related_searches.h"
#include "crawl/search_url.h"
#include "storage/app_state.h"
#include "text/line_list.h"
#include "text/numbers.h"
#include "ui/surface.h"

namespace {

// Tests replace the seams while no crawl runs, but a worker of an earlier crawl may still be reading
// them, so each use takes a copy under the lock.
std::mutex seamMutex;
PageFetcher installedFetcher;
Sleeper installedSleeper;

Text FetchPage(const Text& url) {
  PageFetcher fetcher;
  {
    std::lock_guard lock(seamMutex);
    fetcher = installedFetcher;
  }
  return fetcher ? fetcher(url) : FetchPageText(url);
}

// The delay is read at the moment of each sleep, so a choice made during a crawl applies from the next
// sleep on.
void SleepForDelay() {
  const std::int32_t configured = ParseInteger(State().delayText.Get());
  const int milliseconds = configured < 0 ? 0 : configured;
  Sleeper sleep;
  {
    std::lock_guard lock(seamMutex);
    sleep = installedSleeper;
  }
  if (sleep) {
    sleep(milliseconds);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// A thread that cannot be started ends the crawl there; nobody is told.
void StartWorker(std::shared_ptr<CrawlSlots> crawl, int level) {
  try {
    std::thread(CrawlLevel, std::move(crawl), level).detach();
  } catch (const std::system_error&) {
  }
}

// Level 1 reads the seed box; every later level reads a copy of what the level before it found, taken
// once, so that the slot may go on growing (from another worker) while this level works through it.
Text LevelInput(CrawlSlots& crawl, int level) {
  if (level == 1) return GetControlText(Control::关键词编辑框);
  std::lock_guard lock(crawl.mutex);
  return crawl.slots[level - 2];
}

// Each keyword followed by CR LF, in page order.
Text MakeBatch(const std::vector<Text>& keywords) {
  Text batch;
  for (const Text& keyword : keywords) {
    batch += keyword;
    batch += kLineBreak;
  }
  return batch;
}

// The newest batch goes in front, followed by CR LF: the next level reads it first and passes over the
// empty entry that the CR LF leaves behind it.
void PutInFront(CrawlSlots& crawl, int level, const Text& batch) {
  std::lock_guard lock(crawl.mutex);
  Text& slot = crawl.slots[level - 1];
  slot = batch + Text(kLineBreak) + slot;
}

void CrawlKeyword(CrawlSlots& crawl, int level, const Text& keyword) {
  const RelatedSearches related = ExtractRelatedSearches(FetchPage(BuildSearchUrl(keyword)));
  if (!related.found) {
    SetStatus("  关键词 " + keyword + " 没有提取到相关内容！");
    return;
  }
  const Text batch = MakeBatch(related.keywords);
  if (level < kMaxLevels) PutInFront(crawl, level, batch);
  // An empty append would change nothing in the box but still rewrite the result file.
  if (!batch.empty()) AppendControlText(Control::一级结果框, batch);
}

}  // namespace

void StartCrawl() {
  const Text seeds = GetControlText(Control::关键词编辑框);
  if (ByteLength(seeds) < 1) {
    ShowMessage("关键词不能小于 1 ！", kButtonsOk, "关键词长度不对");
  } else {
    SetControlText(Control::一级结果框, Text());
    // Every crawl fills slots of its own, so no crawl reads the results of another, of another category
    // perhaps, as its next level's input.
    if (ParseNumber(State().depthText.Get()) > 0.0000001) StartWorker(std::make_shared<CrawlSlots>(), 1);
  }
  // A started worker's first progress line replaces this one: its window calls wait until this handler
  // has returned.
  SetStatus("  当前状态： 括展关键词 获取完成！");
}

void CrawlLevel(std::shared_ptr<CrawlSlots> crawl, int level) {
  if (!crawl || level < 1 || level > kMaxLevels) return;
  const LineList lines = SplitText(LevelInput(*crawl, level), kLineBreak);
  const Text levelText = FormatInteger(level);
  const Text lineCount = FormatInteger(static_cast<std::int32_t>(lines.size()));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SetStatus("  现在开始第 " + levelText + " 层抓取工作，本层总行数 " + lineCount + " 当前已经执行了 " +
              FormatInteger(static_cast<std::int32_t>(i + 1)) + " 行！");
    const Text& keyword = lines[i];
    if (ByteLength(keyword) < 1) {
      SetStatus("  在第 " + levelText + " 层，发现了一个空格！");
      continue;
    }
    CrawlKeyword(*crawl, level, keyword);
    SleepForDelay();
  }

  // The depth is read only now, so a choice made during the level decides whether another follows.
  if (level < ParseInteger(State().depthText.Get())) {
    SetStatus("  现在开始 进入 " + FormatInteger(level + 1) + " 层 抓取");
    SleepForDelay();
    StartNextLevel(std::move(crawl), level + 1);
    return;
  }
  SetStatus("  ================= 抓取 工作 完成 =====================");
  ShowMessage("哥：当前抓取工作已经完成了\r\n\r\n到Brimmel休息一下再工作吧！", kButtonsOk,
              "当前抓取工作完成");
}

void StartNextLevel(std::shared_ptr<CrawlSlots> crawl, int level) {
  if (level < 2 || level > kMaxLevels) return;
  StartWorker(std::move(crawl), level);
}

void SetPageFetcher(PageFetcher fetcher) {
  std::lock_guard lock(seamMutex);
  installedFetcher = std::move(fetcher);
}

void SetSleeper(Sleeper sleeper) {
  std::lock_guard lock(seamMutex);
  installedSleeper = std::move(sleeper);
}

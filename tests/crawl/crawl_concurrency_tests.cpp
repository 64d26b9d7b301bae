// Crawls that overlap each other and the user's choices. scripts/test also runs these under
// ThreadSanitizer, which fails the run on any data race.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "crawl/level_crawl.h"
#include "storage/category_files.h"
#include "storage/configuration.h"
#include "tests/crawl/crawl_rig.h"
#include "tests/support/temp_dir.h"
#include "text/line_list.h"

namespace {

using namespace std::chrono_literals;

// Every page links its keyword with "x" appended, and no seed holds an "x": a keyword's level is one
// more than its x's, and its first letter names the crawl that asked for it.
int LevelOf(const std::string& keyword) {
  return 1 + static_cast<int>(std::count(keyword.begin(), keyword.end(), 'x'));
}

std::string Configuration(const std::string& depth) {
  std::string text = depth + "\r\n0\r\nunused\r\n";
  for (int number = 1; number <= 20; ++number) text += "category " + std::to_string(number) + "\r\n";
  return text;
}

// Holds each crawl at its first keyword of level 3 until the test opens the gate.
class LevelThreeGate {
 public:
  void Pass(const std::string& keyword) {
    if (LevelOf(keyword) != 3) return;
    std::unique_lock lock(mutex_);
    if (open_) return;
    ++waiting_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return open_; });
  }
  bool WaitForWaiting(int count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 20s, [&] { return waiting_ >= count; });
  }
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int waiting_ = 0;
  bool open_ = false;
};

// One crawl's requests, in order: level after level, each of its seeds once per level, so nothing of
// the other crawl ever reached its slots. Returns the last level.
int ExpectOwnLevelsOnly(const std::vector<std::string>& fetched, char crawl) {
  std::vector<std::string> own;
  for (const std::string& keyword : fetched) {
    if (keyword[0] == crawl) own.push_back(keyword);
  }
  EXPECT_TRUE(
      std::is_sorted(own.begin(), own.end(), [](auto& a, auto& b) { return LevelOf(a) < LevelOf(b); }));
  const int lastLevel = own.empty() ? 0 : LevelOf(own.back());
  std::vector<std::string> expected;
  for (int level = 1; level <= lastLevel; ++level) {
    for (const char* seed : {"1", "2"})
      expected.push_back(std::string(1, crawl) + seed + std::string(level - 1, 'x'));
  }
  std::sort(own.begin(), own.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(own, expected) << "crawl " << crawl;
  return lastLevel;
}

TEST(OverlappingCrawls, EachReadsOnlyItsOwnSlotsWhileTheUserSwitchesCategoryAndDepth) {
  TempDir dir;
  dir.Write("data/vantor.txt", Configuration("15"));
  dir.Write("data/zz-2.txt", "c\r\n");
  ScopedCurrentDirectory inDir(dir.path());
  LevelThreeGate gate;
  CrawlRig rig(
      [&](const Text& url) {
        gate.Pass(KeywordOf(url));
        return RelatedPage({KeywordOf(url) + "x"});
      },
      SaveBoxes);
  // A short real pause lets the two crawls and the user-interface thread interleave.
  rig.onSleep = [](std::size_t) { std::this_thread::sleep_for(200us); };
  rig.surface().Run([] {
    InitialisePaths();
    LoadConfiguration();
    LoadCategoryTexts();
  });

  // The second crawl's seeds go into the box only once the first crawl's level 1 has read its own.
  rig.surface().UserEdit(Control::关键词编辑框, "a1\r\na2\r\n");
  rig.ClickStart();
  const auto giveUp = std::chrono::steady_clock::now() + 20s;
  while (rig.Fetched().empty() && std::chrono::steady_clock::now() < giveUp) std::this_thread::sleep_for(1ms);
  ASSERT_FALSE(rig.Fetched().empty());
  rig.surface().UserEdit(Control::关键词编辑框, "b1\r\nb2\r\n");
  rig.ClickStart();

  // Both crawls wait inside a level-3 fetch: every append of levels 1 and 2 went to category 1, every
  // later one goes to category 2.
  ASSERT_TRUE(gate.WaitForWaiting(2));
  rig.surface().Run([] { SelectCategory(2); });
  gate.Open();
  dir.Write("data/vantor.txt", Configuration("4"));
  rig.surface().Run([] { LoadConfiguration(); });
  ASSERT_TRUE(rig.WaitForMessages(2, 60s));

  const std::vector<std::string> fetched = rig.Fetched();
  // The depth came down to 4 while both crawls were on level 3 or later.
  EXPECT_GE(ExpectOwnLevelsOnly(fetched, 'a'), 4);
  EXPECT_GE(ExpectOwnLevelsOnly(fetched, 'b'), 4);

  std::vector<std::string> laterResults;
  for (const std::string& keyword : fetched) {
    if (LevelOf(keyword) >= 3) laterResults.push_back(keyword + "x");
  }
  LineList categoryTwo = SplitText(dir.Read("data/jg-2.txt"), kLineBreak);
  std::sort(laterResults.begin(), laterResults.end());
  std::sort(categoryTwo.begin(), categoryTwo.end());
  EXPECT_EQ(categoryTwo, laterResults);
}

}  // namespace

#pragma once
// The crawl: level after level on detached worker threads. Each crawl has fourteen level slots of its
// own; slot L collects what level L found as the input of level L+1.

#include <array>
#include <functional>
#include <memory>
#include <mutex>

#include "text/text.h"

inline constexpr int kMaxLevels = 15;

struct CrawlSlots {
  std::mutex mutex;                    // guards the slots: each copy and each replacement
  std::array<Text, kMaxLevels - 1> slots;  // slots[L-1] is slot L
};

// The click handler of 开始抓取: checks the seed box, empties the result box and starts level 1.
void StartCrawl();

// The body of level `level`'s worker thread.
void CrawlLevel(std::shared_ptr<CrawlSlots> crawl, int level);

// For 2 <= level <= 15, starts a detached worker running CrawlLevel(crawl, level); otherwise nothing.
void StartNextLevel(std::shared_ptr<CrawlSlots> crawl, int level);

// Seams for tests and benchmarks: how a keyword's page is fetched and how a worker sleeps. The real
// build fetches with FetchPageText and sleeps for real.
using PageFetcher = std::function<Text(const Text& url)>;
using Sleeper = std::function<void(int milliseconds)>;
void SetPageFetcher(PageFetcher fetcher);  // an empty function restores the real fetch
void SetSleeper(Sleeper sleeper);          // an empty function restores the real sleep

#pragma once
// What the crawl tests share: results pages made to order, and a rig that runs crawls on the in-memory
// surface with the fetch and the sleep replaced, recording both, and that tells when a crawl is over.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "crawl/level_crawl.h"
#include "ui/memory_surface.h"

// A results page whose related-searches block links the given GBK keywords, in order.
std::string RelatedPage(const std::vector<std::string>& keywords);
// A results page without a related-searches block.
std::string PageWithoutBlock();
// The text-changed handlers of the two boxes, as the main window wires them.
void SaveBoxes(Control control, UiEvent event);
// The keyword that BuildSearchUrl put at the end of a search address.
std::string KeywordOf(const std::string& url);

// Installs the surface and both seams for its lifetime; restores the real ones at the end. Every crawl
// started on a rig must be over before the rig ends.
class CrawlRig {
 public:
  struct Sleep {
    int milliseconds;
    Text statusBefore;  // the status line at the moment of the sleep
  };

  // `fetcher` gives the page of a search address; it runs on the crawl's workers.
  explicit CrawlRig(PageFetcher fetcher, MemorySurface::EventSink sink = {});
  ~CrawlRig();
  CrawlRig(const CrawlRig&) = delete;
  CrawlRig& operator=(const CrawlRig&) = delete;

  MemorySurface& surface() { return surface_; }
  // Called on the worker at each sleep with the sleep's number (from 1), after it was recorded. Set it
  // before a crawl starts.
  std::function<void(std::size_t)> onSleep;

  // Runs StartCrawl on the user-interface thread, as a click on 开始抓取 does.
  void ClickStart();
  // The keywords fetched so far, in order.
  std::vector<std::string> Fetched();
  std::vector<Sleep> Sleeps();
  // Waits until `count` sleeps have returned; false on time-out.
  bool WaitForSleeps(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(20));
  // Waits until `count` message boxes have been shown; false on time-out.
  bool WaitForMessages(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(20));

 private:
  MemorySurface surface_;
  std::mutex mutex_;
  std::condition_variable slept_;
  std::vector<std::string> fetched_;
  std::vector<Sleep> sleeps_;
  std::size_t finishedSleeps_ = 0;
};

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
// The keyword that BuildSearchUrl put at the end of a search address.
std::string KeywordOf(const std::string& url);

// Stands in front of the in-memory surface to learn when a worker has come back from a message box:
// the in-memory surface still touches its own members after a message has been recorded, so the test
// may destroy it only once the worker has left ShowMessage.
class WatchedSurface final : public Surface {
 public:
  explicit WatchedSurface(MemorySurface& inner) : inner_(inner) {}

  Text GetControlText(Control control) override { return inner_.GetControlText(control); }
  void SetControlText(Control control, const Text& text) override { inner_.SetControlText(control, text); }
  void AppendControlText(Control control, const Text& text) override {
    inner_.AppendControlText(control, text);
  }
  void SetControlCaption(Control control, const Text& text) override {
    inner_.SetControlCaption(control, text);
  }
  Text GetSelectedText(Control control) override { return inner_.GetSelectedText(control); }
  int ShowMessage(const Text& text, int buttonSet, const Text& title) override;
  void AttachTooltip(Control control, const Text& tip) override { inner_.AttachTooltip(control, tip); }
  bool CopyToClipboard(const Text& text) override { return inner_.CopyToClipboard(text); }

  // Waits until `count` message boxes have been shown and answered; false on time-out.
  bool WaitForAnsweredMessages(std::size_t count, std::chrono::milliseconds timeout);

 private:
  MemorySurface& inner_;
  std::mutex mutex_;
  std::condition_variable answered_;
  std::size_t answeredCount_ = 0;
};

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
  bool WaitForAnsweredMessages(std::size_t count,
                               std::chrono::milliseconds timeout = std::chrono::seconds(20));

 private:
  MemorySurface surface_;
  WatchedSurface watched_;
  std::mutex mutex_;
  std::condition_variable slept_;
  std::vector<std::string> fetched_;
  std::vector<Sleep> sleeps_;
  std::size_t finishedSleeps_ = 0;
};

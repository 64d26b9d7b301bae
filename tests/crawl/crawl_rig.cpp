#include "tests/crawl/crawl_rig.h"

#include "crawl/search_url.h"
#include "storage/category_files.h"
#include "tests/support/gbk.h"
#include "ui/surface.h"

std::string RelatedPage(const std::vector<std::string>& keywords) {
  // The link's closing quote becomes "_" inside the block, which turns X"> into the X_> that marks a
  // link text; one quote per link keeps well below the 30 that are replaced.
  std::string page =
      "<html><body><div id=\"res\">...</div><div class=\"rs\"><h3>" + Gbk("相关搜索") + "</h3><p>";
  for (const std::string& keyword : keywords) page += "<a class=X\">" + keyword + "</a> ";
  return page + "</p></div></div></body></html>";
}

std::string PageWithoutBlock() {
  return "<html><body>" + Gbk("找不到和您的查询相符的网页") + "</body></html>";
}

std::string KeywordOf(const std::string& url) {
  return url.substr(BuildSearchUrl("").size());
}

void SaveBoxes(Control control, UiEvent event) {
  if (event != UiEvent::TextChanged) return;
  if (control == Control::一级结果框) SaveResultText();
  if (control == Control::关键词编辑框) SaveSeedText();
}

CrawlRig::CrawlRig(PageFetcher fetcher, MemorySurface::EventSink sink) : surface_(std::move(sink)) {
  InstallSurface(&surface_);
  SetPageFetcher([this, fetcher = std::move(fetcher)](const Text& url) {
    {
      std::lock_guard lock(mutex_);
      fetched_.push_back(KeywordOf(url));
    }
    return fetcher(url);
  });
  SetSleeper([this](int milliseconds) {
    std::size_t number = 0;
    {
      std::lock_guard lock(mutex_);
      std::vector<Text> log = surface_.StatusLog();
      sleeps_.push_back({milliseconds, log.empty() ? Text() : log.back()});
      number = sleeps_.size();
    }
    if (onSleep) onSleep(number);
    // Counted and notified under the lock: once a waiting test sees the count, this worker no longer
    // touches the rig.
    std::lock_guard lock(mutex_);
    ++finishedSleeps_;
    slept_.notify_all();
  });
}

CrawlRig::~CrawlRig() {
  SetPageFetcher({});
  SetSleeper({});
  InstallSurface(nullptr);
}

void CrawlRig::ClickStart() {
  surface_.Run([] { StartCrawl(); });
}

std::vector<std::string> CrawlRig::Fetched() {
  std::lock_guard lock(mutex_);
  return fetched_;
}

std::vector<CrawlRig::Sleep> CrawlRig::Sleeps() {
  std::lock_guard lock(mutex_);
  return sleeps_;
}

bool CrawlRig::WaitForSleeps(std::size_t count, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return slept_.wait_for(lock, timeout, [&] { return finishedSleeps_ >= count; });
}

bool CrawlRig::WaitForMessages(std::size_t count, std::chrono::milliseconds timeout) {
  return surface_.WaitForMessages(count, timeout);
}

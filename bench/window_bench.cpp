// The main window with a large result box in category 1, against the same window with an empty one:
//  - start-up: the window built, filled in by InitialiseMainWindow and shown (exposed and painted);
//  - one crawl append: a worker appends one page's batch of keywords to the result box, which the
//    user-interface thread carries out together with the save of the whole box to its file;
//  - peak memory of the process.
// Runs on Qt's offscreen platform unless a platform is chosen (QT_QPA_PLATFORM=xcb under Xvfb).
//
//   window_bench [LINES]     (default 100000)

#include <sys/resource.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "storage/app_state.h"
#include "tests/support/gbk.h"
#include "tests/support/temp_dir.h"
#include "ui/event_table.h"
#include "ui/main_window_handlers.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_surface.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

long CurrentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return 0;
}

std::string ResultLines(int count) {
  std::string lines;
  std::string stem = Gbk("运动鞋推荐");
  std::string tail = Gbk("价格");
  for (int i = 0; i < count; ++i) lines += stem + std::to_string(i) + tail + "\r\n";
  return lines;
}

// One page of a crawl: eight related keywords, each ending with CR LF.
std::string Batch(int page) {
  std::string batch;
  for (int i = 0; i < 8; ++i)
    batch += Gbk("相关关键词") + std::to_string(page) + "-" + std::to_string(i) + "\r\n";
  return batch;
}

struct Figures {
  double startUpMs = 0;
  double appendMedianMs = 0;
  double appendWorstMs = 0;
  long rssAfterStartKb = 0;
  std::size_t fileBytes = 0;
};

Figures Measure(int lines, int appends) {
  TempDir dir;
  std::string configuration = "1\r\n0\r\nline three\r\n";
  for (int n = 1; n <= 20; ++n) configuration += Gbk("分类" + std::to_string(n)) + "\r\n";
  dir.Write("data/vantor.txt", configuration);
  dir.Write("data/zz-1.txt", Gbk("运动鞋\r\n"));
  dir.Write("data/jg-1.txt", ResultLines(lines));
  ScopedCurrentDirectory current(dir.path());

  Figures figures;
  Clock::time_point start = Clock::now();
  QtSurface surface(DispatchEvent);
  InstallSurface(&surface);
  MainWindow window(surface);
  InitialiseMainWindow();
  window.ShowCentred();
  if (!QTest::qWaitForWindowExposed(&window))
    std::fprintf(stderr, "window_bench: the window was not exposed\n");
  window.repaint();
  figures.startUpMs = Milliseconds(Clock::now() - start);
  figures.rssAfterStartKb = CurrentKilobytes();

  std::vector<double> times;
  std::atomic<bool> done = false;
  std::thread worker([&] {
    for (int page = 0; page < appends; ++page) {
      std::string batch = Batch(page);
      Clock::time_point before = Clock::now();
      AppendControlText(Control::一级结果框, batch);
      times.push_back(Milliseconds(Clock::now() - before));
    }
    done = true;
  });
  while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  worker.join();
  std::sort(times.begin(), times.end());
  figures.appendMedianMs = times[times.size() / 2];
  figures.appendWorstMs = times.back();
  figures.fileBytes = dir.Read("data/jg-1.txt").size();
  return figures;
}

void Print(const char* name, int lines, const Figures& figures) {
  std::printf(
      "%-10s %7d lines  start-up %8.1f ms  append+save median %7.2f ms (worst %7.2f)  rss %7ld kB  file %zu "
      "B\n",
      name, lines, figures.startUpMs, figures.appendMedianMs, figures.appendWorstMs, figures.rssAfterStartKb,
      figures.fileBytes);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
  QApplication application(argc, argv);
  constexpr int kAppends = 21;

  Measure(0, 3);  // warms up fonts and the style, which the first window of a process pays for
  Figures empty = Measure(0, kAppends);
  Print("baseline", 0, empty);
  long peakBefore = PeakKilobytes();
  Figures large = Measure(lines, kAppends);
  Print("large", lines, large);
  long peakAfter = PeakKilobytes();
  std::printf("peak rss: %ld kB with the empty box, %ld kB after the %d-line box (+%ld kB)\n", peakBefore,
              peakAfter, lines, peakAfter - peakBefore);
  std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));
  ReleaseState();
  std::fflush(stdout);
  std::_Exit(0);
}

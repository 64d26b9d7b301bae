#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "refine/purify_results.h"
#include "refine/remove_duplicates.h"
#include "storage/app_state.h"
#include "storage/category_files.h"
#include "tests/refine/straightforward_refinement.h"
#include "tests/support/gbk.h"
#include "tests/support/temp_dir.h"
#include "text/line_list.h"
#include "ui/memory_surface.h"

namespace {

// What a run leaves behind.
struct Outcome {
  Text box;
  std::string file;
  std::vector<Text> statusLog;
  int resultChanges = 0;  // text-changed events of the result box raised by the run
};

// A main window in memory whose result box saves itself to the result file of a fresh directory, as
// the windows' handler does. `onResultChange` runs on the user-interface thread after each save, for
// the scenarios where someone else touches the boxes during a run.
class Window {
 public:
  explicit Window(std::function<void()> onResultChange = {})
      : onResultChange_(std::move(onResultChange)), surface_([this](Control control, UiEvent event) {
          if (control != Control::一级结果框 || event != UiEvent::TextChanged) return;
          SaveResultText();
          if (onResultChange_) onResultChange_();
        }) {
    State().resultFilePath = (dir_.path() / "jg-1.txt").string();
    InstallSurface(&surface_);
  }
  ~Window() { InstallSurface(nullptr); }

  MemorySurface& surface() { return surface_; }

  Outcome Run(const std::function<void()>& worker, const Text& seeds, const Text& results) {
    surface_.UserEdit(Control::关键词编辑框, seeds);
    surface_.UserEdit(Control::一级结果框, results);
    int changesBefore = surface_.TextChangedCount(Control::一级结果框);
    worker();  // this test's thread is the worker
    return {surface_.Peek(Control::一级结果框), dir_.Read("jg-1.txt"), surface_.StatusLog(),
            surface_.TextChangedCount(Control::一级结果框) - changesBefore};
  }

 private:
  TempDir dir_;
  std::function<void()> onResultChange_;
  MemorySurface surface_;
};

Outcome RunOnFreshWindow(const std::function<void()>& worker, const Text& seeds, const Text& results,
                         std::function<void()> onResultChange = {}) {
  Window window(std::move(onResultChange));
  return window.Run(worker, seeds, results);
}

struct Case {
  const char* name;
  std::string seeds;
  std::string results;
  std::string expectedBox;
  std::string expectedStatus;  // the start text with the end text appended
};

// The fast run and the straightforward one leave the same box, file and status line; the fast one
// changes the box (and rewrites the file) twice, emptied and then one append, or once when nothing is
// appended, where the straightforward one appends each kept line on its own.
void ExpectSameAsStraightforward(const Case& c, const std::function<void()>& fast,
                                 const std::function<void()>& straightforward) {
  SCOPED_TRACE(c.name);
  Outcome got = RunOnFreshWindow(fast, c.seeds, c.results);
  Outcome reference = RunOnFreshWindow(straightforward, c.seeds, c.results);
  EXPECT_EQ(got.box, c.expectedBox);
  EXPECT_EQ(got.file, c.expectedBox);
  ASSERT_EQ(got.statusLog.size(), 2u);
  EXPECT_EQ(got.statusLog.back(), c.expectedStatus);
  EXPECT_TRUE(c.expectedStatus.starts_with(got.statusLog.front()));
  EXPECT_EQ(got.resultChanges, c.expectedBox.empty() ? 1 : 2);

  EXPECT_EQ(reference.box, got.box);
  EXPECT_EQ(reference.file, got.file);
  EXPECT_EQ(reference.statusLog, got.statusLog);
  EXPECT_EQ(reference.resultChanges, 1 + static_cast<int>(SplitText(c.expectedBox, kLineBreak).size()));
}

TEST(RemoveDuplicates, LeavesTheBoxFileAndStatusOfTheStraightforwardRun) {
  const Case cases[] = {
      {"the example", "", "a\r\nb\r\na\r\nc\r\nb", "a\r\nc\r\nb\r\n",
       Gbk("  现在开始对 5行 关键词进行去重复操作， 去重复完成，现在还有 3 个结果关键词！")},
      {"empty box", "", "", "",
       Gbk("  现在开始对 0行 关键词进行去重复操作， 去重复完成，现在还有 0 个结果关键词！")},
      {"empty lines and Chinese keywords", "", Gbk("手机\r\n\r\n电脑\r\n手机\r\n\r\n"),
       Gbk("\r\n电脑\r\n手机\r\n\r\n"),
       Gbk("  现在开始对 5行 关键词进行去重复操作， 去重复完成，现在还有 4 个结果关键词！")},
      {"one line without line break", "", "one", "one\r\n",
       Gbk("  现在开始对 1行 关键词进行去重复操作， 去重复完成，现在还有 1 个结果关键词！")},
  };
  for (const Case& c : cases)
    ExpectSameAsStraightforward(c, RemoveDuplicates, StraightforwardRemoveDuplicates);
}

TEST(PurifyResults, LeavesTheBoxFileAndStatusOfTheStraightforwardRun) {
  const Case cases[] = {
      {"the example", "shoe\r\nred", "red shoe\r\nblue hat\r\nshoelace\r\nhat", "red shoe\r\nshoelace\r\n",
       Gbk("  现在开始对 4行 关键词进行提纯操作，对比种子有 2 个， 提纯完成，现在还有 2 个结果关键词！")},
      {"empty seed box", "", "a\r\nb", "",
       Gbk("  现在开始对 2行 关键词进行提纯操作，对比种子有 0 个， 提纯完成，现在还有 0 个结果关键词！")},
      {"empty result box", "a", "", "",
       Gbk("  现在开始对 0行 关键词进行提纯操作，对比种子有 1 个， 提纯完成，现在还有 0 个结果关键词！")},
      {"an empty seed keeps the non-empty lines", "a\r\n\r\nb\r\n", Gbk("手机\r\n\r\n手机\r\n"),
       Gbk("手机\r\n手机\r\n"),
       Gbk("  现在开始对 3行 关键词进行提纯操作，对比种子有 3 个， 提纯完成，现在还有 2 个结果关键词！")},
      {"no match inside a character", Gbk("“\r\n"), Gbk("啊啊\r\n啊“"), Gbk("啊“\r\n"),
       Gbk("  现在开始对 2行 关键词进行提纯操作，对比种子有 1 个， 提纯完成，现在还有 1 个结果关键词！")},
  };
  for (const Case& c : cases) ExpectSameAsStraightforward(c, PurifyResults, StraightforwardPurifyResults);
}

// Text that arrives after the box was emptied mixes with the output, and the end count counts the box
// as it then is, not the lines that the run put back.
TEST(RemoveDuplicates, CountsWhatTheBoxHoldsAtTheEnd) {
  auto appendOnceEmptied = [] {
    return [done = false]() mutable {
      if (done || !GetControlText(Control::一级结果框).empty()) return;
      done = true;
      AppendControlText(Control::一级结果框, "crawled\r\n");
    };
  };
  Outcome got = RunOnFreshWindow(RemoveDuplicates, "", "a\r\na\r\nb", appendOnceEmptied());
  Outcome reference =
      RunOnFreshWindow(StraightforwardRemoveDuplicates, "", "a\r\na\r\nb", appendOnceEmptied());
  EXPECT_EQ(got.box, "crawled\r\na\r\nb\r\n");
  EXPECT_EQ(got.file, got.box);
  EXPECT_EQ(got.statusLog.back(),
            Gbk("  现在开始对 3行 关键词进行去重复操作， 去重复完成，现在还有 3 个结果关键词！"));
  EXPECT_EQ(reference.box, got.box);
  EXPECT_EQ(reference.statusLog, got.statusLog);
}

// The seeds are read once at the start: a seed box changed during the run does not change the run.
TEST(PurifyResults, KeepsToTheSeedsReadAtTheStart) {
  auto replaceSeedsOnceEmptied = [] {
    return [done = false]() mutable {
      if (done || !GetControlText(Control::一级结果框).empty()) return;
      done = true;
      SetControlText(Control::关键词编辑框, "hat");
    };
  };
  Outcome got = RunOnFreshWindow(PurifyResults, "shoe", "red shoe\r\nhat", replaceSeedsOnceEmptied());
  Outcome reference =
      RunOnFreshWindow(StraightforwardPurifyResults, "shoe", "red shoe\r\nhat", replaceSeedsOnceEmptied());
  EXPECT_EQ(got.box, "red shoe\r\n");
  EXPECT_EQ(reference.box, got.box);
  EXPECT_EQ(reference.statusLog, got.statusLog);
}

// A detached worker may still be returning from its last surface call when the status line already
// shows its end text, so the surface it used must outlive it, as the main window outlives every worker:
// these surfaces are never destroyed.
MemorySurface& LastingSurface() {
  static auto* surfaces = new std::vector<MemorySurface*>;
  surfaces->push_back(new MemorySurface);
  InstallSurface(surfaces->back());
  return *surfaces->back();
}

// The click handler only starts the worker: while the user-interface thread is still busy with the
// click, the worker cannot have reached the status line.
void ExpectStartsAWorker(void (*start)(), const Text& expectedBox, const Text& expectedStatus) {
  MemorySurface& surface = LastingSurface();
  surface.UserEdit(Control::关键词编辑框, "b");
  surface.UserEdit(Control::一级结果框, "b\r\nb\r\nc\r\n");
  surface.Run([&] {
    start();
    EXPECT_TRUE(surface.StatusLog().empty());
  });
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (surface.StatusLog().size() < 2 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  ASSERT_EQ(surface.StatusLog().size(), 2u);
  EXPECT_EQ(surface.StatusLog().back(), expectedStatus);
  EXPECT_EQ(surface.Peek(Control::一级结果框), expectedBox);
}

TEST(StartRemoveDuplicates, RunsTheWorkOnAThreadOfItsOwn) {
  ExpectStartsAWorker(StartRemoveDuplicates, "b\r\nc\r\n",
                      Gbk("  现在开始对 3行 关键词进行去重复操作， 去重复完成，现在还有 2 个结果关键词！"));
}

TEST(StartPurifyResults, RunsTheWorkOnAThreadOfItsOwn) {
  ExpectStartsAWorker(
      StartPurifyResults, "b\r\nb\r\n",
      Gbk("  现在开始对 3行 关键词进行提纯操作，对比种子有 1 个， 提纯完成，现在还有 2 个结果关键词！"));
}

}  // namespace

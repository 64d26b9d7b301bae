// The in-memory surface keeps the rules that the logic relies on: one user-interface thread runs every
// handler, a worker's calls run there in the worker's order while the worker waits, every set or append
// of an edit box raises its text-changed event once before the call returns, and a worker's message box
// blocks only that worker.

#include "ui/memory_surface.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

TEST(MemorySurface, EverySetAndAppendRaisesTextChangedOnceBeforeReturning) {
  std::vector<std::thread::id> handlerThreads;
  std::vector<Text> seenTexts;
  MemorySurface* surfacePtr = nullptr;
  MemorySurface surface([&](Control control, UiEvent event) {
    if (control != Control::关键词编辑框 || event != UiEvent::TextChanged) return;
    handlerThreads.push_back(std::this_thread::get_id());
    seenTexts.push_back(surfacePtr->GetControlText(Control::关键词编辑框));
  });
  surfacePtr = &surface;

  surface.SetControlText(Control::关键词编辑框, "a");
  surface.SetControlText(Control::关键词编辑框, "a");  // unchanged text: raised all the same
  surface.AppendControlText(Control::关键词编辑框, "\r\nb");
  surface.AppendControlText(Control::关键词编辑框, "");

  std::thread::id uiThread;
  surface.Run([&] { uiThread = std::this_thread::get_id(); });
  EXPECT_EQ(surface.TextChangedCount(Control::关键词编辑框), 4);
  EXPECT_EQ(seenTexts, (std::vector<Text>{"a", "a", "a\r\nb", "a\r\nb"}));
  for (auto id : handlerThreads) EXPECT_EQ(id, uiThread);
}

TEST(MemorySurface, ComboTextsCaptionsAndStatusRaiseNoHandledEvent) {
  int events = 0;
  MemorySurface surface([&](Control, UiEvent) { ++events; });
  surface.SetControlText(Control::层次组合框, "2");
  surface.SetControlCaption(Control::分类3, "x");
  surface.SetControlText(Control::当前状态, "s1");
  surface.AppendControlText(Control::当前状态, "+s2");
  EXPECT_EQ(events, 0);
  EXPECT_EQ(surface.Peek(Control::层次组合框), "2");
  EXPECT_EQ(surface.Peek(Control::分类3), "x");
  EXPECT_EQ(surface.StatusLog(), (std::vector<Text>{"s1", "s1+s2"}));
}

TEST(MemorySurface, AWorkersCallsArriveInItsOrderAndAHandlerMayCallBack) {
  MemorySurface* surfacePtr = nullptr;
  MemorySurface surface([&](Control control, UiEvent) {
    // A handler that calls the surface again runs that call at once on the same thread.
    if (control == Control::一级结果框) surfacePtr->SetControlText(Control::当前状态, "saved");
  });
  surfacePtr = &surface;
  InstallSurface(&surface);
  std::thread worker([] {
    for (int i = 0; i < 100; ++i) AppendControlText(Control::一级结果框, std::to_string(i) + ",");
  });
  worker.join();
  Text expected;
  for (int i = 0; i < 100; ++i) expected += std::to_string(i) + ",";
  EXPECT_EQ(surface.Peek(Control::一级结果框), expected);
  EXPECT_EQ(surface.TextChangedCount(Control::一级结果框), 100);
  InstallSurface(nullptr);
}

TEST(MemorySurface, AWorkersMessageBlocksOnlyThatWorker) {
  MemorySurface surface;
  surface.HoldMessages(true);
  std::atomic<int> answer{-1};
  std::thread worker([&] { answer = surface.ShowMessage("done", kButtonsOk, "title"); });
  ASSERT_TRUE(surface.WaitForMessages(1, 5s));
  // The user-interface thread still serves other calls while the worker's box is open.
  surface.SetControlText(Control::一级结果框, "still usable");
  EXPECT_EQ(surface.Peek(Control::一级结果框), "still usable");
  EXPECT_EQ(answer.load(), -1);
  EXPECT_EQ(surface.OpenMessageCount(), 1u);
  EXPECT_TRUE(surface.CloseMessage(kAnswerOk));
  worker.join();
  EXPECT_EQ(answer.load(), kAnswerOk);
  ASSERT_EQ(surface.Messages().size(), 1u);
  EXPECT_EQ(surface.Messages()[0].title, "title");
}

TEST(MemorySurface, ChoosingAListEntryHighlightsItForTheHandler) {
  Text selectedInHandler;
  MemorySurface* surfacePtr = nullptr;
  MemorySurface surface([&](Control control, UiEvent event) {
    if (control == Control::层次组合框 && event == UiEvent::ListEntryChosen)
      selectedInHandler = surfacePtr->GetSelectedText(control);
  });
  surfacePtr = &surface;
  surface.ChooseListEntry(Control::层次组合框, "12");
  EXPECT_EQ(selectedInHandler, "12");
}

}  // namespace

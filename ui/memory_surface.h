#pragma once
// An in-memory surface with a user-interface thread of its own. It keeps every rule of ui/surface.h, so
// tests and benchmarks drive the logic through it exactly as the windows would.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "ui/surface.h"

class MemorySurface final : public Surface {
 public:
  // Receives every event that the surface raises (text changed) or that a test simulates, on the
  // user-interface thread. Tests wire it to the handlers they exercise.
  using EventSink = std::function<void(Control, UiEvent)>;

  struct Message {
    Text text;
    int buttonSet = 0;
    Text title;
  };

  explicit MemorySurface(EventSink sink = {});
  ~MemorySurface() override;
  MemorySurface(const MemorySurface&) = delete;
  MemorySurface& operator=(const MemorySurface&) = delete;

  Text GetControlText(Control control) override;
  void SetControlText(Control control, const Text& text) override;
  void AppendControlText(Control control, const Text& text) override;
  void SetControlCaption(Control control, const Text& text) override;
  Text GetSelectedText(Control control) override;
  int ShowMessage(const Text& text, int buttonSet, const Text& title) override;
  void AttachTooltip(Control control, const Text& tip) override;
  bool CopyToClipboard(const Text& text) override;

  // Runs `work` on the user-interface thread and waits for it, as an event's handler runs.
  void Run(const std::function<void()>& work);
  // Raises an event on the user-interface thread and waits until its handler has run.
  void Raise(Control control, UiEvent event);
  // The user replaces the text of a box by typing: the text changes, then its text-changed event.
  void UserEdit(Control control, const Text& text);
  // The user chooses a list entry of a combo box: the field shows the entry wholly highlighted, then the
  // list-entry-chosen event is raised.
  void ChooseListEntry(Control control, const Text& entry);

  // What a control shows now: the text of a box or combo field, or the caption of a button.
  Text Peek(Control control);
  // Every text the status line held, after each SetStatus or AppendStatus, oldest first.
  std::vector<Text> StatusLog();
  // Every message box shown so far, oldest first.
  std::vector<Message> Messages();
  // Waits until at least `count` message boxes have been shown; false on time-out.
  bool WaitForMessages(std::size_t count, std::chrono::milliseconds timeout);
  // How many text-changed events a control has raised.
  int TextChangedCount(Control control);
  // The tips attached so far, in order.
  std::vector<std::pair<Control, Text>> Tooltips();
  // The last text placed on the clipboard; `clipboardWorks` false makes every copy fail.
  Text Clipboard();
  void SetClipboardWorks(bool works);

  // While messages are held, a ShowMessage from a worker blocks that worker until CloseMessage; a
  // ShowMessage on the user-interface thread is answered at once with OK either way.
  void HoldMessages(bool hold);
  // Closes the oldest open message with `answer`; false when none is open.
  bool CloseMessage(int answer);
  std::size_t OpenMessageCount();

 private:
  bool OnUiThread() const;
  void Execute(const std::function<void()>& work);  // on the UI thread, waiting when called elsewhere
  void Loop();
  void RaiseNow(Control control, UiEvent event);

  EventSink sink_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> queue_;
  bool stopping_ = false;
  std::thread::id uiThreadId_;
  std::thread uiThread_;

  // Touched only on the UI thread.
  std::map<Control, Text> texts_;
  std::map<Control, Text> selections_;
  std::map<Control, int> changeCounts_;
  std::vector<std::pair<Control, Text>> tooltips_;

  // Guarded by mutex_: read by tests from any thread.
  std::vector<Text> statusLog_;
  std::vector<Message> messages_;
  std::condition_variable messageShown_;
  bool holdMessages_ = false;
  std::deque<int*> openAnswers_;  // answers awaited by held workers, oldest first
  std::condition_variable messageClosed_;
  Text clipboard_;
  bool clipboardWorks_ = true;
};

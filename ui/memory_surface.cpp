#include "ui/memory_surface.h"

#include <future>

namespace {

// The edit boxes whose text-changed event has a handler; the status line's event has none.
bool RaisesHandledTextChange(Control control) {
  return control == Control::关键词编辑框 || control == Control::一级结果框 || control == Control::配制编辑框;
}

}  // namespace

MemorySurface::MemorySurface(EventSink sink) : sink_(std::move(sink)) {
  uiThread_ = std::thread(&MemorySurface::Loop, this);
  uiThreadId_ = uiThread_.get_id();
}

MemorySurface::~MemorySurface() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  uiThread_.join();
}

bool MemorySurface::OnUiThread() const {
  return std::this_thread::get_id() == uiThreadId_;
}

void MemorySurface::Loop() {
  for (;;) {
    std::function<void()> task;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      // Calls already queued are still carried out, so no caller is left waiting.
      if (queue_.empty()) return;
      task = std::move(queue_.front());
      queue_.pop_front();
    }
    task();
  }
}

void MemorySurface::Execute(const std::function<void()>& work) {
  // A call from the user-interface thread itself (a handler, or a call made inside one) runs at once;
  // queuing it would wait for itself.
  if (OnUiThread()) {
    work();
    return;
  }
  std::promise<void> done;
  std::future<void> finished = done.get_future();
  {
    // Woken under the lock: once the call has run, a test may destroy the surface, and this thread
    // must not touch it after that.
    std::lock_guard lock(mutex_);
    queue_.push_back([&] {
      work();
      done.set_value();
    });
    wake_.notify_one();
  }
  finished.wait();
}

void MemorySurface::RaiseNow(Control control, UiEvent event) {
  if (event == UiEvent::TextChanged) ++changeCounts_[control];
  if (event == UiEvent::TextChanged && !RaisesHandledTextChange(control)) return;
  if (sink_) sink_(control, event);
}

void MemorySurface::Run(const std::function<void()>& work) {
  Execute(work);
}

void MemorySurface::Raise(Control control, UiEvent event) {
  Execute([&] { RaiseNow(control, event); });
}

Text MemorySurface::GetControlText(Control control) {
  Text text;
  Execute([&] { text = texts_[control]; });
  return text;
}

void MemorySurface::SetControlText(Control control, const Text& text) {
  Execute([&] {
    texts_[control] = text;
    if (control == Control::当前状态) {
      std::lock_guard lock(mutex_);
      statusLog_.push_back(text);
      return;
    }
    if (control == Control::层次组合框 || control == Control::延时组合框) return;
    RaiseNow(control, UiEvent::TextChanged);
  });
}

void MemorySurface::AppendControlText(Control control, const Text& text) {
  Execute([&] {
    Text& box = texts_[control];
    box += text;
    selections_.erase(control);
    if (control == Control::当前状态) {
      std::lock_guard lock(mutex_);
      statusLog_.push_back(box);
      return;
    }
    RaiseNow(control, UiEvent::TextChanged);
  });
}

void MemorySurface::SetControlCaption(Control control, const Text& text) {
  Execute([&] { texts_[control] = text; });
}

Text MemorySurface::GetSelectedText(Control control) {
  Text text;
  Execute([&] { text = selections_[control]; });
  return text;
}

int MemorySurface::ShowMessage(const Text& text, int buttonSet, const Text& title) {
  const int autoAnswer = buttonSet == kButtonsYesNoCancel ? kAnswerCancel : kAnswerOk;
  int answer = -1;
  bool held = false;
  const bool fromWorker = !OnUiThread();
  Execute([&] {
    std::lock_guard lock(mutex_);
    messages_.push_back({text, buttonSet, title});
    held = holdMessages_ && fromWorker;
    if (held) openAnswers_.push_back(&answer);
    // Signalled under the lock: a test that ends as soon as it sees the message may destroy the
    // surface, and this worker must not touch it after that.
    messageShown_.notify_all();
  });
  if (!held) return autoAnswer;
  // The box blocks this worker alone: the user-interface thread goes on with other work meanwhile.
  std::unique_lock lock(mutex_);
  messageClosed_.wait(lock, [&] { return answer != -1; });
  return answer;
}

void MemorySurface::AttachTooltip(Control control, const Text& tip) {
  Execute([&] { tooltips_.emplace_back(control, tip); });
}

bool MemorySurface::CopyToClipboard(const Text& text) {
  std::lock_guard lock(mutex_);
  if (!clipboardWorks_) return false;
  clipboard_ = text;
  return true;
}

void MemorySurface::UserEdit(Control control, const Text& text) {
  Execute([&] {
    texts_[control] = text;
    RaiseNow(control, UiEvent::TextChanged);
  });
}

void MemorySurface::ChooseListEntry(Control control, const Text& entry) {
  Execute([&] {
    texts_[control] = entry;
    selections_[control] = entry;
    RaiseNow(control, UiEvent::ListEntryChosen);
  });
}

Text MemorySurface::Peek(Control control) {
  return GetControlText(control);
}

std::vector<Text> MemorySurface::StatusLog() {
  std::lock_guard lock(mutex_);
  return statusLog_;
}

std::vector<MemorySurface::Message> MemorySurface::Messages() {
  std::lock_guard lock(mutex_);
  return messages_;
}

bool MemorySurface::WaitForMessages(std::size_t count, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return messageShown_.wait_for(lock, timeout, [&] { return messages_.size() >= count; });
}

int MemorySurface::TextChangedCount(Control control) {
  int count = 0;
  Execute([&] { count = changeCounts_[control]; });
  return count;
}

std::vector<std::pair<Control, Text>> MemorySurface::Tooltips() {
  std::vector<std::pair<Control, Text>> tips;
  Execute([&] { tips = tooltips_; });
  return tips;
}

Text MemorySurface::Clipboard() {
  std::lock_guard lock(mutex_);
  return clipboard_;
}

void MemorySurface::SetClipboardWorks(bool works) {
  std::lock_guard lock(mutex_);
  clipboardWorks_ = works;
}

void MemorySurface::HoldMessages(bool hold) {
  std::lock_guard lock(mutex_);
  holdMessages_ = hold;
}

bool MemorySurface::CloseMessage(int answer) {
  {
    std::lock_guard lock(mutex_);
    if (openAnswers_.empty()) return false;
    *openAnswers_.front() = answer;
    openAnswers_.pop_front();
  }
  messageClosed_.notify_all();
  return true;
}

std::size_t MemorySurface::OpenMessageCount() {
  std::lock_guard lock(mutex_);
  return openAnswers_.size();
}

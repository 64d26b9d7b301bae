#pragma once
// The one process-wide record. Created at start-up, released at exit (ReleaseState).

#include <mutex>

#include "text/text.h"

// A text that the user-interface thread replaces while workers read it: a reader gets a copy of the old
// or of the new text, never a torn or released one.
class SharedText {
 public:
  Text Get() const {
    std::lock_guard lock(mutex_);
    return text_;
  }
  void Set(Text text) {
    std::lock_guard lock(mutex_);
    text_.swap(text);
  }

 private:
  mutable std::mutex mutex_;
  Text text_;
};

struct AppState {
  // Formed by InitialisePaths; the two category paths changed by SelectCategory. User-interface thread.
  Text workingDirectory;
  Text configFilePath;
  Text seedFilePath;
  Text resultFilePath;
  // Lines 1 and 2 of the configuration file, replaced only by LoadConfiguration.
  SharedText depthText;
  SharedText delayText;
};

// The record. It is never destroyed, so a worker still running while the process ends never reads a
// destroyed text.
AppState& State();

// Empties every text of the record.
void ReleaseState();

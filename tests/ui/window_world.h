#pragma once
// A start-up directory with a 23-line configuration and the files of two categories, the in-memory
// windows wired to the event table as the real windows are, and the main window filled in as at start.

#include <string>

#include "tests/support/temp_dir.h"
#include "ui/memory_surface.h"

// The 23 lines of a correct configuration file, each ending with CR LF (GBK): depth, delay, line 3 and
// the captions "类别1" to "类别20".
std::string ConfigurationBytes(const std::string& depth = "2", const std::string& delay = "0");

class WindowWorld {
 public:
  WindowWorld();

  // Raises an event on the user-interface thread as the windows do, and waits for its handler.
  void Raise(Control control, UiEvent event) { surface.Raise(control, event); }
  Text LastStatus();

  TempDir dir;
  ScopedCurrentDirectory currentDirectory{dir.path()};
  MemorySurface surface;
};

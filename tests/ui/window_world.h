#pragma once
// A start-up directory with a 23-line configuration and the files of two categories, the in-memory
// windows wired to the event table as the real windows are, and the main window filled in as at start.

#include <string>

#include "tests/support/temp_dir.h"
#include "tests/ui/start_up_directory.h"
#include "ui/memory_surface.h"

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

#include "tests/ui/window_world.h"

#include "tests/ui/start_up_directory.h"
#include "ui/event_table.h"
#include "ui/main_window_handlers.h"

WindowWorld::WindowWorld() : surface(DispatchEvent) {
  PrepareStartUpDirectory(dir);
  InstallSurface(&surface);
  surface.Run(InitialiseMainWindow);
}

Text WindowWorld::LastStatus() {
  std::vector<Text> log = surface.StatusLog();
  return log.empty() ? Text() : log.back();
}

// The program's entry: the surface of the real windows, the main window filled in before it is shown,
// the event loop, and an exit that no running worker can hold up.

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "storage/app_state.h"
#include "ui/event_table.h"
#include "ui/main_window_handlers.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_surface.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // The main window ends the program when it closes, even while a worker's message box is open.
  QApplication::setQuitOnLastWindowClosed(false);

  QtSurface surface(DispatchEvent);
  InstallSurface(&surface);
  MainWindow window(surface);
  InitialiseMainWindow();
  window.ShowCentred();
  application.exec();

  ReleaseState();
  // Workers may still be running or waiting for the user-interface thread: the process ends here, at
  // once, without destroying what they use.
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(0);
}

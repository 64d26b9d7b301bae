#pragma once
// The main window: built from its table, its events raised on the surface, closed by Esc from anywhere
// inside. Closing it ends the event loop.

#include <QWidget>

#include "ui/qt/qt_surface.h"

class ControlEvents;

class MainWindow final : public QWidget {
 public:
  // Builds every control and registers it with `surface`; raises no event. Start-up runs
  // InitialiseMainWindow next, then ShowCentred.
  explicit MainWindow(QtSurface& surface);
  ~MainWindow() override;

  void ShowCentred();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void OpenConfigurationWindow();

  QtSurface& surface_;
  ControlEvents* events_;
};

#pragma once
// Builds a window's controls from its table (ui/window_layout.h) and binds their events to the surface.

#include <QObject>
#include <QWidget>

#include "ui/qt/qt_surface.h"
#include "ui/window_layout.h"

// Creates every control of `spec` inside `window` with its name as object name, its place in the client
// area or in its group box, its texts, list, colours, font and pointer. Nothing is raised while building.
void BuildControls(QWidget& window, const WindowSpec& spec);

// Gives `window` the caption, the fixed client size and the window font of `spec`.
void ApplyWindowFrame(QWidget& window, const WindowSpec& spec);

// Places `window` in the middle of the screen.
void CentreOnScreen(QWidget& window);

// Watches the controls of one window and raises their events on the surface: text changed, clicked,
// list entry chosen, double click and left button pressed.
class ControlEvents final : public QObject {
 public:
  ControlEvents(QWidget& window, QtSurface& surface);

  // Called by a press handler that ran a window of its own (the configuration window): the button must
  // not go down afterwards for a press whose release that window took.
  void NotePressRanWindow() { pressRanWindow_ = true; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Wire(QWidget* widget, Control control);

  QtSurface& surface_;
  bool pressRanWindow_ = false;
};

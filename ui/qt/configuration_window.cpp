#include "ui/qt/configuration_window.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "ui/configuration_window_handlers.h"
#include "ui/qt/window_builder.h"
#include "ui/window_layout.h"

ConfigurationWindow::ConfigurationWindow(QWidget& owner, QtSurface& surface) : QDialog(&owner, Qt::Dialog) {
  ApplyWindowFrame(*this, ConfigurationWindowSpec());
  BuildControls(*this, ConfigurationWindowSpec());
  new ControlEvents(*this, surface);
  // Modal for its owner only: a worker's message box stays usable while this window is open.
  setWindowModality(Qt::WindowModal);
}

void ConfigurationWindow::ShowCentred() {
  CentreOnScreen(*this);
}

void ConfigurationWindow::keyPressEvent(QKeyEvent* event) {
  // Esc closes the window like its close button, with the line check; a dialog's own Esc would not.
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ConfigurationWindow::closeEvent(QCloseEvent* event) {
  CheckConfigurationLines();
  QDialog::closeEvent(event);
}

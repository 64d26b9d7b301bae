#pragma once
// The configuration window: modal over the main window, built anew from its table each time it opens.

#include <QDialog>

#include "ui/qt/qt_surface.h"

class ConfigurationWindow final : public QDialog {
 public:
  // Builds the controls and registers 配制编辑框 with `surface`; the caller runs LoadConfigurationText.
  ConfigurationWindow(QWidget& owner, QtSurface& surface);

  void ShowCentred();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
};

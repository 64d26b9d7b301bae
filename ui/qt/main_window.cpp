#include "ui/qt/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QShortcut>

#include "ui/configuration_window_handlers.h"
#include "ui/event_table.h"
#include "ui/qt/configuration_window.h"
#include "ui/qt/window_builder.h"
#include "ui/window_layout.h"

MainWindow::MainWindow(QtSurface& surface) : QWidget(nullptr, Qt::Window), surface_(surface) {
  ApplyWindowFrame(*this, MainWindowSpec());
  BuildControls(*this, MainWindowSpec());
  events_ = new ControlEvents(*this, surface_);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
  SetConfigurationWindowOpener([this] { OpenConfigurationWindow(); });
}

MainWindow::~MainWindow() {
  SetConfigurationWindowOpener({});
}

void MainWindow::ShowCentred() {
  CentreOnScreen(*this);
  show();
  CentreOnScreen(*this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Nothing can keep the window open, not even a running crawl; a worker's open message box must not
  // keep the program alive either.
  event->accept();
  QCoreApplication::quit();
}

void MainWindow::OpenConfigurationWindow() {
  ConfigurationWindow window(*this, surface_);
  LoadConfigurationText();
  window.ShowCentred();
  window.exec();
  events_->NotePressRanWindow();
}

#include "tests/ui/qt/window_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "tests/ui/start_up_directory.h"
#include "ui/event_table.h"
#include "ui/main_window_handlers.h"

QtWindowWorld::QtWindowWorld(QtSurface::EventSink sink) {
  PrepareStartUpDirectory(dir);
  surface = std::make_unique<QtSurface>(sink ? std::move(sink) : QtSurface::EventSink(DispatchEvent));
  InstallSurface(surface.get());
  window = std::make_unique<MainWindow>(*surface);
  InitialiseMainWindow();
  window->ShowCentred();
  if (!QTest::qWaitForWindowExposed(window.get())) qWarning("the main window was not exposed");
}

QtWindowWorld::~QtWindowWorld() {
  window.reset();
}

QString QtWindowWorld::Status() const {
  return Find<QLineEdit>("当前状态")->text();
}

MessageWatcher::MessageWatcher(Answer answer, QMessageBox::StandardButton button)
    : answer_(answer), button_(button) {
  connect(&timer_, &QTimer::timeout, this, &MessageWatcher::Look);
  timer_.start(10);
}

QMessageBox* MessageWatcher::openBox() const {
  for (QMessageBox* box : handled_) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget == box && box->isVisible()) return box;
    }
  }
  return nullptr;
}

void MessageWatcher::Look() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (box == nullptr || !box->isVisible()) continue;
    if (std::find(handled_.begin(), handled_.end(), box) != handled_.end()) continue;
    handled_.push_back(box);
    seen_.push_back({box->windowTitle(), box->text(), QApplication::activeModalWidget() == box});
    if (answer_ == Answer::Button) {
      // A box without the button asked for is answered with its first one.
      QAbstractButton* button = box->button(button_);
      (button != nullptr ? button : box->buttons().first())->click();
    }
    if (answer_ == Answer::CaptionBar) box->close();
  }
}

void WhenConfigurationWindowShows(std::function<void(QWidget& window)> act) {
  auto* poll = new QTimer();
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->isVisible() && widget->windowTitle() == QString::fromUtf8("软件配置界面")) {
        poll->stop();
        poll->deleteLater();
        act(*widget);
        return;
      }
    }
  });
  poll->start(10);
}

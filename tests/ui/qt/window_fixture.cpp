#include "tests/ui/qt/window_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "tests/support/gbk.h"
#include "ui/event_table.h"
#include "ui/main_window_handlers.h"

std::string TestConfiguration() {
  std::string text = "2\r\n0\r\nline three\r\n";
  for (int number = 1; number <= 20; ++number) text += Gbk("类别" + std::to_string(number)) + "\r\n";
  return text;
}

namespace {

TempDir& Prepared(TempDir& dir) {
  dir.Write("data/vantor.txt", TestConfiguration());
  dir.Write("data/zz-1.txt", Gbk("苹果\r\n香蕉"));
  dir.Write("data/jg-1.txt", Gbk("苹果价格\r\n"));
  dir.Write("data/zz-3.txt", Gbk("第三类种子\r\n"));
  dir.Write("data/jg-3.txt", Gbk("第三类结果\r\n"));
  return dir;
}

}  // namespace

QtWindowWorld::QtWindowWorld(QtSurface::EventSink sink) {
  Prepared(dir);
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

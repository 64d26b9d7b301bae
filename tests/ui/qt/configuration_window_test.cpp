// The configuration window: opened by a press on 软件配置, the file in its box, saved on every change,
// its lines counted when it closes.

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "tests/support/gbk.h"
#include "tests/ui/qt/window_fixture.h"
#include "ui/qt/balloon_tips.h"
#include "ui/qt/gbk_qstring.h"

namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QString WrongCount(const char* count) {
  return U("配制文件的 正确行数是 23 行！\n\n现在是 \"") + count +
         U("\"行！【看一下是否有空行】\n\n如果你现在重启软件的话，将会产生不可预知的错误，建议您立即重设！");
}

// Presses 软件配置, runs `act` on the open window (which must close it), and gives what the message
// boxes said.
std::vector<MessageWatcher::Seen> OpenConfiguration(QtWindowWorld& world, std::function<void(QWidget&)> act,
                                                    QMessageBox::StandardButton answer = QMessageBox::Ok) {
  MessageWatcher watcher(MessageWatcher::Answer::Button, answer);
  bool opened = false;
  WhenConfigurationWindowShows([&](QWidget& window) {
    opened = true;
    act(window);
    // A failed check inside `act` returns early: the window must not stay open over the test.
    if (window.isVisible()) window.close();
  });
  auto* button = world.Find<QPushButton>("软件配置");
  QTest::mousePress(button, Qt::LeftButton);
  QTest::mouseRelease(button, Qt::LeftButton);
  if (!opened) qWarning("the configuration window did not open");
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowTitle() == U("软件配置界面") && widget->isVisible())
      qWarning("the window is still open");
  }
  return watcher.seen();
}

QPlainTextEdit* BoxOf(QWidget& window) {
  return window.findChild<QPlainTextEdit*>(U("配制编辑框"));
}

}  // namespace

class ConfigurationWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowHasItsControlsAndTheFileInItsBox() {
    QtWindowWorld world;
    OpenConfiguration(world, [](QWidget& window) {
      QCOMPARE(window.windowTitle(), U("软件配置界面"));
      QCOMPARE(window.minimumSize(), QSize(194, 409));
      QCOMPARE(window.maximumSize(), QSize(194, 409));
      QVERIFY(!(window.windowFlags() & Qt::WindowMinimizeButtonHint));
      QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
      QVERIFY(window.isModal());
      const std::tuple<const char*, QRect, const char*, QColor> labels[] = {
          {"标签1", {3, 17, 178, 16}, "这里共有 23 行 不能多也不能少", QColor(0, 0, 255)},
          {"标签2", {8, 42, 178, 16}, "前 3 行，不要动", QColor(128, 0, 0)},
          {"标签3", {8, 61, 178, 16}, "4 - 23行分别依次 是分类的名称", QColor(0, 0, 96)},
      };
      for (const auto& [name, place, text, colour] : labels) {
        auto* label = window.findChild<QLabel*>(U(name));
        QVERIFY(label != nullptr);
        QCOMPARE(label->geometry(), place);
        QCOMPARE(label->text(), U(text));
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
      }
      auto* group = window.findChild<QGroupBox*>(U("分组框1"));
      QCOMPARE(group->geometry(), QRect(3, 8, 188, 394));
      QCOMPARE(group->title(), U("分类名称设置"));
      QPlainTextEdit* box = BoxOf(window);
      QCOMPARE(box->parentWidget(), group);
      QCOMPARE(box->geometry(), QRect(3, 80, 180, 310));
      QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
      QCOMPARE(ToText(box->toPlainText()), ConfigurationBytes());
      auto tips = window.findChild<BalloonTips*>()->Attached();
      QCOMPARE(int(tips.size()), 1);
      QCOMPARE(tips[0].first, U("配制编辑框"));
      QCOMPARE(tips[0].second, U("修改后关闭自动保存\n\n千万要随意修改否则程序会出错！"));
      window.close();
    });
  }

  void openingAndClosingAtOnceLeavesTheFileAndReports23() {
    QtWindowWorld world;
    auto seen = OpenConfiguration(world, [](QWidget& window) { window.close(); });
    QCOMPARE(int(seen.size()), 1);
    QCOMPARE(seen[0].title, U("配制文件保存成功！"));
    QCOMPARE(seen[0].text, U("配制文件已经保存！\n\n重启软件即可生效！"));
    QCOMPARE(world.dir.Read("data/vantor.txt"), ConfigurationBytes());
  }

  void anExtraLineBreakReports24BetweenQuotes() {
    QtWindowWorld world;
    auto seen = OpenConfiguration(world, [](QWidget& window) {
      QPlainTextEdit* box = BoxOf(window);
      box->moveCursor(QTextCursor::End);
      QTest::keyClick(box, Qt::Key_Return);
      window.close();
    });
    QCOMPARE(int(seen.size()), 1);
    QCOMPARE(seen[0].title, U("配制文件的 行数不对！"));
    QCOMPARE(seen[0].text, WrongCount("24"));
    QCOMPARE(world.dir.Read("data/vantor.txt"), ConfigurationBytes() + "\r\n");
  }

  void everyKeystrokeRewritesTheFile() {
    QtWindowWorld world;
    std::string fileWhileOpen;
    OpenConfiguration(world, [&](QWidget& window) {
      QPlainTextEdit* box = BoxOf(window);
      box->moveCursor(QTextCursor::Start);
      QTest::keyClick(box, Qt::Key_Delete);
      QTest::keyClicks(box, "9");
      fileWhileOpen = world.dir.Read("data/vantor.txt");
      window.close();
    });
    std::string expected = ConfigurationBytes();
    expected[0] = '9';
    QCOMPARE(fileWhileOpen, expected);
    // The captions take the file's names only at the next load.
    QCOMPARE(world.Find<QWidget>("分类1")->property("text").toString(), U("类别1"));
  }

  void escapeClosesTheWindowWithTheCheck() {
    QtWindowWorld world;
    auto seen = OpenConfiguration(world, [](QWidget& window) {
      QPlainTextEdit* box = BoxOf(window);
      box->setFocus();
      QTest::keyClick(box, Qt::Key_Escape);
    });
    QCOMPARE(int(seen.size()), 1);
    QCOMPARE(seen[0].title, U("配制文件保存成功！"));
  }

  void everyAnswerToTheWrongCountClosesTheWindow() {
    for (QMessageBox::StandardButton answer : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
      QtWindowWorld world;
      world.dir.Write("data/vantor.txt", "1\r\n2\r\n");
      auto seen = OpenConfiguration(
          world, [](QWidget& window) { window.close(); }, answer);
      QCOMPARE(int(seen.size()), 1);
      QCOMPARE(seen[0].text, WrongCount("2"));
      QVERIFY(seen[0].modal);
      QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    }
  }

  void theMainWindowTakesNoInputWhileItIsOpen() {
    QtWindowWorld world;
    OpenConfiguration(world, [&](QWidget& window) {
      QVERIFY(QApplication::activeModalWidget() == &window);
      QCOMPARE(window.windowModality(), Qt::WindowModal);
      QCOMPARE(window.parentWidget(), world.window.get());
      window.close();
    });
  }
};

QTEST_MAIN(ConfigurationWindowTest)
#include "configuration_window_test.moc"

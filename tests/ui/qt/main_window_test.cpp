// The main window: its controls as built, and its events wired to their handlers.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>

#include "tests/support/gbk.h"
#include "tests/ui/qt/window_fixture.h"
#include "ui/qt/balloon_tips.h"

namespace {

struct ExpectedControl {
  QString name;
  const char* className;
  QString parent;  // empty: the window
  QRect place;
  QString text;
};

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

std::vector<std::pair<QString, QString>> TipsOf(QWidget& window) {
  return window.findChild<BalloonTips*>()->Attached();
}

std::vector<ExpectedControl> ExpectedControls() {
  std::vector<ExpectedControl> controls = {
      {U("分组框1"), "QGroupBox", "", {2, 6, 208, 350}, U("输入核心 种子关键词")},
      {U("关键词编辑框"), "QPlainTextEdit", U("分组框1"), {3, 16, 202, 331}, U("苹果\n香蕉")},
      {U("分组框2"), "QGroupBox", "", {368, 6, 224, 440}, U("括展关键词 抓取结果")},
      {U("一级结果框"), "QPlainTextEdit", U("分组框2"), {3, 16, 218, 421}, U("苹果价格\n")},
      {U("分组框3"), "QGroupBox", "", {214, 6, 150, 350}, U("相关设制项")},
      {U("层次标签"), "QLabel", U("分组框3"), {4, 23, 88, 20}, U("抓取深度层次(?)")},
      {U("层次组合框"), "QComboBox", U("分组框3"), {98, 23, 49, 20}, "2"},
      {U("延时标签"), "QLabel", U("分组框3"), {4, 46, 88, 20}, U("抓取延时(?)")},
      {U("延时组合框"), "QComboBox", U("分组框3"), {98, 46, 49, 20}, "0"},
      {U("软件配置"), "QPushButton", U("分组框3"), {4, 289, 68, 24}, U("软件配置")},
      {U("结果提纯"), "QPushButton", U("分组框3"), {78, 289, 68, 24}, U("结果提纯")},
      {U("去除重复"), "QPushButton", U("分组框3"), {4, 320, 68, 24}, U("去除重复")},
      {U("开始抓取"), "QPushButton", "", {292, 326, 68, 24}, U("开始抓取")},
      {U("分组框4"), "QGroupBox", "", {2, 359, 362, 85}, U("说明")},
      {U("标签1"),
       "QLabel",
       U("分组框4"),
       {8, 12, 346, 16},
       U("配置好分类，输入核心种子关键词，设置抓取层数，抓取延时！")},
      {U("标签2"),
       "QLabel",
       U("分组框4"),
       {8, 29, 346, 16},
       U("点击开始抓取，然后，你就可以把软件最小化放在一边了！")},
      {U("标签3"),
       "QLabel",
       U("分组框4"),
       {8, 46, 346, 16},
       U("如果层数很深，可能会抓取上万，等到工作完成，会提醒你的！")},
      {U("简单超文本框"), "QLabel", U("分组框4"), {8, 65, 346, 16}, ""},
      {U("当前状态"), "QLineEdit", "", {-2, 449, 598, 18}, U("  当前状态： 更新并保存了 种子关键词！")},
  };
  for (int number = 1; number <= 20; ++number) {
    int row = (number + 1) / 2;
    // After loading the configuration the captions are the category names of its lines 4 to 23.
    controls.push_back({U("分类") + QString::number(number),
                        "QRadioButton",
                        U("分组框3"),
                        {number % 2 == 1 ? 4 : 76, 79 + 20 * (row - 1), 68, 18},
                        U("类别") + QString::number(number)});
  }
  return controls;
}

QString TextOf(QWidget* widget) {
  if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) return box->toPlainText();
  if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text();
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
  return {};
}

// Chooses a list entry as the user does: opens the list and clicks the entry.
void ChooseEntry(QComboBox* combo, const QString& entry) {
  combo->showPopup();
  auto* view = combo->view();
  QTRY_VERIFY(view->isVisible());
  QModelIndex index = view->model()->index(combo->findText(entry), 0);
  view->scrollTo(index);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
  QTRY_VERIFY(!view->isVisible());
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void frameIsFixedWithCaptionAndMinimiseButton() {
    QtWindowWorld world;
    MainWindow& window = *world.window;
    QCOMPARE(window.windowTitle(), U(" Ornivex 工具 -- Talvern V1.3"));
    QCOMPARE(window.minimumSize(), QSize(594, 470));
    QCOMPARE(window.maximumSize(), QSize(594, 470));
    QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowFlags() & Qt::WindowCloseButtonHint);
    QRect screen = window.screen()->availableGeometry();
    QVERIFY(qAbs(window.frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(window.frameGeometry().center().y() - screen.center().y()) <= 1);
  }

  void everyControlHasItsNameKindPlaceAndText() {
    QtWindowWorld world;
    for (const ExpectedControl& expected : ExpectedControls()) {
      auto* widget = world.window->findChild<QWidget*>(expected.name);
      QVERIFY2(widget != nullptr, qPrintable(expected.name));
      QCOMPARE(widget->metaObject()->className(), expected.className);
      QWidget* parent = widget->parentWidget();
      QCOMPARE(parent == world.window.get() ? QString() : parent->objectName(), expected.parent);
      QCOMPARE(widget->geometry(), expected.place);
      QCOMPARE(TextOf(widget), expected.text);
    }
    auto* tips = world.window->findChild<QWidget*>(U("气球提示框"));
    QVERIFY(tips != nullptr);
    QVERIFY(!tips->isVisible());
    QCOMPARE(tips->parentWidget()->objectName(), U("分组框3"));
    QCOMPARE(tips->geometry(), QRect(66, -14, 24, 24));
  }

  void comboBoxesHaveTheirFixedListsAndNoChosenEntry() {
    QtWindowWorld world;
    const std::pair<const char*, QStringList> lists[] = {
        {"层次组合框", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}},
        {"延时组合框", {"1000", "2000", "3000", "4000", "5000", "6000", "7000", "8000", "9000"}},
    };
    for (const auto& [name, entries] : lists) {
      auto* combo = world.Find<QComboBox>(name);
      QStringList items;
      for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
      QCOMPARE(items, entries);
      QCOMPARE(combo->currentIndex(), -1);
      QVERIFY(combo->isEditable());
      // The widest entry fits the field whole.
      QLineEdit* field = combo->lineEdit();
      QVERIFY(field->fontMetrics().horizontalAdvance(entries.back()) + 4 <= field->width());
    }
  }

  void onlyTheFirstCategoryIsSelected() {
    QtWindowWorld world;
    for (int number = 1; number <= 20; ++number) {
      auto* button = world.Find<QRadioButton>(("分类" + std::to_string(number)).c_str());
      QCOMPARE(button->isChecked(), number == 1);
    }
  }

  void coloursFontsAndPointers() {
    QtWindowWorld world;
    auto colour = [&](const char* name, QPalette::ColorRole role) {
      return world.Find<QWidget>(name)->palette().color(role);
    };
    QCOMPARE(colour("分类7", QPalette::WindowText), QColor(96, 96, 96));
    QCOMPARE(colour("层次标签", QPalette::WindowText), QColor(96, 96, 96));
    QCOMPARE(colour("标签2", QPalette::WindowText), QColor(46, 117, 143));
    QCOMPARE(colour("当前状态", QPalette::Text), QColor(128, 128, 128));
    QCOMPARE(colour("一级结果框", QPalette::Base), QColor(Qt::white));
    QCOMPARE(colour("一级结果框", QPalette::Text), QColor(Qt::black));
    // The others have the window's font, the system's Chinese GUI font of 12 pixels.
    for (const char* name : {"层次标签", "分类9", "标签3", "当前状态", "一级结果框", "软件配置"}) {
      QCOMPARE(world.Find<QWidget>(name)->font().pixelSize(), 12);
    }
    QCOMPARE(world.Find<QComboBox>("延时组合框")->lineEdit()->font().pixelSize(), 12);
    for (const char* name : {"开始抓取", "去除重复", "简单超文本框"}) {
      QFont font = world.Find<QWidget>(name)->font();
      QCOMPARE(font.family(), U("宋体"));
      QCOMPARE(font.pixelSize(), 12);
      QCOMPARE(font.weight(), QFont::Normal);
    }
    for (const char* name : {"开始抓取", "去除重复", "结果提纯", "软件配置", "分类1", "分类20", "层次组合框",
                             "延时组合框", "层次标签", "延时标签"}) {
      QCOMPARE(world.Find<QWidget>(name)->cursor().shape(), Qt::PointingHandCursor);
    }
    QCOMPARE(world.Find<QComboBox>("延时组合框")->lineEdit()->cursor().shape(), Qt::PointingHandCursor);
    for (const char* name : {"标签1", "分组框3", "当前状态"}) {
      QVERIFY(world.Find<QWidget>(name)->cursor().shape() != Qt::PointingHandCursor);
    }
  }

  void theNineTipsAreAttachedInOrder() {
    QtWindowWorld world;
    std::vector<std::pair<QString, QString>> expected = {
        {U("层次标签"), U("一般情况下选择1-2层即可抓取很多了！")},
        {U("延时标签"), U("这是和谷歌 官方系统网站的 链接延时设置\n\n1000=1秒，一般的网速 2-5秒比较合适！")},
        {U("软件配置"), U("此功能用于设制二十项关键词分类的名称等！")},
        {U("结果提纯"), U("分析抓取到的结果\n\n未包含种子关键词的将被过虑删除！")},
        {U("去除重复"), U("分析抓取到的结果，过虑重复的括展关键词！")},
        {U("开始抓取"), U("开始按照预设的种子进行抓取工作")},
        {U("关键词编辑框"), U("在此录入种子关键词\n\n一行一个！")},
        {U("一级结果框"), U("鼠标左键双击，即可复制内容！")},
        {U("简单超文本框"), U("点击下载更多实用软件！")},
    };
    QCOMPARE(TipsOf(*world.window), expected);
  }

  void aTipShowsAfterTheRestAndGoesAwayAfterItsTime() {
    QtWindowWorld world;
    auto* button = world.Find<QPushButton>("开始抓取");
    QTest::mouseMove(button, button->rect().center());
    QPointF centre = button->rect().center();
    QEnterEvent enter(centre, button->mapToGlobal(centre), button->mapToGlobal(centre));
    QCoreApplication::sendEvent(button, &enter);
    QTest::qWait(400);
    QVERIFY(!QToolTip::isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 1000);
    QCOMPARE(QToolTip::text(), U("开始按照预设的种子进行抓取工作"));
    QTest::qWait(3000);
    QVERIFY(QToolTip::isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 3000);
  }

  void aCategoryButtonLoadsThatCategory() {
    QtWindowWorld world;
    QTest::mouseClick(world.Find<QRadioButton>("分类3"), Qt::LeftButton);
    QVERIFY(world.Find<QRadioButton>("分类3")->isChecked());
    QVERIFY(!world.Find<QRadioButton>("分类1")->isChecked());
    QCOMPARE(world.Find<QPlainTextEdit>("关键词编辑框")->toPlainText(), U("第三类种子\n"));
    QCOMPARE(world.Find<QPlainTextEdit>("一级结果框")->toPlainText(), U("第三类结果\n"));
    QCOMPARE(world.Status(), U("  当前状态： 更新并保存了 种子关键词！"));
    // Typing into the seed box now saves category 3's file.
    auto* seeds = world.Find<QPlainTextEdit>("关键词编辑框");
    seeds->moveCursor(QTextCursor::End);
    QTest::keyClicks(seeds, "x");
    QCOMPARE(world.dir.Read("data/zz-3.txt"), Gbk("第三类种子\r\nx"));
  }

  void depthAndDelayChoicesRewriteTheFile() {
    QtWindowWorld world;
    auto* depth = world.Find<QComboBox>("层次组合框");
    // What the user typed into the field gives way to the chosen entry.
    depth->lineEdit()->setText("7");
    ChooseEntry(depth, "12");
    QCOMPARE(world.Status(), U("  当前状态： 种子关键词括展深度 更新为 \"12\" ！"));
    QCOMPARE(depth->currentText(), U("12"));
    std::string expected = ConfigurationBytes();
    expected.replace(0, 1, "12");
    QCOMPARE(world.dir.Read("data/vantor.txt"), expected);

    ChooseEntry(world.Find<QComboBox>("延时组合框"), "3000");
    QCOMPARE(world.Status(), U("  当前状态： 和淘宝官方系统链接的延时处理时间 更新为 \"3000\" ！"));
    expected.replace(expected.find("\r\n0\r\n"), 5, "\r\n3000\r\n");
    QCOMPARE(world.dir.Read("data/vantor.txt"), expected);
  }

  void enterInAComboFieldChoosesNothing() {
    QtWindowWorld world;
    auto* depth = world.Find<QComboBox>("层次组合框");
    depth->lineEdit()->setText("5");
    QTest::keyClick(depth->lineEdit(), Qt::Key_Return);
    QCOMPARE(world.dir.Read("data/vantor.txt"), ConfigurationBytes());
    QCOMPARE(depth->count(), 15);
  }

  void doubleClickCopiesTheBoxAndReports() {
    QtWindowWorld world;
    MessageWatcher watcher;
    auto* results = world.Find<QPlainTextEdit>("一级结果框");
    QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
    QCOMPARE(int(watcher.seen().size()), 1);
    QCOMPARE(watcher.seen()[0].title, U("剪切关键词成功！"));
    QCOMPARE(watcher.seen()[0].text, U("已经将 括展关键词结果 存放在剪切版中"));
    QVERIFY(watcher.seen()[0].modal);
    QCOMPARE(QGuiApplication::clipboard()->text(), U("苹果价格\n"));
    QCOMPARE(world.Status(), U("  当前状态： 剪切 括展关键词到剪切版 成功！"));

    QTest::mouseDClick(world.Find<QPlainTextEdit>("关键词编辑框")->viewport(), Qt::LeftButton, {},
                       QPoint(20, 5));
    QCOMPARE(QGuiApplication::clipboard()->text(), U("苹果\n香蕉"));
    QCOMPARE(world.Status(), U("  当前状态： 剪切 种子关键词到剪切版 成功！"));
  }

  void pressingABoxWritesItsHint() {
    QtWindowWorld world;
    QTest::mousePress(world.Find<QPlainTextEdit>("一级结果框")->viewport(), Qt::LeftButton, {},
                      QPoint(20, 5));
    QCOMPARE(world.Status(), U("  当前状态： 双击此处、即可复制、已经抓取到的、这些括展关键词、的内容 ！"));
    QTest::mouseRelease(world.Find<QPlainTextEdit>("一级结果框")->viewport(), Qt::LeftButton, {},
                        QPoint(20, 5));
    QTest::mouseClick(world.Find<QPlainTextEdit>("关键词编辑框")->viewport(), Qt::LeftButton, {},
                      QPoint(20, 5));
    QCOMPARE(world.Status(), U("  当前状态： 双击此处 即可复制 种子关键词的内容 ！"));
  }

  void escapeClosesTheWindowFromAnyControl() {
    QtWindowWorld world;
    QWidget* targets[] = {
        world.Find<QWidget>("关键词编辑框"), world.Find<QWidget>("一级结果框"),
        world.Find<QWidget>("当前状态"),     world.Find<QComboBox>("层次组合框")->lineEdit(),
        world.Find<QWidget>("分类5"),        world.Find<QWidget>("开始抓取"),
    };
    for (QWidget* target : targets) {
      world.window->show();
      QVERIFY(QTest::qWaitForWindowExposed(world.window.get()));
      world.window->activateWindow();
      target->setFocus();
      QTest::keyClick(target, Qt::Key_Escape);
      QVERIFY2(!world.window->isVisible(), qPrintable(target->objectName()));
    }
  }

  void theSettingsButtonActsOnThePressNotOnTheKeyboard() {
    QtWindowWorld world;
    auto* button = world.Find<QPushButton>("软件配置");
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QTest::qWait(50);
    for (QWidget* widget : QApplication::topLevelWidgets())
      QVERIFY(!widget->isVisible() || widget == world.window.get());

    MessageWatcher watcher;
    bool opened = false;
    WhenConfigurationWindowShows([&](QWidget& window) {
      opened = true;
      window.close();
    });
    QTest::mousePress(button, Qt::LeftButton);
    QVERIFY(opened);
    QTest::mouseRelease(button, Qt::LeftButton);
    QCOMPARE(int(watcher.seen().size()), 1);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

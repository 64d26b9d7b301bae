// The surface on the real widgets: threads, the text-changed event, appends, message boxes, the
// clipboard and the GBK boundary.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <atomic>
#include <map>
#include <thread>

#include "storage/app_state.h"
#include "tests/support/gbk.h"
#include "tests/ui/qt/window_fixture.h"
#include "ui/event_table.h"

namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// The event table, with a count of every event that reaches it.
struct CountingSink {
  std::map<std::pair<Control, UiEvent>, int> counts;
  QtSurface::EventSink Sink() {
    return [this](Control control, UiEvent event) {
      ++counts[{control, event}];
      DispatchEvent(control, event);
    };
  }
  int TextChanges(Control control) { return counts[{control, UiEvent::TextChanged}]; }
};

// Runs `work` on a thread of its own while the user-interface thread goes on with its events.
void OnWorker(const std::function<void()>& work) {
  std::atomic<bool> done = false;
  std::thread worker([&] {
    work();
    done = true;
  });
  while (!done) QTest::qWait(5);
  worker.join();
}

}  // namespace

class QtSurfaceTest : public QObject {
  Q_OBJECT

 private slots:
  void everySetAndAppendRaisesTheTextChangedEventOnce() {
    CountingSink counter;
    QtWindowWorld world(counter.Sink());
    int before = counter.TextChanges(Control::关键词编辑框);
    Text seeds = GetControlText(Control::关键词编辑框);
    SetControlText(Control::关键词编辑框, seeds);
    QCOMPARE(counter.TextChanges(Control::关键词编辑框), before + 1);
    AppendControlText(Control::关键词编辑框, "\r\nx");
    QCOMPARE(counter.TextChanges(Control::关键词编辑框), before + 2);
    QCOMPARE(world.dir.Read("data/zz-1.txt"), Gbk("苹果\r\n香蕉\r\nx"));
    // Setting a combo box, a caption or the status line raises nothing.
    int all = 0;
    for (const auto& [key, count] : counter.counts) all += count;
    SetControlText(Control::层次组合框, "9");
    SetControlCaption(Control::分类2, "x");
    SetStatus("s");
    AppendStatus("t");
    int after = 0;
    for (const auto& [key, count] : counter.counts) after += count;
    QCOMPARE(after, all);
    QCOMPARE(world.Status(), U("st"));
  }

  void eachUserEditRaisesTheEventOnce() {
    CountingSink counter;
    QtWindowWorld world(counter.Sink());
    auto* results = world.Find<QPlainTextEdit>("一级结果框");
    int before = counter.TextChanges(Control::一级结果框);
    results->setFocus();
    results->moveCursor(QTextCursor::End);
    QTest::keyClicks(results, "ab");
    QTest::keyClick(results, Qt::Key_Backspace);
    QCOMPARE(counter.TextChanges(Control::一级结果框), before + 3);
    QCOMPARE(world.dir.Read("data/jg-1.txt"), Gbk("苹果价格\r\na"));
  }

  void aWorkersCallsRunOnTheUserInterfaceThreadInOrder() {
    CountingSink counter;
    QtWindowWorld world(counter.Sink());
    SetControlText(Control::一级结果框, "");
    int before = counter.TextChanges(Control::一级结果框);
    OnWorker([] {
      for (int i = 0; i < 200; ++i) {
        AppendControlText(Control::一级结果框, std::to_string(i) + "\r\n");
        SetStatus(std::to_string(i));
      }
    });
    std::string expected;
    for (int i = 0; i < 200; ++i) expected += std::to_string(i) + "\r\n";
    QCOMPARE(GetControlText(Control::一级结果框), expected);
    QCOMPARE(world.dir.Read("data/jg-1.txt"), expected);
    QCOMPARE(counter.TextChanges(Control::一级结果框), before + 200);
    QCOMPARE(world.Status(), U("199"));
  }

  void anAppendDropsTheSelectionGoesToTheEndAndIsNotUndone() {
    QtWindowWorld world;
    auto* results = world.Find<QPlainTextEdit>("一级结果框");
    SetControlText(Control::一级结果框, "one two three\r\n");
    QTextCursor selection(results->document());
    selection.setPosition(4);
    selection.setPosition(7, QTextCursor::KeepAnchor);
    results->setTextCursor(selection);
    AppendControlText(Control::一级结果框, "four\r\n");
    AppendControlText(Control::一级结果框, "five\r\n");
    QCOMPARE(GetControlText(Control::一级结果框), "one two three\r\nfour\r\nfive\r\n");
    QVERIFY(!results->textCursor().hasSelection());
    QCOMPARE(results->textCursor().position(), results->document()->characterCount() - 1);
    results->undo();
    QCOMPARE(GetControlText(Control::一级结果框), "one two three\r\nfour\r\nfive\r\n");
  }

  void theSelectedTextOfAChosenEntryIsTheEntry() {
    QtWindowWorld world;
    Text selected;
    world.window.reset();
    world.surface = std::make_unique<QtSurface>([&](Control control, UiEvent event) {
      if (control == Control::层次组合框 && event == UiEvent::ListEntryChosen)
        selected = GetSelectedText(control);
    });
    InstallSurface(world.surface.get());
    world.window = std::make_unique<MainWindow>(*world.surface);
    world.window->show();
    auto* depth = world.Find<QComboBox>("层次组合框");
    depth->setFocus();
    depth->setCurrentIndex(3);
    QTest::keyClick(depth, Qt::Key_Down);
    QCOMPARE(selected, "5");
    QCOMPARE(GetSelectedText(Control::延时组合框), "");
  }

  void aWorkersMessageLeavesTheWindowUsable() {
    QtWindowWorld world;
    MessageWatcher watcher(MessageWatcher::Answer::LeaveOpen);
    std::atomic<int> answer = -1;
    std::thread worker([&] { answer = ShowMessage(Gbk("哥：完成"), kButtonsOk, Gbk("当前抓取工作完成")); });
    QTRY_VERIFY(watcher.openBox() != nullptr);
    QCOMPARE(watcher.seen()[0].title, U("当前抓取工作完成"));
    QVERIFY(!watcher.seen()[0].modal);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    // The main window still reacts while the box is open.
    QTest::mouseClick(world.Find<QRadioButton>("分类3"), Qt::LeftButton);
    QCOMPARE(world.Find<QPlainTextEdit>("关键词编辑框")->toPlainText(), U("第三类种子\n"));
    QCOMPARE(answer.load(), -1);
    watcher.openBox()->button(QMessageBox::Ok)->click();
    QTRY_COMPARE(answer.load(), kAnswerOk);
    worker.join();
  }

  void messageAnswersAreTheButtonCodes() {
    QtWindowWorld world;
    const std::pair<QMessageBox::StandardButton, int> answers[] = {
        {QMessageBox::Yes, kAnswerYes}, {QMessageBox::No, kAnswerNo}, {QMessageBox::Cancel, kAnswerCancel}};
    for (const auto& [button, code] : answers) {
      MessageWatcher watcher(MessageWatcher::Answer::Button, button);
      QCOMPARE(ShowMessage("a\r\nb", kButtonsYesNoCancel, "t"), code);
      QCOMPARE(watcher.seen()[0].text, U("a\nb"));
      QVERIFY(watcher.seen()[0].modal);
    }
    MessageWatcher byCaptionBar(MessageWatcher::Answer::CaptionBar);
    QCOMPARE(ShowMessage("a", kButtonsYesNoCancel, "t"), kAnswerCancel);
    QCOMPARE(ShowMessage("a", kButtonsOk, "t"), kAnswerOk);
    std::atomic<int> fromWorker = -1;
    OnWorker([&] { fromWorker = ShowMessage("a", kButtonsYesNoCancel, "t"); });
    QCOMPARE(fromWorker.load(), kAnswerCancel);
  }

  void theClipboardGetsTheTextAsUnicode() {
    QtWindowWorld world;
    QVERIFY(CopyToClipboard(Gbk("种子\r\n关键词")));
    QCOMPARE(QGuiApplication::clipboard()->text(), U("种子\n关键词"));
    QVERIFY(CopyToClipboard(""));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
  }

  void aFileWithInvalidBytesIsSavedBackUnchanged() {
    QtWindowWorld world;
    const std::string bytes =
        std::string("UTF-8 文件：种子\r\n") + Gbk("香蕉") + "\x81" + "\r\nlone\rcr\nlf\xFF";
    world.dir.Write("data/jg-1.txt", bytes);
    QTest::mouseClick(world.Find<QRadioButton>("分类1"), Qt::LeftButton);
    QCOMPARE(GetControlText(Control::一级结果框), bytes);
    // A save without an edit writes the same bytes.
    world.surface->Raise(Control::一级结果框, UiEvent::TextChanged);
    QCOMPARE(world.dir.Read("data/jg-1.txt"), bytes);
    QVERIFY(world.Find<QPlainTextEdit>("一级结果框")->toPlainText().contains(U("香蕉")));
  }

  void aTypedCharacterThatGbkCannotHoldIsSavedAsQuestionMark() {
    QtWindowWorld world;
    auto* seeds = world.Find<QPlainTextEdit>("关键词编辑框");
    seeds->setFocus();
    seeds->moveCursor(QTextCursor::End);
    // Typed as an input method hands text over: a Thai letter, then a Chinese character.
    for (const QString& typed : {U("\u0E01"), U("中")}) {
      QInputMethodEvent input;
      input.setCommitString(typed);
      QCoreApplication::sendEvent(seeds, &input);
    }
    QCOMPARE(world.dir.Read("data/zz-1.txt"), Gbk("苹果\r\n香蕉") + "?" + Gbk("中"));
  }

  void aLargeBoxLoadsAndAppends() {
    QtWindowWorld world;
    std::string lines;
    for (int i = 0; i < 20000; ++i) lines += Gbk("关键词") + std::to_string(i) + "\r\n";
    world.dir.Write("data/jg-2.txt", lines);
    QTest::mouseClick(world.Find<QRadioButton>("分类2"), Qt::LeftButton);
    OnWorker([] { AppendControlText(Control::一级结果框, "last\r\n"); });
    QCOMPARE(world.dir.Read("data/jg-2.txt"), lines + "last\r\n");
  }
};

QTEST_MAIN(QtSurfaceTest)
#include "qt_surface_test.moc"

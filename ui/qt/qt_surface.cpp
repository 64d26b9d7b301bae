#include "ui/qt/qt_surface.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QThread>
#include <future>
#include <memory>

#include "ui/qt/balloon_tips.h"
#include "ui/qt/gbk_qstring.h"

namespace {

// The message box that ShowMessage shows: no icon, no owner, the buttons of the set.
QMessageBox* NewMessageBox(const Text& text, int buttonSet, const Text& title) {
  auto* box = new QMessageBox();
  box->setIcon(QMessageBox::NoIcon);
  box->setWindowTitle(ToQString(title));
  box->setTextFormat(Qt::PlainText);
  box->setText(ToQString(text));
  if (buttonSet == kButtonsYesNoCancel) {
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    // Closing the box by its caption bar counts as Cancel.
    box->setEscapeButton(QMessageBox::Cancel);
  } else {
    box->setStandardButtons(QMessageBox::Ok);
  }
  // The system's message boxes have plain buttons.
  for (QAbstractButton* button : box->buttons()) button->setIcon(QIcon());
  return box;
}

int AnswerOf(QMessageBox& box) {
  // A box closed by its caption bar has not yet recorded its escape button when it reports that it
  // finished.
  QAbstractButton* clicked = box.clickedButton() != nullptr ? box.clickedButton() : box.escapeButton();
  switch (box.standardButton(clicked)) {
    case QMessageBox::Yes:
      return kAnswerYes;
    case QMessageBox::No:
      return kAnswerNo;
    case QMessageBox::Cancel:
      return kAnswerCancel;
    default:
      return kAnswerOk;
  }
}

Text ReadText(QWidget* widget) {
  if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) return ToText(box->document()->toRawText());
  if (auto* line = qobject_cast<QLineEdit*>(widget)) return ToText(line->text());
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return ToText(combo->currentText());
  return {};
}

void AppendToBox(QPlainTextEdit& box, const QString& text) {
  QTextCursor cursor(box.document());
  cursor.movePosition(QTextCursor::End);
  box.setTextCursor(cursor);  // drops the user's selection
  box.ensureCursorVisible();
  // Turning undo off for the insertion keeps it out of the box's undo, as the append is not the user's.
  box.document()->setUndoRedoEnabled(false);
  cursor.insertText(text);
  box.document()->setUndoRedoEnabled(true);
  box.setTextCursor(cursor);
  box.ensureCursorVisible();
}

}  // namespace

QtSurface::QtSurface(EventSink sink) : sink_(std::move(sink)) {}

void QtSurface::Register(Control control, QWidget* widget) {
  widgets_[static_cast<int>(control)] = widget;
}

QWidget* QtSurface::Widget(Control control) const {
  return widgets_[static_cast<int>(control)].data();
}

void QtSurface::Raise(Control control, UiEvent event) {
  if (sink_) sink_(control, event);
}

bool QtSurface::OnUiThread() const {
  return QThread::currentThread() == thread();
}

void QtSurface::Execute(const std::function<void()>& work) {
  if (OnUiThread()) {
    work();
    return;
  }
  // The worker waits until the user-interface thread has run the work, its events' handlers included;
  // so one worker's calls take effect in its order.
  QMetaObject::invokeMethod(this, work, Qt::BlockingQueuedConnection);
}

Text QtSurface::GetControlText(Control control) {
  Text text;
  Execute([&] { text = ReadText(Widget(control)); });
  return text;
}

void QtSurface::SetControlText(Control control, const Text& text) {
  Execute([&] {
    QWidget* widget = Widget(control);
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
      {
        // The replacement itself raises nothing: the one text-changed event follows it.
        QSignalBlocker blocker(box);
        box->setPlainText(ToQString(text));
      }
      Raise(control, UiEvent::TextChanged);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
      line->setText(ToQString(text));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      QSignalBlocker blocker(combo);
      combo->setEditText(ToQString(text));
    }
  });
}

void QtSurface::AppendControlText(Control control, const Text& text) {
  Execute([&] {
    QWidget* widget = Widget(control);
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
      {
        QSignalBlocker blocker(box);
        AppendToBox(*box, ToQString(text));
      }
      Raise(control, UiEvent::TextChanged);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
      line->setText(line->text() + ToQString(text));
    }
  });
}

void QtSurface::SetControlCaption(Control control, const Text& text) {
  Execute([&] {
    if (auto* button = qobject_cast<QRadioButton*>(Widget(control))) button->setText(ToQString(text));
  });
}

Text QtSurface::GetSelectedText(Control control) {
  Text text;
  Execute([&] {
    auto* combo = qobject_cast<QComboBox*>(Widget(control));
    if (combo != nullptr && combo->lineEdit() != nullptr) text = ToText(combo->lineEdit()->selectedText());
  });
  return text;
}

int QtSurface::ShowMessage(const Text& text, int buttonSet, const Text& title) {
  if (OnUiThread()) {
    // Modal for every window of the program until it is closed.
    std::unique_ptr<QMessageBox> box(NewMessageBox(text, buttonSet, title));
    box->exec();
    return AnswerOf(*box);
  }
  // From a worker the box holds up that worker alone: the windows stay usable while it is open.
  std::promise<int> answer;
  std::future<int> answered = answer.get_future();
  Execute([&] {
    QMessageBox* box = NewMessageBox(text, buttonSet, title);
    box->setWindowModality(Qt::NonModal);
    QObject::connect(
        box, &QMessageBox::finished, box,
        [box, &answer] {
          answer.set_value(AnswerOf(*box));
          box->deleteLater();
        },
        Qt::SingleShotConnection);
    box->show();
  });
  return answered.get();
}

void QtSurface::AttachTooltip(Control control, const Text& tip) {
  Execute([&] {
    QWidget* widget = Widget(control);
    if (widget == nullptr) return;
    if (auto* tips = widget->window()->findChild<BalloonTips*>()) tips->Attach(widget, ToQString(tip));
  });
}

bool QtSurface::CopyToClipboard(const Text& text) {
  bool copied = false;
  Execute([&] {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return;
    QString characters = ToQString(text);
    clipboard->setText(characters);
    // The platform may refuse the text (no clipboard to own); reading it back tells.
    copied = clipboard->text() == characters;
  });
  return copied;
}

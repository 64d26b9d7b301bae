#pragma once
// The real main window in a prepared start-up directory, filled in as at start-up and shown, and a
// watcher that answers message boxes the moment they appear.

#include <QAbstractButton>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/ui/start_up_directory.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_surface.h"

class QtWindowWorld {
 public:
  // `sink` receives every event; by default the event table.
  explicit QtWindowWorld(QtSurface::EventSink sink = {});
  ~QtWindowWorld();

  template <typename Widget>
  Widget* Find(const char* utf8Name) const {
    return window->findChild<Widget*>(QString::fromUtf8(utf8Name));
  }
  QString Status() const;

  TempDir dir;
  ScopedCurrentDirectory currentDirectory{dir.path()};
  std::unique_ptr<QtSurface> surface;
  std::unique_ptr<MainWindow> window;
};

// Answers every message box that shows while it lives, by the button it is told or by its caption bar's
// close button, and keeps what each box said.
class MessageWatcher : public QObject {
 public:
  struct Seen {
    QString title;
    QString text;
    bool modal = false;
  };
  enum class Answer { Button, CaptionBar, LeaveOpen };

  explicit MessageWatcher(Answer answer = Answer::Button,
                          QMessageBox::StandardButton button = QMessageBox::Ok);

  const std::vector<Seen>& seen() const { return seen_; }
  // The open box that was left open, or null.
  QMessageBox* openBox() const;

 private:
  void Look();

  Answer answer_;
  QMessageBox::StandardButton button_;
  QTimer timer_;
  std::vector<Seen> seen_;
  std::vector<QMessageBox*> handled_;
};

// Runs `act` on the configuration window as soon as it shows (it is modal: the caller is blocked in the
// press that opened it).
void WhenConfigurationWindowShows(std::function<void(QWidget& window)> act);

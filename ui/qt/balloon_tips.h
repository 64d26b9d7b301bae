#pragma once
// A window's 气球提示框: it shows the balloon tip of a control once the mouse pointer has rested on the
// control for a while, and takes it away after a fixed time. It is never visible itself.

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <utility>
#include <vector>

class BalloonTips final : public QWidget {
  Q_OBJECT

 public:
  BalloonTips(QWidget* parent, int delayMs, int displayMs);

  void Attach(QWidget* control, const QString& tip);
  // The controls' names and their tips, in the order they were attached.
  std::vector<std::pair<QString, QString>> Attached() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* ControlOf(QObject* watched) const;
  QString TipOf(QWidget* control) const;
  void ShowPending();

  int displayMs_;
  QTimer rest_;
  QPointer<QWidget> pending_;
  QPointer<QWidget> showing_;
  std::vector<std::pair<QPointer<QWidget>, QString>> tips_;
};

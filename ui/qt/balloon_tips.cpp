#include "ui/qt/balloon_tips.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QToolTip>

BalloonTips::BalloonTips(QWidget* parent, int delayMs, int displayMs)
    : QWidget(parent), displayMs_(displayMs) {
  hide();
  // The tips come and go at once, without fading.
  QApplication::setEffectEnabled(Qt::UI_FadeTooltip, false);
  QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
  rest_.setSingleShot(true);
  rest_.setInterval(delayMs);
  connect(&rest_, &QTimer::timeout, this, &BalloonTips::ShowPending);
}

void BalloonTips::Attach(QWidget* control, const QString& tip) {
  for (auto& [attached, text] : tips_) {
    if (attached == control) {
      text = tip;
      return;
    }
  }
  tips_.emplace_back(control, tip);
  control->setMouseTracking(true);
  control->installEventFilter(this);
  // A box's text area is a widget of its own that gets the box's mouse events.
  if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) {
    area->viewport()->setMouseTracking(true);
    area->viewport()->installEventFilter(this);
  }
}

std::vector<std::pair<QString, QString>> BalloonTips::Attached() const {
  std::vector<std::pair<QString, QString>> attached;
  for (const auto& [control, tip] : tips_) {
    if (control) attached.emplace_back(control->objectName(), tip);
  }
  return attached;
}

QWidget* BalloonTips::ControlOf(QObject* watched) const {
  for (QObject* object = watched; object != nullptr; object = object->parent()) {
    for (const auto& [control, tip] : tips_) {
      if (control == object) return control;
    }
  }
  return nullptr;
}

QString BalloonTips::TipOf(QWidget* control) const {
  for (const auto& [attached, tip] : tips_) {
    if (attached == control) return tip;
  }
  return {};
}

bool BalloonTips::eventFilter(QObject* watched, QEvent* event) {
  QWidget* control = ControlOf(watched);
  if (control == nullptr) return false;
  switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
      // The delay counts from the moment the pointer stops moving over the control.
      if (showing_ != control || !QToolTip::isVisible()) {
        pending_ = control;
        rest_.start();
      }
      break;
    case QEvent::Leave:
      if (watched == control) {
        rest_.stop();
        pending_ = nullptr;
        if (showing_ == control) QToolTip::hideText();
        showing_ = nullptr;
      }
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      rest_.stop();
      pending_ = nullptr;
      QToolTip::hideText();
      showing_ = nullptr;
      break;
    default:
      break;
  }
  return false;
}

void BalloonTips::ShowPending() {
  QWidget* control = pending_;
  if (control == nullptr || !control->isVisible()) return;
  QPoint pointer = QCursor::pos();
  if (!control->rect().contains(control->mapFromGlobal(pointer))) return;
  QToolTip::showText(pointer, TipOf(control), control, control->rect(), displayMs_);
  showing_ = control;
}

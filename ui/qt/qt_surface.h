#pragma once
// The surface of the real windows. Every call runs on the user-interface thread: a worker's call is
// handed over and the worker waits for it; a call from the user-interface thread runs at once.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

#include "ui/surface.h"

class QtSurface final : public QObject, public Surface {
 public:
  using EventSink = std::function<void(Control, UiEvent)>;

  // Create it on the user-interface thread. Every event of the windows goes to `sink`.
  explicit QtSurface(EventSink sink);

  // The widget that shows `control`; a widget that is destroyed drops out by itself.
  void Register(Control control, QWidget* widget);
  QWidget* Widget(Control control) const;

  // Runs the handler of an event of the windows. User-interface thread only.
  void Raise(Control control, UiEvent event);

  Text GetControlText(Control control) override;
  void SetControlText(Control control, const Text& text) override;
  void AppendControlText(Control control, const Text& text) override;
  void SetControlCaption(Control control, const Text& text) override;
  Text GetSelectedText(Control control) override;
  int ShowMessage(const Text& text, int buttonSet, const Text& title) override;
  void AttachTooltip(Control control, const Text& tip) override;
  bool CopyToClipboard(const Text& text) override;

 private:
  bool OnUiThread() const;
  void Execute(const std::function<void()>& work);

  EventSink sink_;
  std::array<QPointer<QWidget>, kControlCount> widgets_;
};

#include "ui/surface.h"

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<Surface*> installed{nullptr};

}  // namespace

void InstallSurface(Surface* surface) {
  installed.store(surface);
}

Surface& CurrentSurface() {
  Surface* surface = installed.load();
  // Every event arrives after start-up has installed the windows; a call before that is a wiring fault.
  if (surface == nullptr) std::abort();
  return *surface;
}

Text GetControlText(Control control) {
  return CurrentSurface().GetControlText(control);
}
void SetControlText(Control control, const Text& text) {
  CurrentSurface().SetControlText(control, text);
}
void AppendControlText(Control control, const Text& text) {
  CurrentSurface().AppendControlText(control, text);
}
void SetControlCaption(Control control, const Text& text) {
  CurrentSurface().SetControlCaption(control, text);
}
Text GetSelectedText(Control control) {
  return CurrentSurface().GetSelectedText(control);
}
int ShowMessage(const Text& text, int buttonSet, const Text& title) {
  return CurrentSurface().ShowMessage(text, buttonSet, title);
}
void AttachTooltip(Control control, const Text& tip) {
  CurrentSurface().AttachTooltip(control, tip);
}
bool CopyToClipboard(const Text& text) {
  return CurrentSurface().CopyToClipboard(text);
}

void SetStatus(const Text& text) {
  SetControlText(Control::当前状态, text);
}
void AppendStatus(const Text& text) {
  AppendControlText(Control::当前状态, text);
}

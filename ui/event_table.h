#pragma once
// The event table of the two windows: which handler an event of a control runs. The windows raise every
// event of theirs here and decide nothing themselves.

#include <functional>

#include "ui/controls.h"
#include "ui/surface.h"

// Runs the handler of (control, event) on the calling thread, the user-interface thread; an event
// without a handler does nothing.
void DispatchEvent(Control control, UiEvent event);

// The configuration window belongs to the window toolkit, so the windows tell the table how to open it.
void SetConfigurationWindowOpener(std::function<void()> open);

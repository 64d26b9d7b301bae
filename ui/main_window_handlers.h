#pragma once
// The handlers that belong to the main window itself: filling it in at start-up, and the copy and the
// hint of the two boxes.

#include "ui/controls.h"

// The window's created event: paths, welcome line, the nine balloon tips, configuration, category 1.
void InitialiseMainWindow();

// A double click on 关键词编辑框 or 一级结果框: the box's text to the clipboard, a message, a status.
void CopyBoxToClipboard(Control box);

// The left mouse button went down on 关键词编辑框 or 一级结果框: the box's hint in the status line.
void ShowBoxHint(Control box);

#pragma once
// The two windows as tables: every control with its name, kind, place, size, texts and look. The windows
// are built from these tables and from nothing else, so the look lives in one place. All texts are GBK.

#include <optional>
#include <vector>

#include "text/text.h"
#include "ui/controls.h"

enum class WidgetKind {
  GroupBox,
  EditBox,      // multi-line, long lines wrap
  StatusLine,   // single-line edit box
  ComboBox,     // drop-down with an editable field and a fixed list
  RadioButton,  // every radio button of a window is in one group
  PushButton,
  Label,
  LinkStrip,       // a one-line label that shows links
  TooltipControl,  // the window's 气球提示框: holds the balloon tips, never visible
};

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
};

struct ControlSpec {
  Text name;
  WidgetKind kind = WidgetKind::Label;
  Text parent;  // the group box it is placed in; empty for the window's client area
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  Text text;                      // caption, title or initial text
  std::vector<Text> list;         // the list entries of a combo box
  std::optional<Rgb> textColour;  // none: the system's colour
  std::optional<Rgb> background;  // none: the window face colour, or white for edit boxes
  Text fontFamily;                // empty: the window's font
  int fontPixelHeight = 0;
  bool pointingHand = false;
  bool checked = false;            // a radio button selected in the form
  bool verticalScrollBar = false;  // an edit box
};

struct WindowSpec {
  Text caption;
  // The size of the client area, in which the controls are placed. The frame around it is the toolkit's;
  // the windows were drawn for outer sizes of 600 x 500 (main) and 200 x 437 (configuration), whose
  // client areas these are.
  int clientWidth = 0;
  int clientHeight = 0;
  bool minimiseButton = false;
  // Every control without a font of its own uses this font, the system's default GUI font for Chinese:
  // 宋体 with a character height of 12 pixels (9 point).
  Text fontFamily;
  int fontPixelHeight = 12;
  // A balloon tip shows after the pointer has rested this long and goes away after tipDisplayMs.
  int tipDelayMs = 600;
  int tipDisplayMs = 5000;
  std::vector<ControlSpec> controls;  // in creation order: a later control lies over an earlier one
};

const WindowSpec& MainWindowSpec();
const WindowSpec& ConfigurationWindowSpec();

// The name of a control as the windows name it (GBK).
Text ControlName(Control control);
// The control of that name, or none for the controls that the logic never addresses (group boxes,
// labels of the help panel).
std::optional<Control> ControlNamed(const Text& name);

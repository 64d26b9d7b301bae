#pragma once
// The one seam between the logic and the windows. The logic calls the free functions below; they act on
// the surface that start-up (or a test) installed: the Qt windows or the in-memory surface.
//
// Every implementation keeps these rules:
// - Every operation may be called from any thread. A call from a worker is carried out on the
//   user-interface thread while the worker waits; one worker's calls take effect in its order.
// - SetControlText and AppendControlText on an edit box raise that box's text-changed event exactly
//   once per call (also when the text does not change), and the handler has finished on the
//   user-interface thread before the call returns. Setting a combo box's text, a caption or the status
//   line raises nothing that is handled.
// - ShowMessage from the user-interface thread is modal for the windows; from a worker it blocks that
//   worker alone, and the windows stay usable.

#include "text/text.h"
#include "ui/controls.h"

// Events of the windows that a handler takes. The handlers take nothing and return nothing.
enum class UiEvent {
  TextChanged,        // an edit box's text changed: set, appended or edited by the user
  Clicked,            // a push button or a category button was clicked
  ListEntryChosen,    // a combo box's list entry was chosen
  DoubleClick,        // a double click on an edit box
  LeftButtonPressed,  // the left mouse button went down on a control
};

// Button sets of ShowMessage and the answers it gives.
inline constexpr int kButtonsOk = 0;
inline constexpr int kButtonsYesNoCancel = 3;
inline constexpr int kAnswerOk = 0;
inline constexpr int kAnswerCancel = 1;
inline constexpr int kAnswerYes = 5;
inline constexpr int kAnswerNo = 6;

class Surface {
 public:
  virtual ~Surface() = default;
  // The whole current text of an edit box, the user's edits included.
  virtual Text GetControlText(Control control) = 0;
  // Replaces the text of an edit box (raising its text-changed event) or the field of a combo box.
  virtual void SetControlText(Control control, const Text& text) = 0;
  // Puts the text at the end of an edit box, dropping any selection; not recorded for undo.
  virtual void AppendControlText(Control control, const Text& text) = 0;
  // Replaces the caption of a radio button; its selection stays.
  virtual void SetControlCaption(Control control, const Text& text) = 0;
  // The highlighted part of a combo box's field, or the empty text.
  virtual Text GetSelectedText(Control control) = 0;
  // A modal message box with a title and a button set; answers which button closed it.
  virtual int ShowMessage(const Text& text, int buttonSet, const Text& title) = 0;
  // Registers the text as the balloon tip of a control, through its window's 气球提示框.
  virtual void AttachTooltip(Control control, const Text& tip) = 0;
  // Places the text on the system clipboard; false when the clipboard could not take it.
  virtual bool CopyToClipboard(const Text& text) = 0;
};

// The surface that the free functions act on. Start-up installs one before the first event.
void InstallSurface(Surface* surface);
Surface& CurrentSurface();

Text GetControlText(Control control);
void SetControlText(Control control, const Text& text);
void AppendControlText(Control control, const Text& text);
void SetControlCaption(Control control, const Text& text);
Text GetSelectedText(Control control);
int ShowMessage(const Text& text, int buttonSet, const Text& title);
void AttachTooltip(Control control, const Text& tip);
bool CopyToClipboard(const Text& text);

// The status line 当前状态: SetStatus replaces it, AppendStatus extends it.
void SetStatus(const Text& text);
void AppendStatus(const Text& text);

// Dialogs: modal dialogs built from the program's dialog templates
// (resources/dialog_templates.h). A dialog's handler gets MsgInitDialog
// (Long = the value passed to RunDialog), MsgCommand (Word = control id |
// ControlNotification << 16, Control = the control; the caption OK button is
// id 1, closing the dialog or Escape id 2), MsgSize (Long = client width |
// height << 16), MsgActivate, MsgHelp, MsgDrawItem (Long = a DrawItemRequest*)
// and MsgDestroy. Nothing but MsgDestroy comes after EndDialog. Dialogs run
// on the one UI thread.
#pragma once

#include <cstdint>

#include "platform/handles.h"
#include "platform/windows.h"

// What MsgDrawItem's Long points at: the owner-drawn control, its id, a
// surface onto its image and its whole rectangle in its own pixels. Valid only
// during the message; what is drawn there is what the control shows.
struct DrawItemRequest {
  Window* Control;
  uint16_t Id;
  Surface* Target;
  Rect Box;
};

// Runs the dialog of template templateId modally over owner (nullptr: no
// owner) with handler; returns the result given to EndDialog, or -1 when the
// template is missing or the dialog cannot be made.
intptr_t RunDialog(uint16_t templateId, Window* owner, WindowHandler handler, intptr_t value);

// Ends a running dialog with result: its modal loop ends once the current
// message is handled; MsgDestroy follows. Nothing happens for other windows.
void EndDialog(Window* dialog, intptr_t result);

// The control with id in a dialog, or nullptr when it has none.
Window* GetDialogControl(Window* dialog, uint16_t id);

// The id of a dialog control (NoControlId for none, or for nullptr).
uint16_t GetControlId(Window* control);

// The dialog's base units from its font: *x = (width of "A".."Z""a".."z" / 26
// + 1) / 2 and *y = the font's height; a dialog unit is x / 4 pixels across, y / 8 down.
void GetDialogBaseUnits(Window* dialog, int32_t* x, int32_t* y);

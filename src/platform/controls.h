// Dialog controls: list boxes, edit boxes, buttons, labels, pictures. Texts are
// shown in exactly the order given, left to right (no reordering of Hebrew).
// All functions ignore nullptr and windows of the wrong kind.
#pragma once

#include <cstdint>

#include "platform/handles.h"

// Notification codes in the high 16 bits of MsgCommand's Word from a control.
enum ControlNotification : uint32_t {
  NotifyClicked = 0,           // a button was pressed (radio buttons: and checked)
  NotifySelectionChanged = 1,  // a list box's selection changed by the user
  NotifyFocusGained = 4,       // a list box got the focus
  NotifyFocusLost = 5,         // a list box lost the focus
};

// A font described: face (zero-terminated, may be empty), height as MakeFont
// takes it (0 none), weight (0 none) and FontLook bits.
struct FontDescription {
  char16_t Face[32];
  int32_t Height;
  int32_t Weight;
  uint32_t Look;
};

// List boxes. Adds an item (a sorted list puts it in order, ignoring case;
// another at the end); returns its index, or -1 when it could not be added.
int32_t ListAddItem(Window* list, const char16_t* text);
// Removes every item; the list then has no selection.
void ListReset(Window* list);
// Selects the first item whose text begins with prefix, ignoring case (an
// empty prefix matches the first item); returns its index, or -1 with the
// selection unchanged when none matches. Sends no notification.
int32_t ListSelectPrefix(Window* list, const char16_t* prefix);
// Index of the selected item, -1 when none.
int32_t ListSelection(Window* list);
// Number of items.
int32_t ListItemCount(Window* list);
// Copies item index's text, zero-terminated and cut to capacity - 1 units,
// into buffer; returns the units copied, or -1 for a bad index (buffer then "").
int32_t ListItemText(Window* list, int32_t index, char16_t* buffer, int32_t capacity);

// Buttons: whether a radio button is checked; checking or unchecking one
// touches no other button. Sends no notification.
bool IsButtonChecked(Window* button);
void SetButtonChecked(Window* button, bool checked);

// A control's text: set (nullptr: empty), or read zero-terminated and cut to
// capacity - 1 units; returns the units read.
void SetControlText(Window* control, const char16_t* text);
int32_t ReadControlText(Window* control, char16_t* buffer, int32_t capacity);

// Gives a control a font (not owned: the caller keeps it alive while the
// control uses it, nullptr puts the dialog's font back); redraws it when redraw.
void SetControlFont(Window* control, Font* font, int redraw);
// Describes the control's font into *description (a control showing the
// dialog's font describes that); false, *description untouched, when it has none.
bool ReadControlFont(Window* control, FontDescription* description);

// Gives a control the keyboard focus (list boxes notify NotifyFocusGained).
void FocusControl(Window* control);

// A surface for measuring with a control's font selected; release it with
// ReleaseControlSurface. nullptr when there is none.
Surface* GetControlSurface(Window* control);
void ReleaseControlSurface(Window* control, Surface* surface);

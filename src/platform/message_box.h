// Message boxes with fixed texts: the program's only way to report a failure.
#pragma once

#include "platform/handles.h"

// Buttons and icon of a message box, or-ed together.
enum MessageBoxFlags : unsigned {
  BoxButtonsOk = 0x0,
  BoxButtonsYesNoCancel = 0x3,
  BoxIconStop = 0x10,
  BoxIconExclamation = 0x30,
};

// What the person answered.
enum MessageBoxAnswer : int {
  AnswerOk = 1,
  AnswerCancel = 2,
  AnswerYes = 6,
  AnswerNo = 7,
};

// Shows a modal message box over owner (nullptr: no owner) with the given
// zero-terminated texts (caption may be nullptr: no caption text of its own)
// and returns the answer. Blocks until the box is closed.
int ShowMessageBox(Window* owner, const char16_t* text, const char16_t* caption, unsigned flags);

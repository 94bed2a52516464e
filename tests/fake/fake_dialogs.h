#pragma once

// The fake dialogs and controls: RunDialog builds a dialog (FakeDialogWindow)
// and its controls (FakeControlWindow) from the template, sends MsgInitDialog,
// then runs the steps of Script (test code acting as the user) until the
// dialog ends. A dialog still open when the script runs out gets Cancel (2),
// as if the user closed it; one that stays open even then ends with 2 and is
// counted in LeftOpen. Calls are written to the window log ("RunDialog 105",
// "EndDialog 105 1", "OpenThroughShell Open https://... 0 0x400").
//
// No MsgSize comes by itself (the shell's dialog set-up is only logged):
// FakeResizeDialog sends one. Base units are BaseUnitX (6: the fake's letters are 6 pixels) and
// BaseUnitY (16: its default font height).

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/handles.h"
#include "platform/shell_open.h"

struct FakeControl {
  uint8_t Kind;  // DialogControlKind
  uint16_t Id;
  uint32_t Style;
  std::vector<std::u16string> Items;  // list boxes
  int32_t Selection;                  // list boxes: -1 none
  bool Checked;                       // radio buttons
  std::u16string Text;
  Font* UsedFont;  // set by SetControlFont (not owned)
  int FontSets;
};

struct FakeDialogRun {
  uint16_t TemplateId;
  Window* Dialog;
  Window* Owner;
  intptr_t Result;
  bool Ended;
};

struct FakeShellOpen {
  Window* Owner;
  std::u16string Verb;
  std::u16string Target;
  int ShowState;
  unsigned Flags;
};

struct FakeDialogsState {
  std::deque<std::function<void(Window* dialog)>> Script;
  std::vector<FakeDialogRun> Runs;  // every dialog run, in order
  std::map<Window*, FakeControl> Controls;
  std::vector<FakeShellOpen> ShellOpens;
  Window* Focus;
  int32_t BaseUnitX;
  int32_t BaseUnitY;
  int LeftOpen;
  // What ReadControlFont reports: controls have no font of their own unless
  // set by SetControlFont or this is set (then they show DialogFont).
  bool ControlsShowDialogFont;
  FontDescription DialogFont;
  bool ShellOpenAnswer;  // OpenThroughShell's result (true)
};
extern FakeDialogsState FakeDialogs;

// The state of a dialog control (nullptr for other windows).
FakeControl* FakeControlOf(Window* control);
// The dialog being run now (the innermost), or nullptr.
Window* FakeCurrentDialog();

// The user's actions on an open dialog: a command from a control (Word = id |
// notification << 16); a radio button clicked (it is checked, the dialog's
// other radio buttons unchecked); a list item chosen (selection + notification);
// the dialog's client area resized (MsgSize).
void FakeUserCommand(Window* dialog, uint16_t id, uint32_t notification = NotifyClicked);
void FakeClickRadio(Window* dialog, uint16_t id);
void FakeChooseListItem(Window* dialog, uint16_t id, int32_t index);
void FakeResizeDialog(Window* dialog, int width, int height);
// Asks the dialog to draw owner-drawn control id on a fresh surface of the
// control's size (its font selected); the drawing lands in FakeDrawing.Calls.
void FakeDrawControl(Window* dialog, uint16_t id);

void FakeResetDialogs();

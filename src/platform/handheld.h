// Handheld shell services: full screen, task bar, input panel, dialog set-up.
// On a desktop most of them show nothing; the program calls them all the same.
#pragma once

#include <cstdint>

#include "platform/handles.h"
#include "platform/windows.h"

// Flags of ShellFullScreen.
enum ShellScreenFlag : unsigned {
  ShellShowTaskBar = 0x01,
  ShellHideTaskBar = 0x02,
  ShellShowInputButton = 0x04,
  ShellHideInputButton = 0x08,
  ShellShowStartIcon = 0x10,
  ShellHideStartIcon = 0x20,
};

// Flags of ShellInitDialog.
enum ShellDialogFlag : unsigned {
  DialogDoneButton = 0x01,
  DialogSize = 0x02,
  DialogFullScreen = 0x04,
  DialogInputDown = 0x08,
  DialogNoMenuBar = 0x10,
};

// The platform's version, major and minor.
void GetPlatformVersion(int* major, int* minor);

// Sets up the platform's common controls (scroll bars, lists) once.
void InitCommonControls();

// The full-screen call for a window: hides or shows the task bar, the input
// panel's button and the start icon (ShellScreenFlag). On a desktop, hiding
// the task bar makes the window cover the whole screen.
void ShellFullScreen(Window* window, unsigned flags);

// Sets a dialog up for the shell (ShellDialogFlag): size, full screen, Done button.
void ShellInitDialog(Window* dialog, unsigned flags);

// The shell's handling of MsgSettingChange for a window.
void ShellSettingChange(Window* window, const Message* message);

// The input panel (the on-screen keyboard): its button shown or not, the panel
// up (shown) or down.
void ShowInputPanelButton(int shown);
void SetInputPanelUp(int up);

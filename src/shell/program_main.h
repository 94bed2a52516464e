// Start-up, single instance and the message loop.
#pragma once

#include <cstdint>

#include "platform/handles.h"

// The program: reads the global options, checks for a running copy, loads the
// settings, creates the main window and runs the message loop. Returns the exit code.
int ProgramMain(Instance* instance, const char16_t* commandLine, int showMode);

// Creates and shows the main window, or signals a running copy and returns
// nullptr (this copy must not go on) — also when the window cannot be made.
Window* StartInstance(int showMode);

// Registers the main window class under className.
bool RegisterMainClass(Instance* instance, const char16_t* className);

// Makes lesson current (LastPosition 0 when it changes); 0 keeps the current
// lesson, or makes lesson 1 current when there is none. Loads and paints nothing.
void SetCurrentLesson(uint16_t lesson);

// Sets a dialog up for the shell with shellFlags (ShellDialogFlag) and, in
// full-screen mode, moves it to the top of the screen.
void PrepareDialog(Window* dialog, unsigned shellFlags);

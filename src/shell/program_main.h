// Start-up, single instance and the message loop.
#pragma once

#include "platform/handles.h"

// The program: reads the global options, checks for a running copy, loads the
// settings, creates the main window and runs the message loop. Returns the exit code.
int ProgramMain(Instance* instance, const char16_t* commandLine, int showMode);

// The process entry's hand-over: the platform sets itself up and runs the program.
#pragma once

#include "platform/handles.h"

// The program's entry point, called by the platform once it is ready.
// Returns the process exit code.
using ProgramEntry = int (*)(Instance* instance, const char16_t* commandLine, int showMode);

// Sets up the platform from the process arguments, calls entry and returns
// its result. Called once, from main().
int RunPlatform(int argc, char** argv, ProgramEntry entry);

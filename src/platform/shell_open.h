// Opening addresses through the desktop: the user's web browser or file handler.
#pragma once

#include "platform/handles.h"

// Flags of OpenThroughShell.
enum ShellOpenFlag : unsigned {
  ShellOpenNoErrorUi = 0x400,  // the shell shows no error message of its own
};

// Asks the shell to carry out verb (u"Open") on target (a web address) for
// owner, with no parameters and no directory, in show state showState. Returns
// true when the shell took the request (not whether the address opened).
bool OpenThroughShell(Window* owner, const char16_t* verb, const char16_t* target, int showState,
                      unsigned flags);

// darvo-pack's own small platform: enough for the program's lesson store to
// run in a console tool (memory, message boxes on stderr, resource lookup over
// a loaded bundle).
#pragma once

#include <vector>

#include "bundle.h"

// Makes the given resources the ones FindProgramResource serves (kept until the next call).
void ConsoleInstallResources(std::vector<BundleEntry> entries);

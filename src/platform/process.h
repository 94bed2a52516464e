// The process itself.
#pragma once

// Ends the process at once with exitCode; no further program code runs
// (the fake records the call and returns to the caller).
void EndProcess(int exitCode);

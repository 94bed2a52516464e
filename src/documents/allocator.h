// The allocator for buffers whose loss leaves the program unable to go on.
#pragma once

#include <cstddef>

// Returns a block of size bytes (contents undefined) that the caller frees with
// MemFree. When memory runs out it shows "There is not enough memory, aborting",
// saves the settings and ends the program; should the platform return from
// that, the result is nullptr.
void* AllocateOrAbort(size_t size);

// The exit code of a program ended by AllocateOrAbort.
constexpr int OutOfMemoryExitCode = 3;

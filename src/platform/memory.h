// Memory: the ordinary allocator behind every buffer the program hands around.
#pragma once

#include <cstddef>

// Returns a block of size bytes (contents undefined), or nullptr when none can be had.
// The caller owns it and gives it back with MemFree.
void* MemAlloc(std::size_t size);

// Releases a block from MemAlloc; nullptr is ignored.
void MemFree(void* block);

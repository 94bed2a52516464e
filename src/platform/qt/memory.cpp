// The Qt platform's memory: the C allocator.
//   [X] allocate, free
#include <cstdlib>

#include "platform/memory.h"

void* MemAlloc(std::size_t size) {
  return std::malloc(size == 0 ? 1 : size);
}

void MemFree(void* block) {
  std::free(block);
}

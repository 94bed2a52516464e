#include "fake/fake_memory.h"

#include <cstdlib>

#include "platform/memory.h"

FakeMemoryState FakeMemory = {-1, 0};

void FakeResetMemory() {
  FakeMemory = {-1, 0};
}

void* MemAlloc(std::size_t size) {
  if (FakeMemory.FailAfter == 0) return nullptr;
  if (FakeMemory.FailAfter > 0) --FakeMemory.FailAfter;
  ++FakeMemory.Allocations;
  return std::malloc(size == 0 ? 1 : size);
}

void MemFree(void* block) {
  std::free(block);
}

#pragma once

// Allocation failures on demand: FakeMemory.FailAfter = n lets n more
// allocations succeed, then every one fails; -1 (the default) never fails.
struct FakeMemoryState {
  long FailAfter;
  long Allocations;  // successful allocations since the last reset
};
extern FakeMemoryState FakeMemory;

void FakeResetMemory();

#pragma once

#include <vector>

// EndProcess calls, recorded; the fake returns to the caller.
struct FakeProcessState {
  std::vector<int> EndCalls;  // exit codes, in order
};
extern FakeProcessState FakeProcess;

void FakeResetProcess();

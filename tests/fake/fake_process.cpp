#include "fake/fake_process.h"

#include "platform/process.h"

FakeProcessState FakeProcess;

void FakeResetProcess() {
  FakeProcess = {};
}

void EndProcess(int exitCode) {
  FakeProcess.EndCalls.push_back(exitCode);
}

#include "fake/fake.h"

void FakeReset() {
  FakeResetMemory();
  FakeResetMessageBox();
}

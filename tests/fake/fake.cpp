#include "fake/fake.h"

void FakeReset() {
  FakeResetDrawing();
  FakeResetMemory();
  FakeResetMessageBox();
}

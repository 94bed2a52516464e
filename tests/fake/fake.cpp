#include "fake/fake.h"

void FakeReset() {
  FakeResetWindows();  // before the drawing fake: it frees the windows' surfaces
  FakeResetDialogs();
  FakeResetDrawing();
  FakeResetMemory();
  FakeResetMessageBox();
  FakeResetRegistry();
  FakeResetProcess();
  FakeResetResources();
}

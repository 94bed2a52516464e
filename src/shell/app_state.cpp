#include "shell/app_state.h"

#include <cstring>

AppState App;

void ResetAppState() {
  std::memset(&App, 0, sizeof App);
}

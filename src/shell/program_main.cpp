#include "shell/program_main.h"

#include "shell/app_state.h"

int ProgramMain(Instance* instance, const char16_t*, int) {
  ResetAppState();
  App.instance = instance;
  return 0;
}

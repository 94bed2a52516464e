// The process entry: hands control to the program through the platform.
#include "platform/app.h"
#include "shell/program_main.h"

int main(int argc, char** argv) {
  return RunPlatform(argc, argv, ProgramMain);
}

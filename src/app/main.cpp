// Quorvelant: start-up brings the program to one open data file; the main loop then runs
// until Quit ends the process. File arguments are documents handed over by the desktop.
#include "core/main_loop.h"
#include "core/startup.h"

int main(int argc, char** argv) {
  qv::StartProgram(argc, argv);
  qv::SetDEFAULTS();
  qv::MainProgramLoop();
}

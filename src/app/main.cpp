// Quorvelant: start-up brings the program to one open data file; the main loop then runs
// until Quit ends the process. File arguments are documents handed over by the desktop.
#include "app/main_loop.h"
#include "app/startup.h"

int main(int argc, char** argv) {
  qv::StartProgram(argc, argv);
  qv::SetDEFAULTS();
  qv::MainProgramLoop();
}

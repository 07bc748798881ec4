#pragma once
// Start and end of the runtime: the application object, the resource folder, the
// process exit behind a hook that tests replace.
#include <functional>
#include <string>
#include <vector>

namespace qv::rt {

// Creates the application object once (argc/argv may be empty in tests). Reads
// QV_EVENTS and queues its records; exits with status 2 on a malformed line.
void initRuntime(int argc, char** argv);
bool runtimeReady();

// File arguments given on the command line (documents handed over at start-up).
const std::vector<std::string>& startupDocuments();

// Folder of the program's resources (sounds, images, help, examples).
std::string resourceDir();
std::string resourcePath(const std::string& folder, const std::string& name);

// The running system: its name and version as people read them ("Debian GNU/Linux 12
// (bookworm)"), and its version as a number (major x 100 + minor, 12.4 gives 1204).
std::string systemDescription();
int systemVersionNumber();

// The user's folders (XDG): configuration and data.
std::string userConfigDir();  // ~/.config/Quorvelant
std::string userDataDir();    // ~/.local/share/Quorvelant

// Ends the process: closes and flushes the numbered files, then calls the exit hook
// (std::exit by default). Tests install a hook that throws ProgramExit.
[[noreturn]] void exitProgram(int status);
using ExitHook = std::function<void(int status)>;
void setExitHook(ExitHook hook);  // nullptr restores std::exit

struct ProgramExit {
  int status;
  std::string message;
};

// Runs f at exit (before the hook): used to flush numbered files.
void atProgramExit(std::function<void()> f);

// A one-line message on standard error (and kept for tests).
void reportFatal(const std::string& message);
const std::string& lastFatalMessage();

}  // namespace qv::rt

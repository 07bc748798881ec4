#pragma once
// Start-up: from nothing to the main loop with one data file open.
#include <cstdint>

namespace qv {

// The steps before SetDEFAULTS: the runtime, the file locations, colours, the handler of
// documents handed over by the desktop, special characters and fonts.
void StartProgram(int argc, char** argv);
// Every setting to its default, the preferences file, the menu bar; then the splash screen,
// the file-type chooser and the first load, until a file with at least 2 cases is in use.
void SetDEFAULTS();
// The first half of SetDEFAULTS (defaults, preferences, menu bar), on its own for tests.
void GiveDefaults();
// The second half: splash, chooser and first load, then the menus for the file in use.
void StartupSequence();

}  // namespace qv

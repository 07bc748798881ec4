#pragma once
// The file-type chooser shown before a file is opened.
#include <cstdint>

namespace qv {

// Kind of open request going into the open road and the detected format coming out.
extern int16_t TypeOfFile;

// Leaves the choice in TypeOfFile (or prefsArray[64] = 3 for Preferences).
void SelectFileTYPE(uint16_t startup, int16_t left, int16_t top, uint16_t ask, uint16_t scriptsAllowed);

}  // namespace qv

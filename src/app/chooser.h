#pragma once
// The file-type chooser shown before a file is opened.
#include <cstdint>

#include "core/open_rules.h"

namespace qv {

constexpr int16_t kChooserWindow = 12;

// Leaves the choice in TypeOfFile (9 for Cancel), or prefsArray[64] = 3 for Preferences.
// At start-up (startup non-zero) it offers Quit instead of Cancel, and the menu's Quit acts
// as that button.
void SelectFileTYPE(uint16_t startup, int16_t left, int16_t top, uint16_t ask, uint16_t scriptsAllowed);
// The file-type icons of the chooser, drawn into the output window.
void DrawFileTypeIcons(uint16_t withSable);

}  // namespace qv

#pragma once
// The question asked before a file with unsaved changes is closed or the program quits.
#include <cstdint>

namespace qv {

// What the user answered. DontSave is also the answer when there is nothing to ask.
enum class CheckDumpAnswer : int16_t { DontSave = 0, Save = 1, Cancel = -1 };

// Asks whether to save the file of `slot` when its change mark is 1 and the warning
// preference (prefsArray[16]) is on. Changes nothing itself: on Save the caller runs the
// save, on Cancel it stays where it is.
CheckDumpAnswer CHECKDUMP(int16_t slot);

// For roads that close files other than through their plot window (the close chooser): the
// file's plot window comes forward, the question is asked, and on Save the file is saved
// with Save (where it came from, or where the user says). True when the file may be closed:
// nothing to ask, "Do Not Save", or a save of the whole file. A save of part of it asks again.
bool MayCloseChangedFile(int16_t slot);

}  // namespace qv

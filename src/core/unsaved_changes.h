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

}  // namespace qv

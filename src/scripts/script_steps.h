#pragma once
// The steps of the script in memory as the menu, the recorder and the views see them: the
// label of each operation code, whether a script exists, and channel changes by key.
#include <cstdint>
#include <string>

namespace qv {

// The text the script views show for an operation code; empty for codes without a label.
std::string ScriptLabel(int code);

// A step's operation code (word 1), truncated; 0 for a word that is no number.
int stepCode(int step);
// A step is listed in the views when its code has a label or marks a deleted step.
bool stepIsListed(int step);
// The last of steps 1..40 with a code other than 0; 0 when there is none (no script).
int16_t lastScriptStep();
inline bool scriptExists() { return lastScriptStep() != 0; }
// A new script starts empty: steps 1..40 cleared, the records beyond them kept.
void clearScriptSteps();

// The channel a channel key chooses: direction 2 the next, 1 the previous (both wrap round
// the file's channels), 0 the channel of the key typed ("1".."9", "0" 10, the shifted digits
// "!".."(" and ")" 11..20). 0 when the result is no channel of the file.
int16_t pushedChannel(int direction, int16_t current, int16_t channels, int key);

}  // namespace qv

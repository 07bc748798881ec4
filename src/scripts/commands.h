#pragma once
// Script entry points that the command dispatcher, the main loop and the start-up window call.
#include <cstdint>
#include <string>

namespace qv {

// Changes the active channel: 2 next, 1 previous, 0 by the key code in eventID.
void PUSHCHAN(uint16_t mode);
// Runs the loaded script on the file in use.
void DOSCRIPT();
// Shows the number of the step just recorded or replayed.
void FLASHSCRIPTsequenceStep();
// Window 25: a new script over the steps in memory, or steps added after them.
void CheckScriptRecording();
// Replaces the script in memory by a script file chosen in the open panel; false (and the
// script as it was) when the panel was cancelled or the file refused.
bool LoadScriptFromFile();
void SaveSCRIPTtoFile();
void VIEWSCRIPT();
void ClearSCRIPT();

// Channel count of the file when recording or loading began.
extern int16_t InitialNumberOfScriptOperationChannels;
extern int16_t ScriptIsLoaded;
// Name of the script file loaded last (the printout names it).
extern std::string ScriptFileName;

}  // namespace qv

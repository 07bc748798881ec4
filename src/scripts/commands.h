#pragma once
// Script entry points that the command dispatcher, the main loop and the start-up window call.
#include <cstdint>
#include <string>

namespace qv {

// Changes the active channel: 2 next, 1 previous, 0 by the key code in eventID.
void PUSHCHAN(uint16_t mode);
// Runs the script on the file in use, then on each file its steps open.
void DOSCRIPT();
// A replay is under way (the main loop does not start another inside it).
bool ScriptReplayRunning();
// Window 25 for a file whose channel count differs from the script's: 1 "Cancel Script",
// 0 "Continue Anyway".
int16_t ScriptWarning();
// Asks for a block in window 4, unless one is selected.
void REQUEST_BLOCK();
// The pause button on the plot window, titled with the step.
void SCRIPT_BUTTONS(int16_t nextCode, int16_t step);
// The user works in the plot window until a block is chosen (waitForButton 0), the pause
// button is clicked, or the script is interrupted.
void SCRIPTLOOP(int16_t waitForButton);
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

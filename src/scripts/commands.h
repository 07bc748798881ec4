#pragma once
// Script entry points that the command dispatcher, the main loop and the start-up window call.
#include <cstdint>

namespace qv {

// Changes the active channel: 2 next, 1 previous, 0 by the key code in eventID.
void PUSHCHAN(uint16_t mode);
// Runs the loaded script on the file in use.
void DOSCRIPT();
// Shows the number of the step just recorded or replayed.
void FLASHSCRIPTsequenceStep();
void CheckScriptRecording();
void LoadScriptFromFile();
void SaveSCRIPTtoFile();
void VIEWSCRIPT();
void ClearSCRIPT();

// Channel count of the file when recording or loading began.
extern int16_t InitialNumberOfScriptOperationChannels;
extern int16_t ScriptIsLoaded;

}  // namespace qv

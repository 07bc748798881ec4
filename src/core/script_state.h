#pragma once
// State of script recording and replay that the rest of the program reads.
#include <cstdint>
#include <string>

namespace qv {

// Non-zero while a script is armed or replayed (the named sounds are silent then).
extern int16_t RunScript;
extern int16_t RecordSCRIPT;
extern int16_t ScriptCOUNT;
extern int16_t ScriptRunOnce;
extern int16_t autoscript;
extern int16_t FileJustLoaded;
// Steps 1..51 of 28 words (word 1 the operation code).
extern float ScriptSequenceArray[52][29];
// The replayed step that an operation refused (0 none) and why: the replay stops there.
extern int16_t ScriptStepFailed;
extern std::string ScriptFailureText;

}  // namespace qv

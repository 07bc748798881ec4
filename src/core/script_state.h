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
// Records 0..51 of 28 words; steps are records 1..40 (word 0 the pause flag, word 1 the
// operation code, 0 an empty step); records 0 and 41..51 hold no step but are kept.
constexpr int kScriptRecords = 52;
constexpr int kScriptWords = 28;
extern float ScriptSequenceArray[kScriptRecords][kScriptWords];
// The one writer of a step's parameter words: word 2..27 of record 1..51. Any other place is
// no parameter word (word 28 would be the next record's pause flag) and is left alone.
void setStepWord(int step, int word, float value);
// The replayed step that an operation refused (0 none) and why: the replay stops there.
extern int16_t ScriptStepFailed;
extern std::string ScriptFailureText;

}  // namespace qv

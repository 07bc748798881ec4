#pragma once
// Baseline correction (Edit > Correct Baseline..., script step 3): the state its methods
// share, the line they leave in ValueOfA/ValueOfB, the piecewise table, and the entry points
// of the methods the window calls.
#include <array>
#include <cstdint>
#include <span>

#include "editing/baseline_math.h"

namespace qv {

constexpr int16_t kBaselineStep = 3;
constexpr int32_t kBaselineRecords = 32302;

// Method codes: the ids of the window's method buttons and the value of step word 4.
enum BaselineMethod : int16_t {
  kAutoStartEnd = 2,
  kCursorStartAndEnd = 3,
  kTypedBeginEnd = 4,
  kTypedConstant = 5,
  kCursorMultiple = 6,
  kCursorStartOrEnd = 7,
  kAutoPeriodic = 8,
};

// The piecewise baseline: record k (1..n) is baseline point k; record 0 is never used.
extern std::array<BaselineRecord, kBaselineRecords> BaselineValuesArray;
// Cases in each end window of the automatic method (0 becomes 15 when the window opens).
extern float auto_block;
// 1 once a method has produced a line in the current pass of the window.
extern int16_t BaselineWasDrawn;
// 1 while the baseline window is open.
extern int16_t BASELINE;

// Writes a step word of the running baseline edit: into the step recorded when the window
// opened, else into the step being replayed; nothing when there is neither.
void setBaselineWord(int word, float value);

// The regression over cases a..b and c..d of the active channel of the file in use into
// ValueOfA/ValueOfB; false (the line untouched) when it has fewer than two cases.
bool GetBaselineRegression(int32_t a, int32_t b, int32_t c, int32_t d);
// Subtracts ValueOfA + ValueOfB * i from every entry of the active channel.
void DoBaselineAdjustment();
// Subtracts the chain of segments of records 1..n of BaselineValuesArray from the active
// channel (n < 2 changes nothing); ValueOfA/ValueOfB end as the last segment's line.
void FixAutoBaselineChannel(int32_t n);

// The automatic start/end method: the line into ValueOfA/ValueOfB. False, with the reason
// shown (or, in replay, the step refused), when its window holds too few cases.
bool AUTOBASELINE(int16_t step);

// Stores the line in step words 5 and 6, shows the whole file when it is wider than the
// plot, and draws the line in green across it.
void DrawBaselineOnPLOT(int16_t step);
// One segment of the line, from case xFrom (height at case yFrom) to case xTo (height at
// case yTo), on the page the plot shows.
void DRAW_the_Baseline(float yFrom, float yTo, int32_t xFrom, int32_t xTo);

// The active channel of the file in use, entries 0..nCases (empty when there is none).
std::span<float> activeBaselineChannel();
// The undo copy of the active channel, taken once in a pass of the window, just before the
// first change; resetBaselineBackup arms it again.
void backupBaselineOnce();
void resetBaselineBackup();

// The period in minutes last typed in the periodic method (0: none yet).
extern float SteppedBaselineInterval;

// How a method of the window ended: nothing (the pass goes on), a line in ValueOfA/ValueOfB
// to show and subtract on acceptance, a correction already made (recorded or not), or the
// window left.
enum class MethodEnd { Nothing, Line, Applied, AppliedUnrecorded, LeaveWindow };
MethodEnd runBaselineMethod(int16_t method, int16_t step);

// Methods that their own windows provide. Each returns 0.
int16_t AutoPeriodicBASELINE(int16_t step);
int16_t CURSORstartEndBaseline(int16_t method, int16_t step);
int16_t MultiCURSORbaseline(int16_t step);
int16_t TEXTstartANDendBaseline(int16_t step);
int16_t ConstantTEXTbaseline(int16_t step);

}  // namespace qv

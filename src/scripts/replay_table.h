#pragma once
// The operations a replayed script can call, by operation code, and what the walk does around
// each code: a plain call, a block step (with the analysis it names), the end of the script.
#include <cstdint>
#include <functional>

namespace qv {

// Runs step `step` of the script; false when the operation refused it (the run stops there).
using ReplayEntry = std::function<bool(int16_t step)>;

enum class StepKind { PassedOver, Call, Block, BlockThenCall, End };

struct StepAction {
  StepKind kind = StepKind::PassedOver;
  // For a block step, the analysis code the block's repeat runs; 0 leaves AnalysisCode alone.
  int16_t analysisCode = 0;
};

// What the walk does for an operation code (0, 99 and the unlabelled codes are passed over).
StepAction stepAction(int code);

// The entry of a code; an empty function when this build has none for it.
ReplayEntry replayEntry(int code);
// Puts an entry in place and returns the one it replaces (tests put fakes in this way).
ReplayEntry setReplayEntry(int code, ReplayEntry entry);
// Empties the table.
void clearReplayEntries();

// Fills the table with every operation this build can replay; start-up calls it once.
void RegisterReplayOperations();

}  // namespace qv

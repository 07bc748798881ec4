#include "scripts/replay_table.h"

#include <array>

namespace qv {

namespace {

constexpr int kHighestCode = 99;
std::array<ReplayEntry, kHighestCode + 1> gEntries;

bool inTable(int code) { return code >= 0 && code <= kHighestCode; }

// The analysis each block step asks the block's repeat to run.
int16_t blockAnalysis(int code) {
  switch (code) {
    case 12: case 13: case 14: case 15: case 16: case 17: case 19: case 21: case 28: return int16_t(code);
    case 30: return 22;
    case 36: return 23;
    case 37: return 24;
    case 38: return 25;
    case 39: return 26;
    case 45: return 27;
    default: return 0;
  }
}

}  // namespace

StepAction stepAction(int code) {
  if (const int16_t a = blockAnalysis(code)) return {StepKind::Block, a};
  switch (code) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 9: case 10: case 11:
    case 18: case 20: case 29: case 32: case 33: case 34: case 35: case 40:
      return {StepKind::Call, 0};
    case 25: return {StepKind::End, 0};
    case 41: return {StepKind::BlockThenCall, 0};
    default: return {};
  }
}

ReplayEntry replayEntry(int code) { return inTable(code) ? gEntries[size_t(code)] : ReplayEntry{}; }

ReplayEntry setReplayEntry(int code, ReplayEntry entry) {
  if (!inTable(code)) return {};
  std::swap(gEntries[size_t(code)], entry);
  return entry;
}

void clearReplayEntries() {
  for (auto& e : gEntries) e = nullptr;
}

}  // namespace qv

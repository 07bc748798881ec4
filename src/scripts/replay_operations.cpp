// The one list of operations a script can replay. The library is linked as one static
// archive, so each operation is named here rather than registering itself.
#include <string>

#include "core/menus.h"
#include "core/event_state.h"
#include "core/open_rules.h"
#include "core/script_state.h"
#include "datafiles/datafiles.h"
#include "datafiles/open_road.h"
#include "editing/commands.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "respirometry/commands.h"
#include "transforms/commands.h"
#include "scripts/replay_table.h"
#include "scripts/replay_words.h"

namespace qv {

namespace {

// The operation ran unless it refused its step.
bool ran(int16_t step) { return ScriptStepFailed != step; }

// The channel command, which records nothing. The walk has checked the channel against the file.
bool changeChannel(int16_t step) {
  old = ActiveChannel;
  CHANNELCHANGE(int16_t(stepWord(step, 2)));
  return true;
}

bool lag(int16_t step) {
  LAGTIME(ScriptSequenceArray[step][2], step);
  return ran(step);
}

bool baseline(int16_t step) {
  FixTheBASELINE(step);
  return ran(step);
}

// The walk has set derive from the step's code.
bool integrate(int16_t step) {
  INTEGRATE(step);
  return ran(step);
}

bool blockScale(int16_t step) {
  BLOCKSCALE(0, step);
  return ran(step);
}

bool smoothing(int16_t step) {
  SMOOTHING(step);
  return ran(step);
}

bool spikes(int16_t step) {
  REMOVESPIKE(step);
  return ran(step);
}

bool references(int16_t step) {
  REMOVEREFS(step);
  return ran(step);
}

bool gasExchange(int16_t step) {
  GASEXCHANGE(step);
  return ran(step);
}

bool analyserHumidity(int16_t step) {
  ANALYZER_HUMIDITY(step);
  return ran(step);
}

bool waterVO2(int16_t step) {
  WATERVO2(step);
  return ran(step);
}

// A block step whose block is chosen: the analysis named by AnalysisCode runs on it.
bool blockAnalysis(int16_t step) {
  AUTO_REPEAT();
  return ran(step);
}

bool transformations(int16_t step) {
  TRANSFORMATIONS(step);
  return ran(step);
}

bool duplicate(int16_t step) {
  COPYCHAN(1);
  return ran(step);
}

// A save that fails must not pass for a saved file; a cancelled panel is the user's choice.
bool save(int16_t step, int16_t ask, int16_t inPlace) {
  if (SAVEDATAFILE(ask, inPlace, 0) != SaveResult::Failed) return ran(step);
  ScriptStepFailed = step;
  ScriptFailureText = "The file could not be saved.";
  return false;
}

// Only a file this step really opened lets the chain go on: a type that opens nothing would
// otherwise leave the last good load standing and replay the same file without end.
bool open(int16_t step) {
  const int type = stepWord(step, 2);
  if (!isOpeningType(type)) {
    // Not marked as told: the walk's stop message names the step and this reason.
    ScriptFailureText = "The step names file type " + std::to_string(type) + ", which opens no file.";
    return false;
  }
  TypeOfFile = int16_t(type);
  Cancel_Open = 1;
  FILELOADING();
  return ran(step);
}

}  // namespace

void RegisterReplayOperations() {
  clearReplayEntries();
  setReplayEntry(1, changeChannel);
  setReplayEntry(2, lag);
  setReplayEntry(3, baseline);
  setReplayEntry(4, integrate);
  setReplayEntry(5, integrate);
  setReplayEntry(6, smoothing);
  setReplayEntry(7, spikes);
  for (int gas : {8, 9, 10}) setReplayEntry(gas, gasExchange);
  setReplayEntry(35, analyserHumidity);
  setReplayEntry(11, transformations);
  for (int analysis : {12, 13, 14, 15, 16, 17, 19, 21, 28, 30, 36, 37, 38, 39, 45})
    setReplayEntry(analysis, blockAnalysis);
  setReplayEntry(18, duplicate);
  setReplayEntry(20, [](int16_t s) { return save(s, 1, 0); });
  setReplayEntry(29, [](int16_t s) {
    EditFileData(1);
    return ran(s);
  });
  setReplayEntry(33, open);
  setReplayEntry(41, blockScale);
  setReplayEntry(32, waterVO2);
  setReplayEntry(34, [](int16_t s) { return save(s, 0, 1); });
  setReplayEntry(40, references);
}

}  // namespace qv

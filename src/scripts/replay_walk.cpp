#include "scripts/replay_walk.h"

#include "core/event_state.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "editing/commands.h"
#include "core/output_state.h"
#include "editing/smoothing_window.h"
#include "respirometry/commands.h"
#include "scripts/replay_table.h"
#include "scripts/replay_words.h"
#include "core/script_recorder.h"
#include "scripts/script_steps.h"

namespace qv {

namespace {

constexpr int kChannelStep = 1;
constexpr int kOpenStep = 33;
constexpr int kEndStep = 25;
constexpr int kSmoothStep = 6;

std::string notBuiltText(int code) {
  const std::string label = ScriptLabel(code);
  return (label.empty() ? "Operation " + std::to_string(code) : "\"" + label + "\"") + " is not in this build.";
}

// A channel word read from a script file or typed in the step editor reaches no channel
// buffer unless the file has that channel.
bool channelExists(int16_t step, ReplayHost& host, std::string& why) {
  const int c = stepWord(step, 2);
  if (c >= 1 && c <= host.channelCount()) return true;
  const float word = step >= 0 && step < kScriptRecords ? ScriptSequenceArray[step][2] : 0.0f;
  if (!std::isfinite(word) || std::fabs(word) > 32767.0f)
    why = "The channel of step " + std::to_string(step) + " is not a number of a channel.";
  else
    why = "Channel " + std::to_string(c) + " does not exist: the file has " + std::to_string(host.channelCount()) +
          " channels.";
  return false;
}

// Block step: the analysis runs on the block already chosen, or on each block the user
// chooses while the host waits.
void blockStep(ReplayHost& host, const StepAction& a, int code, int16_t s, int next) {
  MENU_or_ToolBar_PICKED = 0;
  prefsArray[14] = 1;
  const int16_t keptAnalysis = AnalysisCode;
  // Choosing the block of a rescaling step must not run the last analysis again on it.
  AnalysisCode = a.kind == StepKind::Block ? a.analysisCode : 0;
  ScriptCOUNT = s;
  const bool wanted = next != 0 && next != kEndStep && ScriptSequenceArray[s][0] != 1.0f;
  if (host.blockSelected()) {
    if (wanted) host.pauseButton(int16_t(next), s);
    if (a.kind == StepKind::Block) replayEntry(code)(s);
  } else {
    host.requestBlock();
    if (wanted) host.pauseButton(int16_t(next), s);
    host.waitForUser(wanted);
  }
  if (a.kind == StepKind::BlockThenCall) AnalysisCode = keptAnalysis;
}

}  // namespace

WalkResult walkSteps(ReplayHost& host) {
  WalkResult r;
  for (int16_t s = 1; s <= kMostScriptSteps; ++s) {
    host.showStep(s);
    if (RunScript == 0) continue;
    const int code = stepWord(s, 1);
    // Records after step 40 hold no step, whatever the file put there.
    const int next = s < kMostScriptSteps ? stepWord(s + 1, 1) : 0;
    StepAction a = stepAction(code);
    // A smoothing of the block is replayed on the block in use, chosen as for the statistics.
    const bool blockSmoothing = code == kSmoothStep && ScriptSequenceArray[s][kSmoothBlockWord] == 1.0f;
    if (blockSmoothing) a.kind = StepKind::BlockThenCall;
    if (a.kind == StepKind::End) break;
    if (a.kind == StepKind::PassedOver) continue;
    const ReplayEntry entry = replayEntry(code);
    if (!entry) {
      r.stoppedAt = s;
      r.why = notBuiltText(code);
      break;
    }
    if (code == kChannelStep && !channelExists(s, host, r.why)) {
      r.stoppedAt = s;
      break;
    }
    if (const std::string lost = host.lostFile(); !lost.empty()) {
      r.stoppedAt = s;
      r.why = lost;
      break;
    }
    if (code >= 8 && code <= 10) GasType = int16_t(code - 7);
    if (code == 4 || code == 5) derive = int16_t(code - 4);
    ScriptStepFailed = 0;
    ScriptFailureText.clear();
    bool ok = true;
    std::string lost;
    if (a.kind == StepKind::Call) {
      ok = entry(s);
    } else {
      blockStep(host, a, code, s, next);
      // The wait for a block lets the user close the file or bring another one forward.
      lost = host.lostFile();
      ok = ScriptStepFailed != s && lost.empty();
      if (ok && a.kind == StepKind::BlockThenCall && RunScript) ok = entry(s);
      host.endBlockStep(a.kind == StepKind::BlockThenCall && !blockSmoothing && lost.empty());
    }
    if (code == kOpenStep) {
      r.fileOpened = true;
      if (ok) host.rebind();
    }
    if (!lost.empty()) {
      r.stoppedAt = s;
      r.why = lost;
      break;
    }
    if (!ok) {
      r.stoppedAt = s;
      r.told = ScriptStepFailed == s && !ScriptFailureText.empty();
      r.why = ScriptFailureText.empty() ? "The operation did not run." : ScriptFailureText;
      break;
    }
    if (next == kEndStep) break;
  }
  return r;
}

}  // namespace qv

#include "fitting/fit_steps.h"

#include "core/colors.h"
#include "core/kit.h"
#include "core/script_state.h"
#include "core/warning.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"

namespace qv {

const float* replayedStep(int16_t code) {
  if (!RunScript || RecordSCRIPT || ScriptCOUNT < 1 || ScriptCOUNT > kMostScriptSteps) return nullptr;
  const float* w = ScriptSequenceArray[ScriptCOUNT];
  return w[1] == float(code) && w[2] > 0.0f ? w : nullptr;
}

void completeFitStep(int16_t step, std::initializer_list<std::pair<int, float>> words) {
  if (step < 1 || step > kMostScriptSteps) return;
  for (const auto& [word, value] : words) setStepWord(step, word, value);
}

void logModelRefused(const std::string& why) {
  if (RunScript) {
    const int keep = rt::outputWindow();
    if (rt::windowExists(4)) {
      rt::setOutputWindow(4);
      SetTextStyle(KestrixFont, 10, 0);
      rt::foreColor(RGBred);
      PrintAt(4, 252, why + " Fitted linear.");
      rt::foreColor(RGBblack);
    }
    if (keep && rt::windowExists(keep)) rt::setOutputWindow(keep);
    return;
  }
  Warn(1166, "Caution: ", {why, "The linear model is fitted instead."});
}

}  // namespace qv

#include "core/filetable.h"

namespace qv {
bool scratchChannel(int slot) {
  if (!gPointersToFileData[slot][0]) gPointersToFileData[slot][0] = allocateSamples(nCases[slot]);
  return gPointersToFileData[slot][0] != nullptr;
}
}  // namespace qv

#include "scripts/script_steps.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "core/script_state.h"
#include "core/script_recorder.h"
#include "scripts/replay_words.h"

namespace qv {

namespace {

constexpr std::array<const char*, 46> kLabels{
    "",
    "CHANGE CHANNEL to:",
    "LAG in seconds:",
    "BASELINE",
    "INTEGRATE",
    "take DERIVATIVE",
    "SMOOTHING",
    "remove SPIKES",
    "O2 CONSUMPTION",
    "CO2 PRODUCTION",
    "WATER Loss",
    "TRANSFORMATIONS",
    "BASIC STATS",
    "MINIMUM; total seconds:",
    "MAXIMUM; total seconds:",
    "WAVEFORM",
    "SLOPE vs. TIME",
    "REGRESS channels",
    "COPY CHANNEL",
    "most LEVEL; total seconds:",
    "SAVE AS",
    "",
    "",
    "",
    "",
    " * END SCRIPT *",
    "",
    "",
    "INTEGRATE BLOCK",
    "EDIT FILE DATA",
    "most VARIABLE; total seconds:",
    "",
    "VO2 in water",
    "OPEN FILE",
    "SAVE FILE",
    "SENSOR RH FIX",
    "TIME INTEGRATION",
    "EVENT COUNTING",
    "find ASYMPTOTE",
    "fit POLYNOMIAL",
    "remove REFERENCES",
    "SCALE to BLOCK",
    "",
    "",
    "",
    "selective INTEGRATE",
};

// The shifted digits of a US keyboard, channels 11 to 20.
constexpr std::string_view kShiftedDigits = "!@#$%^&*()";

}  // namespace

std::string ScriptLabel(int code) {
  if (code < 1 || code >= int(kLabels.size())) return {};
  return kLabels[size_t(code)];
}

int stepCode(int step) { return stepWord(step, 1); }

bool stepIsListed(int step) {
  const int code = stepCode(step);
  return code == kStepDeleted || !ScriptLabel(code).empty();
}

int16_t lastScriptStep() {
  for (int16_t k = kMostScriptSteps; k >= 1; --k)
    if (stepCode(k) != 0) return k;
  return 0;
}

void clearScriptSteps() {
  for (int k = 1; k <= kMostScriptSteps; ++k) std::fill_n(ScriptSequenceArray[k], kScriptWords, 0.0f);
  ScriptCOUNT = 0;
}

int16_t pushedChannel(int direction, int16_t current, int16_t channels, int key) {
  int c = 0;
  if (direction == 2 || direction == 1) {
    c = current + (direction == 2 ? 1 : -1);
    if (c < 1) c = channels;
    if (c > channels) c = 1;
  } else if (direction == 0) {
    if (key >= '1' && key <= '9') c = key - '0';
    else if (key == '0') c = 10;
    else if (const size_t at = kShiftedDigits.find(char(key)); key > 0 && key < 128 && at != std::string_view::npos)
      c = 11 + int(at);
  }
  return c >= 1 && c <= channels ? int16_t(c) : 0;
}

}  // namespace qv

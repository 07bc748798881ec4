// The machinery every baseline method shares: the regression, the subtractions over the
// active channel, the step words, and the automatic start/end method.
#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "core/filetable.h"
#include "core/line_values.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/baseline.h"
#include "editing/baseline_window.h"
#include "editing/edit_frame.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

std::array<BaselineRecord, kBaselineRecords> BaselineValuesArray{};
float auto_block = 0;
int16_t BaselineWasDrawn = 0;
int16_t BASELINE = 0;

namespace {

int16_t gWordStep = 0;
bool gBackedUp = false;

bool activeChannelThere() {
  const int f = TheFileInUse;
  return slotIsOpen(f) && ActiveChannel >= 1 && ActiveChannel <= nChannels[f] && channelData(f, ActiveChannel);
}

std::span<float> activeChannel() { return activeBaselineChannel(); }

std::string endsName(int ends) {
  return ends == kStartOfFile ? "\"Start of File\"" : ends == kEndOfFile ? "\"End of File\"" : "\"Start & End\"";
}

// The reason the automatic method has no line on this file.
std::vector<std::string> tooFewCases(int ends, int32_t nCases) {
  const std::string what = ends == kStartAndEnd ? " needs at least two cases to fit a line through;"
                                                : " has no case to average;";
  return {endsName(ends) + what, "a file of" + rt::PSstrLong(nCases) + " cases leaves too few.",
          "No baseline was drawn and nothing was changed."};
}

}  // namespace

std::span<float> activeBaselineChannel() {
  if (!activeChannelThere()) return {};
  const int f = TheFileInUse;
  return {channelData(f, ActiveChannel), size_t(nCases[f]) + 1};
}

void resetBaselineBackup() { gBackedUp = false; }

void backupBaselineOnce() {
  if (gBackedUp) return;
  MAKEBACKUP(ActiveChannel);
  gBackedUp = true;
}

void setBaselineWordStep(int16_t step) { gWordStep = step; }

void setBaselineWord(int word, float value) {
  setStepWord(gWordStep, word, value);
}

bool GetBaselineRegression(int32_t a, int32_t b, int32_t c, int32_t d) {
  if (!activeChannelThere()) return false;
  const auto fit = baselineRegression(activeChannel(), a, b, c, d);
  if (!fit) return false;
  ValueOfA = fit->line.a;
  ValueOfB = fit->line.b;
  return true;
}

void DoBaselineAdjustment() {
  if (!activeChannelThere()) return;
  if (rt::windowExists(kBaselineWindow)) {
    // The whole channel in one pass: the bar stands for it, filled at once.
    rt::setOutputWindow(kBaselineWindow);
    rt::setCursor(rt::Cursor::Wait);
    rt::foreColor(rt::colorOfNumber(4));
    rt::paintRect({5, 147, 306, 173});
    rt::flushWindow(kBaselineWindow);
  }
  subtractLine(activeChannel(), {ValueOfA, ValueOfB});
  rt::setCursor(rt::Cursor::Arrow);
}

void FixAutoBaselineChannel(int32_t n) {
  if (!activeChannelThere() || n < 2) return;
  if (const auto last = subtractPiecewise(activeChannel(), BaselineValuesArray, n)) {
    ValueOfA = last->a;
    ValueOfB = last->b;
  }
}

bool AUTOBASELINE(int16_t step) {
  if (!activeChannelThere()) return false;
  const bool replay = stepSuppliesParameters(step, true);
  float n = auto_block;
  if (!replay) {
    double typed = 0;
    const std::string text = rt::editTextIn(kBaselineWindow, kAutoBlockField);
    if (!rt::PSvalStrict(text, typed) || !std::isfinite(typed)) {
      refuseEdit(0, "Baseline Correction",
                 {"The number of cases for the automatic baseline must be a number;", "\"" + text + "\" is not one.",
                  "No baseline was drawn and nothing was changed."});
      rt::setEditTextIn(kBaselineWindow, kAutoBlockField, rt::PSstr(auto_block));
      return false;
    }
    n = float(std::trunc(std::clamp(typed, -1e9, 1e9)));
    auto_block = n;
    setBaselineWord(7, n);
    setBaselineWord(4, kAutoStartEnd);
  }
  const int32_t cases = nCases[TheFileInUse];
  n = clampAutoBlock(n, cases);
  auto_block = n;
  const int ends = baselineEnds(prefsArray[8]);
  const auto line = autoBaselineLine(activeChannel(), n, ends);
  if (!line) {
    refuseEdit(replay ? step : int16_t(0), "Baseline Correction", tooFewCases(ends, cases));
    return false;
  }
  ValueOfA = line->a;
  ValueOfB = line->b;
  return true;
}

}  // namespace qv

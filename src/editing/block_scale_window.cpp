// Edit > "Scale to Block..." and "Block Scale, 0-100", script step 41: the active channel
// rescaled so that the selected block's range becomes the typed one (or 0 to 100), over the
// block or the whole file, optionally renamed.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/block_values.h"
#include "editing/commands.h"
#include "editing/edit_frame.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kScaleStep = 41;
constexpr int kScaleWindow = 4;
constexpr int kUpperField = 1, kLowerField = 2, kLabelField = 3;
constexpr int kUpperLeft = 53, kUpperHigh = 54, kUpperRight = 55, kLowerLeft = 56, kLowerLow = 57, kLowerRight = 58;
constexpr int kZeroTo100 = 52, kSetScale = 111, kBlockOnly = 113, kUndoScale = 59, kCancel = 110, kDone = 112;
constexpr int kWidth = 340, kHeight = 230;
constexpr char kTitle[] = " Set Scale to Block Limits ";

std::string trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

std::span<float> activeChannel(int f) { return {channelData(f, ActiveChannel), size_t(nCases[f]) + 1}; }

// The active channel's block range as it is now; refused (with the reason) without a block
// or when the block is flat.
std::optional<ValueRange> rangeOrRefuse(int16_t step) {
  const int f = TheFileInUse;
  if (FileSHORTS[f][kBlockStateWord] != 2) {
    refuseEdit(step, "Scale to Block", {"Select a block first: its range is what the scale is set from."});
    return std::nullopt;
  }
  const auto r = blockRange(activeChannel(f), BeginBlock[f], EndBlock[f]);
  if (!r || !(r->high > r->low)) {
    refuseEdit(step, "Scale to Block", {"The block holds one value only (or none), so it has no range to scale",
                                        "from. Nothing was changed."});
    return std::nullopt;
  }
  return r;
}

// Rescales the active channel; false when refused (nothing changed then).
bool rescale(double upper, double lower, bool blockOnly, int16_t step, bool& backedUp) {
  if (!(upper > lower)) {
    if (prefsArray[7]) PlaySound("bzot.mp3");
    if (!std::isfinite(upper) || !std::isfinite(lower))
      refuseEdit(step, "Scale to Block", {"The limits must be numbers. Nothing was changed."});
    return false;
  }
  const auto r = rangeOrRefuse(step);
  if (!r) return false;
  const auto s = blockScale(*r, upper, lower);
  if (!s) return false;
  const int f = TheFileInUse;
  if (!backedUp) backedUp = MAKEBACKUP(ActiveChannel);
  LastChan = ActiveChannel;
  applyBlockScale(activeChannel(f), blockOnly ? BeginBlock[f] : 1, blockOnly ? EndBlock[f] : nCases[f], *s);
  finishEdit(ActiveChannel);
  return true;
}

void logScale(bool blockOnly, const std::string& upper, const std::string& lower) {
  const int f = TheFileInUse;
  const std::string where = blockOnly ? " from" + rt::PSstrLong(BeginBlock[f]) + " to" + rt::PSstrLong(EndBlock[f])
                                      : std::string(" (entire file) ");
  logEdit(0, ActiveChannel, "Block scale" + where + "; scale " + upper + " to " + lower);
}

void buildWindow(int f) {
  rt::Rect plot{10, 40, 10, 40};
  if (rt::windowExists(plot::kPlotWindowBase + f)) plot = rt::windowContentRect(plot::kPlotWindowBase + f);
  const rt::Rect screen = rt::screenRect();
  const int left = std::clamp(plot.right + 6, 0, screen.right - kWidth);
  const int top = std::clamp(plot.top, 40, screen.bottom - kHeight - 10);
  BuildWINDOW(int16_t(kScaleWindow), kTitle, int16_t(left), int16_t(top), int16_t(left + kWidth),
              int16_t(top + kHeight), 6);
  SetTextStyle(KestrixFont, 12, 0);
  EFForeColor = EFBackColor = 1;
  buildef(1, kLabelField, trimmed(RetrieveLabel(ActiveChannel)), 10, 10, 330, 28, 3, 1);
  PrintAt(10, 56, "upper limit:");
  buildef(1, kUpperField, rt::PSstr(maximumValue), 90, 42, 170, 60, 3, 1);
  PrintAt(10, 110, "lower limit:");
  buildef(1, kLowerField, rt::PSstr(minimumValue), 90, 96, 170, 114, 3, 1);
  rt::FBButton(kUpperLeft, 1, "Leftmost", {10, 66, 90, 84}, 3);
  rt::FBButton(kUpperHigh, 1, "Highest", {94, 66, 170, 84}, 3);
  rt::FBButton(kUpperRight, 1, "Rightmost", {174, 66, 260, 84}, 3);
  rt::FBButton(kLowerLeft, 1, "Leftmost", {10, 120, 90, 138}, 3);
  rt::FBButton(kLowerLow, 1, "Lowest", {94, 120, 170, 138}, 3);
  rt::FBButton(kLowerRight, 1, "Rightmost", {174, 120, 260, 138}, 3);
  rt::FBButton(kZeroTo100, 1, "Zero to 100 %", {190, 42, 330, 60}, 1);
  rt::FBButton(kBlockOnly, 1, "Block Only", {190, 96, 330, 114}, 2);
  rt::FBButton(kSetScale, 1, "OK - Set Scale", {10, 150, 160, 172}, 4);
  rt::FBButton(kUndoScale, 1, "Undo", {170, 150, 250, 172}, 1);
  rt::FBButton(kCancel, 1, "Cancel", {170, 190, 250, 212}, 1);
  rt::FBButton(kDone, 1, "Done", {260, 190, 330, 212}, 1);
}

void fillFrom(int field, int first, int id) {
  const int f = TheFileInUse;
  rt::setOutputWindow(kScaleWindow);
  for (int k = first; k < first + 3; ++k) rt::setButtonState(k, k == id ? 2 : 1);
  const auto ch = activeChannel(f);
  const auto r = blockRange(ch, BeginBlock[f], EndBlock[f]);
  float v = 0;
  if (id == first) v = ch[size_t(std::clamp(BeginBlock[f], 0, nCases[f]))];
  else if (id == first + 2) v = ch[size_t(std::clamp(EndBlock[f], 0, nCases[f]))];
  else if (r) v = field == kUpperField ? r->high : r->low;
  else return;
  rt::setEditTextIn(kScaleWindow, field, rt::PSstr(v));
}

std::optional<double> fieldValue(int id) { return typedNumber(rt::editTextIn(kScaleWindow, id)); }

// Reads the limits and label and scales; the label is written only with a scaling.
void setScale(bool blockOnly, bool& backedUp) {
  const auto upper = fieldValue(kUpperField), lower = fieldValue(kLowerField);
  if (!upper || !lower) {
    refuseEdit(0, "Scale to Block", {"The upper and lower limits must be numbers. Nothing was changed."});
    return;
  }
  const std::string labelBefore = RetrieveLabel(ActiveChannel);
  const bool scaled = rescale(*upper, *lower, blockOnly, 0, backedUp);
  rt::bringWindowForward(kScaleWindow);  // it stays open for another scaling
  if (!scaled) return;
  const std::string label = rt::editTextIn(kScaleWindow, kLabelField);
  if (label != trimmed(labelBefore)) SetChannelLabel(TheFileInUse, ActiveChannel, label);
}

// The window's loop; returns whether a scaling is in effect when it closes.
bool runWindow(bool& blockOnly, bool& backedUp) {
  for (;;) {
    action = eventID = 0;
    const auto [a, id] = takeAction();
    if (a == 4) {
      if (backedUp && UNDO()) backedUp = false;
      return backedUp;
    }
    if (a == 16 || (a == 3 && id != kScaleWindow)) {
      setScale(blockOnly, backedUp);
      return backedUp;
    }
    if (a != 1) continue;
    switch (id) {
      case kUpperLeft: case kUpperHigh: case kUpperRight: fillFrom(kUpperField, kUpperLeft, id); break;
      case kLowerLeft: case kLowerLow: case kLowerRight: fillFrom(kLowerField, kLowerLeft, id); break;
      case kZeroTo100:
        rt::setEditTextIn(kScaleWindow, kUpperField, "100");
        rt::setEditTextIn(kScaleWindow, kLowerField, "0");
        break;
      case kSetScale: setScale(blockOnly, backedUp); break;
      case kBlockOnly:
        blockOnly = !blockOnly;
        rt::setOutputWindow(kScaleWindow);
        rt::setButtonState(kBlockOnly, blockOnly ? 2 : 1);
        break;
      case kUndoScale:
        LastChan = ActiveChannel;
        if (backedUp && UNDO()) backedUp = false;
        RefreshSCREEN();
        rt::bringWindowForward(kScaleWindow);
        break;
      case kCancel:
      case kDone: return backedUp;
      default: break;
    }
  }
}

}  // namespace

void BLOCKSCALE(int16_t mode, int16_t step) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || ActiveChannel < 1 || ActiveChannel > nChannels[f] || !channelData(f, ActiveChannel)) return;
  const bool replaying = stepSuppliesParameters(step);
  EditRun run(kScaleStep);
  bool backedUp = false;
  if (replaying) {
    const float* w = ScriptSequenceArray[step];
    const bool zeroTo100 = std::isfinite(w[5]) && std::trunc(w[5]) == 1;
    const bool blockOnly = zeroTo100 || (std::isfinite(w[8]) && w[8] != 0);
    const double upper = zeroTo100 ? 100 : w[6], lower = zeroTo100 ? 0 : w[7];
    if (rescale(upper, lower, blockOnly, step, backedUp))
      logScale(blockOnly, rt::PSstr(float(upper)), rt::PSstr(float(lower)));
    else if (ScriptStepFailed != step)
      refuseEdit(step, "Scale to Block", {"The step's upper limit is not above its lower limit. Nothing was changed."});
    return;
  }
  run.setWord(5, mode);
  if (mode == 1) {
    if (!rescale(100, 0, true, 0, backedUp)) return;
    logEdit(0, ActiveChannel, "Block scale from" + rt::PSstrLong(BeginBlock[f]) + " to" +
                                  rt::PSstrLong(EndBlock[f]) + "; scale 0 to 100 (%) ");
    run.setWord(6, 100);
    run.setWord(7, 0);
    run.setWord(8, 1);
    run.complete();
    return;
  }
  HideTheToolBar();
  buildWindow(f);
  installModalHandlers();
  bool blockOnly = false;
  const bool inEffect = runWindow(blockOnly, backedUp);
  const std::string upper = rt::editTextIn(kScaleWindow, kUpperField), lower = rt::editTextIn(kScaleWindow, kLowerField);
  if (inEffect) {
    logScale(blockOnly, upper, lower);
    run.setWord(6, float(fieldValue(kUpperField).value_or(0)));
    run.setWord(7, float(fieldValue(kLowerField).value_or(0)));
    run.setWord(8, blockOnly ? 1 : 0);
    run.complete();
  }
  rt::closeWindow(kScaleWindow);
  RestoreTheToolBar();
  if (FileSHORTS[f][kViewModeWord] != 0) RefreshPLOTBLOCK(0);
  LastChan = ActiveChannel;
  action = eventID = 0;
}

}  // namespace qv

// Edit > Remove Spikes... (script step 7).
#include "editing/spike_window.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/data_generation.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/prefs_file.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/commands.h"
#include "editing/edit_frame.h"
#include "editing/single_plot.h"
#include "editing/spikes.h"
#include "output/output.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kSpikeStep = 7;
constexpr int kToolWindow = 4, kPlotWindowBase = 1000, kWarningWindow = 1166;
// Channel radio buttons are 1..40.
constexpr int kSweepButton = 41, kSingleButton = 42, kAbsoluteButton = 43, kTrimButton = 44;
constexpr int kInteractiveButton = 45, kBlockBox = 46, kDoneButton = 47, kUndoButton = 48;
constexpr int kHelpButton = 49, kDefaultsBox = 50, kStopButton = 51, kDirectionPopup = 59;
constexpr int kUpLimitField = 101, kUpValueField = 102, kLowLimitField = 103, kLowValueField = 104;
constexpr int kThresholdField = 105, kCountField = 106, kCountCaption = 107;
constexpr int kDirectionMenu = 59;
constexpr int16_t kHelpOfWindow = 182, kHelpOfButton = 257;
// Step words.
constexpr int kWordThreshold = 4, kWordUpLimit = 5, kWordUpValue = 6, kWordLowLimit = 7, kWordLowValue = 8;
constexpr int kWordAction = 9, kWordDirection = 10, kWordSingle = 11;
enum Action : int { kNoAction = 0, kSpikeAction = 1, kTrimAction = 2, kInteractiveAction = 3, kAbsoluteAction = 4 };
constexpr float kStepDefaultLimit = 1000.0f;
constexpr auto kProgressAfter = std::chrono::milliseconds(400);
constexpr const char* kTitle = "Automatic Spike Removal";
constexpr int kProgressBarControl = 777;  // the id buildProgressBAR gives its bar

struct Session {
  int f = 0;
  bool block = false;
  int direction = spikes::kAllSpikes;
  int16_t backedUp = 0;             // the channel of the undo copy taken in this window
  std::vector<int16_t> changed;     // channels changed and not undone
  bool countShown = false;
  int lastAction = kNoAction, lastDirection = 0, lastSingle = 0;
};

struct Extent {
  int32_t from = 1, to = 0;
  bool block = false;
};

Extent extentOf(const Session& s) {
  const int f = s.f;
  if (s.block && FileSHORTS[f][kBlockStateWord] == 2) return {std::max(BeginBlock[f], 1), std::min(EndBlock[f], nCases[f]), true};
  return {1, nCases[f], false};
}

// The undo copy follows the channel being changed: taken before the first change of a
// channel, and again before a change of another one, so Undo restores the last changed.
void backUpBefore(Session& s, int16_t ch) {
  if (s.backedUp == ch) return;
  MAKEBACKUP(ch);
  LastChan = ch;
  s.backedUp = ch;
}

void noteChanged(Session& s, int16_t ch) {
  if (std::find(s.changed.begin(), s.changed.end(), ch) == s.changed.end()) s.changed.push_back(ch);
  finishEdit(ch);
  rt::bringWindowForward(kToolWindow);
  rt::setOutputWindow(kToolWindow);
}

std::string blockWords(const std::string& what, const Extent& e) {
  if (!e.block) return "";
  return "\r             " + what + " within block from" + rt::PSstrLong(e.from) + " to" + rt::PSstrLong(e.to);
}

std::optional<float> fieldNumber(int field, const std::string& what) {
  if (const auto v = typedNumber(rt::editTextIn(kToolWindow, field))) return float(*v);
  Warn(kWarningWindow, "Spike Removal: ", {"The " + what + " must be a number.", "Nothing was changed: correct it and try again."});
  return std::nullopt;
}

void showDefaultsBox() {
  rt::setOutputWindow(kToolWindow);
  if (!rt::controlExists(kDefaultsBox))
    rt::FBButton(kDefaultsBox, prefsArray[51] ? 2 : 1, "Use as Defaults", {170, 206, 312, 224}, 2);
}

void showCount(Session& s, int64_t total) {
  rt::setOutputWindow(kToolWindow);
  if (!s.countShown) {
    rt::setEditTextIn(kToolWindow, kCountCaption, "Spikes removed:");
    s.countShown = true;
  }
  rt::setEditTextIn(kToolWindow, kCountField, rt::PSstrLong(total));
}

// A long sweep shows how many cases are left to look at and can be stopped between passes.
struct SweepProgress {
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  bool shown = false;
  size_t firstPending = 0;

  bool operator()(int64_t, int64_t, size_t pending) {
    if (!shown) {
      if (std::chrono::steady_clock::now() - start < kProgressAfter || !rt::windowExists(kToolWindow)) return true;
      shown = true;
      firstPending = std::max<size_t>(pending, 1);
      rt::setOutputWindow(kToolWindow);
      rt::FBButton(kStopButton, 1, "Stop", {256, 96, 312, 116}, 1);
      buildProgressBAR(204, 100, 250, 112, int32_t(std::min<size_t>(firstPending, INT32_MAX)), kToolWindow);
      action = eventID = 0;
    }
    UpdateProgressBar(int32_t(std::min(firstPending - std::min(pending, firstPending), size_t(INT32_MAX))));
    rt::refreshPump();
    const bool stop = action == 1 && eventID == kStopButton;
    if (stop) action = eventID = 0;
    return !stop;
  }

  ~SweepProgress() {
    if (!shown || !rt::windowExists(kToolWindow)) return;
    rt::setOutputWindow(kToolWindow);
    rt::removeControl(kStopButton);
    rt::removeControl(kProgressBarControl);
  }
};

// Spike sweep (sweep) or single scan of the active channel; the count goes to field 106.
void removeSpikes(Session& s, float thr, bool sweep, int direction) {
  const int f = s.f;
  const int16_t ch = ActiveChannel;
  const Extent e = extentOf(s);
  const spikes::Range r = spikes::scanRange(e.from, e.to, nCases[f]);
  const std::span<float> x = channelSamples(f, ch);
  int64_t total = 0;
  if (spikes::firstSpike(x, r, thr, direction) <= r.last) {
    backUpBefore(s, ch);
    rt::setCursor(rt::Cursor::Wait);
    if (sweep) {
      SweepProgress progress;
      total = spikes::spikeSweep(x, r, thr, direction, std::ref(progress));
    } else {
      total = spikes::spikePass(x, r, thr, direction);
    }
    rt::setCursor(rt::Cursor::Arrow);
    Tick();
    logEdit(0, ch, "Spike sweep, threshold" + rt::PSstr(thr) + "," + rt::PSstrLong(total) + " removed" +
                       blockWords("Spike sweep", e));
    noteChanged(s, ch);
  }
  showCount(s, total);
}

void trimChannel(Session& s, const spikes::TrimLimits& t) {
  const int f = s.f;
  const int16_t ch = ActiveChannel;
  const Extent e = extentOf(s);
  const std::span<float> x = channelSamples(f, ch);
  if (!spikes::trimWouldChange(x, e.from, e.to, t)) return;
  backUpBefore(s, ch);
  spikes::trim(x, e.from, e.to, t);
  Tick();
  logEdit(0, ch, "Trim, limits:  > " + rt::PSstr(t.upLimit) + " (replace with" + rt::PSstr(t.upValue) + "), <" +
                     rt::PSstr(t.lowLimit) + " (replace with" + rt::PSstr(t.lowValue) + ")" + blockWords("Trim", e));
  noteChanged(s, ch);
}

void absoluteChannel(Session& s) {
  const int f = s.f;
  const int16_t ch = ActiveChannel;
  const Extent e = extentOf(s);
  const std::span<float> x = channelSamples(f, ch);
  if (!spikes::absoluteWouldChange(x, e.from, e.to)) return;
  backUpBefore(s, ch);
  spikes::absoluteValue(x, e.from, e.to);
  Tick();
  logEdit(0, ch, "Absolute Value");
  noteChanged(s, ch);
}

spikes::TrimLimits currentLimits() { return {UpTrimLimit, UpTrimValue, LowTrimLimit, LowTrimValue}; }

void showChannel(int16_t ch) {
  const int f = TheFileInUse;
  ActiveChannel = ch;
  chanB = ch;
  const int win = kPlotWindowBase + f;
  if (rt::controlExistsIn(win, kChannelPopup)) {
    rt::setOutputWindow(win);
    rt::setControlTitle(kChannelPopup, (ScreenWidth >= 996 ? "Channel" : "Chan") + rt::PSstrLong(ch));
    rt::setControlValue(kChannelPopup, ch);
  }
  if (!rt::windowExists(win)) return;
  if (ScaleMode >= 0) FindMinMax();
  DrawPlot(0, 0, 0, 1);
}

void showHeader() {
  rt::setOutputWindow(kToolWindow);
  rt::eraseRect({0, 0, 322, 28});
  SetTextStyle(KestrixFont, 12, rt::kBold);
  PrintAt(10, 20, "  Channel" + rt::PSstrLong(ActiveChannel) + ":  " + RetrieveLabel(ActiveChannel));
}

void buildSpikeWindow(int16_t checkedChannel) {
  const int f = TheFileInUse;
  OpenResultsWindow(0, 0, kTitle, 0);
  wssst();
  showHeader();
  DoubleLINE(0, 322, 28);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(12, 44, "Removing spikes:");
  PrintAt(12, 64, "Threshhold:");
  EFForeColor = EFBackColor = 1;
  buildef(1, kThresholdField, rt::PSstr(threshold), 84, 50, 150, 68, 3, 2);
  SpikeTrimPopup(kDirectionMenu);
  rt::FBAppearanceButton(kDirectionPopup, 1, spikes::kAllSpikes, kDirectionMenu, 0, "", {156, 48, 314, 68},
                         rt::kControlPopupButton);
  rt::FBButton(kSweepButton, 1, "Spike Sweep", {12, 74, 104, 94}, 1);
  rt::FBButton(kSingleButton, 1, "Single Scan", {108, 74, 200, 94}, 1);
  buildef(1, kCountCaption, "", 12, 98, 130, 114, 7, 0);
  buildef(1, kCountField, "", 132, 98, 200, 114, 7, 1);
  DoubleLINE(0, 322, 120);
  PrintAt(12, 142, " Upper limit:");
  buildef(1, kUpLimitField, rt::PSstr(UpTrimLimit), 90, 128, 170, 146, 3, 2);
  PrintAt(182, 142, "Set to:");
  buildef(1, kUpValueField, rt::PSstr(UpTrimValue), 232, 128, 312, 146, 3, 2);
  PrintAt(12, 164, "Lower limit:");
  buildef(1, kLowLimitField, rt::PSstr(LowTrimLimit), 90, 150, 170, 168, 3, 2);
  PrintAt(182, 164, "Set to:");
  buildef(1, kLowValueField, rt::PSstr(LowTrimValue), 232, 150, 312, 168, 3, 2);
  rt::FBButton(kTrimButton, 1, "Trim Data", {12, 174, 110, 194}, 1);
  rt::FBButton(kAbsoluteButton, 1, "Absolute Value", {116, 174, 232, 194}, 1);
  DoubleLINE(0, 322, 200);
  if (FileSHORTS[f][kBlockStateWord] == 2) rt::FBButton(kBlockBox, 1, "Work Within Block", {12, 206, 160, 224}, 2);
  rt::FBButton(kHelpButton, 1, "?", {8, 230, 38, 250}, 1);
  rt::FBButton(kUndoButton, 1, "Undo", {44, 230, 96, 250}, 1);
  rt::FBButton(kInteractiveButton, 1, "Go to Interactive Spike Removal...", {100, 230, 316, 250}, 1);
  DrawChannelButtons(260);
  rt::setOutputWindow(kToolWindow);
  rt::setButtonStateIn(kToolWindow, checkedChannel, 2);
  rt::FBButton(kDoneButton, 1, "Done", {246, 318, 312, 338}, 4);
}

// Sets the step's words from the settings and the last action.
void writeStepWords(int16_t target, const Session& s) {
  if (target < 1 || target > 40) return;
  float* w = ScriptSequenceArray[target];
  w[kWordThreshold] = threshold;
  w[kWordUpLimit] = UpTrimLimit;
  w[kWordUpValue] = UpTrimValue;
  w[kWordLowLimit] = LowTrimLimit;
  w[kWordLowValue] = LowTrimValue;
  if (s.lastAction == kNoAction) return;
  w[kWordAction] = float(s.lastAction);
  w[kWordDirection] = float(s.lastDirection);
  w[kWordSingle] = float(s.lastSingle);
}

void readStepNumbers(int16_t step) {
  const float* w = ScriptSequenceArray[step];
  auto finiteOr = [](float v, float old) { return std::isfinite(v) ? v : old; };
  threshold = finiteOr(w[kWordThreshold], threshold);
  UpTrimLimit = finiteOr(w[kWordUpLimit], UpTrimLimit);
  UpTrimValue = finiteOr(w[kWordUpValue], UpTrimValue);
  LowTrimLimit = finiteOr(w[kWordLowLimit], LowTrimLimit);
  LowTrimValue = finiteOr(w[kWordLowValue], LowTrimValue);
  if (w[kWordUpLimit] == 0.0f && w[kWordUpValue] == 0.0f) UpTrimLimit = UpTrimValue = kStepDefaultLimit;
}

// A replayed step on the whole channel: word 9 the action, 10 and 11 the direction and a
// single scan (0 and 0 in older scripts: a sweep of all spikes).
void replayAction(Session& s, int16_t step) {
  const float* w = ScriptSequenceArray[step];
  const int act = std::isfinite(w[kWordAction]) ? int(w[kWordAction]) : 0;
  if (act == kSpikeAction) {
    const int dir = std::isfinite(w[kWordDirection]) ? int(w[kWordDirection]) : 0;
    const int direction = dir >= spikes::kAllSpikes && dir <= spikes::kUpOnly ? dir : spikes::kAllSpikes;
    const bool single = w[kWordSingle] == 1.0f;
    removeSpikes(s, threshold, !single, direction);
    s.lastAction = kSpikeAction;
    s.lastDirection = dir;
    s.lastSingle = single ? 1 : 0;
  } else if (act == kTrimAction) {
    trimChannel(s, currentLimits());
    s.lastAction = act;
  } else if (act == kAbsoluteAction) {
    absoluteChannel(s);
    s.lastAction = act;
  } else if (act == kInteractiveAction) {
    rt::closeWindow(kToolWindow);
    const uint32_t before = DataGeneration[s.f];
    IntREMOVESPIKE(0);
    if (DataGeneration[s.f] != before) s.changed.push_back(ActiveChannel);
    s.lastAction = act;
  }
}

bool isChannelButton(int id) { return id >= 1 && id <= nChannels[TheFileInUse] && id <= kMaxChannels; }

// The window's loop; returns when the window ends. True when it ended by going on to the
// interactive repair.
bool runWindow(Session& s, int16_t& checked) {
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4 && id == kToolWindow) return false;
    if (a == 16 || (a == 3 && id != kToolWindow)) return false;
    if (a != 1) continue;
    if (id == kDoneButton) return false;
    if (isChannelButton(id)) {
      rt::setButtonStateIn(kToolWindow, checked, 1);
      checked = int16_t(id);
      rt::setButtonStateIn(kToolWindow, id, 2);
      showChannel(int16_t(id));
      rt::bringWindowForward(kToolWindow);
      showHeader();
      continue;
    }
    switch (id) {
      case kSweepButton:
      case kSingleButton: {
        const auto t = fieldNumber(kThresholdField, "threshold");
        if (!t) break;
        threshold = *t;
        removeSpikes(s, threshold, id == kSweepButton, s.direction);
        s.lastAction = kSpikeAction;
        s.lastDirection = s.direction;
        s.lastSingle = id == kSingleButton ? 1 : 0;
        showDefaultsBox();
        break;
      }
      case kTrimButton: {
        const auto ul = fieldNumber(kUpLimitField, "upper limit");
        const auto uv = ul ? fieldNumber(kUpValueField, "upper replacement") : std::nullopt;
        const auto ll = uv ? fieldNumber(kLowLimitField, "lower limit") : std::nullopt;
        const auto lv = ll ? fieldNumber(kLowValueField, "lower replacement") : std::nullopt;
        if (!lv) break;
        UpTrimLimit = *ul;
        UpTrimValue = *uv;
        LowTrimLimit = *ll;
        LowTrimValue = *lv;
        trimChannel(s, currentLimits());
        s.lastAction = kTrimAction;
        showDefaultsBox();
        break;
      }
      case kAbsoluteButton:
        absoluteChannel(s);
        s.lastAction = kAbsoluteAction;
        break;
      case kInteractiveButton:
        s.lastAction = kInteractiveAction;
        return true;
      case kBlockBox:
        s.block = !s.block;
        rt::setButtonStateIn(kToolWindow, kBlockBox, s.block ? 2 : 1);
        break;
      case kDefaultsBox:
        prefsArray[51] = prefsArray[51] ? 0 : 1;
        rt::setButtonStateIn(kToolWindow, kDefaultsBox, prefsArray[51] ? 2 : 1);
        break;
      case kUndoButton:
        if (s.backedUp != 0 && UNDO()) {
          std::erase(s.changed, s.backedUp);
          s.backedUp = 0;
          UpdateSCREEN(0, 0);
          rt::bringWindowForward(kToolWindow);
        }
        break;
      case kDirectionPopup: {
        const int v = rt::controlValueIn(kToolWindow, kDirectionPopup);
        if (v >= spikes::kAllSpikes && v <= spikes::kUpOnly) s.direction = v;
        break;
      }
      case kHelpButton:
        HelpSubject = kHelpOfButton;
        OpenHelpBook();
        break;
      default: break;
    }
  }
}

}  // namespace

void ShiftChannelsSpikeMode() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  int16_t ch = ActiveChannel;
  if (ch < 1) ch = nChannels[f];
  if (ch > nChannels[f]) ch = 1;
  showChannel(ch);
  action = eventID = 0;
  if (FileSHORTS[f][kViewModeWord] != 0) MultiChannelIndicator();
}

void REMOVESPIKE(int16_t step) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || ActiveChannel < 1 || ActiveChannel > nChannels[f]) return;
  HelpSubject = kHelpOfWindow;
  EditRun run(kSpikeStep);
  const SinglePlotSwitch view = enterSinglePlot();
  Session s;
  s.f = f;
  if (step != 0 && step >= 1 && step <= 40) readStepNumbers(step);
  SavedHandlers savedHandlers;
  int16_t checked = ActiveChannel;
  buildSpikeWindow(checked);
  prefsArray[51] = 1;
  installModalHandlers();
  action = eventID = 0;
  if (stepSuppliesParameters(step, true)) {
    replayAction(s, step);
  } else if (runWindow(s, checked)) {
    rt::closeWindow(kToolWindow);
    const uint32_t before = DataGeneration[f];
    IntREMOVESPIKE(0);
    if (DataGeneration[f] != before) s.changed.push_back(ActiveChannel);
  }
  if (prefsArray[51]) SaveSettings(0);
  // A recorded step stays only when something was changed; a replayed one keeps the values used.
  if (run.step() >= 1 && !s.changed.empty()) {
    writeStepWords(run.step(), s);
    run.complete();
  } else if (run.step() == 0 && step >= 1 && step <= 40) {
    writeStepWords(step, s);
  }
  closeToolWindows();
  RestoreTheToolBar();
  leaveSinglePlot(view);
  if (rt::windowExists(kPlotWindowBase + f)) rt::bringWindowForward(kPlotWindowBase + f);
  rt::setCursor(rt::Cursor::Arrow);
  action = eventID = 0;
}

}  // namespace qv

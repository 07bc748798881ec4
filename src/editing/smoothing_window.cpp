// Edit > Smoothing (script step 6), and the quiet smoothing of the waveform analysis.
#include "editing/smoothing_window.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/help.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/commands.h"
#include "editing/edit_frame.h"
#include "editing/smoothing.h"
#include "output/output.h"
#include "plot/plot_state.h"
#include "runtime/clock.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

int16_t nSmooth = 1;
int16_t nCycles = 1;

namespace {

constexpr int16_t kSmoothStep = 6;
constexpr int kBlockWord = kSmoothBlockWord;
constexpr int kToolWindow = 4, kQuietWindow = 44;
constexpr int kSmoothAll = 1, kSmoothBlock = 2, kCopyButton = 3, kHelpButton = 4;
constexpr int kSizeBase = 10;  // size button b is control 10 + b
constexpr int kMinus1 = 31, kPlus1 = 32, kPlus5 = 33, kPresetBase = 34;
constexpr int kUpperBox = 41, kLowerBox = 42;
constexpr int kCyclesField = 101, kIntervalField = 102, kUpperField = 104, kLowerField = 105;
constexpr int kMostCycles = 32767;
constexpr float kNoLimit = 9.0e30f;
constexpr const char* kTitle = "Nearest-Neighbor Smoothing";
constexpr std::array<int, 7> kPresets{1, 3, 6, 10, 20, 40, 100};

struct Settings {
  int button = 1;
  int cycles = 1;
  float upper = kNoLimit, lower = -kNoLimit;
  bool conditional = false;
  bool block = false;
};

bool sizeButtonValid(double b) { return std::trunc(b) >= 1 && std::trunc(b) <= 10; }

std::string intervalText(int button) {
  const int f = TheFileInUse;
  return rt::PSstr(double(smoothingWidth(button) - 1) * FileInfoFLOATS[f][1]) + " sec";
}

void showHeader() {
  rt::setOutputWindow(kToolWindow);
  rt::eraseRect({0, 0, 322, 30});
  SetTextStyle(KestrixFont, 12, rt::kBold);
  PrintAt(10, 20, "  Channel" + rt::PSstrLong(ActiveChannel) + ":  " + RetrieveLabel(ActiveChannel));
}

void setCyclesText(int cycles) {
  rt::setEditTextIn(kToolWindow, kCyclesField, rt::PSstrLong(cycles));
  rt::setButtonStateIn(kToolWindow, kMinus1, cycles <= 1 ? 0 : 1);
}

int copyButtonState() { return RecordSCRIPT ? 0 : 1; }

void buildSmoothingWindow(int button, int cycles) {
  const int f = TheFileInUse;
  OpenResultsWindow(0, 0, kTitle, 0);
  wssst();
  showHeader();
  DoubleLINE(0, 322, 30);
  SetTextStyle(KestrixFont, 12, 0);
  for (int b = 1; b <= 10; ++b) {
    const int x = b <= 5 ? 12 : 112, y = 40 + ((b - 1) % 5) * 22;
    rt::FBButton(kSizeBase + b, b == button ? 2 : 1, rt::PSstrLong(smoothingWidth(b)).substr(1) + " Samples",
                 {x, y, x + 98, y + 20}, 3);
  }
  PrintAt(215, 50, "smoothing");
  PrintAt(215, 64, "interval:");
  EFForeColor = EFBackColor = 1;
  buildef(1, kIntervalField, intervalText(button), 215, 70, 312, 86, 7, 1);
  PrintAt(215, 108, "cycles:");
  PrintAt(215, 124, "(repetitions) ");
  buildef(1, kCyclesField, rt::PSstrLong(cycles), 260, 96, 312, 112, 3, 1);
  rt::FBButton(kMinus1, cycles <= 1 ? 0 : 1, "-1", {12, 156, 52, 176}, 1);
  rt::FBButton(kPlus1, 1, "+1", {56, 156, 96, 176}, 1);
  rt::FBButton(kPlus5, 1, "+5", {100, 156, 140, 176}, 1);
  for (size_t i = 0; i < kPresets.size(); ++i) {
    const int x = 12 + int(i) * 43;
    rt::FBButton(kPresetBase + int(i), 1, std::to_string(kPresets[i]), {x, 182, x + 40, 202}, 1);
  }
  DoubleLINE(0, 322, 210);
  PrintAt(12, 228, "Conditional smoothing if:");
  float hi = -INFINITY, lo = INFINITY;
  const float* x = channelData(f, ActiveChannel);
  for (int32_t i = 1; i <= nCases[f]; ++i) {
    hi = std::max(hi, x[i]);
    lo = std::min(lo, x[i]);
  }
  rt::FBButton(kUpperBox, 1, "Data <", {12, 236, 90, 254}, 2);
  rt::FBButton(kLowerBox, 1, "Data > ", {170, 236, 248, 254}, 2);
  buildef(1, kUpperField, rt::PSstr(hi), 92, 236, 160, 254, 3, 1);
  buildef(1, kLowerField, rt::PSstr(lo), 250, 236, 315, 254, 3, 1);
  rt::FBButton(kSmoothAll, 1, "Smooth All", {200, 300, 310, 322}, 4);
  if (FileSHORTS[f][kBlockStateWord] == 2) rt::FBButton(kSmoothBlock, 1, "Smooth Block", {80, 300, 190, 322}, 1);
  if (nChannels[f] < kMaxChannels)
    rt::FBButton(kCopyButton, copyButtonState(), "Copy Active Channel", {12, 268, 170, 290}, 1);
  rt::FBButton(kHelpButton, 1, "?", {12, 300, 42, 322}, 1);
  rt::selectEditField(kCyclesField, 0, 99);
}

std::optional<double> typedNumber(int field, const std::string& what) {
  if (const auto v = qv::typedNumber(rt::editTextIn(kToolWindow, field))) return v;
  Warn(1166, "Smoothing: ", {"The " + what + " must be a number.", "Nothing was smoothed yet: correct it and smooth again."});
  return std::nullopt;
}

// The cycles of field 101: below 1 counts as 1.
std::optional<int> typedCycles() {
  const auto v = typedNumber(kCyclesField, "number of cycles");
  if (!v) return std::nullopt;
  if (*v > kMostCycles) {
    Warn(1166, "Smoothing: ", {"At most" + rt::PSstrLong(kMostCycles) + " cycles.", "Nothing was smoothed yet."});
    return std::nullopt;
  }
  return std::max(1, int(std::trunc(*v)));
}

void stepCycles(int id) {
  double v = rt::PSval(rt::editTextIn(kToolWindow, kCyclesField));
  v = std::clamp(std::trunc(v), 1.0, double(kMostCycles));
  int c = int(v);
  if (id == kMinus1) c = std::max(1, c - 1);
  if (id == kPlus1) c = std::min(kMostCycles, c + 1);
  if (id == kPlus5) c = std::min(kMostCycles, c + 5);
  if (id >= kPresetBase && id < kPresetBase + int(kPresets.size())) c = kPresets[size_t(id - kPresetBase)];
  setCyclesText(c);
}

// The window's loop: the settings when the user asks to smooth, nothing when the window closes.
std::optional<Settings> askForSettings(int button) {
  const int f = TheFileInUse;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4 && id == kToolWindow) return std::nullopt;
    if (a == 1 && id > kSizeBase && id <= kSizeBase + 10) {
      rt::setButtonStateIn(kToolWindow, kSizeBase + button, 1);
      button = id - kSizeBase;
      rt::setButtonStateIn(kToolWindow, id, 2);
      rt::setEditTextIn(kToolWindow, kIntervalField, intervalText(button));
      continue;
    }
    if (a == 1 && id >= kMinus1 && id < kPresetBase + int(kPresets.size())) {
      stepCycles(id);
      continue;
    }
    if (a == 1 && (id == kUpperBox || id == kLowerBox)) {
      int16_t& on = prefsArray[id == kUpperBox ? 69 : 70];
      on = on ? 0 : 1;
      rt::setButtonStateIn(kToolWindow, id, on ? 2 : 1);
      continue;
    }
    if (a == 1 && id == kHelpButton) {
      HelpSubject = 178;
      OpenHelpBook();
      continue;
    }
    if (a == 1 && id == kCopyButton) {
      COPYCHAN(1);
      rt::bringWindowForward(kToolWindow);
      showHeader();
      if (nChannels[f] >= kMaxChannels) rt::setButtonStateIn(kToolWindow, kCopyButton, 0);
      continue;
    }
    const bool block = a == 1 && id == kSmoothBlock && FileSHORTS[f][kBlockStateWord] == 2;
    if (!(block || (a == 1 && id == kSmoothAll) || a == 16 || (a == 3 && id != kToolWindow))) continue;
    Settings s;
    s.button = button;
    s.block = block;
    const auto cycles = typedCycles();
    if (!cycles) continue;
    s.cycles = *cycles;
    s.conditional = prefsArray[69] || prefsArray[70];
    // Only a ticked box is a limit: the other field still shows the channel's extreme rounded
    // to 7 digits, which would keep a sample just beyond it from being smoothed.
    std::optional<double> upper = s.upper, lower = s.lower;
    if (prefsArray[69]) upper = typedNumber(kUpperField, "upper limit");
    if (upper && prefsArray[70]) lower = typedNumber(kLowerField, "lower limit");
    if (!upper || !lower) continue;
    s.upper = float(*upper);
    s.lower = float(*lower);
    return s;
  }
}

// A replayed step's words, or why they cannot be used.
std::optional<Settings> stepSettings(int16_t step) {
  const float* w = ScriptSequenceArray[step];
  if (!sizeButtonValid(w[4]) || !(w[5] <= kMostCycles) || !std::isfinite(w[6]) || !std::isfinite(w[7])) {
    refuseEdit(step, "Smoothing", {"The step's size or number of cycles is not one smoothing can use.",
                                   "Nothing was smoothed."});
    return std::nullopt;
  }
  Settings s;
  s.button = int(std::trunc(w[4]));
  s.cycles = std::max(1, int(std::trunc(w[5])));
  s.upper = w[6];
  s.lower = w[7];
  s.conditional = w[8] == 1.0f;
  s.block = w[kBlockWord] == 1.0f;
  if (s.block && FileSHORTS[TheFileInUse][kBlockStateWord] != 2) {
    refuseEdit(step, "Smoothing", {"The step smooths a block, and no block is selected.", "Nothing was smoothed."});
    return std::nullopt;
  }
  return s;
}

CaseRange rangeOf(const Settings& s) {
  const int f = TheFileInUse;
  return s.block ? smoothingRange(BeginBlock[f], EndBlock[f], nCases[f]) : smoothingRange(1, nCases[f], nCases[f]);
}

// Smooths the active channel; the progress bar in window 4 when asked for.
void smoothChannel(const Settings& s, bool progressBar) {
  const int f = TheFileInUse;
  const int16_t ch = ActiveChannel;
  const std::span<float> x(channelData(f, ch), size_t(nCases[f]) + 1);
  const CaseRange range = rangeOf(s);
  std::vector<float> before;
  if (s.conditional) before.assign(x.begin(), x.end());
  if (progressBar) {
    rt::removeControl(kCopyButton);
    buildProgressBAR(12, 276, 310, 290, s.cycles + 1, kToolWindow);
  }
  MAKEBACKUP(ch);
  rt::setCursor(rt::Cursor::Wait);
  smoothCycles(x, range, smoothingWidth(s.button), s.cycles, [&](int c) {
    if (progressBar) UpdateProgressBar(c + 1);
  });
  if (s.conditional) keepOutsideLimits(before, x, range, s.upper, s.lower);
  rt::setCursor(rt::Cursor::Arrow);
  LastChan = ChangedChan = ch;
}

void writeStepWords(const EditRun& run, int16_t step, const Settings& s) {
  const int16_t target = run.step() >= 1 ? run.step() : (step >= 1 && step <= 40 ? step : int16_t(0));
  if (target == 0) return;
  float* w = ScriptSequenceArray[target];
  w[4] = float(s.button);
  w[5] = float(s.cycles);
  w[6] = s.upper;
  w[7] = s.lower;
  w[8] = s.conditional ? 1.0f : 0.0f;
  w[kBlockWord] = s.block ? 1.0f : 0.0f;
}

void logSmoothing(const Settings& s) {
  const CaseRange r = rangeOf(s);
  logEdit(0, ActiveChannel, "smoothed" + rt::PSstrLong(smoothingWidth(s.button)) + " points by" +
                                rt::PSstrLong(s.cycles) + " cycles, from" + rt::PSstrLong(r.first) + " to" +
                                rt::PSstrLong(r.last));
}

// The waveform analysis's form: the block, 3 samples, 3 cycles, behind a blank window 44; the
// step that calls it stands for it in a script.
void quietSmoothing() {
  const int f = TheFileInUse;
  if (FileSHORTS[f][kBlockStateWord] != 2) return;
  const rt::Rect screen = rt::screenRect();
  BuildWINDOW(kQuietWindow, "", int16_t(screen.right / 2 - 100), int16_t(screen.bottom / 2 - 40),
              int16_t(screen.right / 2 + 100), int16_t(screen.bottom / 2 + 40), 6);
  Settings s;
  s.button = 1;
  s.cycles = 3;
  s.block = true;
  smoothChannel(s, false);
  logSmoothing(s);
  rt::closeWindow(kQuietWindow);
  finishEdit(ActiveChannel);
}

}  // namespace

void SMOOTHING(int16_t step) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || ActiveChannel < 1 || ActiveChannel > nChannels[f]) return;
  HelpSubject = 178;
  prefsArray[69] = prefsArray[70] = 0;
  if (step == kQuietSmoothing) {
    quietSmoothing();
    return;
  }
  EditRun run(kSmoothStep);
  if (prefsArray[3] == 0) nCycles = nSmooth = 1;
  nCycles = std::max<int16_t>(nCycles, 1);
  std::optional<Settings> s;
  if (stepSuppliesParameters(step, true)) {
    s = stepSettings(step);
  } else {
    SavedHandlers savedHandlers;
    const int button = std::clamp<int>(nSmooth, 1, 10);
    buildSmoothingWindow(button, nCycles);
    installModalHandlers();
    action = eventID = 0;
    s = askForSettings(button);
    if (!s) {
      closeToolWindows();
      RestoreTheToolBar();
      action = eventID = 0;
      return;
    }
  }
  if (!s) return;
  smoothChannel(*s, s->cycles >= 2 && rt::windowExists(kToolWindow));
  nSmooth = int16_t(s->button);
  nCycles = int16_t(s->cycles);
  rt::waitUntilTick(rt::TickCount() + 6);
  writeStepWords(run, step, *s);
  run.complete();
  skid();
  logSmoothing(*s);
  closeToolWindows();
  RestoreTheToolBar();
  action = eventID = 0;
  finishEdit(ActiveChannel);
}

}  // namespace qv

// Edit > Correct Baseline... and script step 3: the "Baseline Correction" window. Each pass
// waits for a method, shows its line on the plot, and either accepts it (the line is
// subtracted from the whole active channel) or starts over; Cancel leaves the samples.
#include "editing/baseline_window.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/help.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/line_values.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/baseline.h"
#include "editing/commands.h"
#include "editing/edit_frame.h"
#include "core/output_state.h"
#include "plot/block_geometry.h"
#include "plot/block_support.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kOverlayRemoveButton = 444;
constexpr int kWidth = 322, kHeight = 312;
constexpr int16_t kMethodOrder[7] = {kAutoStartEnd,  kAutoPeriodic,  kCursorStartAndEnd, kCursorMultiple,
                                     kTypedBeginEnd, kTypedConstant, kCursorStartOrEnd};

const char* methodTitle(int16_t id) {
  switch (id) {
    case kAutoStartEnd: return "Automatic (start, end) ";
    case kAutoPeriodic: return "Automatic (periodic)...";
    case kCursorStartAndEnd: return "Use Cursor: Start AND End";
    case kCursorMultiple: return "Use Cursor: Multiple Points";
    case kTypedBeginEnd: return "Enter Begin and End Points";
    case kTypedConstant: return "Enter Constant Baseline";
    default: return "Use Cursor: Start OR End";
  }
}

// What the window changes of the plot and the settings, and puts back when it closes.
struct KeptView {
  int16_t blockState = 0, wholeFile = 0, zoom = 0;
  bool multiChannel = false;
  int32_t begin = 0, end = 0;
  int16_t autoBlockWidth = 0;
  int32_t abu = 0;
};

enum class Outcome { Accepted, Applied, AppliedUnrecorded, Cancelled, Refused };

Outcome outcomeOf(MethodEnd e) {
  switch (e) {
    case MethodEnd::Line: return Outcome::Accepted;
    case MethodEnd::Applied: return Outcome::Applied;
    case MethodEnd::AppliedUnrecorded: return Outcome::AppliedUnrecorded;
    case MethodEnd::LeaveWindow: return Outcome::Cancelled;
    default: return Outcome::Refused;
  }
}

void removeOverlayButton(int f) {
  const int saved = rt::outputWindow();
  if (rt::controlExistsIn(1000 + f, kOverlayRemoveButton)) {
    rt::setOutputWindow(1000 + f);
    rt::removeControl(kOverlayRemoveButton);
  }
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

// The line is drawn on the single plot of the whole file, so zoom and the multi-channel view
// give way while the window is open.
KeptView keepAndShowSinglePlot(int f) {
  KeptView k{FileSHORTS[f][2], FileSHORTS[f][4], FileSHORTS[f][6], FileSHORTS[f][7] == 1,
             BeginBlock[f],    EndBlock[f],      prefsArray[36],    ABu};
  if (FileSHORTS[f][6] == 1 || k.multiChannel) {
    FileSHORTS[f][6] = 0;
    if (k.multiChannel) FileSHORTS[f][7] = 0;
    removeOverlayButton(f);
    if (rt::windowExists(1000 + f)) {
      plot::takeActiveChannelScale();
      DrawPlot(0, 0, 0, 0);
    }
  }
  return k;
}

void restoreBlock(int f, const KeptView& k) {
  FileSHORTS[f][2] = k.blockState;
  BeginBlock[f] = k.begin;
  EndBlock[f] = k.end;
  const plot::BlockView v = plot::blockViewOfSlot(f);
  if (k.begin > 0) FileSHORTS[f][11] = plot::pixelWord(double(k.begin) - double(v.pageStart()));
  if (k.end > 0) FileSHORTS[f][12] = plot::pixelWord(double(k.end) - double(v.pageStart()));
}

void buildWindow(int f) {
  rt::Rect plot{10, 40, 10, 40};
  if (rt::windowExists(1000 + f)) plot = rt::windowContentRect(1000 + f);
  const rt::Rect screen = rt::screenRect();
  const int left = std::clamp(plot.right + 6, 0, screen.right - kWidth);
  const int top = std::clamp(plot.top, 40, screen.bottom - kHeight - 10);
  BuildWINDOW(int16_t(kBaselineWindow), "Baseline Correction", int16_t(left), int16_t(top), int16_t(left + kWidth),
              int16_t(top + kHeight), 6);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(10, 20, "Number of cases");
  PrintAt(10, 35, "for auto baseline");
  PrintAt(10, 50, "calculations at:");
  EFForeColor = EFBackColor = 1;
  buildef(1, kAutoBlockField, rt::PSstr(auto_block), 118, 34, 168, 52, 3, 1);
  const int ends = baselineEnds(prefsArray[8]);
  rt::FBButton(kStartOfFile, ends == kStartOfFile ? 2 : 1, "Start of File", {184, 6, 312, 24}, 3);
  rt::FBButton(kEndOfFile, ends == kEndOfFile ? 2 : 1, "End of File", {184, 26, 312, 44}, 3);
  rt::FBButton(kStartAndEnd, ends == kStartAndEnd ? 2 : 1, "Start & End", {184, 46, 312, 64}, 3);
  PrintAt(10, 84, "cursor:");
  const int mode = prefsArray[22] == 10 ? 17 : prefsArray[22] == 0 ? 16 : 15;
  rt::FBButton(15, mode == 15 ? 2 : 1, "Block", {60, 70, 118, 88}, 3);
  rt::FBButton(16, mode == 16 ? 2 : 1, "Single Point", {120, 70, 222, 88}, 3);
  rt::FBButton(17, mode == 17 ? 2 : 1, "Use 1 \u00b1", {60, 94, 132, 112}, 3);
  buildef(1, kHalfWidthField, rt::PSstrLong(NpointsInBaselineBlock), 134, 94, 172, 112, 3, 1);
  PrintAt(178, 108, "points");
  rt::FBButton(kBaselineHelp, 1, "?", {282, 94, 312, 112}, 1);
  for (int k = 0; k < 7; ++k)
    rt::FBButton(kMethodOrder[k], 1, methodTitle(kMethodOrder[k]), {10, 122 + 26 * k, 226, 144 + 26 * k}, 1);
  rt::FBButton(kSelectAgain, 0, "Select again", {234, 122, 312, 144}, 1);
  rt::FBButton(kBaselineOK, 0, "Baseline OK", {234, 252, 312, 274}, 4);
  rt::FBButton(kBaselineCancel, 1, "Cancel", {234, 282, 312, 304}, 1);
}

void setMethodButtons(int state) {
  rt::setOutputWindow(kBaselineWindow);
  for (int16_t id : kMethodOrder) rt::setButtonState(id, state);
  for (int id = kStartOfFile; id <= kStartAndEnd; ++id) rt::setButtonState(id, state == 0 ? 0 : id == baselineEnds(prefsArray[8]) ? 2 : 1);
}

// A pass waits for a method with no line shown.
void startPass() {
  BaselineWasDrawn = 0;
  BASELINE = 1;
  BaseLineButton = 0;
  setMethodButtons(1);
  rt::setButtonState(kSelectAgain, 0);
  rt::setButtonState(kBaselineOK, 0);
}

void setRadios(int first, int last, int chosen) {
  rt::setOutputWindow(kBaselineWindow);
  for (int id = first; id <= last; ++id) rt::setButtonState(id, id == chosen ? 2 : 1);
}

// The half-width of a "Use 1 ±" pick, as typed; a text that is no such number keeps the last.
void readHalfWidth() {
  const std::string text = rt::editTextIn(kBaselineWindow, kHalfWidthField);
  double v = 0;
  if (rt::PSvalStrict(text, v) && v >= 0 && v <= 32767) {
    NpointsInBaselineBlock = int16_t(v);
    return;
  }
  refuseEdit(0, "Baseline Correction",
             {"The points of a \"Use 1 \u00b1\" pick must be a whole number from 0 to 32767;",
              "\"" + text + "\" is not one. It stays" + rt::PSstrLong(NpointsInBaselineBlock) + "."});
  rt::setEditTextIn(kBaselineWindow, kHalfWidthField, rt::PSstrLong(NpointsInBaselineBlock));
}

// Runs a method button. A line it leaves is shown; a method that ends with nothing starts
// the pass again.
MethodEnd runMethod(int16_t id, int16_t step) {
  setMethodButtons(0);
  rt::setButtonState(id, 2);
  MethodEnd e = MethodEnd::Nothing;
  switch (id) {
    case kAutoStartEnd: e = AUTOBASELINE(step) ? MethodEnd::Line : MethodEnd::Nothing; break;
    case kAutoPeriodic: e = periodicBaseline(step, false); break;
    case kCursorMultiple: e = multiPointBaseline(); break;
    case kTypedBeginEnd:
    case kTypedConstant: e = typedBaseline(id); break;
    default: e = cursorBaseline(id); break;
  }
  if (e == MethodEnd::Line) {
    BaselineWasDrawn = 1;
    DrawBaselineOnPLOT(step);
  } else if (e == MethodEnd::Nothing && rt::windowExists(kBaselineWindow)) {
    startPass();
  }
  return e;
}

void eraseLine() {
  const int f = TheFileInUse;
  if (!rt::windowExists(1000 + f)) return;
  plot::takeActiveChannelScale();
  DrawPlot(0, 0, 0, 0);
}

bool isReturn(int id) { return id == 0 || id == 13 || id == 3; }

Outcome interactive(int16_t step) {
  installModalHandlers();
  rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
  startPass();
  for (;;) {
    action = eventID = 0;
    const auto [a, id] = takeAction();
    if ((a == 4 && id == kBaselineWindow) || (a == 1 && id == kBaselineCancel)) {
      readHalfWidth();
      return Outcome::Cancelled;
    }
    const bool accept = (a == 1 && id == kBaselineOK) || ((a == 16 && isReturn(id)) || (a == 3 && id != kBaselineWindow));
    if (accept && BaselineWasDrawn) {
      readHalfWidth();
      return Outcome::Accepted;
    }
    MethodEnd e = MethodEnd::Nothing;
    if (accept && a != 1) e = runMethod(kAutoStartEnd, step);
    if (a == 1 && id >= kAutoStartEnd && id <= kAutoPeriodic) e = runMethod(int16_t(id), step);
    if (e != MethodEnd::Nothing && e != MethodEnd::Line) return outcomeOf(e);
    if (a != 1) continue;
    if (id == kSelectAgain) {
      if (BaselineWasDrawn) eraseLine();
      readHalfWidth();
      startPass();
    } else if (id >= kStartOfFile && id <= kStartAndEnd) {
      prefsArray[8] = int16_t(id);
      setRadios(kStartOfFile, kStartAndEnd, id);
    } else if (id >= 15 && id <= 17) {
      prefsArray[22] = int16_t(id == 15 ? 1 : id == 16 ? 0 : 10);
      setRadios(15, 17, id);
    } else if (id == kBaselineHelp) {
      HelpSubject = 184;
      OpenHelpBook();
      readHalfWidth();
    }
  }
}

// A step word holding a whole number, or none when it is not one that fits.
int16_t methodOfWord(float w) { return std::isfinite(w) && w >= 0 && w < 100 ? int16_t(w) : int16_t(0); }

// A replayed pick that is cancelled stops the run: the script cannot go on without it.
Outcome replayed(MethodEnd e, int16_t step) {
  if (e == MethodEnd::Line) BaselineWasDrawn = 1;
  if (e == MethodEnd::Nothing && ScriptStepFailed != step)
    refuseEdit(step, "Baseline Correction", {"The baseline was not made: the picks were not completed.",
                                             "Nothing was subtracted."});
  return e == MethodEnd::Nothing ? Outcome::Refused : outcomeOf(e);
}

Outcome replay(int16_t step) {
  if (step > 51) return Outcome::Refused;
  const float* words = ScriptSequenceArray[step];
  ValueOfA = words[5];
  ValueOfB = words[6];
  auto_block = words[7];
  const int16_t method = methodOfWord(words[4]);
  switch (method) {
    case kAutoStartEnd:
      if (!AUTOBASELINE(step)) return Outcome::Refused;
      BaselineWasDrawn = 1;
      return Outcome::Accepted;
    case kTypedBeginEnd:
    case kTypedConstant:
      if (std::isfinite(ValueOfA) && std::isfinite(ValueOfB)) {
        BaselineWasDrawn = 1;
        return Outcome::Accepted;
      }
      refuseEdit(step, "Baseline Correction",
                 {"The step's line (words 5 and 6) is not a pair of numbers.", "Nothing was subtracted."});
      return Outcome::Refused;
    case kAutoPeriodic: return replayed(periodicBaseline(step, true), step);
    case kCursorMultiple: return replayed(multiPointBaseline(), step);
    case kCursorStartAndEnd:
    case kCursorStartOrEnd: return replayed(cursorBaseline(method), step);
    default:
      refuseEdit(step, "Baseline Correction",
                 {"The step names no baseline method (word 4 is" + rt::PSstr(words[4]) + ").",
                  "Nothing was subtracted."});
      return Outcome::Refused;
  }
}

void closeAndRestore(int f, const KeptView& k, bool subtracted) {
  const bool drawn = BaselineWasDrawn != 0;
  const bool viewChanged = FileSHORTS[f][4] != k.wholeFile || FileSHORTS[f][6] != k.zoom || k.multiChannel;
  FileSHORTS[f][4] = k.wholeFile;
  FileSHORTS[f][6] = k.zoom;
  BASELINE = 0;
  restoreBlock(f, k);
  if (drawn) LastChan = ActiveChannel;
  BaseLineButton = 0;
  rt::closeWindow(kBaselineWindow);
  float& scaleMode = scalingFactorArray[std::clamp<int>(ActiveChannel, 0, kMaxChannels)][4];
  if (scaleMode < 0) scaleMode = 0;
  if (k.multiChannel) FileSHORTS[f][7] = 1;
  if (subtracted) finishEdit(ActiveChannel);
  if (k.multiChannel) {
    ChangedChan = ActiveChannel;
    RefreshSCREEN();
    removeOverlayButton(f);
  } else if (!subtracted && (drawn || viewChanged) && rt::windowExists(1000 + f)) {
    UpdateSCREEN(0, 1);
  }
  if (rt::windowExists(kToolBarWindow)) rt::showWindow(kToolBarWindow);
  prefsArray[36] = k.autoBlockWidth;
  if (k.autoBlockWidth) ABu = k.abu;
  action = eventID = 0;
  prefsArray[22] = 0;
}

}  // namespace

void FixTheBASELINE(int16_t step) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || nCases[f] < 1 || ActiveChannel < 1 || ActiveChannel > nChannels[f]) return;
  SavedHandlers handlers;
  HelpSubject = 184;
  EditRun run(kBaselineStep);
  setBaselineWordStep(run.step() >= 1 ? run.step() : step >= 1 ? step : int16_t(0));
  const KeptView kept = keepAndShowSinglePlot(f);
  prefsArray[36] = 0;
  resetBaselineBackup();
  if (auto_block == 0) auto_block = 15;
  if (NpointsInBaselineBlock == 0) NpointsInBaselineBlock = 3;
  if (rt::windowExists(kToolBarWindow)) rt::hideWindow(kToolBarWindow);
  buildWindow(f);
  AnalysisCode = 0;
  BaselineWasDrawn = 0;
  BASELINE = 1;
  wssst();
  const Outcome o = stepSuppliesParameters(step, true) ? replay(step) : interactive(step);
  if (o == Outcome::Accepted) {
    backupBaselineOnce();
    DoBaselineAdjustment();
    logEdit(0, ActiveChannel, "automatic baseline");
    EndBeep();
  }
  if (o == Outcome::Accepted || o == Outcome::Applied) run.complete();
  if (o == Outcome::AppliedUnrecorded && run.step() >= 1)
    refuseEdit(0, "Baseline Correction", {"A period picked on the plot or typed in minutes is not kept in the script:",
                                          "the correction was made, and the script step was taken out."});
  closeAndRestore(f, kept, o == Outcome::Accepted || o == Outcome::Applied || o == Outcome::AppliedUnrecorded);
  setBaselineWordStep(0);
}

}  // namespace qv

// The periodic method of the "Baseline Correction" window: baseline points at every marker
// of one character, or at a period picked on the plot or typed in minutes, joined by the
// lines through neighbouring points' windows and subtracted at once.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/prefs_file.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "core/view_state.h"
#include "editing/baseline.h"
#include "editing/baseline_points.h"
#include "editing/baseline_window.h"
#include "editing/edit_frame.h"
#include "plot/cursor_pick.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/clock.h"
#include "runtime/macroman.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

float SteppedBaselineInterval = 0;

namespace {

constexpr int kWidth = 300, kHeight = 236;
constexpr char kTitle[] = "Periodic Baseline Correction";

std::vector<MarkerAt> markersOfFile(int f) {
  std::vector<MarkerAt> m;
  const int n = std::clamp<int>(FileSHORTS[f][kMarkerCountWord], 0, kMaxMarkers);
  for (int k = 1; k <= n; ++k) m.push_back({MarkersArray[f][k][1], MarkersArray[f][k][2]});
  return m;
}

void tooFewPoints(int16_t step) {
  refuseEdit(step, kTitle, {"The baseline needs at least two points inside the file;",
                            "fewer were found, so nothing was subtracted."});
}

// Subtracts the chain through the points; false (with the reason) when there are too few.
bool correctAtPoints(const std::vector<int32_t>& cases, int16_t step) {
  const auto channel = activeBaselineChannel();
  if (channel.empty()) return false;
  if (cases.size() > size_t(kMaxBaselinePoints)) {
    refuseEdit(step, kTitle, {"The baseline holds at most" + rt::PSstrLong(kMaxBaselinePoints) + " points;" +
                                  rt::PSstrLong(int32_t(cases.size())) + " were found.",
                              "Nothing was subtracted."});
    return false;
  }
  const int32_t n = fillPointTable(channel, cases, BaselineValuesArray);
  if (n < 2) {
    tooFewPoints(step);
    return false;
  }
  backupBaselineOnce();
  FixAutoBaselineChannel(n);
  return true;
}

// A period from `first` refused when it does not advance or does not fit the table.
bool periodFits(int32_t first, int32_t period) {
  const int32_t cases = nCases[TheFileInUse];
  if (period < 1) {
    refuseEdit(0, kTitle, {"The period is shorter than one sample interval;", "pick or type a longer one."});
    return false;
  }
  if (periodPointCount(first, period, cases) > kMaxBaselinePoints) {
    refuseEdit(0, kTitle, {"A period of" + rt::PSstrLong(period) + " cases gives more than" +
                               rt::PSstrLong(kMaxBaselinePoints) + " points;",
                           "the shortest period that fits is" + rt::PSstrLong(shortestFittingPeriod(first, cases)) +
                               " cases."});
    return false;
  }
  return true;
}

void buildWindow(int f) {
  rt::Rect plot{10, 40, 10, 40};
  if (rt::windowExists(1000 + f)) plot = rt::windowContentRect(1000 + f);
  const rt::Rect screen = rt::screenRect();
  const int left = std::clamp(plot.right + 6, 0, screen.right - kWidth);
  const int top = std::clamp(plot.top + 30, 40, screen.bottom - kHeight - 10);
  BuildWINDOW(int16_t(kPeriodicWindow), kTitle, int16_t(left), int16_t(top), int16_t(left + kWidth),
              int16_t(top + kHeight), 6);
  SetTextStyle(KestrixFont, 14, 1);
  rt::foreColor(RGBblue);
  PrintAt(12, 22, "Select method to identify");
  PrintAt(12, 40, "baseline regions:");
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kMarkerButton, 1, "Set Baselines at Marker:", {10, 52, 190, 74}, 4);
  EFForeColor = EFBackColor = 1;
  const std::string marker = LastBaselineMarker > 0 ? rt::macRomanChar(uint8_t(LastBaselineMarker & 0xFF)) : "";
  buildef(1, kMarkerField, marker, 198, 54, 230, 72, 3, 1);
  rt::FBButton(kDefaultsBox, 1, "Make These Values the Defaults", {10, 80, 290, 98}, 3);
  PrintAt(12, 118, "Adjust positions by ");
  buildef(1, kShiftField, rt::PSstrLong(LastBaselineShift), 140, 104, 190, 122, 3, 1);
  PrintAt(196, 118, "samples");
  rt::FBButton(kPeriodPickButton, 1, "Pick Interbaseline Interval...", {10, 134, 290, 156}, 1);
  rt::FBButton(kStartPickButton, 1, "Pick Start Point...", {10, 162, 150, 184}, 1);
  PrintAt(158, 178, "interval: ");
  const std::string minutes = SteppedBaselineInterval > 0 ? rt::PSstr(SteppedBaselineInterval) : "45";
  buildef(1, kIntervalField, minutes, 210, 164, 250, 182, 3, 1);
  PrintAt(254, 178, "minutes");
  rt::FBButton(kIntervalOK, 0, "Interval and Start Point OK", {10, 200, 290, 222}, 1);
}

// The cue under the plot before a pick on it.
void cue(int16_t which) {
  const int f = TheFileInUse;
  if (!rt::windowExists(1000 + f)) return;
  const rt::Rect plot = rt::windowContentRect(1000 + f);
  const int bottom = plot.top + BottomOfPlotArea;
  const rt::Rect r = which == kPeriodPickButton ? rt::Rect{plot.left + 120, bottom - 100, plot.left + 520, bottom - 47}
                                                : rt::Rect{plot.left + 150, bottom - 125, plot.left + 500, bottom - 70};
  BuildWINDOW(int16_t(kCueWindow), "", int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom), 2);
  if (prefsArray[7]) PlaySound("brrrp.mp3");
  const rt::Rect box{0, 0, r.width(), r.height()};
  SetTextStyle(KestrixFont, 14, 1);
  for (int pass = 1; pass <= 12; ++pass) {
    rt::setOutputWindow(kCueWindow);
    rt::foreColor(pass % 2 ? RGBblue : VeryLightGray);
    rt::paintRect(box);
    rt::foreColor(pass % 2 ? RGBwhite : RGBblue);
    if (which == kPeriodPickButton) {
      PrintAt(8, 22, "   Pick a block from the center of the first");
      PrintAt(8, 42, "baseline to the center of the NEXT baseline...");
    } else {
      PrintAt(8, 32, "click the center of the first baseline...");
    }
    rt::flushWindow(kCueWindow);
    rt::waitUntilTick(rt::TickCount() + 1);
  }
  rt::waitUntilTick(rt::TickCount() + 84);
  rt::closeWindow(kCueWindow);
  rt::foreColor(RGBblack);
}

// Picks are made on the first page of the paged view.
void resetViewForPick() {
  const int f = TheFileInUse;
  if (FileSHORTS[f][kPageWord] == 1 && FileSHORTS[f][kZoomedWord] == 0 && FileSHORTS[f][kCompressedWord] == 0) return;
  FileSHORTS[f][kPageWord] = 1;
  FileSHORTS[f][kZoomedWord] = FileSHORTS[f][kCompressedWord] = 0;
  if (!rt::windowExists(1000 + f)) return;
  plot::takeActiveChannelScale();
  DrawPlot(0, 0, 0, 0);
}

std::optional<int32_t> shiftTyped() {
  const std::string text = rt::editTextIn(kPeriodicWindow, kShiftField);
  const auto v = typedNumber(text);
  if (v && std::abs(*v) <= 32767) return int32_t(std::trunc(*v));
  refuseEdit(0, kTitle, {"The shift must be a whole number of samples from -32767 to 32767;",
                         "\"" + text + "\" is not one."});
  return std::nullopt;
}

enum class Form { None, Markers, Unrecorded, Leave };

Form markerForm(int16_t step) {
  const std::string text = rt::utf8ToMacRoman(rt::editTextIn(kPeriodicWindow, kMarkerField));
  const auto shift = shiftTyped();
  if (!shift) return Form::None;
  setBaselineWord(4, kAutoPeriodic);
  setBaselineWord(5, text.empty() ? 0.0f : float(uint8_t(text[0])));
  setBaselineWord(6, float(*shift));
  LastBaselineShift = int16_t(*shift);
  if (!DoBaselineWithMarkers(text, int16_t(*shift), step)) return Form::None;
  logEdit(0, ActiveChannel, "automatic periodic baseline (from markers) ");
  return Form::Markers;
}

Form periodFromBlock() {
  const int f = TheFileInUse;
  cue(kPeriodPickButton);
  resetViewForPick();
  BaseLineButton = 0;
  const bool picked = GetBlocksWithCursor(0);
  BaseLineButton = 0;
  rt::bringWindowForward(kPeriodicWindow);  // picking on the plot put it behind
  if (!picked) return Form::None;
  const int32_t first = std::max(1, BeginBlock[f]), period = EndBlock[f] - BeginBlock[f];
  if (!periodFits(first, period)) return Form::None;
  if (!correctAtPoints(periodPointCases(first, period, nCases[f]), 0)) return Form::None;
  logEdit(0, ActiveChannel, "automatic periodic baseline (from blocks) ");
  return Form::Unrecorded;
}

Form periodFromMinutes(int32_t start) {
  const int f = TheFileInUse;
  const std::string text = rt::editTextIn(kPeriodicWindow, kIntervalField);
  const auto minutes = typedNumber(text);
  if (!minutes || *minutes <= 0) {
    PlaySound("bzot.mp3", "DIduzodu");
    refuseEdit(0, kTitle, {"The interval must be a number of minutes above 0; \"" + text + "\" is not one."});
    return Form::None;
  }
  SteppedBaselineInterval = float(*minutes);
  const int32_t period = periodOfMinutes(*minutes, FileInfoFLOATS[f][1]);
  if (!periodFits(start, period)) return Form::None;
  FileSHORTS[f][kBlockStateWord] = 0;
  if (!correctAtPoints(periodPointCases(start, period, nCases[f]), 0)) return Form::None;
  logEdit(0, ActiveChannel, "automatic periodic baseline (from interval) ");
  return Form::Unrecorded;
}

Form windowLoop(int16_t step) {
  bool defaults = false;
  int32_t start = 0;
  for (;;) {
    action = eventID = 0;
    auto [a, id] = takeAction();
    if (a == 4 || (a == 3 && id != kPeriodicWindow)) return Form::Leave;
    if (a == 16) a = 1, id = kMarkerButton;
    if (a != 1 || id >= 100) continue;
    const std::string marker = rt::utf8ToMacRoman(rt::editTextIn(kPeriodicWindow, kMarkerField));
    if (!marker.empty()) LastBaselineMarker = int16_t(uint8_t(marker[0]));
    Form done = Form::None;
    if (id == kDefaultsBox) {
      defaults = !defaults;
      rt::setOutputWindow(kPeriodicWindow);
      rt::setButtonState(kDefaultsBox, defaults ? 2 : 1);
    } else if (id == kMarkerButton) {
      done = markerForm(step);
    } else if (id == kPeriodPickButton) {
      done = periodFromBlock();
    } else if (id == kStartPickButton) {
      cue(kStartPickButton);
      resetViewForPick();
      const int f = TheFileInUse;
      const bool picked = GETPoint();
      rt::bringWindowForward(kPeriodicWindow);
      if (picked && BeginBlock[f] > 0 && BeginBlock[f] < nCases[f]) {
        start = BeginBlock[f];
        rt::setOutputWindow(kPeriodicWindow);
        rt::setButtonState(kIntervalOK, 1);
      }
    } else if (id == kIntervalOK && start > 0) {
      done = periodFromMinutes(start);
    }
    if (done != Form::None) {
      if (defaults) SaveSettings(0);
      return done;
    }
  }
}

}  // namespace

bool DoBaselineWithMarkers(const std::string& macRomanMarker, int16_t shift, int16_t step) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return false;
  const auto cases = markerPointCases(markersOfFile(f), macRomanMarker, shift, nCases[f]);
  if (!correctAtPoints(cases, step)) return false;
  logEdit(0, ActiveChannel, "baseline from markers");
  return true;
}

MethodEnd periodicBaseline(int16_t step, bool replaying) {
  const int f = TheFileInUse;
  HideTheToolBar();
  buildWindow(f);
  Form done = Form::None;
  if (replaying) {
    const float* w = ScriptSequenceArray[step];
    if (!std::isfinite(w[5]) || !std::isfinite(w[6]) || w[5] < 0 || w[5] > 255 || std::abs(w[6]) > 32767) {
      refuseEdit(step, kTitle, {"The step's marker or shift (words 5 and 6) is not one the method can use.",
                                "Nothing was subtracted."});
    } else {
      const std::string marker(1, char(uint8_t(std::trunc(w[5]))));
      if (DoBaselineWithMarkers(marker, int16_t(std::trunc(w[6])), step)) done = Form::Markers;
    }
  } else {
    installModalHandlers();
    done = windowLoop(step);
  }
  rt::closeWindow(kPeriodicWindow);
  RestoreTheToolBar();
  if (done == Form::Markers || done == Form::Unrecorded) {
    if (FileSHORTS[f][kViewModeWord] == 0) BaselineWasDrawn = 1;
    EndBeep();
  }
  switch (done) {
    case Form::Markers: return MethodEnd::Applied;
    case Form::Unrecorded: return MethodEnd::AppliedUnrecorded;
    case Form::Leave: return MethodEnd::LeaveWindow;
    default: return MethodEnd::Nothing;
  }
}

int16_t AutoPeriodicBASELINE(int16_t step) {
  periodicBaseline(step, stepSuppliesParameters(step, true));
  return 0;
}

}  // namespace qv

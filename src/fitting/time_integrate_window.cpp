// "Time Integration", "Selective Integration" and "Event Counting": one window over the block
// of a channel, between two limits typed, taken from the block's range or picked as lines in
// the block window.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/menus.h"
#include "core/output_state.h"
#include "core/prefs.h"
#include "core/results_scaling.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/script_recorder.h"
#include "core/sounds.h"
#include "core/stats_state.h"
#include "core/text_format.h"
#include "core/typed_number.h"
#include "core/warning.h"
#include "fitting/commands.h"
#include "fitting/event_count.h"
#include "fitting/event_window.h"
#include "fitting/fit_steps.h"
#include "fitting/trigger_pick.h"
#include "output/commands.h"
#include "output/output.h"
#include "output/results_layout.h"
#include "plot/label_strip.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "stats/analysis_window.h"
#include "stats/block_limits.h"
#include "stats/block_stats.h"
#include "stats/block_value_range.h"
#include "stats/histogram_window.h"

namespace qv {

float LastPosSelectiveLimit = 0.0f;
float LastNegSelectiveLimit = 0.0f;

namespace {

constexpr int kBlockWindow = 2, kResultsWindow = 4, kLabelStrip = 966;
constexpr int16_t kEventHelp = 196;
constexpr int kHelp = 241, kHelpBook = 200, kRecalculate = 245;
constexpr int kGreaterThan = 218, kLessThan = 219, kMinimum = 220, kMaximum = 221, kPrint = 222;
constexpr int kLeftLimit = 224, kRightLimit = 223, kDistribution = 232, kSwitch = 230, kScale = 231;
constexpr int kMinimumBox = 225, kCountAllBox = 226, kSaveDetails = 227;
constexpr int kUnitButtons[] = {kUnitSeconds, kUnitMinutes, kUnitHours, kUnitDays};

struct Run {
  int f = -1;
  int16_t mode = 0;
  int32_t leftOffset = 0, rightOffset = 0;
  bool rightSet = false;
  int16_t leftX = 0, rightX = 0;
  int16_t step = 0;
  std::string good101, good103, good115;  // the fields' texts last taken as numbers
  bool minimumBox = false, countAll = true;  // boxes 225 and 226
  TimeIntRecord last;
};

int16_t codeOf(int16_t mode) {
  return mode == 1 ? kCodeEventCounter : mode == 2 ? kCodeSelectiveIntegration : kCodeTimeIntegration;
}
int16_t stepOf(int16_t mode) { return mode == 1 ? 37 : mode == 2 ? 45 : 36; }

int32_t firstCase(const Run& r) { return int32_t(std::min<int64_t>(int64_t(BeginBlock[r.f]) + r.leftOffset, INT32_MAX)); }
int32_t lastCase(const Run& r) {
  return r.rightSet ? int32_t(std::min<int64_t>(int64_t(BeginBlock[r.f]) + r.rightOffset, INT32_MAX)) : EndBlock[r.f];
}

ValueRange blockRange(const Run& r) {
  return blockValueRange(analysisSamples(r.f, ch), BeginBlock[r.f], EndBlock[r.f]);
}

void setField(int id, const std::string& text) {
  if (rt::controlExistsIn(kResultsWindow, id)) rt::setEditTextIn(kResultsWindow, id, text);
}

// A number from field id; text that is not one is refused with a message and its last good
// text put back.
std::optional<double> fieldNumber(int id, std::string& good, const char* what) {
  if (!rt::controlExistsIn(kResultsWindow, id)) return rt::PSval(good);
  const std::string text = rt::editTextIn(kResultsWindow, id);
  if (const auto v = typedNumber(text)) {
    good = text;
    return v;
  }
  Warn(1166, "Caution: ", {std::string("The ") + what + " is not a number: \"" + text + "\"",
                           "It stays " + good + "."});
  setField(id, good);
  if (rt::windowExists(kResultsWindow)) rt::bringWindowForward(kResultsWindow);
  toAnalysisResults();
  return std::nullopt;
}

// ---- Drawing ------------------------------------------------------------------

void heading(int16_t mode) {
  SetTextStyle(KestrixFont, 13, 1);
  rt::foreColor(RGBblack);
  PrintAt(19, 45, mode == 1 ? "number of events that are:" : mode == 0 ? "cumulative time at values that are:"
                                                                        : "cumulative data at values that are:");
}

void FIXTIMECUE(int16_t mode) {
  rt::eraseRect({0, 97, 320, 140});
  SetTextStyle(KestrixFont, 13, 0);
  rt::foreColor(RGBblack);
  if (mode == 1) {
    PrintAt(6, 113, "'positive' events:");
    PrintAt(6, 135, "'negative' events:");
    rt::FBEditField(102, "", {150, 99, 240, 116}, 7);
    rt::FBEditField(104, "", {150, 121, 240, 138}, 7);
    return;
  }
  PrintAt(6, 113, mode == 0 ? "Time in:" : "integral = ");
  PrintAt(6, 135, "percentage of total:");
  rt::FBEditField(102, "", {150, 99, 316, 116}, 7);
  rt::FBEditField(104, "", {150, 121, 316, 138}, 7);
  rt::setEditFont(102, KestrixFont, 13, rt::kBold);
  rt::setEditColors(102, RGBred, RGBwhite);
}

void EventCountStuff(const Run& r) {
  SetTextStyle(KestrixFont, 13, 1);
  rt::foreColor(RGBblue);
  PrintAt(380, 45, "'positive' events ");
  rt::foreColor(RGBred);
  PrintAt(500, 45, " 'negative' events");
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(RGBblack);
  const char* rows[] = {"mean:", "S.D.:", "min:", "max:"};
  for (int k = 0; k < 4; ++k) {
    const int y = 52 + 24 * k;
    PrintAt(330, y + 14, rows[k]);
    rt::FBEditField(110 + k, "", {380, y, 480, y + 18}, 7);
    rt::FBEditField(120 + k, "", {510, y, 610, y + 18}, 7);
  }
  rt::FBButton(kMinimumBox, r.countAll ? 0 : r.minimumBox ? 2 : 1, "Only Use Event Durations > ", {4, 144, 206, 162}, 2);
  rt::FBEditField(115, r.good115, {208, 145, 268, 161}, 3);
  PrintAt(272, 158, "sec");
  rt::FBButton(kCountAllBox, r.countAll ? 2 : 1, "Count All Events", {4, 166, 150, 184}, 2);
  RateUnitPopup();
  rt::FBAppearanceButton(kSaveDetails, 1, 1, kRateMenu, 0, "Save Details...", {4, 212, 250, 232},
                         rt::kControlPopupButton);
}

void buildControls(Run& r) {
  const int16_t mode = r.mode;
  rt::FBButton(kHelp, 1, "?", {290, 234, 318, 252}, 1);
  heading(mode);
  SetTextStyle(KestrixFont, 14, 0);
  PrintAt(8, 67, "\u2265");
  PrintAt(163, 67, "\u2264");
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBEditField(101, r.good101, {24, 53, 150, 69}, 3);
  rt::FBEditField(103, r.good103, {179, 53, 305, 69}, 3);
  rt::FBButton(kGreaterThan, 1, "Greater Than", {4, 74, 82, 92}, 1);
  rt::FBButton(kLessThan, 1, "Less Than", {84, 74, 162, 92}, 1);
  rt::FBButton(kMinimum, 1, "Minimum", {164, 74, 240, 92}, 1);
  rt::FBButton(kMaximum, 1, "Maximum", {242, 74, 318, 92}, 1);
  FIXTIMECUE(mode);
  if (mode == 1) {
    EventCountStuff(r);
  } else {
    rt::FBButton(kUnitSeconds, 1, "Seconds", {4, 144, 80, 162}, 3);
    rt::FBButton(kUnitMinutes, 1, "Minutes", {82, 144, 158, 162}, 3);
    rt::FBButton(kUnitHours, 1, "Hours", {160, 144, 236, 162}, 3);
    rt::FBButton(kUnitDays, 1, "Days", {238, 144, 314, 162}, 3);
    if (rt::controlExists(IntegrationUnit)) rt::setButtonState(IntegrationUnit, 2);
    rt::FBButton(kSwitch, 1, mode == 0 ? "Switch to Selective Integration" : "Switch to Time Integration",
                 {4, 212, 200, 230}, 1);
    rt::FBButton(kScale, Rscale ? 2 : 1, "Scale", {202, 212, 252, 230}, 1);
  }
  rt::FBButton(kLeftLimit, 1, "Left Limit", {4, 190, 82, 208}, 1);
  rt::FBButton(kRightLimit, 1, "Right Limit", {84, 190, 162, 208}, 1);
  rt::FBButton(kRecalculate, 1, "Recalculate", {164, 190, 240, 208}, 1);
  rt::FBButton(kDistribution, 1, "Distribution", {242, 190, 318, 208}, 1);
  if (PortForResultsOutput != 0) rt::FBButton(kPrint, 1, "Print", {254, 212, 318, 230}, 1);
}

// Window 4 of the mode: the results window, or for the count a wider one below the plot.
void openWindow(const Run& r) {
  if (r.mode != 1) {
    OpenResultsWindow(0, 0, r.mode == 0 ? "Time Integration" : "Selective Integration", 0);
    return;
  }
  rt::closeWindow(kResultsWindow);
  rt::closeWindow(6);
  PlotPlace place{10, 40, BottomOfPlotArea};
  if (rt::windowExists(1000 + r.f)) {
    rt::bringWindowForward(1000 + r.f);
    const rt::Rect p = rt::windowContentRect(1000 + r.f);
    place.left = p.left;
    place.top = p.top;
  }
  const int screenBottom = rt::screenRect().bottom;
  const Box b = resultsWindowBounds(place, 0, false, false, screenBottom);
  const int top = std::min(b.top, screenBottom - 344);
  BuildWINDOW(kResultsWindow, "Event Counting                                       Event duration",
              int16_t(b.left), int16_t(top), int16_t(b.left + 643), int16_t(top + 344), 6);
}

void build(Run& r) {
  AnalysisCode = codeOf(r.mode);
  openWindow(r);
  DrawChannelButtons(260);
  DoubleLINE(0, 320, 30);
  WriteHEADER();
  buildControls(r);
  if (rt::controlExists(ch)) rt::setButtonState(ch, 2);
  MakeButtonChannelLabelWindow(kResultsWindow);
}

// The duration histogram: positive counts up from the yellow line, negative down.
void drawHistogram(const EventCount& c) {
  GrayBOX(1, 325, 180, 635, 284);
  rt::foreColor(rgbyellow);
  rt::moveTo(326, 231);
  rt::lineTo(634, 231);
  if (c.largestBin <= 0) return;
  for (int b = 1; b <= kDurationBins; ++b) {
    const int x = 331 + 12 * (b - 1);
    for (const EventSide* s : {&c.positive, &c.negative}) {
      const int32_t count = s->bins[size_t(b)];
      if (count == 0) continue;
      const int h = std::max(1, int(std::trunc(double(count) * 49.0 / c.largestBin + 0.5)));
      const bool up = s == &c.positive;
      const rt::Rect bar = up ? rt::Rect{x, 230 - h, x + 10, 230} : rt::Rect{x, 232, x + 10, 232 + h};
      rt::foreColor(up ? RGBblue : RGBred);
      rt::paintRect(bar);
      rt::foreColor(RGBblack);
      rt::frameRect(bar);
    }
  }
}

std::string statText(const EventSide& s, double v) { return s.timed.empty() ? "**" : rt::PSstr(v); }

void showEvents(const TimeIntRecord& rec, bool countAll) {
  const EventCount& c = rec.events;
  EventCounterFields& e = LastEventFields;
  e.positiveEvents = rt::PSstrLong(countAll ? c.positive.all : c.positive.count());
  e.negativeEvents = rt::PSstrLong(countAll ? c.negative.all : c.negative.count());
  auto side = [](const EventSide& s, std::string& mean, std::string& sd, std::string& min, std::string& max) {
    mean = statText(s, s.mean);
    sd = statText(s, s.sd);
    min = statText(s, s.min);
    max = statText(s, s.max);
  };
  side(c.positive, e.positiveMean, e.positiveSD, e.positiveMinimum, e.positiveMaximum);
  side(c.negative, e.negativeMean, e.negativeSD, e.negativeMinimum, e.negativeMaximum);
  setField(102, e.positiveEvents);
  setField(104, e.negativeEvents);
  const std::string* texts[] = {&e.positiveMean, &e.positiveSD, &e.positiveMinimum, &e.positiveMaximum,
                                &e.negativeMean, &e.negativeSD, &e.negativeMinimum, &e.negativeMaximum};
  for (int k = 0; k < 8; ++k) setField((k < 4 ? 110 : 116) + k, *texts[k]);
  meanValue = c.positive.all;
  StandardDeviation = float(c.negative.sd);
  toAnalysisResults();
  drawHistogram(c);
}

void showLevel(const TimeIntRecord& rec) {
  const double shown = scalingFor(ch).level(rec.value);
  const bool finite = std::isfinite(float(shown));
  setField(102, finite ? StringFormatter(float(shown)) + (rec.mode == 0 ? integrationUnitText(IntegrationUnit) : "")
                       : "**");
  setField(104, rec.percent ? StringFormatter(float(*rec.percent)) + (rec.mode == 0 ? " " : " %") : "**");
  meanValue = rec.value;
  StandardDeviation = rec.percent ? float(*rec.percent) : 0.0f;
}

// One computation with the limits as they stand; the order test and the remembered limits
// are the caller's.
void compute(Run& r, float f101, float f103) {
  rt::setCursor(rt::Cursor::Wait);
  TimeIntArgs a;
  a.field101 = f101;
  a.field103 = f103;
  a.first = firstCase(r);
  a.last = lastCase(r);
  a.mode = r.mode;
  a.useMinimum = !r.countAll && r.minimumBox;
  a.interval = FileInfoFLOATS[r.f][1];
  a.unit = IntegrationUnit;
  if (r.mode == 1) {
    if (const auto m = fieldNumber(115, r.good115, "minimum duration")) a.minimumSeconds = *m;
    else a.useMinimum = false;
  }
  r.last = DoTIMEINT(analysisSamples(r.f, ch), a);
  if (r.mode == 1) showEvents(r.last, r.countAll);
  else showLevel(r.last);
  // The report's limits: the lower one in mi, the upper in ma, in every mode.
  mi = r.mode == 1 ? f103 : f101;
  ma = r.mode == 1 ? f101 : f103;
  x1float = float(a.first);
  SecondXvalue = float(a.last);
  rt::setCursor(rt::Cursor::Arrow);
  if (prefsArray[7]) EndBeep();
  toAnalysisResults();
}

void recalculate(Run& r) {
  const auto f103 = fieldNumber(103, r.good103, "limit");
  const auto f101 = fieldNumber(101, r.good101, "limit");
  if (!f101 || !f103) return;
  LastPosSelectiveLimit = float(*f101);
  LastNegSelectiveLimit = float(*f103);
  if (r.mode != 1 && *f101 >= *f103) {
    bzot();
    return;
  }
  compute(r, float(*f101), float(*f103));
}

// ---- Buttons --------------------------------------------------------------------

void pick(Run& r, int id) {
  const bool upper = id == kGreaterThan;
  setAnalysisButton(id, 2);
  upper ? downvip() : upvip();
  rt::removeControl(102);
  rt::removeControl(104);
  MOVE_CURSOR_CUE(6, 126, 304, 178, "Use cursor to set limit -- > ", 156);
  if (rt::windowExists(kBlockWindow)) rt::bringWindowForward(kBlockWindow);
  GetTRIGGER(upper ? 5 : 2, upper ? 1 : 2);
  if (rt::windowExists(kResultsWindow)) rt::bringWindowForward(kResultsWindow);
  toAnalysisResults();
  rt::FlushEvents();
  setAnalysisButton(id, 1);
  // The cue was drawn over the results and the caption of field 115.
  rt::eraseRect({0, 97, 320, 180});
  FIXTIMECUE(r.mode);
  if (r.mode == 1) {
    SetTextStyle(KestrixFont, 12, 0);
    PrintAt(272, 158, "sec");
  }
  recalculate(r);
}

void setLimit(Run& r, int16_t side) {
  const int id = side ? kRightLimit : kLeftLimit;
  setAnalysisButton(id, 2);
  const int32_t before = side ? r.rightOffset : r.leftOffset;
  const int16_t beforeX = side ? r.rightX : r.leftX;
  const bool beforeSet = r.rightSet;
  int32_t& offset = side ? r.rightOffset : r.leftOffset;
  offset = SETLIMITS(offset, side);
  (side ? r.rightX : r.leftX) = HorizPosition;
  if (side) r.rightSet = true;
  if (firstCase(r) > lastCase(r)) {
    // Limits that cross leave no range: the old one stays.
    offset = before;
    (side ? r.rightX : r.leftX) = beforeX;
    r.rightSet = beforeSet;
    DrawBLOCK();
    FIXLIMITS(r.leftOffset, r.rightSet ? r.rightOffset : 0, r.leftX, r.rightX);
    bzot();
  } else {
    recalculate(r);
  }
  setAnalysisButton(id, 1);
  toAnalysisResults();
}

void chooseChannel(Run& r, int c) {
  setAnalysisButton(ch, 1);
  ch = chanB = int16_t(c);
  setAnalysisButton(c, 2);
  DrawBLOCK();
  FIXLIMITS(r.leftOffset, r.rightSet ? r.rightOffset : 0, r.leftX, r.rightX);
  toAnalysisResults();
  WriteHEADER();
  recalculate(r);
}

// The block's distribution; the window's own results are kept for its report.
void distribution(const Run& r) {
  const BlockStats s = blockStats(analysisSamples(r.f, ch), BeginBlock[r.f], EndBlock[r.f]);
  if (!s.valid()) {
    bzot();
    return;
  }
  const double keptMean = meanValue;
  const float keptSD = StandardDeviation, keptMin = mi, keptMax = ma;
  mi = s.min;
  ma = s.max;
  StandardDeviation = s.sd;
  HISTOGRAM(BeginBlock[r.f], EndBlock[r.f], s.mean, 0, 0);
  meanValue = keptMean;
  StandardDeviation = keptSD;
  mi = keptMin;
  ma = keptMax;
  toAnalysisResults();
}

void saveDetails(Run& r) {
  const auto f103 = fieldNumber(103, r.good103, "limit");
  const auto f101 = fieldNumber(101, r.good101, "limit");
  if (!f101 || !f103) return;
  std::optional<double> m = 0.0;
  const bool useMinimum = !r.countAll && r.minimumBox;
  if (useMinimum) m = fieldNumber(115, r.good115, "minimum duration");
  if (!m) return;
  const int item = rt::controlValueIn(kResultsWindow, kSaveDetails);
  SaveEventCountDetails(float(*f103), float(*f101), firstCase(r), lastCase(r), useMinimum, float(*m), item);
  toAnalysisResults();
}

void toggleCountAll(Run& r) {
  r.countAll = !r.countAll;
  setAnalysisButton(kCountAllBox, r.countAll ? 2 : 1);
  setAnalysisButton(kMinimumBox, r.countAll ? 0 : r.minimumBox ? 2 : 1);
}

void switchMode(Run& r) {
  if (r.mode == 1) return;
  if (rt::controlExistsIn(kResultsWindow, 101)) r.good101 = rt::editTextIn(kResultsWindow, 101);
  if (rt::controlExistsIn(kResultsWindow, 103)) r.good103 = rt::editTextIn(kResultsWindow, 103);
  r.mode = r.mode == 0 ? 2 : 0;
  if (prefsArray[7]) upvip();
  build(r);
  recalculate(r);
}

// Returns false when the window ends.
bool button(Run& r, int id) {
  if (toolbarButtonPicked(id)) return false;
  if (id != 101 && id != 103 && id != 115) AnalysisTypingField = 0;
  if (id >= 1 && id <= std::min<int>(nChannels[r.f], kMaxChannels)) {
    chooseChannel(r, id);
    return true;
  }
  if (std::find(std::begin(kUnitButtons), std::end(kUnitButtons), id) != std::end(kUnitButtons)) {
    for (int u : kUnitButtons) setAnalysisButton(u, u == id ? 2 : 1);
    IntegrationUnit = int16_t(id);
    recalculate(r);
    return true;
  }
  switch (id) {
    case 101:
    case 103:
    case 115:
      AnalysisTypingField = int16_t(id);
      rt::selectEditField(id, 0, int(rt::editText(id).size()));
      break;
    case kGreaterThan:
    case kLessThan: pick(r, id); break;
    case kMinimum:
    case kMaximum: {
      const ValueRange v = blockRange(r);
      if (!v.valid) {
        bzot();
        break;
      }
      id == kMinimum ? downvip() : upvip();
      setField(id == kMinimum ? 101 : 103, rt::PSstr(id == kMinimum ? v.min : v.max));
      recalculate(r);
      break;
    }
    case kPrint:
      DRAFTPRINT("p");
      break;
    case kLeftLimit: setLimit(r, 0); break;
    case kRightLimit: setLimit(r, 1); break;
    case kMinimumBox:
      r.minimumBox = !r.minimumBox;
      setAnalysisButton(kMinimumBox, r.minimumBox ? 2 : 1);
      recalculate(r);
      break;
    case kCountAllBox:
      toggleCountAll(r);
      recalculate(r);
      break;
    case kSaveDetails: saveDetails(r); break;
    case kSwitch: switchMode(r); break;
    case kScale:
      Rscale = Rscale ? 0 : 1;
      setAnalysisButton(kScale, Rscale ? 2 : 1);
      Rscale ? downvip() : upvip();
      recalculate(r);
      break;
    case kDistribution: distribution(r); break;
    case kHelp:
    case kHelpBook:
      HelpSubject = kEventHelp;
      OpenHelpBook();
      break;
    case kRecalculate: recalculate(r); break;
    default: break;
  }
  toAnalysisResults();
  return true;
}

bool handle(Run& r) {
  const int id = eventID;
  switch (action) {
    case 1: return button(r, id);
    case 16:
      // Return recalculates with what the fields hold.
      if (id == 13) {
        AnalysisTypingField = 0;
        recalculate(r);
        return true;
      }
      return analysisKey(id, r.f, printAnalysisReport, [&r](int c) { chooseChannel(r, c); });
    case 3: return id == kResultsWindow || id == kLabelStrip || isHistogramWindow(id);
    case 4:
      if (id == kResultsWindow) {
        rt::closeWindow(kResultsWindow);
        return false;
      }
      if (isHistogramWindow(id)) rt::closeWindow(id);
      return true;
    default: return true;
  }
}

void eventLoop(Run& r) {
  for (;;) {
    ShowButtonChannelLabel(kResultsWindow);
    HelpSubject = kEventHelp;
    rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
    waitForAnalysisEvent();
    if (MENU_or_ToolBar_PICKED) {
      if (!scaleResultsPicked()) return;
      takeScaleResultsPick();
      toAnalysisResults();
      recalculate(r);
      continue;
    }
    if (!handle(r)) return;
  }
}

// The step recorded at the start, written with what the window ended with.
void completeStep(const Run& r) {
  if (r.step < 1 || r.step > kMostScriptSteps) return;
  float* w = ScriptSequenceArray[r.step];
  w[1] = stepOf(r.mode);
  w[2] = 1.0f;
  w[4] = float(rt::PSval(r.good101));
  w[5] = float(rt::PSval(r.good103));
  w[6] = IntegrationUnit;
  w[7] = r.minimumBox ? 1.0f : 0.0f;
  w[8] = r.countAll ? 1.0f : 0.0f;
  w[9] = float(rt::PSval(r.good115));
}

void leave(const Run& r) {
  AnalysisTypingField = 0;
  if (DumpHist) closeHistogramWindows();
  if (ActiveChannel == chanB) {
    REFRESHBLOCK();
  } else {
    chanB = ActiveChannel;
    DrawBLOCK();
  }
  rt::FlushEvents();
  if (rt::windowExists(1000 + r.f)) rt::bringWindowForward(1000 + r.f);
  prefsArray[71] = 0;
  bup();
  clearAnalysisScratchCase(r.f);
}

// The limits a new window starts from.
void startLimits(Run& r, const float* replayed) {
  const ValueRange v = blockRange(r);
  const float lo = v.valid ? v.min : 0.0f, hi = v.valid ? v.max : 0.0f;
  if (r.mode == 1) r.good101 = r.good103 = rt::PSstr(lo + 0.5f * (hi - lo));
  else {
    r.good101 = rt::PSstr(lo);
    r.good103 = rt::PSstr(hi);
  }
  if (LastPosSelectiveLimit != 0.0f) r.good101 = rt::PSstr(LastPosSelectiveLimit);
  if (LastNegSelectiveLimit != 0.0f) r.good103 = rt::PSstr(LastNegSelectiveLimit);
  r.good115 = rt::PSstr(FileInfoFLOATS[r.f][1]);
  if (replayed) {
    r.good101 = rt::PSstr(replayed[4]);
    r.good103 = rt::PSstr(replayed[5]);
    const int16_t unit = int16_t(replayed[6]);
    if (std::find(std::begin(kUnitButtons), std::end(kUnitButtons), unit) != std::end(kUnitButtons))
      IntegrationUnit = unit;
    r.good115 = rt::PSstr(replayed[9]);
    r.minimumBox = replayed[7] != 0.0f;
    r.countAll = replayed[8] != 0.0f;
  }
}

}  // namespace

void TIMEINTEGRATE(int16_t mode) {
  const int f = TheFileInUse;
  if (!analysisBlockSet(f)) return;
  SavedHandlers savedHandlers;
  Run r;
  r.f = f;
  r.mode = mode == 1 || mode == 2 ? mode : 0;
  HelpSubject = kEventHelp;
  prefsArray[71] = 1;
  const float* replayed = replayedStep(stepOf(r.mode));
  r.step = RecordScriptStep(stepOf(r.mode));
  if (std::find(std::begin(kUnitButtons), std::end(kUnitButtons), IntegrationUnit) == std::end(kUnitButtons))
    IntegrationUnit = kUnitMinutes;
  ch = analysisStartChannel(f);
  // The pick reads the block window's scale: it shows the channel analysed.
  if (chanB != ch) {
    chanB = ch;
    DrawBLOCK();
  }
  clearAnalysisScratchCase(f);
  startLimits(r, replayed);
  build(r);
  // The first pass takes the limits as they stand, crossed or not.
  compute(r, float(rt::PSval(r.good101)), float(rt::PSval(r.good103)));
  rt::bringWindowForward(kResultsWindow);
  toAnalysisResults();
  installModalHandlers();
  rt::setHandler(rt::Vector::Edit, AnalysisWindowKeys);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  AnalysisTypingField = 0;
  action = eventID = 0;
  eventLoop(r);
  completeStep(r);
  leave(r);
}

}  // namespace qv

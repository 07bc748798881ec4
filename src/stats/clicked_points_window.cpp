// "Running Average" and "Average Pair Differences": values clicked on the plot of the active
// channel, one by one or in pairs, with their statistics after every click. Each tool holds
// the plot's mouse for as long as it runs and gives the views back as they were.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/help.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "plot/pick_tracking.h"
#include "output/commands.h"
#include "output/output.h"
#include "core/output_state.h"
#include "plot/block_geometry.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "stats/clicked_points.h"
#include "core/clicked_points_state.h"
#include "stats/commands.h"
#include "stats/stats_block.h"
#include "core/stats_state.h"

namespace qv {

int16_t REnd = 0;
PairTimeStats LastPairTimes;

namespace {

constexpr int kResultsWindow = 4, kTimeWindow = 6, kLabelStrip = 966, kDoneButton = 700, kTotalField = 8;
constexpr int kToolsHelp = 185;
constexpr int kDelete = 8, kReturn = 13, kLeftArrow = 28, kRightArrow = 29;
constexpr rt::RGB kGreenText{0, 0x8000, 0};

enum class Tool { Running, Pairs };

struct Click {
  bool pending = false;
  int x = 0, window = 0;
} gClick;

// The tools' mouse handler: the click and where it fell, for the loop to take.
void PointToolMouse() {
  action = -999;
  eventID = int16_t(std::max(rt::mouseClickCount(), 1));
  gClick = {true, rt::mousePoint().x, rt::mouseWindow()};
}

struct Mark {
  int x = 0;
  int page = 0;
};

struct Session {
  Tool tool = Tool::Running;
  int f = -1;
  int16_t savedWhole = 0, savedMulti = 0;
  RunningValues running;
  ValuePairs pairs;
  Mark lastMark, firstMark;  // the last single click or second point; the waiting first point
  bool fullNoticeShown = false;
};

int plotWindow(int f) { return plot::kPlotWindowBase + f; }

void clearScratchCase(int f) {
  if (gPointersToFileData[f][0]) PutDatum(f, 0, 0, 0.0f);
}

void toWindow(int w) {
  if (rt::windowExists(w)) rt::setOutputWindow(w);
}

// A vertical mark at x over the plot, in a colour (or the background, which removes it).
void verticalMark(int f, int x, rt::RGB color) {
  toWindow(plotWindow(f));
  rt::penNormal();
  rt::foreColor(color);
  rt::moveTo(x, BottomOfPlotArea - 4);
  rt::lineTo(x, 60);
  rt::penNormal();
}

void joinPair(int f, int x1, int x2) {
  toWindow(plotWindow(f));
  rt::penNormal();
  rt::penMode(rt::kPatXor);
  rt::moveTo(x1, BottomOfPlotArea - 4);
  rt::lineTo(x2, BottomOfPlotArea - 4);
  rt::penNormal();
}

void textLine(int x, int y, const std::string& text, int size = 12, int face = 0) {
  SetTextStyle(KestrixFont, int16_t(size), int16_t(face));
  PrintAt(x, y, text);
}

void totalField(double total, int n) {
  rt::foreColor(kGreenText);
  textLine(14, 63, "Total = ");
  rt::foreColor(RGBblack);
  const std::string text = n > 0 ? rt::PSstr(float(total)) : "";
  if (!rt::controlExists(kTotalField)) rt::FBEditField(kTotalField, text, {80, 51, 250, 66}, 7);
  else rt::setEditText(kTotalField, text);
}

// The statistics of the values into the shared results, for the statistics block and "P".
void publish(const ClickedStats& s) {
  nrPoints = s.n;
  nPoints = s.n;
  meanValue = s.n > 0 ? s.mean : 0.0;
  StandardDeviation = s.sd ? float(*s.sd) : 0.0f;
  mi = float(s.min);
  ma = float(s.max);
  yFloat = float(s.last);
  x1float = SecondXvalue = 0.0f;
  row = 7;
  REnd = int16_t(s.n);
}

void clearTextArea() {
  rt::eraseRect({0, 0, 322, 250});
}

void fullNotice(Session& s, bool show) {
  toWindow(kResultsWindow);
  rt::eraseRect({0, 236, 322, 252});
  s.fullNoticeShown = show;
  if (!show) return;
  rt::foreColor(RGBred);
  textLine(8, 248, std::to_string(kMostClickedValues) + " values are held: Delete one to take another.", 11);
  rt::foreColor(RGBblack);
}

void showRunning(Session& s) {
  toWindow(kResultsWindow);
  const ClickedStats st = s.running.stats();
  rt::eraseRect({0, 16, 322, 70});
  rt::foreColor(RGBblack);
  rt::backColor(LightGray);
  textLine(9, 27, "number of points averaged = " + std::to_string(st.n) + "      ");
  if (st.n > 0) {
    textLine(20, 44, "last value = ");
    textLine(20 + rt::stringWidth("last value = "), 44, rt::PSstr(float(st.last)) + "                 ", 12, rt::kBold);
  }
  rt::backColor(RGBwhite);
  publish(st);
  BasicSTATS(0);
  totalField(st.total, st.n);
}

void showPairs(Session& s) {
  toWindow(kResultsWindow);
  const ClickedStats st = s.pairs.valueStats();
  rt::eraseRect({0, 16, 322, 70});
  rt::foreColor(RGBblack);
  textLine(8, 27, "total pair differences averaged = " + std::to_string(st.n) + "        ");
  rt::foreColor(RGBwhite);
  rt::moveTo(0, 17);
  rt::lineTo(320, 17);
  rt::foreColor(RGBblack);
  if (st.n > 0) textLine(4, 44, "    last value = " + rt::PSstr(float(st.last)) + "                 ");
  publish(st);
  BasicSTATS(0);
  totalField(st.total, st.n);

  const ClickedStats t = s.pairs.timeStats();
  LastPairTimes.mean = float(t.mean);
  LastPairTimes.sd = t.sd ? float(*t.sd) : 0.0f;
  LastPairTimes.min = float(t.min);
  LastPairTimes.max = float(t.max);
  if (rt::windowExists(kTimeWindow)) {
    toWindow(kTimeWindow);
    rt::eraseRect({0, 0, 322, 50});
    textLine(9, 27, "Total time differences averaged = " + std::to_string(t.n) + "      ");
    if (t.n > 0) textLine(14, 45, "last value = " + rt::PSstr(float(t.last)) + "                 ");
    TIMESTATS();
  }
  toWindow(kResultsWindow);
}

void show(Session& s) {
  s.tool == Tool::Running ? showRunning(s) : showPairs(s);
  if (rt::windowExists(plotWindow(s.f))) rt::bringWindowForward(plotWindow(s.f));
}

std::optional<int32_t> caseUnderClick(int f, int x) {
  const int64_t c = plot::caseUnder(plot::blockViewOfSlot(f), x);
  // A click before the first case or past the last (a short file, the last page) reads nothing.
  if (c < 1 || c > nCases[f]) return std::nullopt;
  return int32_t(c);
}

void takeClick(Session& s) {
  const int f = s.f;
  const Click c = gClick;
  gClick.pending = false;
  while (rt::Button()) rt::trackingPump();
  if (!c.pending || c.window != plotWindow(f)) return;
  const std::optional<int32_t> k = caseUnderClick(f, c.x);
  if (!k) return;
  const float* x = gPointersToFileData[f][ActiveChannel].get();
  if (!x) return;
  const double value = x[*k];
  const int page = FileSHORTS[f][1];
  if (s.tool == Tool::Running) {
    const ClickOutcome o = s.running.click(value);
    if (o == ClickOutcome::Refused) return bzot();
    if (o == ClickOutcome::Full) {
      bzot();
      fullNotice(s, true);
      return;
    }
    verticalMark(f, c.x, rt::colorOfNumber(1));
    s.lastMark = {c.x, page};
  } else {
    switch (s.pairs.click(*k, value, FileInfoFLOATS[f][1])) {
      case ClickOutcome::Full:
        bzot();
        fullNotice(s, true);
        return;
      case ClickOutcome::Refused:
        if (!std::isfinite(value)) bzot();  // a missing sample; a second click on the first case is let pass
        return;
      case ClickOutcome::Waiting:
        s.firstMark = {c.x, page};
        verticalMark(f, c.x, rt::colorOfNumber(1));
        lobeep();
        return;
      case ClickOutcome::Taken:
        s.lastMark = {c.x, page};
        verticalMark(f, c.x, green);
        if (s.firstMark.page == page) joinPair(f, c.x, s.firstMark.x);
        hibeep();
        break;
    }
  }
  show(s);
  rt::FlushEvents();
}

void unmark(const Session& s, const Mark& m) {
  if (m.page == FileSHORTS[s.f][1]) verticalMark(s.f, m.x, plotBackColor);
}

void reject(Session& s) {
  if (s.tool == Tool::Running) {
    if (s.running.erase() != DeleteOutcome::Removed) return;
    unmark(s, s.lastMark);
  } else {
    switch (s.pairs.erase()) {
      case DeleteOutcome::Nothing: return;
      case DeleteOutcome::CancelledWaiting:
        unmark(s, s.firstMark);
        Rip();
        return;
      case DeleteOutcome::Removed:
        // The pair's first point is the one before the waiting point was placed: only the
        // second mark and the join are known for certain.
        unmark(s, s.lastMark);
        break;
    }
  }
  Rip();
  if (s.fullNoticeShown) fullNotice(s, false);
  show(s);
}

void page(Session& s, int key) {
  const int f = s.f;
  const int pages = FileSHORTS[f][13];
  int16_t& p = FileSHORTS[f][1];
  if (key == kLeftArrow && p >= 2) --p;
  else if (key == kRightArrow && p < pages) ++p;
  else return;
  FindMinMax();
  DrawPlot(0, 0, 0, 0);
  if (rt::controlExistsIn(plotWindow(f), kPlotSlider)) {
    toWindow(plotWindow(f));
    rt::setControlValue(kPlotSlider, p);
  }
}

void sliderMoved(Session& s) {
  SliderEvent = 0;
  const int f = s.f;
  if (!rt::controlExistsIn(plotWindow(f), kPlotSlider)) return;
  toWindow(plotWindow(f));
  const int v = rt::controlValue(kPlotSlider);
  if (v < 1 || v > FileSHORTS[f][13]) return;
  FileSHORTS[f][1] = int16_t(v);
  FindMinMax();
  DrawPlot(0, 0, 0, 0);
}

void report(Session& s) {
  AnalysisCode = s.tool == Tool::Running ? kCodeRunningAverage : kCodePairDifferences;
  DRAFTPRINT("p");
  AnalysisCode = -1;
  toWindow(kResultsWindow);
}

void installToolHandlers() {
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
  rt::setHandler(rt::Vector::Mouse, PointToolMouse);
}

// Returns false when the tool ends.
bool handle(Session& s) {
  const int id = eventID;
  switch (action) {
    case -999: takeClick(s); return true;
    case 1:
      if (id == kPlotSlider || SliderEvent) sliderMoved(s);
      return id != kDoneButton;
    case 16:
      if (id == 'P' || id == 'p') report(s);
      else if (id == kLeftArrow || id == kRightArrow) page(s, id);
      else if (id == kDelete) reject(s);
      else if (id == kReturn) return false;
      else if (id == '/' || id == '?') {
        OpenHelpBook();
        toWindow(kResultsWindow);
        if (rt::windowExists(plotWindow(s.f))) rt::bringWindowForward(plotWindow(s.f));
        rt::FlushEvents();
        installToolHandlers();
      }
      return true;
    case 3: return id == kResultsWindow || id == kTimeWindow || id == kLabelStrip || id == plotWindow(s.f);
    case 4: return id != kResultsWindow;
    case 18: return false;
    default: return true;
  }
}

void start(Session& s, const char* title, const char* prompt) {
  const int f = s.f;
  HelpSubject = kToolsHelp;
  clearScratchCase(f);
  REnd = 0;
  s.savedWhole = FileSHORTS[f][4];
  s.savedMulti = FileSHORTS[f][7];
  FileSHORTS[f][4] = 0;
  FileSHORTS[f][7] = 0;
  if (s.savedWhole || s.savedMulti) DrawPlot(0, 0, 0, 0);
  AnalysisCode = -1;
  HideTheToolBar();
  rt::closeWindow(50);
  OpenResultsWindow(0, 0, title, 0);
  if (s.tool == Tool::Pairs) {
    OPENWINDOW6("Elapsed Time Statistics", 226);
    toWindow(kResultsWindow);
  }
  ch = ActiveChannel;
  rt::foreColor(RGBblack);
  textLine(s.tool == Tool::Running ? 2 : 10, 12, prompt);
  EmbossPrint(0, "hit  'DELETE' to reject last case", 18, 20, 267);
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kDoneButton, 1, "Done -- click to exit", {90, 290, 232, 312}, 1);
  // Nothing is published until the first value: "P" has nothing to write.
  publish(ClickedStats{});
  LastPairTimes = {};
  if (rt::windowExists(plotWindow(f))) rt::bringWindowForward(plotWindow(f));
  PlotDialogMode = 0;
  installToolHandlers();
  rt::FlushEvents();
  gClick = {};
  action = eventID = 0;
}

void end(Session& s) {
  const int f = s.f;
  toWindow(kResultsWindow);
  rt::removeControl(kDoneButton);
  AnalysisCode = 0;
  EndBeep();
  clearTextArea();
  REnd = 0;
  FileSHORTS[f][4] = s.savedWhole;
  FileSHORTS[f][7] = s.savedMulti;
  if (s.savedWhole && !s.savedMulti) UpdateSCREEN(0, 1);
  else RefreshSCREEN();
  RestoreTheToolBar();
  clearScratchCase(f);
  if (s.tool == Tool::Pairs) {
    if (FileSHORTS[f][2] == 2) toWindow(2);
    rt::closeWindow(kTimeWindow);
    rt::closeWindow(16);
  }
  if (rt::windowExists(plotWindow(f))) rt::bringWindowForward(plotWindow(f));
  action = eventID = 0;
}

void run(Tool tool, const char* title, const char* prompt) {
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles || nCases[f] < 1 || !rt::windowExists(plotWindow(f)) ||
      ActiveChannel < 1 || ActiveChannel > nChannels[f] || !gPointersToFileData[f][ActiveChannel])
    return;
  SavedHandlers savedHandlers;
  Session s;
  s.tool = tool;
  s.f = f;
  start(s, title, prompt);
  int lastX = -1;
  for (;;) {
    action = eventID = 0;
    rt::FBHandleEvents();
    pick::followPointer(f, lastX);
    if (SliderEvent && action != 1) sliderMoved(s);
    if (action == 0) continue;
    if (!handle(s)) break;
  }
  end(s);
}

}  // namespace

void RUNAVERAGE() { run(Tool::Running, "Running Average", "  click on points in plot to sum and average"); }

void PairsDIFFERENCE() {
  run(Tool::Pairs, "Average Pair Differences", "click sequentially on PAIRS of points");
}

}  // namespace qv

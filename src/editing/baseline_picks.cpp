// The cursor baselines of the "Baseline Correction" window: the mean of one pick, the line
// through two picks, and a chain of segments through three or more picks from left to right.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/line_values.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "editing/baseline.h"
#include "editing/baseline_points.h"
#include "editing/baseline_window.h"
#include "editing/edit_frame.h"
#include "plot/cursor_pick.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kPicksDone = 131, kPicksCancel = 132;

// Picks are made on the first page of the paged view at its normal scale.
void pagedViewForPicks(bool keepWholeFile) {
  const int f = TheFileInUse;
  const bool whole = FileSHORTS[f][kCompressedWord] != 0 && !keepWholeFile;
  if (FileSHORTS[f][kPageWord] == 1 && FileSHORTS[f][kZoomedWord] == 0 && !whole) return;
  FileSHORTS[f][kPageWord] = 1;
  FileSHORTS[f][kZoomedWord] = 0;
  if (!keepWholeFile) FileSHORTS[f][kCompressedWord] = 0;
  if (!rt::windowExists(1000 + f)) return;
  plot::takeActiveChannelScale();
  DrawPlot(0, 0, 0, 0);
}

// The plot is in front while it is picked on, the baseline window again afterwards.
struct PicksOnPlot {
  PicksOnPlot() {
    if (rt::windowExists(1000 + TheFileInUse)) rt::bringWindowForward(1000 + TheFileInUse);
  }
  ~PicksOnPlot() {
    if (rt::windowExists(kBaselineWindow)) rt::bringWindowForward(kBaselineWindow);
  }
  PicksOnPlot(const PicksOnPlot&) = delete;
  PicksOnPlot& operator=(const PicksOnPlot&) = delete;
};

std::optional<CaseWindow> takePick() {
  BaseLineButton = 0;
  if (!GetBlocksWithCursor(1)) return std::nullopt;
  const int f = TheFileInUse;
  return CaseWindow{std::max(1, BeginBlock[f]), std::min(EndBlock[f], nCases[f])};
}

void noLine(const std::string& why) {
  refuseEdit(0, "Baseline Correction", {why, "No line was drawn."});
}

}  // namespace

MethodEnd cursorBaseline(int16_t method) {
  const int f = TheFileInUse;
  BeginBlock[f] = EndBlock[f] = 0;
  setBaselineWord(4, method);
  pagedViewForPicks(false);
  if (prefsArray[7]) PlaySound("brrrp.mp3");
  const PicksOnPlot onPlot;
  auto first = takePick();
  if (!first) return MethodEnd::Nothing;
  const auto channel = activeBaselineChannel();
  if (method == kCursorStartOrEnd) {
    const auto mean = meanOfCases(channel, first->first, first->last);
    if (!mean) return noLine("The pick holds no sample to average."), MethodEnd::Nothing;
    ValueOfA = float(*mean);
    ValueOfB = 0;
  } else {
    auto second = takePick();
    if (!second) return MethodEnd::Nothing;
    // The line runs from the earlier pick to the later, whichever came first.
    if (second->first < first->first) std::swap(first, second);
    const int ends = prefsArray[8];
    if (ends == kStartOfFile || ends == kEndOfFile) {
      const CaseWindow& w = ends == kStartOfFile ? *first : *second;
      const auto mean = meanOfCases(channel, w.first, w.last);
      if (!mean) return noLine("The pick holds no sample to average."), MethodEnd::Nothing;
      ValueOfA = float(*mean);
      ValueOfB = 0;
    } else if (!GetBaselineRegression(first->first, first->last, second->first, second->last)) {
      return noLine("The two picks hold fewer than two samples to fit a line through."), MethodEnd::Nothing;
    }
  }
  logEdit(0, ActiveChannel, "baseline:  start; end");
  return MethodEnd::Line;
}

namespace {

void showPickCue() {
  rt::setOutputWindow(kBaselineWindow);
  SetTextStyle(KestrixFont, 12, 1);
  rt::foreColor(manila);
  rt::paintRect({230, 148, 318, 222});
  rt::foreColor(RGBblack);
  PrintAt(234, 164, "Select 3 or");
  PrintAt(234, 180, prefsArray[22] == 0 ? "more points" : "more blocks");
  rt::foreColor(RGBred);
  PrintAt(234, 196, "from left to");
  PrintAt(234, 212, "right.");
  rt::foreColor(RGBblack);
  rt::flushWindow(kBaselineWindow);
}

void clearPickCue() {
  if (!rt::windowExists(kBaselineWindow)) return;
  rt::setOutputWindow(kBaselineWindow);
  rt::eraseRect({230, 148, 318, 222});
}

void plotButtons(bool on) {
  const int win = 1000 + TheFileInUse;
  if (!rt::windowExists(win)) return;
  rt::setOutputWindow(win);
  if (on) {
    const rt::Rect r = rt::windowContentRect(win);
    const int w = r.width();
    // Left of the channel popup at the top right, which they would otherwise cover.
    rt::FBButton(kPicksDone, 0, "Baseline OK", {w - 390, 4, w - 280, 24}, 4);
    rt::FBButton(kPicksCancel, 1, "Cancel Baseline", {w - 274, 4, w - 150, 24}, 1);
  } else {
    for (int id : {kPicksDone, kPicksCancel})
      if (rt::controlExists(id)) rt::removeControl(id);
  }
}

void setDone(bool live) {
  const int win = 1000 + TheFileInUse;
  if (!rt::windowExists(win)) return;
  rt::setOutputWindow(win);
  if (rt::controlExists(kPicksDone)) rt::setButtonState(kPicksDone, live ? 1 : 0);
}

}  // namespace

MethodEnd multiPointBaseline() {
  const int f = TheFileInUse;
  setBaselineWord(4, kCursorMultiple);
  BeginBlock[f] = EndBlock[f] = 0;
  BaselineON = 1;
  PlaySound("bub3.mp3");
  showPickCue();
  pagedViewForPicks(true);
  if (prefsArray[7]) PlaySound("brrrp.mp3");
  std::optional<PicksOnPlot> onPlot(std::in_place);
  plotButtons(true);
  std::vector<CaseWindow> picks;
  const auto channel = activeBaselineChannel();
  bool full = false;
  for (;;) {
    const auto p = takePick();
    if (!p) break;
    if (!picks.empty() && p->first <= picks.back().last) {
      bzot();  // left to right only: the pick is not taken, picking goes on
      continue;
    }
    picks.push_back(*p);
    FileSHORTS[f][kBlockStateWord] = 1;
    if (picks.size() >= 3) setDone(true);
    if (picks.size() >= 2) {
      const CaseWindow& a = picks[picks.size() - 2];
      if (GetBaselineRegression(a.first, a.last, p->first, p->last) && FileSHORTS[f][kCompressedWord] == 0)
        DRAW_the_Baseline(float(a.last), float(p->last), a.first, p->last);
    }
    if (int32_t(picks.size()) >= kMaxBaselinePoints) {
      full = true;
      break;
    }
  }
  const int16_t button = full ? int16_t(kPicksDone) : BaseLineButton;
  BaseLineButton = 0;
  plotButtons(false);
  clearPickCue();
  onPlot.reset();
  BaselineON = 0;
  if (full)
    refuseEdit(0, "Baseline Correction",
               {"The baseline holds at most" + rt::PSstrLong(kMaxBaselinePoints) + " points;",
                "picking ended there and the baseline runs through them."});
  if (picks.size() < 3 || button != kPicksDone) {
    bzot();
    if (rt::windowExists(1000 + f)) DrawPlot(0, 0, 0, 0);
    return MethodEnd::Nothing;
  }
  backupBaselineOnce();
  const int32_t n = fillPickTable(channel, picks, BaselineValuesArray);
  FixAutoBaselineChannel(n);
  FileSHORTS[f][kBlockStateWord] = 0;
  logEdit(0, ActiveChannel, "multiple-points baseline");
  EndBeep();
  return MethodEnd::Applied;
}

int16_t CURSORstartEndBaseline(int16_t method, int16_t) {
  cursorBaseline(method);
  return 0;
}

int16_t MultiCURSORbaseline(int16_t) {
  multiPointBaseline();
  return 0;
}

}  // namespace qv

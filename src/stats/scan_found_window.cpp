// The window a scan found, as the analysis window shows it: its statistics and caption, its
// flash in the block window, making it the block, and the window that says none was found.
#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "core/menus.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "output/output.h"
#include "core/output_state.h"
#include "plot/block_geometry.h"
#include "plot/block_support.h"
#include "plot/block_texts.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "stats/analysis_window.h"
#include "stats/block_value_range.h"
#include "stats/commands.h"
#include "stats/scan_result.h"
#include "core/scan_state.h"
#include "stats/scan_windows.h"
#include "stats/stats_block.h"
#include "core/stats_state.h"

namespace qv {

int16_t stINT = 0;

namespace {

constexpr int kResultsWindow = 4, kBlockWindow = 2, kFailureWindow = 19;
constexpr int kCaption = 999, kStore = 121, kSetBlock = 118, kDistribution = 232, kBig = 332;
constexpr int kPlotWidthField = 17;

void caption(const std::string& text) {
  toAnalysisResults();
  if (!rt::controlExists(kCaption)) rt::FBEditField(kCaption, text, {2, 316, 318, 332}, 7);
  else rt::setEditText(kCaption, text);
  rt::setEditFont(kCaption, KestrixFont, 11, 0);
}

// The window's left and right pixels in the block window.
int16_t flashEdges(int16_t& right) {
  const double left = std::trunc(double(MMLBegin - BeginBlock.inUse()) * BlockXscale);
  const double r = std::trunc(double(MMLpoints) * BlockXscale + left);
  right = plot::pixelWord(r);
  return plot::pixelWord(left);
}

void showStatistics() {
  toAnalysisResults();
  WriteHEADER();
  row = 5;
  BasicSTATS(1);
  bup();
  WriteHEADER();
  IntBUTTON();
  DoubleLINE(0, 320, 30);
  if (!rt::controlExists(kStore)) rt::FBButton(kStore, 1, "Store", {256, 12, 298, 28}, 1);
}

}  // namespace

void ScanFailureWindow() {
  const int saved = CurrentlyActiveWindow;
  CurrentlyActiveWindow = kResultsWindow;
  PlaySound("bzot.mp3", "DIduzodu");
  int left = 200, top = 200;
  if (rt::windowExists(kResultsWindow)) {
    const rt::Rect r = rt::windowContentRect(kResultsWindow);
    left = r.left + 20;
    top = r.top + 60;
  }
  BuildWINDOW(kFailureWindow, "scan failure", int16_t(left), int16_t(top), int16_t(left + 330), int16_t(top + 170), 6);
  WARNINGSTRIPES(1, 10, 33, 8);
  EmbossPrint(0, "No block found...", 18, 30, 42);
  SetTextStyle(KestrixFont, 14, 0);
  rt::foreColor(RGBblack);
  PrintAt(30, 70, "Either switch off interpolation checking,");
  PrintAt(30, 90, "or use a shorter scan interval.");
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(1, AvoidInterpolation ? 2 : 1, "Interpolation Checking", {30, 108, 220, 126}, 2);
  rt::FBButton(2, 1, "OK -- Proceed", {180, 134, 310, 156}, 4);
  for (;;) {
    action = eventID = 0;
    do rt::FBHandleEvents();
    while (action == 0);
    if (action == 1 && eventID == 1) {
      AvoidInterpolation = AvoidInterpolation ? 0 : 1;
      FBMenu(kAnalysisUtilitiesMenu, 4, AvoidInterpolation ? 2 : 1);
      rt::setOutputWindow(kFailureWindow);
      rt::setButtonState(1, AvoidInterpolation ? 2 : 1);
      continue;
    }
    if ((action == 1 && eventID == 2) || action == 4 || (action == 3 && eventID != kFailureWindow)) break;
  }
  action = eventID = 0;
  rt::closeWindow(kFailureWindow);
  CurrentlyActiveWindow = int16_t(saved == kFailureWindow ? kResultsWindow : saved);
  toAnalysisResults();
}

void FlashTheSelectedArea(int16_t count, int16_t right) {
  if (!rt::windowExists(kBlockWindow)) return;
  if (prefsArray[7] != 0 && count >= 2) PlaySound("brrrp.mp3", "DIduzodu");
  const int saved = rt::outputWindow();
  for (int k = 0; k < count; ++k) {
    rt::setOutputWindow(kBlockWindow);
    rt::penNormal();
    rt::penMode(rt::kPatXor);
    rt::foreColor(RGBblack);
    if (right - 1 == stINT) ++right;  // at least one pixel wide
    rt::paintRect({stINT, 2, right, std::max<int>(UpperLimit, 3)});
    rt::penNormal();
    rt::refreshPump();
  }
  if (saved && rt::windowExists(saved)) rt::setOutputWindow(saved);
}

int16_t ComputeMinMaxLevel(int16_t code, const std::optional<ScanWinner>& found, int16_t first,
                           const CaseFilters& interpolation) {
  const int f = TheFileInUse;
  const auto x = analysisSamples(f, ch);
  if (!found || x.empty()) {
    // Nothing to show: no statistics of a window that was not found (nor of one kept from
    // another block or file), and nothing for a report to print.
    if (!found && AvoidInterpolation) ScanFailureWindow();
    publishStatistics(BlockStats{}, 0, -1);
    showStatistics();
    // No cases, so no clock times either.
    toAnalysisResults();
    rt::foreColor(VeryLightGray);
    rt::paintRect({0, 31, 320, 46});
    rt::foreColor(RGBblack);
    caption(kNoWindowCaption);
    // Nothing was found, so there is nothing to store either.
    for (int id : {kSetBlock, kStore, kDistribution, kBig}) setAnalysisButton(id, 0);
    DoINTEGRATION(1);
    return stINT = 0;
  }
  const ValueRange block = blockValueRange(x, BeginBlock.inUse(), EndBlock.inUse());
  const ScanLimits limits = scanLimits(prefsArray[69], LowerScanLimit, prefsArray[70], UpperScanLimit, block);
  LowerScanLimit = limits.lower;
  UpperScanLimit = limits.upper;
  CaseFilters filters;
  if (AvoidInterpolation && interpolation.avoidInterpolation) filters = interpolation;
  const BlockStats s = scanWindowStats(x, MMLBegin, MMLpoints, filters, limits);

  int16_t right = 0;
  stINT = flashEdges(right);
  FlashTheSelectedArea(first == 0 && ScanNewSelectedChannel == 0 ? 1 : 7, right);
  toAnalysisResults();
  rt::bringWindowForward(kResultsWindow);
  CurrentlyActiveWindow = kResultsWindow;

  publishStatistics(s, MMLBegin, int32_t(std::min<int64_t>(int64_t(MMLBegin) + MMLpoints - 1, INT32_MAX)));
  showStatistics();
  caption(scanCaption(code, InCH, MMLBegin, MMLpoints));
  for (int id : {kSetBlock, kStore, kDistribution, kBig}) setAnalysisButton(id, 1);
  DoINTEGRATION(1);
  return stINT;
}

void SWITCHBLOCKS() {
  const int f = TheFileInUse;
  if (!analysisSlotInUse(f) || MMLpoints < 1 || MMLBegin < 1 || int64_t(MMLBegin) + MMLpoints - 1 > nCases[f]) return;
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  RefreshPLOTBLOCK(0);
  BeginBlock[f] = MMLBegin;
  EndBlock[f] = MMLBegin + MMLpoints - 1;
  const plot::BlockView v = plot::blockViewOfSlot(f);
  FileSHORTS[f][11] = plot::caseColumn(v, BeginBlock[f]);
  FileSHORTS[f][12] = plot::caseColumn(v, EndBlock[f]);
  FileSHORTS[f][2] = 2;
  const int win = 1000 + f;
  if (rt::windowExists(win) && rt::controlExistsIn(win, kPlotWidthField) &&
      rt::windowContentRect(win).width() >= 832) {
    rt::setOutputWindow(win);
    rt::setEditText(kPlotWidthField, plot::blockWidthText(double(MMLpoints - 1) * FileInfoFLOATS[f][1]));
  }
  RefreshPLOTBLOCK(0);
  DrawBLOCK();
  if (rt::windowExists(kResultsWindow)) rt::bringWindowForward(kResultsWindow);
  toAnalysisResults();
}

}  // namespace qv

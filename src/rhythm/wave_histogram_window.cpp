// " Waveform Histograms " (window 7): one measure of the last waveform run as a histogram,
// printed with a header, and the peak table saved as a delimited text file.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/stats_state.h"
#include "core/text_format.h"
#include "core/warning.h"
#include "output/image_print.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "rhythm/wave_shape.h"
#include "rhythm/waveform_windows.h"
#include "runtime/atomic_file.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/panels.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kWindow = 7, kShapeWindow = 6, kProgressWindow = 5;
constexpr int kDone = 20, kPrint = 24, kSave = 25, kRootScale = 26, kHelp = 27;
constexpr int kMeasurePopup = 60, kBarsPopup = 61, kMeasureMenu = 102, kBarsMenu = 1105;
constexpr int kWidthField = 101, kLowField = 102, kHighField = 103, kCountField = 104;
constexpr int kWidth = 440, kHeight = 330;
constexpr int kBarCounts[] = {5, 8, 10, 12, 15, 20, 25, 30, 40, 50, 60, 75, 100};
// The plot area of the bars, in window pixels.
constexpr int kPlotLeft = 50, kPlotTop = 44, kPlotRight = 420, kPlotBottom = 236;

struct Measure {
  int row;
  const char* caption;
};
constexpr Measure kMeasures[] = {{kPeakRow, "wave peak values              "},
                                 {kAmplitudeRow, "wave amplitudes               "},
                                 {kIntervalRow, "interpeak intervals (sec) "}};

struct State {
  int measure = 2;  // item of popup 60
  int barsItem = 5;  // item of popup 61
  HistogramRange range;
  bool rootScale = false;
  int bars() const { return kBarCounts[size_t(std::clamp(barsItem, 1, 13) - 1)]; }
  int row() const { return kMeasures[size_t(std::clamp(measure, 1, 3) - 1)].row; }
  const char* caption() const { return kMeasures[size_t(std::clamp(measure, 1, 3) - 1)].caption; }
};

std::string num(double v) { return StringFormatter(float(v)); }

void WaveShapeScan(State& s) {
  if (NumberOfWavePeaks > kPeakReadLimit) NumberOfWavePeaks = kPeakReadLimit;
  s.range = waveShapeScan(PeakValuesArray, s.row(), NumberOfWavePeaks, BlockMinY);
  mi = s.range.lo, ma = s.range.hi;
  if (rt::controlExistsIn(kWindow, kLowField)) {
    rt::setEditTextIn(kWindow, kLowField, num(s.range.lo));
    rt::setEditTextIn(kWindow, kHighField, num(s.range.hi));
  }
}

// The bars, axes and labels with the plot area's top left at (x0, y0): the window's drawing and
// the printed page's.
void drawBars(const State& s, int x0, int y0) {
  const int w = kPlotRight - kPlotLeft, h = kPlotBottom - kPlotTop;
  const int bars = s.bars();
  const auto bins = waveHistogramBins(PeakValuesArray, s.row(), NumberOfWavePeaks, BlockMinY, s.range.lo, s.range.hi, bars);
  const bool oneBar = !(s.range.hi > s.range.lo);
  double largest = 0.0;
  for (int k = 1; k <= bars; ++k) largest = std::max(largest, s.rootScale ? std::sqrt(double(bins[size_t(k)])) : double(bins[size_t(k)]));
  rt::foreColor(RGBwhite);
  rt::paintRect({x0, y0, x0 + w, y0 + h});
  rt::foreColor(RGBblack);
  rt::frameRect({x0, y0, x0 + w, y0 + h});
  if (largest > 0.0) {
    const int shown = oneBar ? 1 : bars;
    const double barWidth = double(w - 4) / shown;
    for (int k = 1; k <= shown; ++k) {
      const double v = s.rootScale ? std::sqrt(double(bins[size_t(k)])) : double(bins[size_t(k)]);
      const int top = y0 + h - int(std::lround(v * (h - 8) / largest));
      const int left = x0 + 2 + int((k - 1) * barWidth), right = x0 + 2 + int(k * barWidth);
      rt::foreColor(HistogramBarColor);
      rt::paintRect({left, top, right, y0 + h});
      rt::foreColor(RGBblack);
      rt::frameRect({left, top, right + 1, y0 + h});
    }
  }
  SetTextStyle(KestrixFont, 10, 0);
  PrintAt(x0 - 44, y0 + 10, s.rootScale ? "(\xE2\x88\x9A Y) " : "count");
  PrintAt(x0 - 30, y0 + 22, rt::PSstrLong(std::lround(s.rootScale ? largest * largest : largest)));
  PrintAt(x0 - 12, y0 + h, " 0");
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(x0 + w / 2 - 90, y0 + h + 34, s.caption());
}

void build(const State& s) {
  int left = 660, top = 560;
  if (rt::windowExists(kShapeWindow)) {
    const rt::Rect r = rt::windowContentRect(kShapeWindow);
    left = r.right + 8, top = r.top;
  }
  const rt::Rect screen = rt::screenRect();
  left = std::clamp(left, screen.left, screen.right - kWidth);
  top = std::clamp(top, screen.top + 24, screen.bottom - kHeight);
  BuildWINDOW(kWindow, " Waveform Histograms ", int16_t(left), int16_t(top), int16_t(left + kWidth),
              int16_t(top + kHeight), 6);
  rt::setWindowBackground(kWindow, VeryLightGray);
  rt::clearWindow();
  WaveformStuffPopup(kMeasureMenu);
  rt::FBAppearanceButton(kMeasurePopup, 1, s.measure, kMeasureMenu, 3, "", {8, 8, 268, 30}, rt::kControlPopupButton);
  WaveHistogramBarsPopup(kBarsMenu);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(284, 24, "bars:");
  rt::FBAppearanceButton(kBarsPopup, 1, s.barsItem, kBarsMenu, 13, "", {320, 8, 400, 30}, rt::kControlPopupButton);
  rt::FBEditField(kLowField, num(s.range.lo), {kPlotLeft - 20, kPlotBottom + 4, kPlotLeft + 80, kPlotBottom + 20}, 7);
  rt::FBEditField(kHighField, num(s.range.hi), {kPlotRight - 90, kPlotBottom + 4, kPlotRight + 10, kPlotBottom + 20}, 7, 2);
  PrintAt(8, 294, "# peaks:");
  rt::FBEditField(kCountField, rt::PSstrLong(NumberOfWavePeaks), {64, 280, 124, 296}, 7);
  PrintAt(130, 294, "bar width:");
  rt::FBEditField(kWidthField, num((s.range.hi - s.range.lo) / s.bars()), {196, 280, 290, 296}, 7);
  rt::FBButton(kRootScale, s.rootScale ? 2 : 1, "\xE2\x88\x9A Y Scale", {300, 278, 400, 296}, 2);
  rt::FBButton(kPrint, 1, "Print Graph...", {8, 302, 118, 324}, 1);
  rt::FBButton(kSave, 1, "Save Data...", {124, 302, 224, 324}, 1);
  rt::FBButton(kHelp, 1, "?", {290, 302, 314, 324}, 1);
  rt::FBButton(kDone, 1, "Done", {330, 302, 430, 324}, 4);
  drawBars(s, kPlotLeft, kPlotTop);
  rt::flushWindow(kWindow);
}

std::string baseName() {
  const int f = TheFileInUse;
  return slotIsOpen(f) ? FileName[f] : std::string("untitled");
}

// The peak table as a delimited file (UTF-8, line feeds); a cancelled panel writes nothing.
void saveData() {
  const bool tabs = UseExcelFormat != 0;
  const auto path = rt::OSpanelSave("Save waveform data as...", baseName() + " waveform data" + (tabs ? ".xls" : ".csv"));
  if (!path) return;
  const char d = tabs ? '\t' : ',';
  const int32_t n = std::clamp<int32_t>(NumberOfWavePeaks, 0, kPeakReadLimit);
  BuildWINDOW(kProgressWindow, "saving waveform data...", 500, 300, 860, 360, 6);
  MinimumProgressBarValue = 0;
  buildProgressBAR(20, 20, 340, 34, std::max(n, 1), kProgressWindow);
  rt::AtomicFileWriter out(*path);
  std::string text = waveformDataHeader(d);
  for (int32_t k = 1; k <= n; ++k) {
    text += waveformDataLine(PeakValuesArray, k, d, rt::gFBFloatMaxDigits);
    if (text.size() > 60000 || k == n) {
      out.write(text.data(), text.size());
      text.clear();
      UpdateProgressBar(k);
    }
  }
  if (!text.empty()) out.write(text.data(), text.size());
  const bool ok = out.commit();
  const int f = TheFileInUse;
  if (slotIsOpen(f) && rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  rt::closeWindow(kProgressWindow);
  if (!ok) Warn(1166, "Caution: ", {"The waveform data could not be saved:", out.error()});
  rt::bringWindowForward(kWindow);
}

void printHeader(const State& s, int y) {
  const int f = TheFileInUse;
  const double dt = FileInfoFLOATS[f][1];
  const int32_t first = BeginBlock.inUse(), last = EndBlock.inUse();
  const PrintedDuration d = printedDuration(double(last - first) * dt);
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(40, y, "Source file: " + FileName[f] + ",  channel" + rt::PSstrLong(chanB) + ": " + RetrieveLabel(ActiveChannel));
  PrintAt(40, y + 16, "# wave cycles:" + rt::PSstrLong(NumberOfWavePeaks) + "     bar width:" +
                          num((s.range.hi - s.range.lo) / s.bars()) + "     sample duration:" + num(d.value) + d.unit);
  PrintAt(40, y + 32, "Source data:  cases" + rt::PSstrLong(first) + " to" + rt::PSstrLong(last) + " (N =" +
                          rt::PSstrLong(last - first) + ")    sample interval" + num(dt) + " sec");
}

void printGraph(const State& s) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::pageSetup()) return;
  rt::setPageScale(1.0);
  rt::SetPrintJobName("Waveforms from '" + FileName[f] + "'");
  if (!rt::FBPrintDialogRuntime()) return;
  rt::FBRoute(128);
  TITLE(5, 18, 0);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(40, 48, "# peaks:" + rt::PSstrLong(NumberOfWavePeaks));
  printHeader(s, 66);
  drawBars(s, 90, 130);
  PrintAt(40, 130 + kPlotBottom - kPlotTop + 20, "low:" + num(s.range.lo) + "     high:" + num(s.range.hi));
  // The block's trace under the graph.
  const int traceTop = 420, traceHeight = 120;
  const int32_t first = BeginBlock.inUse(), last = EndBlock.inUse();
  const double span = double(BlockMaxY) - double(BlockMinY);
  if (last > first && span > 0.0)
    DrawPlotUsingCoreGraphics(1, 99, 0, first, last, traceTop + traceHeight + double(BlockMinY) * traceHeight / span,
                              traceHeight / span, ActiveChannel, 50.0 - 500.0 / double(last - first),
                              500.0 / double(last - first), 0);
  PrintTheComments(int16_t(traceTop + traceHeight + 30));
  rt::FBRoute(0);
  if (!rt::CloseLPrint()) Warn(1166, "Caution: ", {"The graph could not be printed."});
  rt::setOutputWindow(kWindow);
}

}  // namespace

bool WaveShapeHistograms() {
  HelpSubject = kWaveformHelp;
  State s;
  WaveShapeScan(s);
  build(s);
  installModalHandlers();
  for (;;) {
    action = eventID = 0;
    if (!waitForActionOrQuit()) return false;
    const int a = action, id = eventID;
    action = eventID = 0;
    if ((a == 4 && id == kWindow) || a == 16) return false;
    if (a == 3 && id != kWindow) return true;
    if (a != 1) continue;
    switch (id) {
      case kDone: return false;
      case kMeasurePopup:
        s.measure = std::clamp(rt::controlValueIn(kWindow, kMeasurePopup), 1, 3);
        WaveShapeScan(s);
        break;
      case kBarsPopup: s.barsItem = std::clamp(rt::controlValueIn(kWindow, kBarsPopup), 1, 13); break;
      case kRootScale: s.rootScale = !s.rootScale; break;
      case kPrint: printGraph(s); break;
      case kSave: saveData(); break;
      case kHelp: OpenHelpBook(); break;
      default: continue;
    }
    build(s);
    installModalHandlers();
  }
}

}  // namespace qv

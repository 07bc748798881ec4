// "Wave Shape Statistics" (window 6): the rise and decay times of the last waveform run, their
// test of equal means and a chart of both sets.
#include <algorithm>
#include <string>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/sounds.h"
#include "core/stats_state.h"
#include "core/text_format.h"
#include "output/output.h"
#include "plot/plot.h"
#include "rhythm/wave_shape.h"
#include "rhythm/waveform_windows.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kShapeWindow = 6, kResultsWindow = 4;
constexpr int kHistograms = 1, kShapeDone = 2;
constexpr int kBoxLeft = 4, kBoxTop = 133, kBoxRight = 305, kBoxBottom = 191, kBaseline = 185;
const char* const kNothing = "**";

std::string num(double v) { return StringFormatter(float(v)); }

void swatch(int y, const RGB& fill, const RGB& frame) {
  rt::foreColor(fill);
  rt::paintRect({4, y - 9, 11, y - 2});
  rt::foreColor(frame);
  rt::frameRect({4, y - 9, 11, y - 2});
  rt::foreColor(RGBblack);
}

void showSet(const ShapeSet& s, bool rise, int y1, int y2) {
  SetTextStyle(KestrixFont, 12, 0);
  rise ? swatch(y1, lightBlue, RGBblue) : swatch(y1, RGBred, RGBblack);
  PrintAt(14, y1, rise ? "rise time  " : "decay time ");
  rt::foreColor(RGBred);
  rt::drawString(s.n > 0 ? num(s.mean) : kNothing);
  rt::foreColor(RGBblack);
  rt::drawString(" \xC2\xB1" + (s.n > 0 ? num(s.sd) : std::string(kNothing)) + " sec");
  PrintAt(25, y2, "N  = " + rt::PSstrLong(s.n) + "      range" + (s.n > 0 ? num(s.min) : " **") + " to" +
                      (s.n > 0 ? num(s.max) : " **"));
}

int barX(double mean, const WaveShape& w) {
  const double range = double(w.ma) - double(w.mi);
  return range > 0.0 ? int((mean - w.mi) * 300.0 / range) + 11 : 11;
}

void chart(const WaveShape& w) {
  rt::foreColor(RGBwhite);
  rt::paintRect({kBoxLeft, kBoxTop, kBoxRight, kBoxBottom});
  rt::foreColor(mediumDarkGray);
  rt::frameRect({kBoxLeft, kBoxTop, kBoxRight, kBoxBottom});
  rt::moveTo(kBoxLeft, kBaseline);
  rt::lineTo(kBoxRight - 1, kBaseline);
  int32_t largest = 0;
  for (int k = 1; k <= kShapeBins; ++k) largest = std::max({largest, w.riseBins[size_t(k)], w.decayBins[size_t(k)]});
  if (largest == 0) return;
  for (int k = 1; k <= kShapeBins; ++k) {
    const int rise = int(w.riseBins[size_t(k)] * 49 / largest), decay = int(w.decayBins[size_t(k)] * 49 / largest);
    const int xr = 7 + 8 * (k - 1), xd = 11 + 8 * (k - 1);
    if (rise > 0) {
      rt::foreColor(lightBlue);
      rt::paintRect({xr, kBaseline - rise, xr + 4, kBaseline});
      rt::foreColor(RGBblue);
      rt::frameRect({xr, kBaseline - rise, xr + 4, kBaseline});
    }
    if (decay > 0) {
      rt::foreColor(RGBred);
      rt::paintRect({xd, kBaseline - decay, xd + 4, kBaseline});
      rt::foreColor(RGBblack);
      rt::frameRect({xd, kBaseline - decay, xd + 4, kBaseline});
    }
  }
  // The means: a light-blue triangle under the baseline, a red one at the top of the box.
  auto triangle = [](int x, int top, int bottom, bool down, const RGB& c) {
    rt::foreColor(c);
    for (int y = top; y <= bottom; ++y) {
      const int half = down ? bottom - y : y - top;
      rt::moveTo(x - half, y);
      rt::lineTo(x + half, y);
    }
  };
  if (w.rise.n > 0) triangle(barX(w.rise.mean, w), kBaseline, kBaseline + 5, false, lightBlue);
  if (w.decay.n > 0) triangle(barX(w.decay.mean, w), kBoxTop + 1, kBoxTop + 6, true, RGBred);
  rt::foreColor(RGBblack);
}

void build(const WaveShape& w) {
  OPENWINDOW6("Wave Shape Statistics", 232);
  SetTextStyle(KestrixFont, 13, rt::kBold);
  PrintAt(8, 18, "Rise and decay times (mean \xC2\xB1 S.D.) ");
  showSet(w.rise, true, 40, 58);
  showSet(w.decay, false, 83, 101);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(14, 124, "rise/decay = " + (w.ratio ? num(*w.ratio) : std::string(kNothing)));
  if (w.P) {
    rt::foreColor(*w.P < 0.05 ? RGBred : green);
    PrintAt(170, 124, *w.P > 0.00001 ? "  P = " + num(*w.P) : std::string("  P<.00001"));
    rt::foreColor(RGBblack);
  } else {
    PrintAt(170, 124, "  P = **");
  }
  chart(w);
  if (NumberOfWavePeaks >= 11)
    rt::FBButton(kHistograms, 1, "Peak and Interval Histograms...", {6, 200, 236, 222}, 4);
  rt::FBButton(kShapeDone, 1, "Done", {244, 200, 306, 222}, 1);
}

}  // namespace

void WaveShapeStats() {
  HelpSubject = kWaveformHelp;
  const WaveShape w = waveShapeStats(PeakValuesArray);
  StandardDeviation = float(w.decay.sd);
  meanValue = w.decay.mean;
  mi = w.mi, ma = w.ma;
  NumberOfWavePeaks = w.decay.n;
  build(w);
  installModalHandlers();
  for (;;) {
    action = eventID = 0;
    if (!waitForActionOrQuit()) break;
    const int a = action, id = eventID;
    action = eventID = 0;
    if (a == 4 && id == kShapeWindow) break;
    if (a == 1 && id == kShapeDone) break;
    if (a == 3 && id == 1000 + TheFileInUse) break;
    const bool histograms = (a == 1 && id == kHistograms) || a == 16;
    if (!histograms || NumberOfWavePeaks < 10) continue;
    const bool elsewhere = WaveShapeHistograms();
    rt::closeWindow(7);
    REFRESHBLOCK();
    if (elsewhere || gQuitPending) break;
    build(w);
    installModalHandlers();
    Tick();
  }
  rt::closeWindow(kShapeWindow);
  if (rt::windowExists(kResultsWindow)) rt::bringWindowForward(kResultsWindow);
  popresult = 999;
  action = 0;
  rt::FlushEvents();
}

}  // namespace qv

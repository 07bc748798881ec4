// The cumulative plot of the area integration (window 250): the running integral over the
// range, drawn as one curve cut to the plot's columns, with its scale and the zero line.
#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"
#include "output/area_integral.h"
#include "stats/area_window.h"
#include "stats/commands.h"
#include "core/stats_state.h"
#include "output/subset.h"

namespace qv {

namespace {

constexpr int kLeft = 120, kRight = 415;

bool slotInUse(int f) { return f >= 0 && f < kMaxOpenFiles; }

// The scratch channel the running sum goes to; a file that came without one gets it here.
float* runningSumChannel(int f) {
  SampleArray& s = gPointersToFileData[f][0];
  if (!s) {
    s = allocateSamples(nCases[f]);
    std::fill_n(s.get(), size_t(nCases[f]) + 1, 0.0f);
  }
  return s.get();
}

std::string plotTitle(int c) {
  std::string label = rt::trimRight(RetrieveLabel(c));
  return "Integration of Channel" + std::to_string(c) + ": " + label;
}

void background(int h) {
  switch (prefsArray[82]) {
    case 4: rt::foreColor(manila); break;
    case 3: rt::foreColor(RGBblack); break;
    case 2: rt::foreColor(RGBwhite); break;
    default: rt::colorNumber(6); break;
  }
  rt::paintRect({kLeft, 6, kRight, h - 87});
  rt::foreColor(RGBblack);
  BuildBOX(kLeft, 5, kRight, int16_t(h - 87));
}

rt::RGB curveColor() {
  switch (prefsArray[82]) {
    case 3: return RGBwhite;
    case 4: return RGBblue;
    default: return RGBblack;
  }
}

void staticField(int id, const std::string& text, rt::Rect r, int size, int justify) {
  rt::FBEditField(id, text, r, 7, justify);
  rt::setEditFont(id, 1, size, rt::kBold);
}

void axes(int h, const AreaRange& r, double top, double bottom) {
  rt::penNormal();
  rt::foreColor(RGBblack);
  for (int y : {7, h - 88}) {
    rt::moveTo(109, y);
    rt::lineTo(117, y);
  }
  for (int x : {kLeft, kRight - 1}) {
    rt::moveTo(x, h - 85);
    rt::lineTo(x, h - 80);
  }
  staticField(1, std::to_string(int64_t(r.begin) + 1), {kLeft - 4, h - 80, kLeft + 90, h - 66}, 11, 0);
  staticField(2, std::to_string(int64_t(r.end) + 1), {kRight - 90, h - 80, kRight + 4, h - 66}, 11, 2);
  staticField(3, rt::PSstr(float(top)), {2, 2, 106, 16}, 11, 2);
  staticField(4, rt::PSstr(float(bottom)), {2, h - 96, 106, h - 82}, 11, 2);
  // The title in the left margin, as large as the margin's width allows.
  staticField(11, "Cumulative integration plot", {2, 60, 108, 170}, 17, 1);
  rt::setEditFont(11, 3, 17, 0);
  SetTextStyle(0, 12, 0);
  PrintAt(225, h - 58, "Sample number");
}

void zeroLine(int h, const CurveScale& scale) {
  if (!(scale.min < 0.0 && 0.0 < scale.max)) return;
  const double y0 = scale.y(0.0);
  const rt::PointF pts[2] = {{double(kLeft), y0}, {double(kRight), y0}};
  rt::strokePolyline(pts, 2, 1.0, prefsArray[82] == 4 ? RGBblue : gray, true);
  if (y0 > 17 && y0 < h - 85) {
    SetTextStyle(0, 9, 0);
    rt::foreColor(prefsArray[82] == 2 || prefsArray[82] == 3 ? gray : lightBlue);
    PrintAt(384, int(y0) - 1, "zero");
    rt::foreColor(RGBblack);
  }
}

}  // namespace

void INTPLOT(int32_t a, int32_t b, bool rightSet) {
  const int f = TheFileInUse;
  if (!slotInUse(f) || nCases[f] < 1) return;
  const int h = std::min<int>(BottomOfPlotArea, 370);
  if (ch < 1 || ch > nChannels[f] || ch > kMaxChannels) ch = 1;
  const float* x = gPointersToFileData[f][ch].get();
  if (!x) return;
  const std::span<const float> samples(x, size_t(nCases[f]) + 1);
  const std::span<float> scratch(runningSumChannel(f), size_t(nCases[f]) + 1);

  const AreaRange range = areaRange(BeginBlock[f], EndBlock[f], a, b, rightSet, nCases[f]);
  const CaseFilters filters = UseCrossChanIndex ? PrepareCaseFilters(true, false) : CaseFilters{};
  const AreaBaseline base = areaBaseline(samples, range, IntegrationMode, ibase);
  const std::optional<double> divisor = areaUnitDivisor(IntegrationUnit, FileInfoFLOATS[f][1]);

  const std::string title = plotTitle(ch);
  if (rt::windowExists(kCumulativeIntegralWindow)) {
    rt::setWindowTitle(kCumulativeIntegralWindow, title);
    rt::bringWindowForward(kCumulativeIntegralWindow);
    rt::setOutputWindow(kCumulativeIntegralWindow);
    rt::clearWindow();
  } else {
    const rt::Rect p = rt::windowContentRect(1000 + f);
    // 17 pixels deeper than the plot's own frame, so that the axis caption is not cut.
    BuildWINDOW(kCumulativeIntegralWindow, title, int16_t(p.left + 100), int16_t(p.top + 75), int16_t(p.left + 519),
                int16_t(p.top + 22 + h), 5);
  }
  background(h);

  // The baseline of a typed value is the one the last pass took.
  const CumulativeSeries c = range.empty() ? CumulativeSeries{} : cumulativeArea(samples, range, base, filters, scratch);
  CumulativeCurve curve = cumulativeCurve(samples, scratch, range, c.n, filters, kLeft, kRight);
  const double d = divisor.value_or(NAN);
  const bool any = c.n > 0 && !curve.points.empty();
  axes(h, range, any ? curve.max / d : 0.0, any ? curve.min / d : 0.0);
  if (!any || !divisor) {
    SetTextStyle(0, 12, 0);
    PrintAt(kLeft + 90, h / 2 - 40, "no valid cases");
    return;
  }
  const CurveScale scale{curve.min, curve.max, 7, h - 88};
  zeroLine(h, scale);
  std::vector<IntegralPoint>& pts = curve.points;
  curveToPixels(pts, scale);
  std::vector<rt::PointF> line;
  line.reserve(pts.size());
  for (const IntegralPoint& p : pts) line.push_back({p.x, p.y});
  rt::strokePolyline(line.data(), line.size(), 1.5, curveColor(), true);

  if (int64_t(range.end) - range.begin <= 19) {
    rt::penNormal();
    rt::penMode(rt::kPatXor);
    for (const IntegralPoint& p : pts) {
      if (p.kase <= range.begin || p.kase >= range.end) continue;
      const int cx = int(std::lround(p.x)), cy = int(std::lround(p.y));
      rt::frameOval({cx - 3, cy - 3, cx + 3, cy + 3});
    }
    rt::penNormal();
  }
}

}  // namespace qv

// The regression's scatter in the block window: the ranges of the raw values, the notice of a
// long plot, the dots and the fitted curve.
#include <algorithm>
#include <cmath>
#include <span>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "fitting/fit_drawing.h"
#include "core/fit_state.h"
#include "fitting/regression.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "core/stats_state.h"

namespace qv {

namespace {

constexpr int kBlockWindow = 2, kWarningWindow = 997;

std::span<const float> raw(int c) {
  const int f = TheFileInUse;
  const float* p = gPointersToFileData[f][c].get();
  return p ? std::span<const float>(p, size_t(nCases[f]) + 1) : std::span<const float>();
}

}  // namespace

void REGMINMAX(const CaseFilters& filters) {
  minx1 = BlockMinY = 9.0e30f;
  maxx1 = BlockMaxY = -9.0e30f;
  const auto x = raw(RegressionXChannel), y = raw(RegressionYChannel);
  const int32_t last = int32_t(std::min<int64_t>({int64_t(EndBlock.inUse()), int64_t(x.size()) - 1,
                                                  int64_t(y.size()) - 1, int64_t(filters.lastCase())}));
  for (int32_t k = std::max<int32_t>(BeginBlock.inUse(), 1); k <= last; ++k) {
    if (!filters.includes(k)) continue;
    minx1 = std::min(minx1, x[size_t(k)]);
    maxx1 = std::max(maxx1, x[size_t(k)]);
    BlockMinY = std::min(BlockMinY, y[size_t(k)]);
    BlockMaxY = std::max(BlockMaxY, y[size_t(k)]);
  }
}

void RegressionTimeWarning() {
  if (int64_t(EndBlock.inUse()) - BeginBlock.inUse() < 40001) return;
  const int plot = 1000 + TheFileInUse;
  const rt::Rect p = rt::windowExists(plot) ? rt::windowContentRect(plot) : rt::Rect{0, 40, 800, 500};
  BuildWINDOW(kWarningWindow, "plot time warning", int16_t(p.left + 340), int16_t(p.top + 120),
              int16_t(p.left + 640), int16_t(p.top + 250), 261);
  WARNINGSTRIPES(1, 10, 33, 6);
  DrawIcon(129, 18, 60);  // beside the first line, inside the stripes
  SetTextStyle(KestrixFont, 14, 0);
  rt::foreColor(RGBblack);
  PrintAt(60, 40, "LOTS of points to plot!");
  rt::foreColor(RGBred);
  PrintAt(60, 70, "This could take a while, so");
  PrintAt(60, 92, "please be patient...");
  rt::foreColor(RGBblack);
  if (prefsArray[7]) rt::playSound("brrrp.mp3");
  rt::flushWindow(kWarningWindow);
}

void DrawREGRESSION(const CaseFilters& filters) {
  RegressionTimeWarning();
  if (!rt::windowExists(kBlockWindow)) OPENBLOCKWINDOW();
  DrawBLOCK();
  rt::setOutputWindow(kBlockWindow);
  const rt::Rect r = rt::windowContentRect(kBlockWindow);
  const int w = std::max(r.width(), 1), h = std::max(r.height(), 1);
  rt::foreColor(LightGray);
  rt::paintRect({0, UpperLimit, w, UpperLimit + 20});
  const int scheme = prefsArray[82];
  rt::foreColor(scheme == 4 ? rt::RGB{65535, 62000, 50000}
                : scheme == 3 ? RGBblack
                : scheme == 2 ? RGBwhite
                              : rt::colorOfNumber(6));
  rt::paintRect({0, 0, w, UpperLimit});
  rt::foreColor(scheme == 3 ? RGBwhite : RGBblack);
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(50, UpperLimit + 13, "Regression plot; chan" + std::to_string(RegressionXChannel) + " vs. chan" +
                                   std::to_string(RegressionYChannel));
  rt::frameRect({0, 0, w, UpperLimit});

  nPoints = int32_t(std::min<int64_t>(int64_t(EndBlock.inUse()) - BeginBlock.inUse() + 1, INT32_MAX));
  REGMINMAX(filters);
  if (BlockMinY == BlockMaxY) BlockMaxY += 1.0f;
  if (minx1 == maxx1) maxx1 += 1.0f;
  const BlockScaleY s{UpperLimit, BlockMinY, BlockMaxY};
  const auto mask = scatterMask(raw(RegressionXChannel), raw(RegressionYChannel), BeginBlock.inUse(), EndBlock.inUse(), filters,
                                minx1, maxx1, RightLim, s, w, h);
  const int dot = nPoints >= 200 ? 2 : 3;
  rt::foreColor(scheme == 3 ? RGBwhite : RGBblack);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (mask[size_t(y) * size_t(w) + size_t(x)]) rt::paintOval({x - dot / 2, y - dot / 2, x - dot / 2 + dot, y - dot / 2 + dot});
  rt::closeWindow(kWarningWindow);
  EndBeep();
}

void drawRegressionCurve() {
  if (!rt::windowExists(kBlockWindow)) return;
  rt::setOutputWindow(kBlockWindow);
  const rt::Rect r = rt::windowContentRect(kBlockWindow);
  const int w = std::max(r.width(), 1), h = r.height() - 17;
  const BlockScaleY s{UpperLimit, BlockMinY, BlockMaxY};
  std::vector<rt::PointF> pts;
  const double a = ValueOfA, b = ValueOfB;
  for (int i = 1; i <= w; ++i) {
    const double X = double(minx1) + i * (double(maxx1) - double(minx1)) / w;
    double Y;
    switch (UseLogY) {
      case 1: Y = std::pow(10.0, a + b * X); break;
      case 2: Y = a + b * std::log10(X); break;
      case 3: Y = std::pow(10.0, double(float(a + b * std::log10(X)))); break;
      default: Y = a + b * X; break;
    }
    const int32_t row = s.row(Y);
    if (row == INT32_MIN || row >= h) continue;
    pts.push_back({double(i), double(row)});
  }
  const int scheme = prefsArray[82];
  if (pts.size() > 1)
    rt::strokePolyline(pts.data(), pts.size(), 1.5, scheme == 2 || scheme == 3 ? rt::colorOfNumber(4) : rt::colorOfNumber(1),
                       true);
}

}  // namespace qv

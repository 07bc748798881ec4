// A plot of a realistic recording, written as a picture to look at: three hours of a
// flow-through respirometry run with baselines, markers, a note, a comment and a start time.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot_fixture.h"
#include "runtime/windows.h"

using namespace qv;
using namespace plottest;

namespace {

constexpr int32_t kCases = 10800;  // 3 hours at 1 s

// Animal measurements between baselines: baseline 0-900 s, animal 900-3300, baseline
// 3300-4200, animal 4200-6600, baseline 6600-7500, animal 7500-9900, baseline to the end.
double animalShare(int32_t k) {
  const double t = k;
  for (double start : {900.0, 4200.0, 7500.0}) {
    if (t >= start && t < start + 2400) {
      const double in = 1 - std::exp(-(t - start) / 90.0);
      const double out = t > start + 2300 ? std::exp(-(t - start - 2300) / 40.0) : 1.0;
      return in * out;
    }
    if (t >= start + 2400 && t < start + 2700) return std::exp(-(t - start - 2300) / 40.0);
  }
  return 0;
}

DataFile respirometryRun() {
  std::mt19937 rng(11);
  std::normal_distribution<float> n(0, 1);
  auto activity = [&](int32_t k) {
    const double a = animalShare(k);
    return float(a * (0.6 + 0.4 * std::sin(k / 300.0)));
  };
  DataFile f = makeFile(kCases,
                        {[&](int32_t k) {
                           const double a = animalShare(k) * (1 + 0.15 * activity(k));
                           return float(20.95 - 0.42 * a + 0.004 * n(rng));
                         },
                         [&](int32_t k) {
                           const double a = animalShare(k) * (1 + 0.15 * activity(k));
                           return float(0.04 + 0.33 * a + 0.003 * n(rng));
                         },
                         [&](int32_t k) { return float(500 + 1.5 * std::sin(k / 700.0) + 0.8 * n(rng)); },
                         [&](int32_t k) { return float(25.0 + 0.6 * k / kCases + 0.05 * n(rng)); }},
                        "mouse-17 run.KXdata");
  f.meta.labels[1] = "O2 %";
  f.meta.labels[2] = "CO2 %";
  f.meta.labels[3] = "Flow ml/min";
  f.meta.labels[4] = "Chamber °C";
  f.meta.startTime = "09:15:00";
  f.meta.startDate = "05/14/2024";
  f.meta.info[1] = 1;
  f.meta.markers = {{60, 66}, {900, 201}, {3360, 66}, {4200, 202}, {6660, 66}, {7500, 203}, {9960, 66}};
  f.meta.comment = "Mouse 17, 24.3 g, fasted 4 h.\rChamber 1, flow 500 ml/min STP.";
  f.meta.notes = {{"5000", "10:38:20", "animal groomed"}};
  return f;
}

std::string shotPath(const std::string& name) {
  std::filesystem::create_directories("plot-shots");
  return "plot-shots/" + name;
}

}  // namespace

TEST(PlotPicture, RespirometryRunReadsAsAPlot) {
  resetPlotState();
  for (int w : {10, 11, 13, 19, 21}) prefsArray[w] = 1;
  openPlot(respirometryRun(), 0);
  DrawPlot(0, 0, 1, 1);
  ASSERT_TRUE(rt::saveWindowImage(1000, shotPath("respirometry-whole-file.png")));
  EXPECT_TRUE(rt::windowExists(3));  // the comment strip
  EXPECT_TRUE(colorIn(1000, {20, 40, ScreenWidth - 20, BottomOfPlotArea - 10}, PlotDataLineColor, 8000));
  EXPECT_EQ(rt::windowTitle(1000), "File 1: 'mouse-17 run.KXdata' ( 4 channels, 10,800 samples;  compressed  8.39-fold ) ");

  // CO2 on the second page of the paged view with O2 laid over it.
  FileSHORTS[0][4] = 0;
  FileSHORTS[0][1] = 2;
  ActiveChannel = 2;
  prefsArray[25] = 1;
  overlayFlag(0, 1, 1) = 1;
  overlayFlag(0, 1, 2) = 1;
  DrawPlot(0, 0, 0, 1);
  ASSERT_TRUE(rt::saveWindowImage(1000, shotPath("respirometry-page-2-overlay.png")));
}

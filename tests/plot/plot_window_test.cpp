#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "plot/notes_table.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot_fixture.h"
#include "runtime/windows.h"

using namespace qv;
using namespace plottest;

namespace {

constexpr rt::RGB kWhite{65535, 65535, 65535};
constexpr rt::RGB kRed{65535, 0, 0};
constexpr rt::RGB kGreen{0, 65535, 0};

bool reddish(rt::RGB c) { return c.red > c.green + 15000 && c.red > c.blue + 15000; }
bool greenish(rt::RGB c) { return c.green > c.red + 15000 && c.green > c.blue + 15000; }

template <class Pred>
Extent extentWhere(int window, int x0, int x1, int y0, int y1, Pred pred) {
  Extent e;
  for (int x = x0; x <= x1; ++x)
    for (int y = y0; y <= y1; ++y)
      if (pred(rt::canvasPixel(window, x, y))) {
        if (e.top < 0 || y < e.top) e.top = y;
        if (y > e.bottom) e.bottom = y;
      }
  return e;
}

float wave(int32_t k) { return 0.5f + 0.5f * std::sin(k * 0.02f); }

}  // namespace

TEST(PlotWindow, LayoutIsReadBackFromTheWindow) {
  resetPlotState();
  openPlot(makeFile(5000, {wave}), 0);
  EXPECT_TRUE(rt::windowExists(1000));
  EXPECT_EQ(rt::windowTitle(1000), " Quorvelant Main Plot Window  0");
  EXPECT_EQ(ScreenWidth, 1287);
  EXPECT_EQ(BottomOfPlotArea, 391);
  EXPECT_EQ(PlotHeight, 351);
  EXPECT_EQ(RightLim, 966);
  EXPECT_EQ(BlockWindowRight, 1290);
  EXPECT_EQ(FileSHORTS[0][3], 1);
  EXPECT_EQ(FileSHORTS[0][4], 1);  // longer than the width: whole file squeezed in
  resetPlotState();
  openPlot(makeFile(1000, {wave}), 3);
  EXPECT_TRUE(rt::windowExists(1003));
  EXPECT_EQ(FileSHORTS[3][4], 0);
}

TEST(PlotWindow, TitleCountsChannelsAndCompression) {
  resetPlotState();
  openPlot(makeFile(1000, {wave}, "one.KXdata"), 0);
  DrawPlot(0, 0, 0, 1);
  EXPECT_EQ(rt::windowTitle(1000), "File 1: 'one.KXdata' ( 1 channel, 1,000 samples ) ");
  resetPlotState();
  openPlot(makeFile(3000, {wave, wave}, "two.KXdata"), 1);
  setPlotSize(1, 1200, 429);
  DrawPlot(0, 0, 0, 1);
  EXPECT_EQ(rt::windowTitle(1001), "File 2: 'two.KXdata' ( 2 channels, 3,000 samples;  compressed  2.50-fold ) ");
  setPlotSize(1, 1000, 429);
  DrawPlot(0, 0, 0, 1);
  EXPECT_EQ(rt::windowTitle(1001), "File 2: 'two.KXdata' ( 2 channels, 3,000 samples ) ");
}

TEST(PlotWindow, ScaleOfTheVisibleRangeOrOfTheBlock) {
  resetPlotState();
  openPlot(makeFile(5000, {[](int32_t k) { return float(k); }}), 0);
  FileSHORTS[0][4] = 0;
  FileSHORTS[0][1] = 2;
  ScaleMode = 0;
  FindMinMax();  // page 2 at 1,287 pixels: cases 1,288..2,574
  EXPECT_NEAR(minimumValue, 1288 - 0.05 * 1286, 1e-2);
  EXPECT_NEAR(maximumValue, 2574 + 0.05 * 1286, 1e-2);
  printblock = 1;
  BeginBlock.inUse() = 10;
  EndBlock.inUse() = 20;
  FindMinMax();
  EXPECT_NEAR(minimumValue, 9.5, 1e-4);
  EXPECT_NEAR(maximumValue, 20.5, 1e-4);
  printblock = 0;

  scalingFactorArray[1][4] = -1;
  scalingFactorArray[1][5] = -7;
  scalingFactorArray[1][6] = 9;
  CompactedChannel[0] = 25;
  ComputePlotFactors(0);
  EXPECT_EQ(ScaleMode, -1);
  EXPECT_EQ(minimumValue, -7);
  EXPECT_EQ(maximumValue, 9);
  EXPECT_EQ(range, 16);
  EXPECT_EQ(parse, 25);
  EXPECT_EQ(Xstep, 1);
}

TEST(PlotWindow, OneCaseSpikeShowsInBothRenderers) {
  for (uint16_t force : {0, 1}) {
    resetPlotState();
    PlotDataLineColor = kRed;
    openPlot(makeFile(10000, {[](int32_t k) { return k == 5000 ? 1.0f : 0.0f; }}), 0);
    rt::foreColor(kWhite);
    rt::paintRect({0, 0, 400, 400});
    rt::foreColor(PlotDataLineColor);
    // 10,000 cases in 100 pixels from x = 100; the spike's case at x = 150.
    DrawPlotUsingCoreGraphics(force, 0, 0, 1, 10000, 300, 200, 1, 100, 0.01, 0);
    const Extent e = extentWhere(1000, 148, 152, 60, 320, reddish);
    ASSERT_TRUE(e.found()) << force;
    EXPECT_LE(e.top, 102) << force;  // reaches the spike at y 100
    EXPECT_GE(e.top, 98) << force;
    EXPECT_GE(e.bottom, 299) << force;
    // The flat parts stay on the base line.
    EXPECT_TRUE(extentWhere(1000, 120, 120, 290, 310, reddish).found()) << force;
    EXPECT_FALSE(extentWhere(1000, 120, 120, 60, 290, reddish).found()) << force;
  }
}

TEST(PlotWindow, NonFiniteSamplesAndEmptyChannelsDrawSafely) {
  resetPlotState();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  openPlot(makeFile(3000,
                    {[&](int32_t k) { return k == 1 ? nan : float(k % 50); },
                     [&](int32_t) { return nan; },
                     [&](int32_t k) { return k % 7 ? std::numeric_limits<float>::infinity() : 3e38f; },
                     [&](int32_t) { return 4.0f; }}),
           0);
  for (int16_t ch = 1; ch <= 4; ++ch) {
    ActiveChannel = ch;
    DrawPlot(0, 0, 0, 1);
    EXPECT_TRUE(std::isfinite(minimumValue)) << ch;
    EXPECT_TRUE(std::isfinite(maximumValue)) << ch;
  }
  ActiveChannel = 2;  // all NaN: a unit scale
  DrawPlot(0, 0, 0, 1);
  EXPECT_EQ(minimumValue, 0);
  EXPECT_EQ(maximumValue, 1);
  ActiveChannel = 1;  // a NaN first sample is passed over
  DrawPlot(0, 0, 0, 1);
  EXPECT_LT(minimumValue, 0.5f);
}

TEST(PlotWindow, MarkerLabelsAndCrowding) {
  resetPlotState();
  prefsArray[10] = 1;
  DataFile f = makeFile(1000, {wave});
  f.meta.markers = {{100, 65}, {400, 203}, {700, 200}};
  openPlot(std::move(f), 0);
  DrawPlot(0, 0, 0, 1);
  const rt::RGB black{0, 0, 0};
  for (int x : {100, 400, 700}) {
    EXPECT_TRUE(colorIn(1000, {x - 3, 19, x + 10, 29}, black, 20000)) << x;
    EXPECT_TRUE(colorIn(1000, {x, 40, x + 1, 300}, Pwhite, 0)) << x;
  }
  EXPECT_FALSE(colorIn(1000, {200, 19, 300, 29}, black, 20000));

  // 150 markers in 1,287 pixels: lines without labels.
  resetPlotState();
  prefsArray[10] = 1;
  DataFile g = makeFile(1000, {wave});
  for (int k = 0; k < 150; ++k) g.meta.markers.push_back({3 + 6 * k, 65});
  openPlot(std::move(g), 0);
  DrawPlot(0, 0, 0, 1);
  EXPECT_FALSE(colorIn(1000, {0, 19, 1000, 29}, black, 20000));
  EXPECT_TRUE(colorIn(1000, {9, 40, 10, 300}, Pwhite, 0));

  prefsArray[10] = 0;  // markers hidden
  DrawPlot(0, 0, 0, 1);
  EXPECT_FALSE(colorIn(1000, {9, 40, 10, 300}, Pwhite, 0));
}

TEST(PlotWindow, AllThreeHundredNoteButtonsComeAndGo) {
  resetPlotState();
  DataFile f = makeFile(1000, {wave});
  for (int k = 1; k <= 300; ++k) f.meta.notes.push_back({std::to_string(3 * k), "", "note"});
  openPlot(std::move(f), 0);
  DrawPlot(0, 0, 0, 1);
  for (int id : {5001, 5150, 5151, 5300}) EXPECT_TRUE(rt::controlExists(id)) << id;
  EXPECT_TRUE(isNoteButton(5300));
  EXPECT_FALSE(isNoteButton(5301));
  NumberOfNotes[0] = 2;
  DrawPlot(0, 0, 0, 1);
  EXPECT_TRUE(rt::controlExists(5002));
  for (int id : {5003, 5150, 5151, 5300}) EXPECT_FALSE(rt::controlExists(id)) << id;
}

TEST(PlotWindow, HourTicksUnderThePlot) {
  resetPlotState();
  prefsArray[21] = 1;
  DataFile f = makeFile(5000, {wave});
  f.meta.info[1] = 10;
  f.meta.startTime = "23:30:00";
  openPlot(std::move(f), 0);
  FileSHORTS[0][4] = 0;  // paged
  DrawPlot(0, 0, 0, 1);
  const int axis = BottomOfPlotArea - 3;
  for (int x : {181, 541, 901}) EXPECT_TRUE(near(rt::canvasPixel(1000, x, axis + 2), plotForeColor, 300)) << x;
  EXPECT_FALSE(near(rt::canvasPixel(1000, 361, axis + 2), plotForeColor, 300));
  EXPECT_TRUE(colorIn(1000, {161, axis + 3, 200, axis + 15}, plotForeColor, 20000));  // "hr 24"
}

TEST(PlotWindow, OverlayOfTenTimesTheRangeSpansTheSameHeight) {
  resetPlotState();
  plotBackColor = kWhite;
  PlotDataLineColor = kRed;
  OverlayColor[2] = kGreen;
  prefsArray[25] = 1;
  openPlot(makeFile(1000, {wave, [](int32_t k) { return 10 * wave(k); }}), 0);
  overlayFlag(0, 1, 1) = 1;
  overlayFlag(0, 1, 2) = 1;
  DrawPlot(0, 0, 0, 1);
  const Extent red = extentWhere(1000, 50, 950, 31, BottomOfPlotArea - 3, reddish);
  const Extent green = extentWhere(1000, 50, 950, 31, BottomOfPlotArea - 3, greenish);
  ASSERT_TRUE(red.found());
  ASSERT_TRUE(green.found());
  EXPECT_NEAR(green.bottom - green.top, red.bottom - red.top, 3);
  EXPECT_GT(red.bottom - red.top, 150);
  EXPECT_EQ(ActiveChannel, 1);
  EXPECT_FLOAT_EQ(maximumValue, 1.25f);  // the active channel's scale is kept
  EXPECT_TRUE(rt::controlExists(444));

  // With only the active channel chosen nothing is laid over and no button is built.
  overlayFlag(0, 1, 2) = 0;
  DrawPlot(0, 0, 0, 1);
  EXPECT_FALSE(extentWhere(1000, 50, 950, 31, BottomOfPlotArea - 3, greenish).found());
  EXPECT_FALSE(rt::controlExists(444));
}

TEST(PlotWindow, ZoomRangeAndCompactedDataBelongToTheirFile) {
  resetPlotState();
  openPlot(makeFile(200000, {wave}), 0);
  FileSHORTS[0][6] = 1;
  zoomleft[0] = 1;
  zoomright[0] = 190000;
  CompactedChannel[0] = 10;
  ParseArray[0][1].assign(20001, 0.0f);
  DrawPlot(0, 0, 0, 1);

  openPlot(makeFile(1000, {[](int32_t k) { return float(k); }}), 1);
  DrawPlot(0, 0, 0, 1);
  const std::string plain = windowImage(1001);
  // A zoom of file 1 does not reach file 2, and file 2 draws its own samples even when
  // its compaction word was left set with no compacted rows of its own.
  CompactedChannel[1] = 10;
  DrawPlot(0, 0, 0, 1);
  EXPECT_EQ(windowImage(1001), plain);
  FileSHORTS[1][6] = 1;
  zoomleft[1] = 10;
  zoomright[1] = 500;
  DrawPlot(0, 0, 0, 1);
  EXPECT_NE(rt::windowTitle(1001).find("1,000 samples"), std::string::npos);
}

TEST(PlotWindow, ZoomAnimationLeavesNothingBehind) {
  resetPlotState();
  openPlot(makeFile(1000, {wave}), 0);
  DrawPlot(0, 0, 0, 1);
  FileSHORTS[0][11] = 300;
  FileSHORTS[0][12] = 500;
  const std::string before = windowImage(1000);
  ZoomEffect();
  EXPECT_EQ(windowImage(1000), before);
}

TEST(PlotWindow, HeaderLineFollowsTheWidth) {
  resetPlotState();
  prefsArray[10] = 1;
  DataFile f = makeFile(1000, {wave, wave, wave});
  f.meta.markers = {{100, 65}};
  openPlot(std::move(f), 0);
  overlayFlag(0, 1, 2) = 1;
  overlayFlag(0, 1, 3) = 1;
  setPlotSize(0, 1100, 429);
  DrawPlot(0, 0, 0, 1);
  EXPECT_EQ(rt::editText(53), "05/14/2024@09:15:00;  interval  1.000 sec");
  EXPECT_EQ(rt::editText(17), "      none");
  for (int id : {54, 55, 56, 97, 17, 332, 444}) EXPECT_TRUE(rt::controlExists(id)) << id;
  overlayFlag(0, 1, 3) = 0;  // one overlay channel: no clearing button
  DrawPlot(0, 0, 0, 1);
  EXPECT_FALSE(rt::controlExists(444));
  setPlotSize(0, 800, 429);
  DrawPlot(0, 0, 0, 1);
  for (int id : {17, 332, 444}) EXPECT_FALSE(rt::controlExists(id)) << id;
  EXPECT_TRUE(rt::controlExists(53));
}

TEST(PlotWindow, PageLinesZeroLineAndHistogram) {
  resetPlotState();
  prefsArray[12] = 1;
  prefsArray[13] = 1;
  openPlot(makeFile(5000, {[](int32_t k) { return std::sin(k * 0.01f); }}), 0);
  ASSERT_EQ(FileSHORTS[0][4], 1);
  DrawPlot(0, 0, 0, 1);
  // Page boundaries of the paged view, at trunc(k x 1287 x 1287 / 5000 + 2).
  const rt::RGB inverted{uint16_t(65535 - plotBackColor.red), uint16_t(65535 - plotBackColor.green),
                         uint16_t(65535 - plotBackColor.blue)};
  for (int x : {333, 664, 995}) EXPECT_TRUE(colorIn(1000, {x, 300, x + 1, 304}, inverted, 600)) << x;
  EXPECT_FALSE(colorIn(1000, {500, 300, 501, 304}, inverted, 600));
  // Dashed zero line of a scale from -1.25 to 1.25.
  const int y = int(std::trunc(PlotHeight * maximumValue / (maximumValue - minimumValue) + 34));
  EXPECT_TRUE(near(rt::canvasPixel(1000, 15, y), Pwhite, 0));
  EXPECT_FALSE(near(rt::canvasPixel(1000, 5, y), Pwhite, 0));

  PlotAsHistogram = 1;
  PlotDataLineColor = kRed;
  DrawPlot(0, 0, 0, 1);
  const Extent bars = extentWhere(1000, 600, 600, 31, BottomOfPlotArea - 3, reddish);
  ASSERT_TRUE(bars.found());
  EXPECT_GT(bars.bottom - bars.top, 3);
}

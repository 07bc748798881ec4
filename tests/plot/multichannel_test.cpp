// The multi-channel view drawn in a real plot window: strips in their rows, one-strip
// redraws, the scale modes the redraws leave, the entry points, windows 6 and 11.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/channel_selection.h"
#include "core/colors.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/results_scaling.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot_fixture.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"

using namespace qv;
using namespace plottest;

namespace {

constexpr int kPlot = 1000;

// Five channels of 1,000 cases (offscreen plot 1,000 x 429: BottomOfPlotArea 391); channel 4
// is flat and channel 5 NaN from case 300 on.
void openStrips(std::vector<int> shown) {
  resetPlotState();
  CustomScreenPlot = 0;
  MultiChanSelectorWindow = 1;
  DrawAllScaleMode = 2;
  DataFile f = makeFile(1000, {[](int32_t k) { return std::sin(k / 40.0f) * 20; },
                               [](int32_t k) { return k / 10.0f; },
                               [](int32_t k) { return 50 - k / 50.0f; }, [](int32_t) { return 3.0f; },
                               [](int32_t k) {
                                 return k < 300 ? float(k) : std::numeric_limits<float>::quiet_NaN();
                               }});
  openPlot(std::move(f), 0);
  setPlotSize(0, 1000, 429);
  for (int c : shown) overlayFlag(0, 1, c) = 1;
  FileSHORTS[0][kViewModeWord] = 1;
}

}  // namespace

TEST(MultiChannel, FullRedrawLaysOutTheStripsWithTheirButtons) {
  openStrips({1, 3, 5});
  DrawALLCHANNELS(0);
  const int tops[] = {31, 151, 271};
  int k = 0;
  for (int c : {1, 3, 5}) {
    EXPECT_EQ(fileVariableArray[0][c][8], 120);
    const rt::Rect r = rt::controlRect(700 + c);
    EXPECT_EQ(r.top, tops[k]) << c;
    EXPECT_EQ(r.left, 1000 - 12);
    ASSERT_TRUE(rt::controlExistsIn(1200, 600 + c));
    EXPECT_EQ(rt::buttonStateIn(1200, 600 + c), c == ActiveChannel ? 2 : 1);
    ++k;
  }
  EXPECT_FALSE(rt::controlExists(702));
  EXPECT_EQ(LastMCH, 5);
  EXPECT_EQ(rt::windowTitle(kPlot), "Quorvelant Plot Window:  File  'test.KXdata ' ( 5 Channels, 1000 Samples ) ");
  // The picker's close box folds it to the stub and back.
  MultiChanSelectorWindow = 0;
  MultiChannelChanSelectWindow(0);
  EXPECT_EQ(rt::windowContentRect(1200).height(), 20);
  EXPECT_FALSE(rt::controlExistsIn(1200, 601));
  MultiChanSelectorWindow = 1;
  MultiChannelChanSelectWindow(0);
  EXPECT_TRUE(rt::controlExistsIn(1200, 601));
}

TEST(MultiChannel, AFixedLimitStripStaysInsideItsRowsAndOneStripRedrawTouchesNothingElse) {
  openStrips({1, 2, 3});
  scalingFactorArray[2][4] = -1;
  scalingFactorArray[2][5] = 20;  // channel 2 runs 0..100: most of it outside
  scalingFactorArray[2][6] = 40;
  DrawALLCHANNELS(0);
  const plot::StripEdges e = plot::stripOfChannel(0, 2);
  ASSERT_EQ(e.top, 151);
  ASSERT_EQ(e.bottom, 271);
  const Extent trace = columnExtent(kPlot, 150, 900, 31, 390, PlotDataLineColor, 3000);
  ASSERT_TRUE(trace.found());
  const Extent inStrip2 = columnExtent(kPlot, 150, 900, e.top, e.bottom, PlotDataLineColor, 3000);
  EXPECT_TRUE(inStrip2.found());

  const std::vector<rt::RGB> above = pixels(kPlot, {0, 31, 1000, e.top});
  const std::vector<rt::RGB> below = pixels(kPlot, {0, e.bottom + 1, 1000, 391});
  const std::vector<rt::RGB> before = pixels(kPlot, {0, 31, 1000, 391});
  DrawALLCHANNELS(2);
  for (int y = 31; y < 391; ++y)
    for (int x = 0; x < 1000; ++x)
      if (!(rt::canvasPixel(kPlot, x, y) == before[size_t((y - 31) * 1000 + x)])) {
        ADD_FAILURE() << "changed at " << x << "," << y;
        y = 391;
        break;
      }
  EXPECT_EQ(above, pixels(kPlot, {0, 31, 1000, e.top}));
  EXPECT_EQ(below, pixels(kPlot, {0, e.bottom + 1, 1000, 391}));
  EXPECT_EQ(before, pixels(kPlot, {0, 31, 1000, 391}));
  for (int c : {1, 3}) EXPECT_EQ(rt::controlRect(700 + c).top, plot::stripOfChannel(0, c).top);
}

TEST(MultiChannel, FlatAndNaNChannelsDraw) {
  openStrips({4, 5});
  DrawALLCHANNELS(0);
  DrawALLCHANNELS(5);
  EXPECT_TRUE(rt::controlExists(704));
  EXPECT_TRUE(rt::controlExists(705));
}

TEST(MultiChannel, RedrawsLeaveEveryChannelItsOwnScaleMode) {
  openStrips({1, 2, 3});
  ActiveChannel = 1;
  scalingFactorArray[1][4] = -1;
  scalingFactorArray[1][5] = 0;
  scalingFactorArray[1][6] = 10;
  DrawALLCHANNELS(0);
  DrawALLCHANNELS(0);
  EXPECT_EQ(scalingFactorArray[1][4], -1);
  EXPECT_EQ(scalingFactorArray[1][5], 0);
  EXPECT_EQ(scalingFactorArray[1][6], 10);
  EXPECT_EQ(ScaleMode, -1);
  ActiveChannel = 3;
  DrawALLCHANNELS(0);
  EXPECT_EQ(scalingFactorArray[3][4], 2);
  EXPECT_EQ(scalingFactorArray[1][4], -1);
}

TEST(MultiChannel, ChannelChangeTakesAChannelOfTheFile) {
  openStrips({1, 2});
  DrawALLCHANNELS(0);
  ActiveChannel = 2;
  CHANNELCHANGE(0);
  EXPECT_EQ(ActiveChannel, 2);
  CHANNELCHANGE(45);
  EXPECT_EQ(ActiveChannel, 5);
  EXPECT_EQ(chanB, 5);
}

TEST(MultiChannel, WindowSixOutcomes) {
  struct Case {
    const char* what;
    int16_t viewBefore;
    std::vector<std::string> lines;
    int16_t viewAfter;
    std::vector<int> strips;
  };
  const std::vector<Case> cases = {
      {"standard settings", 0, {"click 20"}, 1, {1, 2, 3, 4, 5}},
      {"cancel", 0, {"click 8"}, 0, {}},
      {"close box", 1, {"dialog 4 6"}, 1, {2, 3}},
      {"one channel", 1, {"click 3", "click 1"}, 0, {}},
      {"same view", 1, {"click 5", "click 1"}, 1, {2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    openStrips({2, 3});
    overlayFlag(0, 2, 4) = 1;
    FileSHORTS[0][kViewModeWord] = c.viewBefore;
    if (c.viewBefore) DrawALLCHANNELS(0);
    for (const std::string& l : c.lines) ASSERT_TRUE(rt::script::pushLine(l));
    MultiChannelDisplay(0);
    EXPECT_EQ(FileSHORTS[0][kViewModeWord], c.viewAfter);
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    std::vector<int> strips;
    for (int ch = 1; ch <= 5; ++ch)
      if (overlayFlag(0, 1, ch)) strips.push_back(ch);
    if (c.viewAfter || c.viewBefore) {
      EXPECT_EQ(strips, c.strips);
    }
    EXPECT_EQ(overlayFlag(0, 2, 4), 1);  // the channels to save stay
  }
  // A file of one channel: nothing.
  resetPlotState();
  openPlot(makeFile(100, {[](int32_t k) { return float(k); }}), 0);
  MultiChannelDisplay(0);
  EXPECT_FALSE(rt::windowExists(6));
  EXPECT_EQ(FileSHORTS[0][kViewModeWord], 0);
}

TEST(MultiChannel, WindowElevenSetsScreenHeightsFromClicks) {
  openStrips({1, 2, 3});
  DrawALLCHANNELS(0);
  for (const char* l : {"mouse down 100 100 11", "mouse up 100 100 11", "mouse down 100 250 11",
                        "mouse up 100 250 11", "click 1"})
    ASSERT_TRUE(rt::script::pushLine(l));
  ChangeCHARTHITE(1);
  EXPECT_EQ(fileVariableArray[0][1][8], 100);
  EXPECT_EQ(fileVariableArray[0][1][9], 148);
  EXPECT_EQ(fileVariableArray[0][2][8], 150);
  EXPECT_EQ(fileVariableArray[0][2][9], 298);
  EXPECT_EQ(fileVariableArray[0][3][8], 122);
  EXPECT_EQ(fileVariableArray[0][3][9], 420);
  EXPECT_EQ(CustomScreenPlot, 1);
  EXPECT_FALSE(rt::windowExists(11));
}

TEST(MultiChannel, PrintedHeightsLeaveTheScreenStripsAlone) {
  openStrips({1, 2, 3, 4});
  DrawALLCHANNELS(0);
  for (const char* l : {"mouse down 100 60 11", "mouse up 100 60 11", "mouse down 100 115 11",
                        "mouse up 100 115 11", "mouse down 100 170 11", "mouse up 100 170 11", "click 1"})
    ASSERT_TRUE(rt::script::pushLine(l));
  ChangeCHARTHITE(0);
  EXPECT_EQ(fileVariableArray[0][1][8], 90);
  EXPECT_EQ(fileVariableArray[0][4][9], 421);
  EXPECT_NEAR(PrintedStrips[0][1].height, 97.78, 0.01);
  EXPECT_NEAR(PrintedStrips[0][4].base, 485.0, 0.01);
  EXPECT_EQ(CustomPlot, 1);
}

TEST(MultiChannel, ResizeClearsCustomHeightsAndShowsTheBlockDuration) {
  openStrips({1, 2});
  CustomScreenPlot = 1;
  FileInfoFLOATS[0][1] = 0.5;
  BeginBlock[0] = 100;
  EndBlock[0] = 340;
  FileSHORTS[0][kBlockStateWord] = 2;
  setPlotSize(0, 1000, 429);
  ResizeTheMainWindow(0);
  EXPECT_EQ(CustomScreenPlot, 0);
  EXPECT_EQ(fileVariableArray[0][1][8], 180);
  ASSERT_TRUE(rt::controlExistsIn(kPlot, 17));
  EXPECT_EQ(rt::editTextIn(kPlot, 17), " 2 min");
  EndBlock[0] = 339;
  ResizeTheMainWindow(0);
  EXPECT_EQ(rt::editTextIn(kPlot, 17), " 119.5 sec");
  FileSHORTS[0][kBlockStateWord] = 0;
  ResizeTheMainWindow(0);
  EXPECT_EQ(rt::editTextIn(kPlot, 17), "      none");
}

TEST(MultiChannel, EveryChannelHasAWholeButtonLevelWithItsStripAtOneToFortyChannels) {
  for (int n : {1, 5, 10, 20, 35, 38, 40}) {
    resetPlotState();
    CustomScreenPlot = 0;
    MultiChanSelectorWindow = 1;
    DrawAllScaleMode = 2;
    std::vector<std::function<float(int32_t)>> channels;
    for (int c = 1; c <= n; ++c) channels.push_back([c](int32_t k) { return std::sin(k / 30.0f + c); });
    openPlot(makeFile(500, channels), 0);
    setPlotSize(0, 1000, 429);
    for (int c = 1; c <= n; ++c) overlayFlag(0, 1, c) = 1;
    FileSHORTS[0][kViewModeWord] = 1;
    DrawALLCHANNELS(0);
    const int pickerHeight = rt::windowContentRect(1200).height();
    for (int c = 1; c <= n; ++c) {
      ASSERT_TRUE(rt::controlExistsIn(1200, 600 + c)) << n << " channels, channel " << c;
      rt::setOutputWindow(1200);
      const rt::Rect b = rt::controlRect(600 + c);
      const plot::StripEdges e = plot::stripOfChannel(0, c);
      EXPECT_EQ(b.top, e.top + 1) << n << ": " << c;
      EXPECT_EQ(b.bottom, e.bottom) << n << ": " << c;
      EXPECT_LE(b.bottom, pickerHeight) << n << ": " << c;
    }
  }
}

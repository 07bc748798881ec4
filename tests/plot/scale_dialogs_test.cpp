// The Y-scale tools: the level under a row, the limits they accept, and both windows driven
// as a person would.
#include <gtest/gtest.h>

#include <cmath>

#include "core/channel_selection.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "plot/level_pick.h"
#include "core/results_scaling.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/scale_limits.h"
#include "plot_fixture.h"
#include "support/qvtest.h"
#include "runtime/windows.h"

using namespace qv;
using namespace plottest;

namespace {

// Channel 1 of a 1,000-case file with fixed limits 0..10; the plot 1,287 x 429
// (BottomOfPlotArea 391, PlotHeight 351).
void fixedPlot(float low = 0, float high = 10) {
  resetPlotState();
  openPlot(makeFile(1000, {[](int32_t k) { return float(k % 10); }, [](int32_t k) { return float(k % 7) * 100; },
                           [](int32_t k) { return float(k % 5) - 50; }}),
           0);
  setPlotSize(0, 1287, 429);
  ActiveChannel = 1;
  scalingFactorArray[1][4] = -1;
  scalingFactorArray[1][5] = low;
  scalingFactorArray[1][6] = high;
  DrawPlot(0, 0, 0, 1);
}

void expectLimits(float low, float high) {
  EXPECT_EQ(scalingFactorArray[1][4], -1.0f);
  EXPECT_NEAR(scalingFactorArray[1][5], low, 1e-4);
  EXPECT_NEAR(scalingFactorArray[1][6], high, 1e-4);
}

}  // namespace

TEST(ScaleDialogs, TheLevelOfARow) {
  struct Row {
    int y;
    float value;
  } rows[] = {{383, 0}, {32, 10}, {102, 8.005698f}, {313, 1.994302f}};
  for (const Row& r : rows) EXPECT_NEAR(pick::levelAt(r.y, 0, 10, 351, 391), r.value, 1e-5) << r.y;
}

TEST(ScaleDialogs, OnlyAFiniteOpenRangeIsAScale) {
  const auto swapped = plot::orderedLimits(8, 2);
  ASSERT_TRUE(swapped);
  EXPECT_EQ(swapped->low, 2);
  EXPECT_EQ(swapped->high, 8);
  EXPECT_FALSE(plot::orderedLimits(5, 5));
  EXPECT_FALSE(plot::typedLimits(1, float(1e39)));
  EXPECT_FALSE(plot::typedLimits(-3e38f, 3e38f));  // the difference overflows
  EXPECT_FALSE(plot::typedLimits(9, 1));
}

TEST(ScaleDialogs, LimitsPickedOnThePlotInEitherOrder) {
  for (bool upperFirst : {true, false}) {
    fixedPlot();
    const int first = upperFirst ? 102 : 313, second = upperFirst ? 313 : 102;
    const std::string a = std::to_string(first), b = std::to_string(second);
    for (const std::string& l : {std::string("click 1"), "mouse down 40 " + a + " 1000", "mouse up 40 " + a + " 1000",
                                 std::string("click 2"), "mouse down 40 " + b + " 1000", "mouse up 40 " + b + " 1000",
                                 std::string("click 5")})
      qvtest::script({l.c_str()});
    ScaleGRAPHIC();
    expectLimits(1.994302f, 8.005698f);
    EXPECT_FALSE(rt::windowExists(11));
  }
  // Equal picks are refused: the limits stay.
  fixedPlot();
  qvtest::script({"click 1", "mouse down 40 200 1000", "mouse up 40 200 1000", "click 2", "mouse down 40 200 1000",
                  "mouse up 40 200 1000", "click 5"});
  ScaleGRAPHIC();
  expectLimits(0, 10);
}

TEST(ScaleDialogs, ExpandWidensAtOnceAndCancelRestores) {
  struct Row {
    std::vector<const char*> clicks;
    float low, high;
  } rows[] = {{{"click 3", "click 5"}, -5, 15},
              {{"click 3", "click 3", "click 5"}, -15, 25},
              {{"click 4", "click 5"}, -10, 20},
              {{"click 3", "click 6"}, 0, 10}};
  for (const Row& r : rows) {
    fixedPlot();
    for (const char* c : r.clicks) qvtest::script({c});
    ScaleGRAPHIC();
    expectLimits(r.low, r.high);
    EXPECT_NEAR(minimumValue, r.low, 1e-4);
    EXPECT_NEAR(maximumValue, r.high, 1e-4);
  }
}

TEST(ScaleDialogs, TypedLimits) {
  fixedPlot(2, 8);
  qvtest::script({"type 101 1", "type 102 9", "click 3"});
  MANUALSCALING();
  expectLimits(1, 9);
  EXPECT_EQ(ScaleMode, -1);
  EXPECT_FALSE(rt::windowExists(9));

  // No scale typed: the limits shown are kept, fixed.
  for (const char* high : {"type 102 1", "type 102 1e39"}) {
    fixedPlot(2, 8);
    qvtest::script({"type 101 9", high, "click 3"});
    MANUALSCALING();
    expectLimits(2, 8);
  }

  // Text that is not a number is refused with a message and the window stays for another try.
  fixedPlot(2, 8);
  qvtest::script({"type 101 abc", "click 3", "key 13", "type 101 3", "type 102 4", "click 3"});
  MANUALSCALING();
  expectLimits(3, 4);
}

TEST(ScaleDialogs, AnOverlayDrawnAnewLeavesNoChannelBehind) {
  fixedPlot();
  const rt::RGB two = OverlayColor[2];
  const rt::Rect area{1, 40, 1280, 380};
  // Channel 2 overlaid, then channel 3 alone (the dialog starts from the set shown).
  qvtest::script({"click 2", "click 233"});
  OVERLAY();
  ASSERT_TRUE(colorIn(1000, area, two, 8000));
  qvtest::script({"click 2", "click 3", "click 233"});
  OVERLAY();
  EXPECT_FALSE(colorIn(1000, area, two, 8000));
  EXPECT_EQ(prefsArray[25], 1);
  // "Clear": no overlay, and none on later plots.
  qvtest::script({"click 139"});
  OVERLAY();
  EXPECT_EQ(prefsArray[25], 0);
}

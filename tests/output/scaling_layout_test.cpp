#include <gtest/gtest.h>

#include <vector>

#include "core/kit.h"
#include "core/screen_place.h"
#include "output/results_layout.h"
#include "output/scaling_layout.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

const rt::Rect kScreen{0, 0, 1440, 900};
constexpr int kTop = 60;

bool inside(const rt::Rect& r, int width, int height) {
  return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height && r.left < r.right && r.top < r.bottom;
}
bool overlap(const rt::Rect& a, const rt::Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::vector<rt::Rect> controls(const ScalingLayout& l) {
  std::vector<rt::Rect> all{l.clearAll, l.done};
  for (const auto& r : l.rows)
    for (const rt::Rect& c : {r.label, r.multiply, r.divide, r.factor, r.constant}) all.push_back(c);
  return all;
}

}  // namespace

TEST(ScalingLayout, EveryControlInsideAWindowOnTheScreenFor1To40Channels) {
  for (int n = 1; n <= 40; ++n) {
    const ScalingLayout l = scalingWindowLayout(n, kScreen.bottom - kTop);
    ASSERT_EQ(int(l.rows.size()), n);
    const std::vector<rt::Rect> all = controls(l);
    for (size_t i = 0; i < all.size(); ++i) {
      EXPECT_TRUE(inside(all[i], l.width, l.height)) << n << " channels, control " << i;
      for (size_t j = i + 1; j < all.size(); ++j) EXPECT_FALSE(overlap(all[i], all[j])) << n << ": " << i << " " << j;
    }
    EXPECT_LT(l.lineY, l.clearAll.top);
    // Placed where the window asks (beside a plot window at the screen's left), it fits.
    const rt::Rect placed = placeOnScreen({123, kTop, 123 + l.width, kTop + l.height}, kScreen);
    EXPECT_TRUE(fitsOnScreen(placed, kScreen)) << n;
  }
}

TEST(ScalingLayout, OneColumnWhileItFitsThenTwo) {
  // The single column: 375 down to 12 channels, 22n + 111 beyond (20 channels end at 551).
  EXPECT_EQ(kTop + scalingWindowLayout(12, 840).height, 375);
  EXPECT_EQ(kTop + scalingWindowLayout(20, 840).height, 551);
  const ScalingLayout one = scalingWindowLayout(20, 840);
  EXPECT_EQ(one.width, 528);
  EXPECT_EQ(one.rows[19].label, (rt::Rect{83, 438, 265, 452}));
  EXPECT_EQ(one.done, (rt::Rect{360, 464, 500, 485}));

  const ScalingLayout two = scalingWindowLayout(40, 840);
  EXPECT_EQ(two.columns, 2);
  EXPECT_EQ(two.rowsPerColumn, 20);
  EXPECT_EQ(two.rows[20].label, (rt::Rect{528 + 83, 20, 528 + 265, 34})) << "channel 21 heads the second column";
  EXPECT_EQ(scalingWindowLayout(35, 840).columns, 1);
  EXPECT_EQ(scalingWindowLayout(36, 840).columns, 2);
}

TEST(ResultsLayout, TheDataFilterNoticeStaysOnTheScreenAndOffTheResultsWindow) {
  const Box screen{0, 0, 1440, 900};
  // Room under a high plot: the notice goes where it is asked.
  const PlotPlace high{10, 40, 300};
  const Box resultsHigh = resultsWindowBounds(high, 0, true, false, 900);
  EXPECT_EQ(dataFilterNoticeBounds(high, resultsHigh, screen), (Box{1, 815, 327, 889}));
  // A plot as tall as the screen allows: under the results window there is no room either,
  // so the notice stands beside it.
  const PlotPlace low{10, 40, 520};
  const Box results = resultsWindowBounds(low, 0, true, false, 900);
  const Box b = dataFilterNoticeBounds(low, results, screen);
  EXPECT_TRUE(b.left >= 0 && b.right <= 1440 && b.top >= 22 && b.bottom <= 900);
  EXPECT_TRUE(b.left >= results.right || b.top - 22 >= results.bottom) << "the notice covers the results window";
  EXPECT_EQ(b.bottom - b.top, kNoticeHeight);
}

// The caption "channel k," ends before the label's field, in the font it is drawn in.
TEST(ScalingLayout, CaptionsEndBeforeTheLabels) {
  qvtest::resetRuntime();
  qv::BuildWINDOW(20, "measure", 10, 40, 400, 200, 6);
  qv::SetTextStyle(qv::KestrixFont, 13, 0);
  const ScalingLayout l = scalingWindowLayout(40, 840);
  for (int k : {9, 10, 40}) {
    const ScalingRowPlace& r = l.rows[size_t(k - 1)];
    EXPECT_LT(r.caption.x + rt::stringWidth("channel" + rt::PSstrLong(k) + ","), r.label.left) << k;
  }
}

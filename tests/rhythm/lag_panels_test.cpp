// The lag panels' pixel masks and labels.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

#include "rhythm/lag_panels.h"

namespace qv {
namespace {

TEST(LagPanels, PanelPPairsCasesLagPlusPStepsApart) {
  std::vector<float> y(401);
  for (size_t i = 0; i < y.size(); ++i) y[i] = float(std::sin(double(i) * 0.3));
  const PanelPlaces places = panelPlaces(y, 101, 300, -1.0f, 1.0f);
  std::vector<uint8_t> mask;
  struct Case { int32_t lag, step, p; int64_t offset, points; };
  for (const Case c : {Case{1, 1, 1, 2, 198}, Case{1, 1, 18, 19, 181}, Case{3, 2, 18, 39, 161},
                       Case{40000, 1, 1, 40001, 0}}) {
    const int64_t offset = int64_t(c.p) * c.step + c.lag;
    EXPECT_EQ(offset, c.offset);
    EXPECT_EQ(panelMask(places, offset, mask), c.points) << c.p;
    EXPECT_EQ(std::accumulate(mask.begin(), mask.end(), 0) > 0, c.points > 0);
  }
}

TEST(LagPanels, AFlatBlockSitsAtMidPanelAndGapsAreLeftOut) {
  std::vector<float> y(50, 3.0f);
  y[10] = std::numeric_limits<float>::quiet_NaN();
  const PanelPlaces places = panelPlaces(y, 1, 49, 3.0f, 3.0f);
  std::vector<uint8_t> mask;
  EXPECT_EQ(panelMask(places, 2, mask), 47 - 2);
  EXPECT_EQ(std::accumulate(mask.begin(), mask.end(), 0), 1);
  EXPECT_EQ(mask[size_t(kPanelHeight - 1 - (kPanelHeight - 1) / 2) * kPanelWidth + (kPanelWidth - 1) / 2], 1);
}

TEST(LagPanels, TheCornersOfTheRangeReachTheCornersOfThePanel) {
  const std::vector<float> y{0, 0, 10, 0, 10};
  const PanelPlaces places = panelPlaces(y, 1, 4, 0.0f, 10.0f);
  std::vector<uint8_t> mask;
  panelMask(places, 1, mask);
  EXPECT_EQ(mask[size_t(0) * kPanelWidth + 0], 1);                       // (0, 10): left top
  EXPECT_EQ(mask[size_t(kPanelHeight - 1) * kPanelWidth + 99], 1);       // (10, 0): right bottom
}

TEST(LagPanels, LabelsTurnToMinutesAt600Seconds) {
  EXPECT_DOUBLE_EQ(panelSeconds(1, 1, 1, 30.0f), 60.0);
  EXPECT_EQ(panelLabel(panelSeconds(1, 1, 1, 30.0f)), " step 60 sec");
  EXPECT_EQ(panelLabel(panelSeconds(18, 1, 1, 30.0f)), " step 570 sec");
  EXPECT_EQ(panelLabel(600), " step 10 min");
  EXPECT_EQ(printedPanelLabel(panelSeconds(19, 1, 1, 30.0f)), "step 10 min");
  EXPECT_EQ(printedPanelLabel(panelSeconds(24, 1, 1, 30.0f)), "step 12.5 min");
  EXPECT_EQ(printedPanelLabel(570), "step 570 sec");
}

}  // namespace
}  // namespace qv

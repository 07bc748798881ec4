// The multi-channel arithmetic: equal strips, heights picked in window 11, the pixels per
// case of a printed block and the data bar's block duration.
#include <gtest/gtest.h>

#include <vector>

#include "plot/geometry.h"
#include "plot/strip_layout.h"

using namespace qv::plot;

namespace {

std::vector<int> firstChannels(int n) {
  std::vector<int> v;
  for (int c = 1; c <= n; ++c) v.push_back(c);
  return v;
}

}  // namespace

TEST(StripLayout, EqualStripsFillTheDataAreaFromRow31) {
  struct Case {
    int n, bottom, h;
  };
  for (const Case& c : {Case{3, 391, 120}, Case{5, 391, 72}, Case{7, 391, 51}, Case{40, 391, 9}, Case{3, 431, 133}}) {
    SCOPED_TRACE(testing::Message() << c.n << " strips at " << c.bottom);
    const std::vector<StripWords> s = equalStrips(firstChannels(c.n), c.bottom);
    ASSERT_EQ(int(s.size()), c.n);
    for (int k = 1; k <= c.n; ++k) {
      EXPECT_EQ(s[size_t(k - 1)].height, c.h);
      EXPECT_EQ(s[size_t(k - 1)].base, c.h * k + 61);
      const StripEdges e = stripEdges(s[size_t(k - 1)].height, s[size_t(k - 1)].base);
      EXPECT_EQ(e.top, 31 + (k - 1) * c.h);
      EXPECT_EQ(e.bottom, 31 + k * c.h);
    }
    EXPECT_LE(stripEdges(s.back().height, s.back().base).bottom, c.bottom);
  }
  const std::vector<StripWords> three = equalStrips({2, 4, 5}, 391);
  EXPECT_EQ(three[0].base, 181);
  EXPECT_EQ(three[1].base, 301);
  EXPECT_EQ(three[2].base, 421);
  EXPECT_EQ(three[1].channel, 4);
  // Seven strips of 51 leave three rows empty at the bottom.
  EXPECT_EQ(stripEdges(51, 51 * 7 + 61).bottom, 388);
}

TEST(StripLayout, NoChannelChosenGivesChannelOneAlone) {
  const std::vector<StripWords> s = equalStrips({}, 391);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].channel, 1);
  EXPECT_EQ(s[0].height, 360);
}

TEST(StripHeights, ClicksGiveHeightsAndBasesOfTheScreenAndThePrint) {
  const HeightsFrame screen{0, 372, 1, 48};
  const int least = leastStripHeight(screen, 3);
  EXPECT_EQ(least, 16);
  const std::vector<double> clicks = {clampedPick(screen, 0, 2, least, 100), clampedPick(screen, 100, 1, least, 250)};
  std::vector<StripWords> s = pickedStrips(screen, {1, 2, 3}, clicks);
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[0].height, 100);
  EXPECT_EQ(s[0].base, 148);
  EXPECT_EQ(s[1].height, 150);
  EXPECT_EQ(s[1].base, 298);
  EXPECT_EQ(s[2].height, 122);
  EXPECT_EQ(s[2].base, 420);

  // Above the band: the least height; below it: room for the strips to come.
  EXPECT_EQ(clampedPick(screen, 0, 2, least, 5), 16);
  const double low = clampedPick(screen, 0, 2, least, 371);
  EXPECT_EQ(low, 339);
  const double next = clampedPick(screen, low, 1, least, 371);
  s = pickedStrips(screen, {1, 2, 3}, {low, next});
  EXPECT_EQ(s[1].height, 16);
  EXPECT_EQ(s[2].height, 17);

  const HeightsFrame print{5, 230, 1.777778, 85};
  s = pickedStrips(print, {1, 2, 3, 4}, {60, 115, 170});
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(s[size_t(k)].height, 97.78, 0.01);
  EXPECT_NEAR(s[3].height, 106.67, 0.01);
  EXPECT_NEAR(s[0].base, 182.78, 0.01);
  EXPECT_NEAR(s[1].base, 280.56, 0.01);
  EXPECT_NEAR(s[2].base, 378.33, 0.01);
  EXPECT_NEAR(s[3].base, 485.00, 0.01);
}

TEST(StripHeights, ManyStripsKeepAPositiveLeastHeightWhereverTheClicksFall) {
  struct Case {
    HeightsFrame fr;
    int n, least;
  };
  const HeightsFrame print{5, 230, 1.777778, 85}, screen{0, 372, 1, 48};
  for (const Case& c : {Case{print, 15, 15}, Case{print, 16, 14}, Case{print, 40, 5}, Case{screen, 25, 14},
                        Case{screen, 40, 9}}) {
    SCOPED_TRACE(testing::Message() << c.n << " strips");
    const int least = leastStripHeight(c.fr, c.n);
    EXPECT_EQ(least, c.least);
    // Every click at the very bottom: each strip but the last takes the least height.
    for (double click : {c.fr.Y + 100, c.fr.base - 100}) {
      std::vector<double> bottoms;
      double t = c.fr.base;
      for (int k = 1; k < c.n; ++k) bottoms.push_back(t = clampedPick(c.fr, t, c.n - k, least, click));
      std::vector<int> channels(size_t(c.n), 1);
      for (const StripWords& s : pickedStrips(c.fr, channels, bottoms)) EXPECT_GE(s.height, least * c.fr.factor - 1e-3);
    }
  }
}

TEST(StripLayout, PrintedBlockPixelsPerCaseAndBlockDuration) {
  EXPECT_EQ(blockPixelsPerCase(1000, 10, 10), 1000);
  EXPECT_EQ(blockPixelsPerCase(1000, 0, 40000), 0.025);
  EXPECT_EQ(blockPixelsPerCase(1000, 100, 600), 2);
  EXPECT_EQ(blockDurationText(true, 120), " 2 min");
  EXPECT_EQ(blockDurationText(true, 119.5), " 119.5 sec");
  EXPECT_EQ(blockDurationText(false, 50), "      none");
}

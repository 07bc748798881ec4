// The computations of the derivative and integral channels, of cutting and cropping, of the
// markers and start time that follow, and of where channels go when deleted or re-arranged.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "editing/file_reshape.h"
#include "editing/running_sums.h"

using namespace qv;
using reshape::Marker;

namespace {

constexpr float kGap = std::numeric_limits<float>::quiet_NaN();

// Entry 0 then cases 1..n.
std::vector<float> countingCases(int32_t n) {
  std::vector<float> x(size_t(n) + 1);
  for (int32_t k = 0; k <= n; ++k) x[size_t(k)] = float(k);
  return x;
}

void expectSame(const std::vector<float>& got, const std::vector<float>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    if (std::isnan(want[i])) EXPECT_TRUE(std::isnan(got[i])) << "entry " << i;
    else EXPECT_EQ(got[i], want[i]) << "entry " << i;
  }
}

}  // namespace

TEST(RunningSums, DifferenceAndSumLeaveEntryZeroOutAndPassGapsOn) {
  const struct {
    bool derivative;
    std::vector<float> in, out;
  } table[] = {
      {true, {5, 1, 3, 6}, {0, 0, 2, 3}},
      {false, {5, 1, 2, 3}, {1, 1, 3, 6}},
      {true, {0, 7}, {0, 0}},
      {false, {9, -4}, {-4, -4}},
      {true, {0, 1, kGap, 4, 6}, {0, 0, kGap, kGap, 2}},
      {false, {0, 1, kGap, 4, 6}, {1, 1, kGap, 5, 11}},
      {false, {0, kGap, 2}, {kGap, kGap, 2}},
  };
  for (const auto& c : table) {
    std::vector<float> out(c.in.size(), -99.0f);
    if (c.derivative) sampleDifference(c.in, out);
    else runningSum(c.in, out);
    expectSame(out, c.out);
    // In place, as the edit does it without a new channel.
    std::vector<float> same = c.in;
    if (c.derivative) sampleDifference(same, same);
    else runningSum(same, same);
    expectSame(same, c.out);
  }
}

TEST(RunningSums, MillionsOfCasesKeepTheirDigits) {
  std::vector<float> x(6100001, 20.95f);
  runningSum(x, x);
  EXPECT_EQ(x[1000000], 20950000.0f);
  EXPECT_EQ(x[6100000], 127795008.0f);
}

TEST(Reshape, CutsMoveTheLaterCasesDownOverTheWholeBlock) {
  auto one = countingCases(100);
  reshape::cutFromChannel(one, 11, 20);
  for (int k = 1; k <= 10; ++k) EXPECT_EQ(one[size_t(k)], float(k));
  for (int k = 11; k <= 90; ++k) ASSERT_EQ(one[size_t(k)], float(k + 10)) << k;
  for (int k = 91; k <= 100; ++k) ASSERT_EQ(one[size_t(k)], 0.0f) << k;

  const struct {
    int32_t b, e, left, caseAtB;
  } cuts[] = {{11, 20, 90, 21}, {50, 50, 99, 51}, {1, 10, 90, 11}, {91, 100, 90, -1}};
  for (const auto& c : cuts) {
    auto x = countingCases(100);
    EXPECT_EQ(reshape::cutCases(x, c.b, c.e), c.left) << c.b << ".." << c.e;
    if (c.caseAtB > 0) {
      EXPECT_EQ(x[size_t(c.b)], float(c.caseAtB));
    }
    EXPECT_EQ(x[size_t(c.left)], float(c.caseAtB > 0 ? 100 : c.left));
  }

  auto crop = countingCases(1000);
  reshape::cropCases(crop, 201, 300);
  EXPECT_EQ(crop[1], 201.0f);
  EXPECT_EQ(crop[100], 300.0f);
  EXPECT_EQ(crop[0], 0.0f);
}

TEST(Reshape, MarkersFollowTheirCasesThroughCutsCropsAndRemoval) {
  const std::vector<Marker> four{{10, 'A'}, {15, 'B'}, {20, 'C'}, {30, 'D'}};
  EXPECT_EQ(reshape::markersAfterCut(four, 11, 20, false, 90), (std::vector<Marker>{{10, 'A'}, {20, 'D'}}));
  // The marker put back stands where the block was, with the code of the last one deleted.
  const std::vector<Marker> two{{15, 'B'}, {18, 'E'}, {40, 'F'}};
  EXPECT_EQ(reshape::markersAfterCut(two, 11, 20, true, 90), (std::vector<Marker>{{11, 'E'}, {30, 'F'}}));
  EXPECT_EQ(reshape::markersAfterCut(std::vector<Marker>{{50, 'X'}, {60, 'Y'}}, 50, 50, false, 99),
            (std::vector<Marker>{{59, 'Y'}}));
  // A cut to the end leaves no case for the marker put back.
  EXPECT_EQ(reshape::markersAfterCut(std::vector<Marker>{{95, 'X'}}, 91, 100, true, 90), std::vector<Marker>{});
  EXPECT_TRUE(reshape::anyMarkerIn(four, 11, 15));
  EXPECT_FALSE(reshape::anyMarkerIn(four, 21, 29));

  const std::vector<Marker> edges{{200, 'a'}, {201, 'b'}, {250, 'c'}, {300, 'd'}, {301, 'e'}};
  EXPECT_EQ(reshape::markersAfterCrop(edges, 201, 300), (std::vector<Marker>{{1, 'b'}, {50, 'c'}, {100, 'd'}}));

  const std::vector<Marker> list{{40, 'C'}, {15, 'B'}, {5, 'A'}, {15, 200}, {40, 199}, {25, 'D'}};
  EXPECT_EQ(reshape::markersOutside(list, 10, 20),
            (std::vector<Marker>{{5, 'A'}, {25, 'D'}, {40, 'C'}, {40, 199}}));
}

TEST(Reshape, StartTimesMoveByWholeSecondsAndWrapAtMidnight) {
  const struct {
    const char* start;
    double seconds;
    const char* text;
    float minutes;
  } table[] = {
      {"10:00:00", 201, "10: 3:21", 603.35f}, {"23:59:00", 300, " 0: 4: 0", 4.0f},
      {"23:59:00", 60, " 0: 0: 0", 0.0f},     {"9:3:21", 39, " 9: 4: 0", 544.0f},
      {"10: 0: 0", 11, "10: 0:11", 600.18335f}, {"12:00:00", 86400.0 * 3 + 0.5, "12: 0: 0", 720.0f},
  };
  for (const auto& c : table) {
    const auto moved = reshape::startMoved(c.start, c.seconds);
    ASSERT_TRUE(moved) << c.start;
    EXPECT_EQ(moved->text, c.text) << c.start << " + " << c.seconds;
    EXPECT_FLOAT_EQ(moved->minutes, c.minutes) << c.start << " + " << c.seconds;
  }
  for (const char* bad : {"", "10:00", "10:00:00:00", "ab:cd:ef", "25:00:00", "10:61:00", "1O:00:00", "100:0:0"})
    EXPECT_FALSE(reshape::startMoved(bad, 1)) << bad;
}

TEST(Reshape, ChannelRolesFollowTheirChannelOrFallBack) {
  std::array<bool, 6> ticked{};
  ticked[2] = ticked[4] = true;
  const auto del = reshape::mapAfterDeletion(5, ticked);
  EXPECT_EQ(reshape::follow(del, 1, 1), 1);
  EXPECT_EQ(reshape::follow(del, 3, 1), 2);
  EXPECT_EQ(reshape::follow(del, 5, 1), 3);
  EXPECT_EQ(reshape::follow(del, 4, 1), 1);
  EXPECT_EQ(reshape::follow(del, 4, 0), 0);
  EXPECT_EQ(reshape::follow(del, 0, 1), 0) << "a role naming no channel stays so";

  const std::vector<int16_t> order{3, 1};
  const auto re = reshape::mapAfterRearrange(3, order);
  EXPECT_EQ(reshape::follow(re, 3, 1), 1);
  EXPECT_EQ(reshape::follow(re, 1, 1), 2);
  EXPECT_EQ(reshape::follow(re, 2, 0), 0);
}

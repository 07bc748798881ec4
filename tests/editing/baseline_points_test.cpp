// Where the periodic, marker and multi-point baselines put their points, and the chains of
// segments they subtract.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "editing/baseline_points.h"
#include "editing/edit_fixture.h"

using namespace qv;
using edittest::channel;

namespace {

// 2 + 0.001 i with a step of 1 from case 700.
float stepped(int32_t i) { return 2.0f + 0.001f * float(i) + (i >= 700 ? 1.0f : 0.0f); }

std::vector<BaselineRecord> table() { return std::vector<BaselineRecord>(size_t(kMaxBaselinePoints) + 1); }

std::vector<MarkerAt> markersA(std::initializer_list<int32_t> cases) {
  std::vector<MarkerAt> m;
  for (int32_t c : cases) m.push_back({c, 'A'});
  return m;
}

}  // namespace

TEST(MarkerPoints, StoredOutOfOrderGiveTheSameCorrection) {
  for (auto stored : {markersA({100, 500, 900}), markersA({900, 100, 500}), markersA({500, 900, 100, 500})}) {
    auto y = channel(1000, stepped);
    const auto cases = markerPointCases(stored, "A", 0, 1000);
    ASSERT_EQ(cases, (std::vector<int32_t>{100, 500, 900}));
    auto t = table();
    const int32_t n = fillPointTable(y, cases, t);
    ASSERT_EQ(n, 3);
    EXPECT_EQ(t[1][1], 98);
    EXPECT_EQ(t[1][2], 102);
    EXPECT_EQ(t[3][1], 898);
    EXPECT_EQ(t[3][2], 902);
    subtractPiecewise(y, t, n);
    for (int32_t i = 1; i <= 501; ++i) ASSERT_NEAR(y[size_t(i)], 0, 1e-5) << i;
    EXPECT_NEAR(y[502], -0.005025, 1e-4);
    EXPECT_NEAR(y[700], 0.5, 1e-4);
    EXPECT_NEAR(y[1000], -0.24996, 1e-4);
    for (float v : y) EXPECT_FALSE(std::isnan(v));
  }
}

TEST(MarkerPoints, ShiftOtherCharactersAndTheEdges) {
  const auto m = markersA({100, 500, 900});
  EXPECT_EQ(markerPointCases(m, "A", -10, 1000), (std::vector<int32_t>{90, 490, 890}));
  EXPECT_TRUE(markerPointCases(m, "AB", 0, 1000).empty());
  EXPECT_TRUE(markerPointCases(m, "B", 0, 1000).empty());
  // A point moved to the last case or beyond is skipped; one moved before case 1 whose window
  // still reaches in is kept and clipped.
  EXPECT_EQ(markerPointCases(m, "A", 100, 1000), (std::vector<int32_t>{200, 600}));
  EXPECT_EQ(markerPointCases(m, "A", -101, 1000), (std::vector<int32_t>{-1, 399, 799}));
  EXPECT_TRUE(markerPointCases(m, "A", -103, 1000).size() == 2);
  // The character is the marker code's low byte.
  EXPECT_EQ(markerPointCases(std::vector<MarkerAt>{{50, 0x100 + 'A'}}, "A", 0, 1000), (std::vector<int32_t>{50}));
}

TEST(PointWindow, ClippedToTheFile) {
  EXPECT_EQ(pointWindow(1, 1000)->first, 1);
  EXPECT_EQ(pointWindow(1, 1000)->last, 3);
  EXPECT_EQ(pointWindow(999, 1000)->last, 1000);
  EXPECT_FALSE(pointWindow(-3, 1000));
  EXPECT_FALSE(pointWindow(1003, 1000));
}

TEST(PeriodPoints, PeriodsMinutesAndTheTableLimit) {
  EXPECT_EQ(periodPointCases(100, 2700, 10000), (std::vector<int32_t>{100, 2800, 5500, 8200}));
  EXPECT_EQ(periodOfMinutes(45, 1), 2700);
  EXPECT_EQ(periodOfMinutes(0.1, 10), 0);
  EXPECT_EQ(periodOfMinutes(-1, 1), 0);
  EXPECT_EQ(periodOfMinutes(NAN, 1), 0);
  EXPECT_TRUE(periodPointCases(100, 0, 1000).empty());
  EXPECT_EQ(periodPointCount(100, 1, 100000), 99901);
  EXPECT_EQ(shortestFittingPeriod(100, 100000), 4);
  EXPECT_LE(periodPointCount(100, 4, 100000), kMaxBaselinePoints);
  EXPECT_GT(periodPointCount(100, 3, 100000), kMaxBaselinePoints);
  EXPECT_EQ(shortestFittingPeriod(1, 100), 1);
}

TEST(PickTable, MultiPointPicksFollowABentLine) {
  auto y = channel(1000, [](int32_t i) {
    return i <= 400 ? 3.0f + 0.01f * float(i) : 7.0f - 0.005f * float(i - 400);
  });
  const float entry0 = y[0];
  const std::vector<CaseWindow> picks{{100, 100}, {400, 400}, {700, 700}};
  auto t = table();
  const int32_t n = fillPickTable(y, picks, t);
  ASSERT_EQ(n, 3);
  subtractPiecewise(y, t, n);
  EXPECT_EQ(y[0], entry0);
  for (int32_t i = 1; i <= 1000; ++i) ASSERT_NEAR(y[size_t(i)], 0, 1e-5) << i;
}

TEST(TypedLine, StartAndEndOverTheFile) {
  const BaselineLine l = typedLine(10, 20, 1000);
  EXPECT_FLOAT_EQ(l.a, 10);
  EXPECT_FLOAT_EQ(l.b, 0.01f);
  auto y = channel(1000, [](int32_t) { return 0.0f; });
  subtractLine(y, l);
  EXPECT_FLOAT_EQ(y[0], -10);
  EXPECT_NEAR(y[500], -15, 1e-5);
  EXPECT_NEAR(y[1000], -20, 1e-5);
}

TEST(PickMean, AMillionCasesOfOneValueLeaveNothing) {
  auto y = channel(1000000, [](int32_t) { return 20.95f; });
  const BaselineLine flat{float(*meanOfCases(y, 1, 1000000)), 0};
  subtractLine(y, flat);
  for (int32_t i = 0; i <= 1000000; i += 997) ASSERT_EQ(y[size_t(i)], 0.0f) << i;
}

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <random>
#include <vector>

#include "plot/trace.h"

using namespace qv::plot;

namespace {

struct Span {
  double lo = 1e300, hi = -1e300;
};

// Per pixel column, the lowest and highest y of the points and of the segments that
// join consecutive points inside the column.
std::map<long, Span> columnSpans(const std::vector<PointD>& pts) {
  std::map<long, Span> m;
  for (const PointD& p : pts) {
    Span& s = m[long(std::floor(p.x))];
    s.lo = std::min(s.lo, p.y);
    s.hi = std::max(s.hi, p.y);
  }
  return m;
}

TraceInput inputFor(const std::vector<float>& v, double x0, double p) {
  TraceInput in;
  in.samples = v.data();
  in.first = 1;
  in.last = int32_t(v.size()) - 1;
  in.x0 = x0;
  in.pixelsPerCase = p;
  in.baseY = 400;
  in.yScale = 100;
  in.clipTop = 31;
  in.clipBottom = 397;
  return in;
}

}  // namespace

TEST(Trace, EnvelopeKeepsEveryColumnsExtremesAndOrder) {
  std::mt19937 rng(7);
  std::normal_distribution<float> noise(0, 1);
  std::vector<float> v(100001);
  for (size_t k = 1; k < v.size(); ++k) v[k] = std::sin(k * 0.001f) + 0.3f * noise(rng);
  v[5000] = std::numeric_limits<float>::quiet_NaN();
  v[60000] = 40;  // a one-case spike
  const TraceInput in = inputFor(v, 0.5, 300.0 / 100000);

  std::vector<PointD> every;
  for (int32_t k = 1; k <= in.last; ++k)
    if (std::isfinite(v[size_t(k)])) every.push_back({in.x0 + k * in.pixelsPerCase, traceY(in, v[size_t(k)])});
  std::vector<PointD> envelope;
  ASSERT_TRUE(polylinePoints(in, envelope));
  EXPECT_LE(envelope.size(), 4u * 302);

  const auto want = columnSpans(every), got = columnSpans(envelope);
  ASSERT_EQ(want.size(), got.size());
  for (const auto& [col, s] : want) {
    EXPECT_DOUBLE_EQ(got.at(col).lo, s.lo) << col;
    EXPECT_DOUBLE_EQ(got.at(col).hi, s.hi) << col;
  }
  // The envelope is a subsequence of the full polyline: same points, same order.
  size_t j = 0;
  for (const PointD& p : envelope) {
    while (j < every.size() && (every[j].x != p.x || every[j].y != p.y)) ++j;
    ASSERT_LT(j, every.size());
  }
  EXPECT_DOUBLE_EQ(envelope.front().x, every.front().x);
  EXPECT_DOUBLE_EQ(envelope.back().x, every.back().x);
}

TEST(Trace, SparseCasesAreDrawnOneByOne) {
  std::vector<float> v = {0, 1, 2, std::numeric_limits<float>::quiet_NaN(), 4};
  std::vector<PointD> pts;
  EXPECT_FALSE(polylinePoints(inputFor(v, 0, 3), pts));
  ASSERT_EQ(pts.size(), 3u);  // the NaN case is passed over
  EXPECT_DOUBLE_EQ(pts[0].x, 3);
  EXPECT_DOUBLE_EQ(pts[0].y, 300);
  EXPECT_DOUBLE_EQ(pts[2].x, 12);
}

TEST(Trace, HugeAndInfiniteValuesGiveBoundedPixels) {
  std::vector<float> v = {0, 3e38f, -3e38f, std::numeric_limits<float>::infinity(), 1, 2};
  for (double p : {0.001, 2.0}) {
    std::vector<PointD> pts;
    polylinePoints(inputFor(v, 0, p), pts);
    for (const PointD& q : pts) {
      EXPECT_LE(std::fabs(q.y), kFarPixel);
      EXPECT_LE(std::fabs(q.x), kFarPixel);
    }
    IntegerTrace t;
    integerTrace(inputFor(v, 0, p), 1000, t);
    for (const Segment& s : t.segments) EXPECT_LE(std::abs(s.y1), int(kFarPixel));
  }
}

TEST(Trace, ClippedTraceStaysInThePlotArea) {
  std::vector<float> v = {0, -50, 0.5f, 50};
  TraceInput in = inputFor(v, 0, 10);
  in.clip = true;
  in.clipValue = 1;
  std::vector<PointD> pts;
  polylinePoints(in, pts);
  ASSERT_EQ(pts.size(), 3u);
  EXPECT_EQ(pts[0].y, 397);  // below the bottom limit
  EXPECT_EQ(pts[1].y, 350);
  EXPECT_EQ(pts[2].y, 300);  // drawn at the top of the scale
}

TEST(Trace, IntegerColumnsJoinSteps) {
  // 0 for the first half, 1 for the second: 10 cases a column.
  std::vector<float> v(2001);
  for (size_t k = 1; k < v.size(); ++k) v[k] = k < 1000 ? 0.f : 1.f;
  IntegerTrace t;
  integerTrace(inputFor(v, 0, 0.1), 1000, t);
  EXPECT_FALSE(t.line);
  bool join = false;
  for (const Segment& s : t.segments)
    if (s.x2 == s.x1 + 1 && s.y1 == 400 && s.y2 == 300) join = true;
  EXPECT_TRUE(join);
  // Every bar lies on its own column, from left to right.
  int lastX = -1;
  for (const Segment& s : t.segments)
    if (s.x1 == s.x2) {
      EXPECT_GT(s.x1, lastX);
      lastX = s.x1;
    }
  EXPECT_EQ(lastX, 200);

  std::vector<float> few = {0, 1, 2, 3};
  integerTrace(inputFor(few, 0, 5), 1000, t);
  EXPECT_TRUE(t.line);
  ASSERT_EQ(t.segments.size(), 3u);
  EXPECT_EQ(t.segments[2].x2, 15);
  EXPECT_EQ(t.segments[2].y2, 100);
}

TEST(Trace, HistogramBarsStartWhereTheScaleSays) {
  std::vector<float> v = {0, -1, -2, -3};
  TraceInput in = inputFor(v, 0, 4);
  in.baseY = 0;  // scale -3..0 drawn from y 31 down
  HistogramBars h;
  histogramBars(in, -3, -0.5, h);
  EXPECT_EQ(h.start, 32);  // hanging from the top of the plot area
  EXPECT_EQ(h.width, 4);
  ASSERT_EQ(h.bars.size(), 3u);
  histogramBars(in, 0.5, 3, h);
  EXPECT_EQ(h.start, 397);
  in.baseY = 200;
  histogramBars(in, -1, 1, h);
  EXPECT_EQ(h.start, 200);
}

TEST(Trace, LineWidthsAndColours) {
  EXPECT_EQ(traceLineWidth(2999, false), 1.5);
  EXPECT_EQ(traceLineWidth(3000, false), 1.0);
  EXPECT_EQ(traceLineWidth(19999, false), 1.0);
  EXPECT_EQ(traceLineWidth(20000, false), 0.7);
  EXPECT_EQ(traceLineWidth(20000, true), 1.25);
  EXPECT_EQ(traceLineWidth(10, true), 1.5);
  const ColorF block{0.2, 0.3, 0.4};
  for (int code : {3, 5, 7, 99}) EXPECT_EQ(lineCodeColor(code, false, block), (ColorF{0, 0, 0})) << code;
  EXPECT_EQ(lineCodeColor(1, true, block), (ColorF{0.7, 0.7, 1}));
  EXPECT_EQ(lineCodeColor(21, false, block), block);
}

TEST(Trace, DashedLinesCutByColumns) {
  std::vector<std::vector<PointD>> pieces;
  dashByColumns({{0, 10}, {20, 10}}, pieces);
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_DOUBLE_EQ(pieces[0].front().x, 0);
  EXPECT_DOUBLE_EQ(pieces[0].back().x, 2);
  EXPECT_DOUBLE_EQ(pieces[1].front().x, 5);
}

namespace {

// Each column's first, first lowest, first highest and last finite case, found case by case.
std::vector<PointD> envelopeCaseByCase(const TraceInput& in) {
  std::vector<PointD> out;
  const float* d = in.samples;
  std::map<long, std::vector<int32_t>> columns;
  for (int32_t i = in.first; i <= in.last; ++i)
    if (std::isfinite(d[i])) columns[long(std::floor(in.x0 + (i - in.first + 1) * in.pixelsPerCase))].push_back(i);
  for (const auto& [col, cases] : columns) {
    int32_t lo = cases.front(), hi = cases.front();
    for (int32_t i : cases) {
      if (d[i] < d[lo]) lo = i;
      if (d[i] > d[hi]) hi = i;
    }
    int32_t prev = -1;
    for (int32_t i : {cases.front(), std::min(lo, hi), std::max(lo, hi), cases.back()}) {
      if (i == prev) continue;
      prev = i;
      out.push_back({in.x0 + (i - in.first + 1) * in.pixelsPerCase, traceY(in, d[i])});
    }
  }
  return out;
}

bool samePoints(const std::vector<PointD>& a, const std::vector<PointD>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].x != b[i].x || std::memcmp(&a[i].y, &b[i].y, sizeof a[i].y) != 0) return false;
  return true;
}

}  // namespace

// Columns of many cases are scanned four lanes at a time, and a reuse scope serves the same
// columns and the range's extremes again: ties, signed zeros and values that are not finite
// come out as one case at a time gives them.
TEST(Trace, LaneScansAndReusedColumnsEqualTheCaseByCaseOnes) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  std::mt19937 rng(11);
  for (int kind = 0; kind < 4; ++kind) {
    std::vector<float> v(20001);
    for (float& x : v) {
      const unsigned r = rng() % 20;
      switch (kind) {
        case 0: x = float(int(rng() % 5) - 2); break;  // many ties
        case 1: x = r == 0 ? nan : r == 1 ? inf : r == 2 ? -inf : r == 3 ? 0.0f : r == 4 ? -0.0f : float(rng() % 3); break;
        case 2: x = r < 15 ? nan : r < 17 ? -0.0f : 0.0f; break;
        default: x = std::ldexp(float(rng() % 1000), int(rng() % 40) - 20); break;
      }
    }
    const TraceInput in = inputFor(v, 0.5, 283.0 / 20000);
    std::vector<PointD> direct, reused;
    polylinePoints(in, direct);
    EXPECT_TRUE(samePoints(direct, envelopeCaseByCase(in))) << kind;

    Extremes want;
    for (int32_t i = 1; i <= in.last; ++i) {
      const float x = v[size_t(i)];
      if (!std::isfinite(x)) continue;
      ++want.finite;
      if (x > want.max) want.max = x;
      if (x < want.min) want.min = x;
    }
    const Extremes scanned = scanExtremes(v.data(), 1, in.last);
    IntegerTrace bars, reusedBars;
    integerTrace(in, 300, bars);
    {
      const ColumnReuse columns(in);
      Extremes fromColumns;
      ASSERT_TRUE(columns.extremesOf(v.data(), 1, in.last, fromColumns));
      EXPECT_FALSE(columns.extremesOf(v.data(), 2, in.last, fromColumns));
      for (const Extremes& e : {scanned, fromColumns}) {
        EXPECT_EQ(std::memcmp(&e.min, &want.min, sizeof e.min), 0) << kind;
        EXPECT_EQ(std::memcmp(&e.max, &want.max, sizeof e.max), 0) << kind;
        EXPECT_EQ(e.finite, want.finite) << kind;
      }
      polylinePoints(in, reused);
      integerTrace(in, 300, reusedBars);
    }
    EXPECT_TRUE(samePoints(reused, direct)) << kind;
    ASSERT_EQ(reusedBars.segments.size(), bars.segments.size());
    for (size_t i = 0; i < bars.segments.size(); ++i)
      EXPECT_EQ(std::memcmp(&reusedBars.segments[i], &bars.segments[i], sizeof bars.segments[i]), 0);
  }
}

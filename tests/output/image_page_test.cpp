#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "output/image_page.h"

using namespace qv::out;
using qv::MeasureText;

TEST(ImagePage, EqualStripsAndCustomHeights) {
  const auto four = stripLayout(4, nullptr);
  ASSERT_EQ(four.size(), 4u);
  const int bottoms[] = {150, 255, 360, 465}, tops[] = {57, 162, 267, 372};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(four[size_t(k)].height, 105);
    EXPECT_EQ(four[size_t(k)].bottom, bottoms[k]);
    EXPECT_EQ(four[size_t(k)].top, tops[k]);
  }
  const auto three = stripLayout(3, nullptr);
  EXPECT_EQ(three[0].height, 140);
  EXPECT_EQ(three[0].bottom, 185);
  EXPECT_EQ(three[1].bottom, 325);
  EXPECT_EQ(three[2].bottom, 465);
  // Custom heights are the printed table's, and only from two channels on.
  const std::vector<CustomStrip> custom{{200, 250}, {100, 400}};
  const auto two = stripLayout(2, &custom);
  EXPECT_EQ(two[0].height, 200);
  EXPECT_EQ(two[1].bottom, 400);
  EXPECT_EQ(two[1].top, 312);
  EXPECT_EQ(stripLayout(1, &custom)[0].height, 420);
  EXPECT_TRUE(stripLayout(0, nullptr).empty());
}

TEST(ImagePage, TimeTicks) {
  struct Case {
    double start, interval;
    int32_t n;
    double step;
    bool days;
    std::vector<Tick> ticks;
  } cases[] = {
      {33120, 1, 10800, 277.333, false, {{227.87, 10}, {505.20, 11}, {782.53, 12}}},
      {33120, 60, 8640, 138.667, true, {{92.51, 1}, {231.18, 2}, {369.84, 3}, {508.51, 4}, {647.18, 5}, {785.84, 6}}},
      {81000, 10, 1000, 299.52, false, {{155.76, 23}, {455.28, 24}, {754.80, 1}}},
      {33120, 7200, 40, 0, false, {}},
      {33120, 0, 40, 0, false, {}},
      {33120, -1, 40, 0, false, {}},
      {33120, NAN, 40, 0, false, {}},
  };
  for (const Case& c : cases) {
    const TimeAxis a = timeAxis(c.start, c.interval, c.n);
    EXPECT_NEAR(a.step, c.step, 0.001) << c.interval;
    EXPECT_EQ(a.days, c.days) << c.interval;
    ASSERT_EQ(a.ticks.size(), c.ticks.size()) << c.interval;
    for (size_t i = 0; i < c.ticks.size(); ++i) {
      EXPECT_NEAR(a.ticks[i].x, c.ticks[i].x, 0.01);
      EXPECT_EQ(a.ticks[i].label, c.ticks[i].label);
    }
  }
}

TEST(ImagePage, Texts) {
  EXPECT_EQ(totalTimeText(259200), "3 days");
  EXPECT_EQ(totalTimeText(10800), "3 hours");
  EXPECT_EQ(totalTimeText(7200), "120 minutes");
  EXPECT_EQ(totalTimeText(120), "120 seconds");
  const RangeTexts r = timeRangeTexts({1, 10800}, 1);
  EXPECT_EQ(r.start, " 0 min");
  EXPECT_EQ(r.end, " 180 min");
  const RangeTexts s = timeRangeTexts({101, 500}, 1);
  EXPECT_EQ(s.start, " 101 sec");
  EXPECT_EQ(s.end, " 500 sec");
  EXPECT_EQ(deviceName(8), "Diziz IV2");
  EXPECT_EQ(deviceName(85), "DataTaker DT85");
  EXPECT_EQ(deviceName(0), "unknown");
  EXPECT_EQ(deviceName(7.5f), "unknown");
  EXPECT_EQ(secondsOfDay("09:12:00"), 33120);
  EXPECT_EQ(secondsOfDay("9:1"), 0);
}

TEST(ImagePage, OneRangeForEverythingPrinted) {
  ViewWords v;
  v.nCases = 10800;
  v.screenWidth = 1287;
  v.page = 9;
  auto eq = [](CaseRange r, int32_t a, int32_t b) { return r.first == a && r.last == b; };
  EXPECT_TRUE(eq(printedRange(v), 8 * 1287 + 1, 10800));  // the last page, held to the data
  v.page = 2;
  EXPECT_TRUE(eq(printedRange(v), 1288, 2574));
  v.wholeFile = true;
  EXPECT_TRUE(eq(printedRange(v), 1, 10800));
  v.zoomed = true, v.zoomLeft = 100, v.zoomRight = 900;
  EXPECT_TRUE(eq(printedRange(v), 100, 900));
  v.blockOnly = true, v.beginBlock = 50, v.endBlock = 20000;
  EXPECT_TRUE(eq(printedRange(v), 50, 10800));
  ViewWords small;
  small.nCases = 500, small.screenWidth = 1287, small.page = 3;
  EXPECT_TRUE(eq(printedRange(small), 1, 500));
}

TEST(ImagePage, MarkersStayInsideTheRange) {
  const std::vector<int32_t> cases{1, 2881, 3601, 6481, 7201, 10081, 12000}, codes{65, 66, 67, 68, 69, 70, 71};
  const auto m = markerMarks({1, 10800}, cases, codes);
  ASSERT_EQ(m.size(), 5u);
  const int xs[] = {221, 277, 499, 554, 776};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(m[i].x, xs[i]);
  EXPECT_EQ(m[0].code, 66);
  EXPECT_TRUE(markerMarks({5, 5}, cases, codes).empty());
}

// At any channel count each trace spans rows of its own strip, under its captions; captions
// shrink in low strips and go where they would not fit.
TEST(ImagePage, TracesAndCaptionsStayInsideTheirStripsAtAnyChannelCount) {
  for (int n : {1, 4, 10, 20, 35, 40}) {
    const auto strips = stripLayout(n, nullptr);
    ASSERT_EQ(int(strips.size()), n);
    for (int k = 0; k < n; ++k) {
      const Strip& s = strips[size_t(k)];
      const int stripTop = s.bottom - s.height;
      EXPECT_GT(s.top, stripTop) << n << ": " << k;
      EXPECT_GE(s.bottom - 1 - s.top, s.height / 2) << n << ": the trace keeps at least half its strip";
      if (k > 0) {
        EXPECT_GE(stripTop, strips[size_t(k - 1)].bottom) << n << ": strips overlap";
      }
      if (s.captionSize == 0) continue;
      EXPECT_GE(s.captionSize, kLeastCaptionSize);
      EXPECT_GE(s.captionY - s.captionSize, stripTop) << n << ": caption above its strip";
      EXPECT_LE(s.captionY, s.top) << n << ": caption over the trace";
    }
  }
  EXPECT_EQ(stripLayout(10, nullptr)[0].captionSize, 10);
  EXPECT_EQ(stripLayout(20, nullptr)[0].captionSize, 7);
  EXPECT_EQ(stripLayout(35, nullptr)[0].captionSize, 0);
  EXPECT_EQ(stripLayout(40, nullptr)[0].captionSize, 0);
}

TEST(ImagePage, ALongCommentIsWrappedAndEndsAtThePageBottom) {
  const MeasureText measure = [](std::string_view t) { return int(t.size()) * 6; };  // 6 units a byte
  std::string comment;
  for (int k = 1; k <= 400; ++k) comment += "Sentence " + std::to_string(k) + " of the run's notes. ";
  const auto rows = commentRows(comment, 500, 800, 20, measure);
  ASSERT_EQ(rows.size(), 20u);
  EXPECT_LE(measure(rows[0]), 500);
  for (const std::string& r : rows) EXPECT_LE(measure(r), 800) << r;
  EXPECT_TRUE(rows.back().ends_with("\u2026")) << rows.back();
  // Wrapped between words: the rows joined by blanks give back the comment's start.
  std::string joined;
  for (size_t k = 0; k + 1 < rows.size(); ++k) joined += (k ? " " : "") + rows[k];
  EXPECT_EQ(comment.rfind(joined, 0), 0u) << joined;
  // Line ends are kept; a short comment ends without the mark.
  const auto shortOne = commentRows("first line\rsecond line", 500, 800, 20, measure);
  EXPECT_EQ(shortOne, (std::vector<std::string>{"first line", "second line"}));
  EXPECT_TRUE(commentRows("anything", 500, 800, 0, measure).empty());
}

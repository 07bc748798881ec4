#include <gtest/gtest.h>

#include <limits>

#include "plot/geometry.h"

using namespace qv::plot;

namespace {

PlotView paged(int32_t n, int width, int page) {
  PlotView v;
  v.nCases = n;
  v.screenWidth = width;
  v.page = page;
  v.xstep = xstepFor(n, width, page, 1);
  return v;
}

}  // namespace

TEST(Geometry, WindowLayoutFromTheScreen) {
  const WindowLayout l = layoutFromScreen(1440, 900, 0);
  EXPECT_EQ(l.w, 1290);
  EXPECT_EQ(l.screenHeight, 800);
  EXPECT_EQ(l.bottom, 390);
  EXPECT_EQ(l.left, 94);
  EXPECT_EQ(l.top, 41);
  EXPECT_EQ(l.width, 1287);
  EXPECT_EQ(l.height, 429);
  const WindowLayout big = layoutFromScreen(2560, 1600, 1);
  EXPECT_EQ(big.w, 1800);
  EXPECT_EQ(big.left, 2);
  EXPECT_EQ(big.width, 1889);
  EXPECT_EQ(big.bottom, 390);
  const WindowLayout tall = layoutFromScreen(700, 1000, 0);  // h - 410 above 400
  EXPECT_EQ(tall.bottom, 356);
  const WindowLayout narrow = layoutFromScreen(640, 480, 0);
  EXPECT_EQ(narrow.w, 640);
  EXPECT_EQ(narrow.screenHeight, 480);
  const WindowLayout tiny = layoutFromScreen(500, 480, 0);
  EXPECT_EQ(tiny.w, 550);
}

TEST(Geometry, PixelsPerCase) {
  EXPECT_EQ(xstepFor(300, 1000, 1, 1), 3);
  EXPECT_EQ(xstepFor(600, 1000, 1, 3), 1);
  EXPECT_EQ(xstepFor(500, 1000, 1, 1), 2);
  EXPECT_EQ(xstepFor(5000, 1000, 2, 1), 1);
  EXPECT_EQ(xstepFor(0, 1000, 1, 7), 1);
  EXPECT_EQ(xstepFor(1, 1000, 1, 1), 1000);
  // A page count left over from a longer file does not keep a stale step.
  EXPECT_EQ(xstepFor(300, 1000, 1, 1), 3);
}

TEST(Geometry, SmallFileCasesLieAtThreePixelsEach) {
  const PlotView v = paged(300, 1000, 1);
  EXPECT_EQ(kindOf(v), ViewKind::SmallFile);
  const TraceMap m = traceMap(v);
  EXPECT_EQ(m.first, 1);
  EXPECT_EQ(m.last, 300);
  EXPECT_DOUBLE_EQ(m.x0 + 1 * m.pixelsPerCase, 3);      // case 1
  EXPECT_DOUBLE_EQ(m.x0 + 300 * m.pixelsPerCase, 900);  // case 300
  EXPECT_DOUBLE_EQ(caseToX(v, 120), 360);
}

TEST(Geometry, SecondPageOfAPagedFile) {
  const PlotView v = paged(5000, 1000, 2);
  const CaseRange r = visibleRange(v);
  EXPECT_EQ(r.first, 1001);
  EXPECT_EQ(r.last, 2000);
  const TraceMap m = traceMap(v);
  EXPECT_EQ(m.first, 1000);
  EXPECT_EQ(m.last, 2000);
  // Case c of the trace at x = x0 + (c - first + 1) * p: 1,000 at 0, 2,000 at 1,000.
  EXPECT_DOUBLE_EQ(m.x0 + 1 * m.pixelsPerCase, 0);
  EXPECT_DOUBLE_EQ(m.x0 + (2000 - m.first + 1) * m.pixelsPerCase, 1000);
  EXPECT_EQ(caseAtX(v, 0), 1000);
  EXPECT_EQ(caseAtX(v, 1000), 2000);
  EXPECT_DOUBLE_EQ(caseToX(v, 1500), 500);
}

TEST(Geometry, VisibleRangeOfEachView) {
  PlotView v = paged(2500, 1000, 3);  // partial last page
  EXPECT_EQ(visibleRange(v).first, 2001);
  EXPECT_EQ(visibleRange(v).last, 2500);
  v.page = 9;  // a page beyond the file is taken as the last
  EXPECT_EQ(visibleRange(v).last, 2500);
  v.wholeFile = true;
  EXPECT_EQ(visibleRange(v).first, 1);
  EXPECT_EQ(visibleRange(v).last, 2500);
  v.zoomed = true;
  v.zoomLeft = 700;
  v.zoomRight = 900;
  EXPECT_EQ(visibleRange(v).first, 700);
  EXPECT_EQ(visibleRange(v).last, 900);
  v.zoomRight = 99999;  // a zoom range is kept inside the file
  EXPECT_EQ(visibleRange(v).last, 2500);
  // A block replaces the view when the scale is taken over it.
  EXPECT_EQ(visibleRange(v, 10, 20).first, 10);
  EXPECT_EQ(visibleRange(v, 10, 20).last, 20);
  EXPECT_TRUE(visibleRange(PlotView{}).empty());
}

TEST(Geometry, WholeFileAndZoomMappings) {
  PlotView v;
  v.nCases = 6100000;
  v.screenWidth = 1800;
  v.wholeFile = true;
  TraceMap m = traceMap(v);
  EXPECT_DOUBLE_EQ(m.pixelsPerCase, 1800.0 / 6100000);
  EXPECT_DOUBLE_EQ(m.x0, m.pixelsPerCase);
  EXPECT_EQ(caseAtX(v, 1800), 6100000);
  EXPECT_DOUBLE_EQ(caseToX(v, 6100000), 1800);  // no 32-bit product on the way

  v.zoomed = true;
  v.zoomLeft = 50001;
  v.zoomRight = 6050001;  // a zoom over 6,000,000 cases
  m = traceMap(v);
  EXPECT_EQ(m.first, 50001);
  EXPECT_EQ(m.last, 6050001);
  EXPECT_EQ(m.x0, 0);
  EXPECT_EQ(caseAtX(v, 0), 50001);
  EXPECT_EQ(caseAtX(v, 1800), 6050001);
  EXPECT_EQ(caseAtX(v, 900), 3050001);
  EXPECT_DOUBLE_EQ(caseToX(v, 6050001), 1800);

  v.zoomLeft = 100;  // a zoom of more than 2 pixels a case starts within the first pixel
  v.zoomRight = 200;
  m = traceMap(v);
  EXPECT_DOUBLE_EQ(m.pixelsPerCase, 18);
  EXPECT_DOUBLE_EQ(m.x0, -18);
  EXPECT_DOUBLE_EQ(m.x0 + m.pixelsPerCase, 0);
}

TEST(Geometry, EveryPixelMapsToACaseOfTheFile) {
  std::vector<PlotView> views;
  views.push_back(paged(2500, 1000, 3));
  views.push_back(paged(2500, 1000, 1));
  views.push_back(paged(300, 1000, 1));
  views.push_back(paged(7, 1000, 1));
  PlotView w = paged(2500, 1000, 1);
  w.wholeFile = true;
  views.push_back(w);
  PlotView z = w;
  z.zoomed = true;
  z.zoomLeft = 2400;
  z.zoomRight = 2500;
  views.push_back(z);
  z.zoomLeft = z.zoomRight = 2500;  // a zoom with no width
  views.push_back(z);
  for (const PlotView& v : views) {
    for (int x = -5; x <= v.screenWidth + 5; ++x) {
      const int32_t c = caseAtX(v, x);
      ASSERT_GE(c, 1) << x;
      ASSERT_LE(c, v.nCases) << x;
    }
  }
}

TEST(Geometry, StripEdgesFromTheChannelsHeightAndBase) {
  struct Row {
    float height, base;
    int top, bottom;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const Row& r : {Row{120, 181, 31, 151}, Row{72.5f, 133.9f, 30, 103}, Row{0, 61, 31, 31},
                       Row{1e30f, 1e30f, -30000, 30000}, Row{nan, nan, 0, 0}, Row{10, nan, -10, 0}}) {
    const StripEdges e = stripEdges(r.height, r.base);
    EXPECT_EQ(e.top, r.top) << r.height << " " << r.base;
    EXPECT_EQ(e.bottom, r.bottom) << r.height << " " << r.base;
  }
}

#include <gtest/gtest.h>

#include <vector>

#include "plot/marker_layout.h"

using namespace qv::plot;

namespace {

PlotView pagedView(int32_t n, int width, int page) {
  PlotView v;
  v.nCases = n;
  v.screenWidth = width;
  v.page = page;
  v.xstep = xstepFor(n, width, page, 1);
  return v;
}

std::vector<MarkerInput> evenly(int count, int32_t from, int32_t step) {
  std::vector<MarkerInput> m;
  for (int k = 0; k < count; ++k) m.push_back({from + k * step, 65});
  return m;
}

}  // namespace

TEST(Markers, LabelsOfCodes) {
  EXPECT_EQ(markerLabel(65), "A");
  EXPECT_EQ(markerLabel(203), "3");
  EXPECT_EQ(markerLabel(200), "»");
  EXPECT_EQ(markerLabel(199), "«");
  EXPECT_EQ(markerLabel(201), "1");
  EXPECT_EQ(markerLabel(0), "");
}

TEST(Markers, CrowdedMarkersLoseTheirLabels) {
  const PlotView v = pagedView(10000, 1000, 1);
  // 120 markers on the page: fewer than 10 pixels each.
  MarkerLayout a = layoutMarkers(v, evenly(120, 5, 8), true);
  EXPECT_EQ(a.marks.size(), 120u);
  EXPECT_FALSE(a.labels);
  // 100 on the page (10 pixels each) and 200 on later pages, which do not count.
  std::vector<MarkerInput> m = evenly(100, 5, 9);
  for (const auto& x : evenly(200, 2000, 10)) m.push_back(x);
  MarkerLayout b = layoutMarkers(v, m, true);
  EXPECT_EQ(b.marks.size(), 100u);
  EXPECT_TRUE(b.labels);
  EXPECT_FALSE(layoutMarkers(v, m, false).labels);
  // In the whole-file view every marker counts.
  PlotView w = v;
  w.wholeFile = true;
  EXPECT_FALSE(layoutMarkers(w, m, true).labels);
  // A zoomed view does not count them.
  PlotView z = v;
  z.zoomed = true;
  z.zoomLeft = 1;
  z.zoomRight = 10000;
  EXPECT_TRUE(layoutMarkers(z, evenly(500, 5, 8), true).labels);
}

TEST(Markers, OnlyMarkersInsideThePlotAreDrawn) {
  const PlotView v = pagedView(5000, 1000, 2);
  const std::vector<MarkerInput> m = {{1000, 65}, {1001, 66}, {2000, 67}, {2001, 68}, {6100000, 69}};
  const MarkerLayout l = layoutMarkers(v, m, true);
  ASSERT_EQ(l.marks.size(), 2u);  // x = 0 and x beyond the width are left out
  EXPECT_EQ(l.marks[0].x, 1);
  EXPECT_EQ(l.marks[1].x, 1000);
  PlotView w = v;
  w.nCases = 6100000;
  w.screenWidth = 1800;
  w.wholeFile = true;
  const MarkerLayout big = layoutMarkers(w, m, true);
  EXPECT_EQ(big.marks.back().x, 1800);
}

TEST(Markers, NoteButtonsFollowTheirCases) {
  const PlotView v = pagedView(300, 1000, 1);  // 3 pixels a case
  const std::vector<int32_t> cases = {10, 200, 400};
  const auto b = layoutNotes(v, cases);
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(b[0].note, 1);
  EXPECT_EQ(b[0].x, 30);
  EXPECT_EQ(b[1].x, 600);
}

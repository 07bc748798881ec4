// Markers: the table in case order, the character chosen, and the insertion mode driven as
// a person would.
#include <gtest/gtest.h>

#include <cmath>

#include "core/filetable.h"
#include "core/prefs.h"
#include "editing/commands.h"
#include "plot/marker_order.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot_fixture.h"
#include "support/qvtest.h"
#include "runtime/windows.h"

using namespace qv;
using namespace plottest;

namespace {

void plotOf(int32_t cases, int width) {
  resetPlotState();
  openPlot(makeFile(cases, {[](int32_t k) { return float(std::sin(k * 0.01)); }}), 0);
  setPlotSize(0, width, 429);
  DrawPlot(0, 0, 0, 1);
}

std::vector<markers::Marker> table(int f) {
  std::vector<markers::Marker> out;
  for (int k = 1; k <= FileSHORTS[f][5]; ++k) out.push_back({MarkersArray[f][k][1], MarkersArray[f][k][2]});
  return out;
}


}  // namespace

TEST(Markers, SortKeepsEveryDistinctMarkInCaseOrder) {
  std::vector<markers::Marker> t = {{500, 'R'}, {100, 'S'}, {500, 'R'}, {300, 200},
                                    {300, 'A'}, {200, 0},   {1000, 'B'}, {1200, 'B'}};
  const int32_t n = markers::sortTable(t, 1000);
  ASSERT_EQ(n, 5);
  const std::vector<markers::Marker> want = {{100, 'S'}, {300, 200}, {300, 'A'}, {500, 'R'}, {1000, 'B'}};
  EXPECT_TRUE(std::equal(want.begin(), want.end(), t.begin()));

  // SortMARKERS counts what remains and clears the records left over.
  plotOf(1000, 1000);
  std::vector<markers::Marker> raw = {{500, 'R'}, {100, 'S'}, {500, 'R'}, {300, 200},
                                      {300, 'A'}, {200, 0},   {1000, 'B'}, {1200, 'B'}};
  for (size_t k = 0; k < raw.size(); ++k) {
    MarkersArray[0][k + 1][1] = raw[k].kase;
    MarkersArray[0][k + 1][2] = raw[k].code;
  }
  FileSHORTS[0][5] = int16_t(raw.size());
  SortMARKERS();
  EXPECT_EQ(table(0), want);
  EXPECT_EQ(MarkersArray[0][6][1], 0);
}

TEST(Markers, CodesPagesAndCharacters) {
  EXPECT_EQ(markers::pageOf(5400, 1000), 6);
  EXPECT_EQ(markers::pageOf(6'000'000, 1000), 6000);
  EXPECT_EQ(markers::codeOf("\u00bb"), 200);
  EXPECT_EQ(markers::codeOf("R"), 82);
  EXPECT_FALSE(markers::codeOf(""));
  EXPECT_FALSE(markers::codeOf("\u4e2d"));
}

TEST(Markers, InsertingFromAZoomShowsItsPageAndComesBack) {
  plotOf(5500, 1000);
  FileSHORTS[0][6] = 1;
  zoomleft[0] = 5400;
  zoomright[0] = 5450;
  DrawPlot(0, 0, 0, 1);
  int pageDuring = 0;
  // "R", then a click at x 100 of page 6, one at x 0 and one past the data.
  qvtest::script({"click 12", "click 1", "mouse down 100 200 1000", "mouse up 100 200 1000", "mouse down 0 200 1000",
                  "mouse up 0 200 1000", "mouse down 900 200 1000", "mouse up 900 200 1000", "click 2"});
  rt::setSoundObserver([&](const std::string&) { pageDuring = std::max<int>(pageDuring, FileSHORTS[0][1]); });
  InsertMarker();
  rt::setSoundObserver(nullptr);
  EXPECT_EQ(table(0), (std::vector<markers::Marker>{{5100, 'R'}}));
  EXPECT_EQ(FileSHORTS[0][6], 1);
  EXPECT_EQ(zoomleft[0], 5400);
  EXPECT_EQ(zoomright[0], 5450);
  EXPECT_EQ(LastInsertedMarker, 'R');
  EXPECT_FALSE(rt::windowExists(4));
}

TEST(Markers, StandardButtonsAFullTableAndTheCloseBox) {
  plotOf(1000, 1000);
  qvtest::script({"click 10", "click 1", "mouse down 50 200 1000", "mouse up 50 200 1000", "click 2"});
  InsertMarker();
  EXPECT_EQ(table(0), (std::vector<markers::Marker>{{50, 200}}));

  // The 32,501st marker is refused with a message.
  for (int k = 1; k <= kMaxMarkers; ++k) {
    MarkersArray[0][k][1] = 1 + k % 1000;
    MarkersArray[0][k][2] = 1 + k % 200;
  }
  FileSHORTS[0][5] = kMaxMarkers;
  qvtest::script({"click 12", "click 1", "mouse down 60 200 1000", "mouse up 60 200 1000", "key 13", "click 2"});
  InsertMarker();
  EXPECT_LE(FileSHORTS[0][5], kMaxMarkers);

  // Closing the window before a character is taken ends the mode with nothing placed.
  plotOf(1000, 1000);
  qvtest::script({"dialog 4 4"});
  InsertMarker();
  EXPECT_EQ(FileSHORTS[0][5], 0);
  EXPECT_FALSE(rt::windowExists(4));
}

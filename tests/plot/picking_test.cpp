// Picking a case or a block with the cursor: the view's own mapping, the loops driven by
// scripted input, and the ways out without a pick.
#include <gtest/gtest.h>

#include <cmath>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "editing/baseline.h"
#include "plot/cursor_pick.h"
#include "core/output_state.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot_fixture.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using namespace plottest;

namespace {

void plotOf(int32_t cases, int width) {
  resetPlotState();
  openPlot(makeFile(cases, {[](int32_t k) { return float(std::sin(k * 0.01)); }}), 0);
  setPlotSize(0, width, 429);
  DrawPlot(0, 0, 0, 1);
}

void click(int x) {
  qvtest::script({});
  for (const std::string& l : {"mouse down " + std::to_string(x) + " 200 1000", "mouse up " + std::to_string(x) + " 200 1000"})
    rt::script::pushLine(l);
}

}  // namespace

TEST(Picking, TheCaseUnderAClickFollowsTheViewShown) {
  plot::BlockView v;
  v.nCases = 10800;
  v.width = 1287;
  struct Row {
    plot::BlockViewKind kind;
    int page, x;
    int32_t zl, zr;
    std::optional<int32_t> want;
  } rows[] = {
      {plot::BlockViewKind::WholeFile, 1, 600, 1, 2, 5034},
      {plot::BlockViewKind::Paged, 2, 100, 1, 2, 1387},
      {plot::BlockViewKind::Zoomed, 1, 600, 1000, 2000, 1466},
      {plot::BlockViewKind::Paged, 1, 0, 1, 2, std::nullopt},        // left edge: case 0
      {plot::BlockViewKind::Paged, 9, 600, 1, 2, std::nullopt},      // past the data
  };
  for (const Row& r : rows) {
    v.kind = r.kind;
    v.page = r.page;
    v.zoomLeft = r.zl;
    v.zoomRight = r.zr;
    EXPECT_EQ(pick::caseAt(v, r.x), r.want) << int(r.kind) << " x " << r.x;
  }
}

TEST(Picking, ABaselineBlockStaysInsideTheFile) {
  struct Row {
    int32_t c, begin, end;
  } rows[] = {{3, 1, 13}, {500, 490, 510}, {995, 985, 1000}};
  for (const Row& r : rows) {
    const pick::CaseSpan s = pick::blockAround(r.c, 10, 1000);
    EXPECT_EQ(s.begin, r.begin) << r.c;
    EXPECT_EQ(s.end, r.end) << r.c;
  }
}

TEST(Picking, GETPointPicksInTheWholeFileViewAndCanBeLeft) {
  plotOf(10800, 1287);
  FileSHORTS[0][4] = 1;
  DrawPlot(0, 0, 0, 1);
  click(600);
  ASSERT_TRUE(GETPoint());
  EXPECT_EQ(BeginBlock[0], 5034);
  EXPECT_EQ(PlotDialogMode, 0);

  // Escape, and button 132, leave without a pick.
  BeginBlock[0] = 7;
  qvtest::script({"key 27"});
  EXPECT_FALSE(GETPoint());
  qvtest::script({"dialog 1 132"});
  EXPECT_FALSE(GETPoint());
  EXPECT_EQ(BeginBlock[0], 7);

  // A file of one case has no case to pick: back at once, no input taken.
  plotOf(1, 1287);
  EXPECT_FALSE(GETPoint());
  EXPECT_FALSE(GetBlocksWithCursor(1));
}

TEST(Picking, GetBlocksWithCursorInPointsAndBlocksMode) {
  plotOf(1000, 1000);
  prefsArray[22] = 0;
  BaseLineButton = 0;
  click(250);
  ASSERT_TRUE(GetBlocksWithCursor(1));
  EXPECT_EQ(BeginBlock[0], 250);
  EXPECT_EQ(EndBlock[0], 250);
  EXPECT_EQ(FileSHORTS[0][2], 2);

  prefsArray[22] = 10;
  NpointsInBaselineBlock = 10;
  ABu = 10;
  const auto bare = pixels(1000, {0, 40, 1000, 41});
  for (auto [x, begin, end] : {std::tuple{3, 1, 13}, {500, 490, 510}, {995, 985, 1000}}) {
    click(x);
    ASSERT_TRUE(GetBlocksWithCursor(1));
    EXPECT_EQ(BeginBlock[0], begin) << x;
    EXPECT_EQ(EndBlock[0], end) << x;
  }
  // The box that followed the pointer is gone.
  EXPECT_EQ(pixels(1000, {0, 40, 1000, 41}), bare);
}

TEST(Picking, ReturnTogglesTheWholeFileViewAndEscapeCancels) {
  plotOf(5000, 1000);
  prefsArray[22] = 0;
  BaseLineButton = 0;
  const int16_t wholeFile = FileSHORTS[0][4];
  qvtest::script({"key 13", "key 27"});
  EXPECT_FALSE(GetBlocksWithCursor(1));
  EXPECT_EQ(FileSHORTS[0][4], wholeFile ? 0 : 1);
  EXPECT_EQ(BaseLineButton, 132);
  BaseLineButton = 0;
  qvtest::script({"dialog 3 9"});
  EXPECT_FALSE(GetBlocksWithCursor(1));
  EXPECT_EQ(BaseLineButton, 131);
}

TEST(Picking, ADragInsideAPickRunsNoAutomaticRepeat) {
  plotOf(1000, 1000);
  prefsArray[22] = 0;
  prefsArray[14] = 1;
  AnalysisCode = 12;
  BaseLineButton = 0;
  qvtest::script({"mouse down 100 200 1000", "mouse drag 200 200 1000", "mouse up 300 200 1000"});
  ASSERT_TRUE(GetBlocksWithCursor(0));
  EXPECT_EQ(BeginBlock[0], 100);
  EXPECT_EQ(EndBlock[0], 300);
  EXPECT_FALSE(rt::windowExists(4));
  AnalysisCode = 0;
}

// The plot's mouse handler driven by scripted mouse records: drags, two clicks and fixed-width
// clicks in the views of the plot, the highlight on the plot's pixels, Clear Block and Reset
// Last Block, and the block window they lead to.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot_fixture.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/stats_state.h"
#include "core/sounds.h"
#include "support/qvtest.h"

using namespace qv;
using namespace plottest;

namespace {

constexpr int kPlot = 1000;
constexpr int kWidth = 1000;

float wave(int32_t k) { return float(20 + 2 * std::sin(k * 0.01)); }

// A file in slot 0, its plot 1000 pixels wide, drawn once.
void plotOf(int32_t cases) {
  resetPlotState();
  DataFile f = makeFile(cases, {wave, [](int32_t k) { return float(k % 7); }});
  f.meta.labels[1] = "O2 %";
  openPlot(std::move(f), 0);
  setPlotSize(0, kWidth, 429);
  DrawPlot(0, 0, 0, 1);
}

std::string rec(const char* kind, int x) { return std::string("mouse ") + kind + " " + std::to_string(x) + " 100 1000"; }

void drag(int from, int to) { runMouse({rec("down", from), rec("drag", (from + to) / 2), rec("up", to)}); }
void clickAt(int x) { runMouse({rec("down", x), rec("up", x)}); }

rt::RGB inverted(rt::RGB c) { return {uint16_t(c.red ^ 0xFFFF), uint16_t(c.green ^ 0xFFFF), uint16_t(c.blue ^ 0xFFFF)}; }

// The plot area, every third row (y = 100 is one of them).
constexpr int kRowStep = 3;
std::vector<rt::RGB> plotPixels() { return pixels(kPlot, {0, 31, kWidth, BottomOfPlotArea - 3}, kRowStep); }
rt::RGB pixelOf(const std::vector<rt::RGB>& p, int x, int y) { return p[size_t((y - 31) / kRowStep * kWidth + x)]; }

std::string shotPath(const std::string& name) {
  std::filesystem::create_directories("plot-shots");
  return "plot-shots/" + name;
}

}  // namespace

TEST(BlockMouse, DragsGiveTheSameBlockInEveryViewAndDirection) {
  struct Case {
    const char* view;
    int32_t cases;
    void (*setUp)();
    int x1, x2;
    int32_t begin, end;
  } cases[] = {
      {"page 2", 5000, [] { FileSHORTS[0][4] = 0, FileSHORTS[0][1] = 2; }, 100, 300, 1100, 1300},
      {"three pixels a case", 333, [] {}, 30, 90, 10, 30},
      {"whole file", 50000, [] {}, 100, 200, 5000, 10000},
      {"zoomed", 50000, [] { FileSHORTS[0][6] = 1, zoomleft[0] = 1000, zoomright[0] = 3000; }, 100, 300, 1200, 1600},
      {"released past the end", 50000, [] {}, 900, 1500, 45000, 50000},
  };
  for (const Case& c : cases) {
    for (bool reverse : {false, true}) {
      plotOf(c.cases);
      c.setUp();
      DrawPlot(0, 0, 0, 1);
      ActiveChannel = 2;
      reverse ? drag(c.x2, c.x1) : drag(c.x1, c.x2);
      const std::string what = std::string(c.view) + (reverse ? ", right to left" : "");
      EXPECT_EQ(BeginBlock[0], c.begin) << what;
      EXPECT_EQ(EndBlock[0], c.end) << what;
      EXPECT_EQ(FileSHORTS[0][2], 2) << what;
      EXPECT_EQ(chanB, 2) << what;
      EXPECT_TRUE(rt::windowExists(2)) << what;
      EXPECT_EQ(FileSHORTS[0][14], 2) << what;
      EXPECT_EQ(nPoints, c.end + 1 - c.begin) << what;
    }
  }
}

TEST(BlockMouse, DragReadoutsCountCasesFromOne) {
  plotOf(5000);
  FileSHORTS[0][4] = 0;
  FileInfoFLOATS[0][8] = 555;  // 09:15
  DrawPlot(0, 0, 0, 1);
  drag(100, 199);
  EXPECT_EQ(rt::editTextIn(kPlot, 54), " # 200;  " + rt::PSstr(199 / 60.0) + " min");
  EXPECT_EQ(rt::editTextIn(kPlot, 55), " 9:18:19");
  EXPECT_EQ(rt::editTextIn(kPlot, 56), "value " + rt::PSstr(wave(199)));
  EXPECT_EQ(rt::editTextIn(kPlot, 17), " 99 sec");
  EXPECT_EQ(tmFloat, wave(199));
}

TEST(BlockMouse, TwoClicksGoThroughTheFirstEdge) {
  plotOf(5000);
  FileSHORTS[0][4] = 0;
  DrawPlot(0, 0, 0, 1);
  const auto before = plotPixels();
  clickAt(300);
  EXPECT_EQ(FileSHORTS[0][2], 3);
  EXPECT_EQ(BeginBlock[0], 300);
  EXPECT_EQ(EndBlock[0], 0);
  EXPECT_FALSE(rt::windowExists(2));
  EXPECT_NE(rt::canvasPixel(kPlot, 300, 100), pixelOf(before, 300, 100));  // the edge line
  clickAt(100);
  EXPECT_EQ(FileSHORTS[0][2], 2);
  EXPECT_EQ(BeginBlock[0], 100);
  EXPECT_EQ(EndBlock[0], 300);
  EXPECT_TRUE(rt::windowExists(2));
  // The highlight alone is on the plot: the edge line went with the second click.
  CLEARBLOCK();
  EXPECT_EQ(plotPixels(), before);

  // The same case twice: an empty block and no block window.
  plotOf(5000);
  FileSHORTS[0][4] = 0;
  DrawPlot(0, 0, 0, 1);
  const auto fresh = plotPixels();
  clickAt(500);
  clickAt(500);
  EXPECT_EQ(FileSHORTS[0][2], 1);
  EXPECT_FALSE(rt::windowExists(2));
  EXPECT_EQ(plotPixels(), fresh);
}

TEST(BlockMouse, ClicksPastTheEndAndTinyDragsGiveAValidBlockOrNone) {
  // A partial last page: cases 4001..4500 of page 5.
  plotOf(4500);
  FileSHORTS[0][4] = 0;
  FileSHORTS[0][1] = 5;
  DrawPlot(0, 0, 0, 1);
  clickAt(800);
  clickAt(200);
  EXPECT_EQ(FileSHORTS[0][2], 2);
  EXPECT_EQ(BeginBlock[0], 4200);
  EXPECT_EQ(EndBlock[0], 4500);

  // Three pixels a case: a drag over the first pixels.
  plotOf(333);
  drag(0, 2);
  EXPECT_EQ(FileSHORTS[0][2], 2);
  EXPECT_EQ(BeginBlock[0], 1);
  EXPECT_EQ(EndBlock[0], 1);
  EXPECT_TRUE(rt::windowExists(2));  // a one-case block draws

  // A click at x = 0 and a fixed-width click near the start.
  plotOf(5000);
  FileSHORTS[0][4] = 0;
  DrawPlot(0, 0, 0, 1);
  clickAt(0);
  EXPECT_EQ(BeginBlock[0], 1);
  prefsArray[36] = 1;
  ABunit = 50;
  clickAt(10);
  EXPECT_EQ(FileSHORTS[0][2], 2);
  EXPECT_EQ(BeginBlock[0], 1);
  EXPECT_EQ(EndBlock[0], 60);
}

TEST(BlockMouse, ClearThenResetLastBlockShowsExactlyOneHighlight) {
  plotOf(5000);
  FileSHORTS[0][4] = 0;
  DrawPlot(0, 0, 0, 1);
  rt::menuCreate(2, "Edit");
  rt::menuSetItems(2, 1, "Undo;Reset Last Block;-;Cut;Copy;Paste;Clear Block");
  const auto bare = plotPixels();
  drag(100, 300);
  const auto withBlock = plotPixels();
  auto at = [](const std::vector<rt::RGB>& p, int x) { return pixelOf(p, x, 100); };
  // Inside the block the plot is inverted, outside it is as it was.
  EXPECT_EQ(at(withBlock, 200), inverted(at(bare, 200)));
  EXPECT_EQ(at(withBlock, 50), at(bare, 50));
  EXPECT_EQ(at(withBlock, 400), at(bare, 400));

  CLEARBLOCK();
  EXPECT_EQ(FileSHORTS[0][2], 0);
  EXPECT_EQ(BeginBlock[0], 100);  // kept for Reset Last Block
  EXPECT_EQ(EndBlock[0], 300);
  EXPECT_EQ(plotPixels(), bare);
  EXPECT_EQ(rt::editTextIn(kPlot, 17), "      none");
  EXPECT_EQ(rt::menuItemState(2, 2), 1);
  EXPECT_FALSE(rt::windowExists(2));

  ResetLastBlock();
  EXPECT_EQ(FileSHORTS[0][2], 2);
  EXPECT_EQ(plotPixels(), withBlock);
  EXPECT_TRUE(rt::windowExists(2));
  EXPECT_EQ(rt::menuItemState(2, 2), 0);
  ResetLastBlock();  // a block is shown: nothing more is drawn
  EXPECT_EQ(plotPixels(), withBlock);

  // Drawn twice the highlight is gone; a full redraw shows it once.
  RefreshPLOTBLOCK(0);
  RefreshPLOTBLOCK(0);
  EXPECT_EQ(plotPixels(), withBlock);
  DrawPlot(0, 0, 0, 1);
  EXPECT_EQ(plotPixels(), withBlock);

  // A new drag takes the old highlight away.
  drag(600, 500);
  const auto moved = plotPixels();
  EXPECT_EQ(at(moved, 200), at(bare, 200));
  EXPECT_EQ(at(moved, 550), inverted(at(bare, 550)));
}

TEST(BlockWindow, TitleAsOpenedAndAsRedrawn) {
  plotOf(5000);
  BeginBlock.inUse() = 100;
  EndBlock.inUse() = 200;
  FileSHORTS[0][2] = 2;
  chanB = 1;
  OPENBLOCKWINDOW();
  EXPECT_EQ(rt::windowTitle(2), "Channel 1, O2 %; cases 101 to 201  (N =  101) ");
  EXPECT_EQ(BlockWindowIsOpen, 1);
  DrawBLOCK();
  EXPECT_EQ(rt::windowTitle(2), "Channel 1, O2 %; Cases 101 to 201 (N =  101) ");
  EXPECT_EQ(nPoints, 101);
  EXPECT_EQ(OldBeginBlock, 100);
  EXPECT_EQ(OldEndBlock, 200);
  // The plot stays in front while the block window is drawn.
  EXPECT_EQ(rt::frontWindow(), kPlot);
  // The size is kept for the next opening.
  const rt::Rect r = rt::windowContentRect(2);
  rt::setWindowContentRect(2, {r.left, r.top, r.left + 500, r.top + 260});
  DrawBLOCK();
  EXPECT_EQ(RightLim, 500);
  EXPECT_EQ(UpperLimit, 241);
  OPENBLOCKWINDOW();
  EXPECT_EQ(rt::windowContentRect(2).width(), 500);

  // No block: the instructions take the window's place when they are asked for.
  prefsArray[20] = 1;
  FileSHORTS[0][2] = 0;
  OPENBLOCKWINDOW();
  EXPECT_FALSE(rt::windowExists(2));
  EXPECT_EQ(BlockWindowIsOpen, 0);
  ASSERT_TRUE(rt::windowExists(2002));
  EXPECT_EQ(rt::windowTitle(2002), "Setting Data Blocks and Screen Views");
  rt::setOutputWindow(2002);
  EXPECT_NE(rt::textViewPlain(1).find("block"), std::string::npos);
}

TEST(BlockWindow, FlatOneCaseAndNonFiniteBlocksDraw) {
  plotOf(5000);
  FileSHORTS[0][2] = 2;
  chanB = 2;
  for (int32_t k = 100; k <= 400; ++k) PutDatum(0, 2, k, 3.0f);
  BeginBlock.inUse() = 100;
  EndBlock.inUse() = 400;
  DrawBLOCK();
  EXPECT_EQ(BlockMinY, 3);
  EXPECT_EQ(BlockMaxY, 4);
  // The flat line lies at the bottom of the trace area.
  const Extent flat = columnExtent(2, 100, 100, 0, UpperLimit + 5, BlockForeColor, 20000);
  ASSERT_TRUE(flat.found());
  EXPECT_GE(flat.top, UpperLimit - 1);

  BeginBlock.inUse() = EndBlock.inUse() = 150;
  DrawBLOCK();
  EXPECT_TRUE(std::isfinite(BlockXscale));
  EXPECT_EQ(nPoints, 1);
  EXPECT_TRUE(colorIn(2, {0, 0, 6, UpperLimit + 2}, BlockForeColor, 12000));  // its point, circled

  PutDatum(0, 2, 160, std::nanf(""));
  PutDatum(0, 2, 161, 1e38f);
  BeginBlock.inUse() = 150;
  EndBlock.inUse() = 170;
  DrawBLOCK();
  EXPECT_EQ(BlockMaxY, 1e38f);

  // A block no longer inside its file is not read.
  EndBlock.inUse() = 6000;
  DrawBLOCK();
  EXPECT_EQ(OldEndBlock, 170);
}

TEST(BlockWindow, PicturesOfABlock) {
  plotOf(3000);
  for (int w : {10, 11, 13, 19, 21}) prefsArray[w] = 1;
  FileSHORTS[0][4] = 0;
  FileInfoFLOATS[0][8] = 555;
  FileSHORTS[0][5] = 3;
  MarkersArray[0][1][1] = 700, MarkersArray[0][1][2] = 65;
  MarkersArray[0][2][1] = 760, MarkersArray[0][2][2] = 205;
  MarkersArray[0][3][1] = 2000, MarkersArray[0][3][2] = 66;
  for (int32_t k = 1; k <= 3000; ++k) PutDatum(0, 1, k, float(std::sin(k * 0.01) + 0.3 * std::sin(k * 0.13)));
  DrawPlot(0, 0, 0, 1);
  drag(620, 880);
  ASSERT_TRUE(rt::saveWindowImage(kPlot, shotPath("plot-with-block.png")));
  ASSERT_TRUE(rt::saveWindowImage(2, shotPath("block-window.png")));
  EXPECT_EQ(rt::windowTitle(2), "Channel 1, O2 %; cases 621 to 881  (N =  261) ");
  // Its zero line, dashed in white, crosses the window.
  const double y = std::trunc(UpperLimit / (double(BlockMaxY) - BlockMinY) * BlockMaxY + 1);
  EXPECT_TRUE(colorIn(2, {1, int(y), 11, int(y) + 1}, {65535, 65535, 65535}, 3000));
}

TEST(BlockWindow, TheFocusStaysInTheBlockWindowUntilItClosesOrAnotherWindowIsClicked) {
  plotOf(5000);
  BeginBlock.inUse() = 100;
  EndBlock.inUse() = 200;
  FileSHORTS[0][2] = 2;
  DrawBLOCK();
  prefsArray[20] = 1;
  rt::menuCreate(1, "File");
  rt::setHandler(rt::Vector::Mouse, HandleMOUSE);
  qvtest::script({"dialog 3 1000"});
  SWITCHtoWINDOW2();
  EXPECT_TRUE(rt::windowExists(2));
  EXPECT_EQ(qv::click, 1);
  EXPECT_TRUE(rt::menuEnabled(1));
  EXPECT_EQ(rt::handler(rt::Vector::Mouse), &HandleMOUSE);

  qvtest::script({"dialog 4 2"});
  SWITCHtoWINDOW2();
  EXPECT_FALSE(rt::windowExists(2));
  EXPECT_EQ(BlockWindowIsOpen, 0);
  EXPECT_EQ(prefsArray[20], 0);
}

TEST(BlockMouse, NoSelectionWhileOnlyTheBlockIsPrinted) {
  plotOf(5000);
  FileSHORTS[0][4] = 0;
  DrawPlot(0, 0, 0, 1);
  printblock = 1;
  drag(100, 300);
  EXPECT_EQ(FileSHORTS[0][2], 0);
  EXPECT_EQ(EndBlock[0], 0);
  printblock = 0;
}

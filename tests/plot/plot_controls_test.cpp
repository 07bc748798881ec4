// The plot window's controls driven as a person would: block shifts on the plot's pixels,
// the tool bar's buttons as blocks come and go, and the plot's paging keys and buttons.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/menu_rules.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/text_constants.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot_fixture.h"
#include "runtime/windows.h"

using namespace qv;
using namespace plottest;

namespace {

constexpr int kPlot = 1000, kToolBar = 1999;

void plotOf(int32_t cases, int channels, int width) {
  resetPlotState();
  BuildSpecialCharacters();
  std::vector<std::function<float(int32_t)>> gens;
  for (int c = 0; c < channels; ++c) gens.push_back([c](int32_t k) { return float(std::sin(k * 0.05) + c); });
  openPlot(makeFile(cases, gens), 0);
  setPlotSize(0, width, 429);
  DrawPlot(0, 0, 0, 1);
}

std::vector<rt::RGB> row(int y, int width) { return pixels(kPlot, {0, y, width, y + 1}); }

void setBlock(int32_t begin, int32_t end) {
  BeginBlock[0] = begin;
  EndBlock[0] = end;
  FileSHORTS[0][2] = 2;
  FileSHORTS[0][11] = int16_t(begin * Xstep);
  FileSHORTS[0][12] = int16_t(end * Xstep);
  RefreshPLOTBLOCK(0);
}

bool shown(int id) {
  rt::setOutputWindow(kToolBar);
  const bool s = rt::controlExists(id) && rt::controlShown(id);
  return s;
}
int state(int id) { return rt::buttonStateIn(kToolBar, id); }

}  // namespace

TEST(PlotControls, AShiftMovesTheHighlightWithTheCases) {
  plotOf(300, 1, 1287);
  ASSERT_EQ(Xstep, 4);
  const auto bare = row(100, 1287);
  prefsArray[39] = 0;
  setBlock(10, 20);
  const auto before = row(100, 1287);
  EXPECT_NE(before[60], bare[60]);
  ShiftBlockRight();
  EXPECT_EQ(BeginBlock[0], 21);
  EXPECT_EQ(EndBlock[0], 31);
  const auto after = row(100, 1287);
  for (int x = 40; x <= 80; ++x) EXPECT_EQ(after[size_t(x)], bare[size_t(x)]) << x;
  for (int x = 84; x <= 124; ++x) EXPECT_NE(after[size_t(x)], bare[size_t(x)]) << x;

  // No block shown (state 0) or a pending first edge (state 3): nothing moves or is drawn.
  for (int16_t s : {0, 3}) {
    RefreshPLOTBLOCK(0);
    FileSHORTS[0][2] = s;
    const auto still = row(100, 1287);
    ShiftBlockLeft();
    ShiftBlockRight();
    EXPECT_EQ(row(100, 1287), still) << s;
    EXPECT_EQ(BeginBlock[0], 21);
    FileSHORTS[0][2] = 2;
    RefreshPLOTBLOCK(0);
  }
  // A shift queues no command for the main loop.
  MenuIDENTIFIER = 4;
  MenuItem = 6;
  PlotDialogMode = 0;
  action = 1;
  eventID = 592;
  HandlePlotDIALOG();
  EXPECT_EQ(BeginBlock[0], 10);
  EXPECT_EQ(MenuIDENTIFIER, 0);
}

TEST(PlotControls, BlockButtonsFollowTheBlockWithoutARebuild) {
  for (int channels : {1, 2}) {
    plotOf(5000, channels, 1000);
    ASSERT_TRUE(rt::windowExists(kToolBar));
    const rt::Rect before = [] {
      rt::setOutputWindow(kToolBar);
      return rt::controlRect(565);
    }();
    for (int id : {565, 574, 576, 589, 591, 592, 593, 595}) EXPECT_FALSE(shown(id)) << id;
    EXPECT_TRUE(shown(598));
    FileSHORTS[0][2] = 2;
    BeginBlock[0] = 10;
    EndBlock[0] = 20;
    SETMENU(1);
    for (int id : {565, 573, 575, 576, 589, 591, 592, 593, 595}) {
      EXPECT_TRUE(shown(id)) << id;
      EXPECT_EQ(state(id), 1) << id;
    }
    EXPECT_TRUE(shown(574));
    EXPECT_EQ(state(574), channels >= 2 ? 1 : 0);
    rt::setOutputWindow(kToolBar);
    EXPECT_EQ(rt::controlRect(565), before);
    FileSHORTS[0][2] = 0;
    SETMENU(1);
    for (int id : {565, 574, 576, 592}) EXPECT_FALSE(shown(id)) << id;
  }
}

TEST(PlotControls, EveryToolBarPlaceHoldsAllItsButtons) {
  plotOf(5000, 2, 1000);
  for (int place : {0, 1, 2, 0}) {
    prefsArray[33] = int16_t(place);
    ToolBar();
    const rt::Rect bar = rt::windowContentRect(kToolBar);
    const rt::Rect screen = rt::screenRect();
    EXPECT_GE(bar.top, 0) << place;
    EXPECT_LE(bar.bottom, screen.bottom) << place;
    rt::setOutputWindow(kToolBar);
    for (int id : {598, 587, 599, 565, 593})
      EXPECT_LE(rt::controlRect(id).bottom, bar.height()) << place << " " << id;
  }
}

TEST(PlotControls, PagingKeysWrapAndButtonsReachTheirCommands) {
  plotOf(9000, 2, 1000);
  FileSHORTS[0][4] = 0;
  const int pages = FileSHORTS[0][13] >= 1 ? FileSHORTS[0][13] : 9;
  auto key = [](int code) {
    PlotDialogMode = 2;
    action = 16;
    eventID = int16_t(code);
    HandlePlotDIALOG();
  };
  FileSHORTS[0][1] = 1;
  FileSHORTS[0][6] = 1;  // zoomed: paging clears the zoom
  key(28);
  EXPECT_EQ(FileSHORTS[0][1], pages);
  EXPECT_EQ(FileSHORTS[0][6], 0);
  key(29);
  EXPECT_EQ(FileSHORTS[0][1], 1);

  struct Button {
    int id;
    int16_t menu, item;
  } queued[] = {{559, 76, 1}, {584, 77, 2}, {590, 4, 7}};
  for (const Button& b : queued) {
    PlotDialogMode = 0;
    action = 1;
    eventID = int16_t(b.id);
    HandlePlotDIALOG();
    EXPECT_EQ(MenuIDENTIFIER, b.menu) << b.id;
    EXPECT_EQ(MenuItem, b.item) << b.id;
  }
  for (int id : {596, 597}) {
    PlotDialogMode = 0;
    action = 1;
    eventID = int16_t(id);
    HandlePlotDIALOG();
    EXPECT_EQ(MenuIDENTIFIER, 0) << id;
  }
  PlotDialogMode = 0;
  action = 1;
  eventID = 617;
  HandlePlotDIALOG();
  EXPECT_EQ(MultiChanSelectorButtonClicked, 617);
  MultiChanSelectorButtonClicked = 0;

  // A file that fits the plot ignores the paging keys.
  plotOf(500, 1, 1000);
  FileSHORTS[0][1] = 1;
  key(29);
  EXPECT_EQ(FileSHORTS[0][1], 1);
}

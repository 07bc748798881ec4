// The commands that change the view redraw the plot: after each, the plot window holds the
// picture a fresh drawing of the new state gives, and not the old one. Also the plain window
// title, and the byte-order fix treated as a change of the data.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/channel_selection.h"
#include "app/dispatcher.h"
#include "core/filetable.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/undo.h"
#include "core/results_scaling.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot_fixture.h"
#include "runtime/menus.h"
#include "runtime/windows.h"
#include "core/data_generation.h"

using namespace qv;
using namespace plottest;

namespace {

constexpr int kPlot = 1000;

// Three channels of 600 cases: channel 1 rises from 10, channel 2 crosses zero, channel 3
// falls; markers at cases 100 and 400.
void openRamps() {
  resetPlotState();
  DataFile f = makeFile(600, {[](int32_t k) { return 10 + k / 100.0f; },
                              [](int32_t k) { return (k - 300) / 10.0f; },
                              [](int32_t k) { return 50 - k / 50.0f; }});
  f.meta.markers = {{100, 66}, {400, 67}};
  openPlot(std::move(f), 0);
  setPlotSize(0, 1000, 500);
  ActiveChannelArray[0] = 1;
  DrawPlot(0, 0, 0, 1);
}

std::vector<rt::RGB> plotPixels() { return pixels(kPlot, {0, 19, ScreenWidth, BottomOfPlotArea}); }

struct Case {
  const char* what;
  std::function<void()> before;  // state the command starts from (the plot is drawn after)
  std::function<void()> command;
};

}  // namespace

TEST(Redraw, EachViewCommandLeavesTheFreshPictureOfItsNewState) {
  const std::vector<Case> cases = {
      {"channel popup", [] {}, [] { DoMENU(5, 3); }},
      {"grid lines", [] {}, [] { DoMENU(70, 1); }},
      {"zero lines", [] { ActiveChannel = 2; }, [] { DoMENU(70, 2); }},
      {"include zero (active channel)", [] {}, [] { DoMENU(71, 2); }},
      {"high resolution (every channel)", [] {}, [] { DoMENU(78, 1); }},
      {"hide markers", [] { prefsArray[10] = 1; }, [] { DoMENU(82, 1); }},
      {"remove overlay",
       [] {
         prefsArray[25] = 1;
         overlayFlag(0, 1, 3) = 1;
       },
       [] { DoMENU(4, 10); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    openRamps();
    c.before();
    DrawPlot(0, 0, 0, 1);
    const std::vector<rt::RGB> old = plotPixels();
    c.command();
    const std::vector<rt::RGB> shown = plotPixels();
    EXPECT_NE(shown, old);
    DrawPlot(0, 0, 0, 1);
    EXPECT_EQ(shown, plotPixels());
  }
}

TEST(Redraw, AChosenChannelIsTheBlockWindowsAndTheFilesRememberedOne) {
  openRamps();
  DoMENU(5, 3);
  EXPECT_EQ(ActiveChannel, 3);
  EXPECT_EQ(chanB, 3);
  EXPECT_EQ(ActiveChannelArray[0], 3);
  EXPECT_EQ(PlotChan, 3);
}

TEST(Redraw, TheBlockHighlightIsDrawnOnceOnTheNewPicture) {
  openRamps();
  BeginBlock[0] = 200, EndBlock[0] = 300, FileSHORTS[0][2] = 2;
  DrawPlot(0, 0, 0, 1);
  DoMENU(70, 1);
  const std::vector<rt::RGB> shown = plotPixels();
  // A fresh drawing has the highlight once; drawn a second time it would be gone.
  DrawPlot(0, 0, 0, 1);
  EXPECT_EQ(shown, plotPixels());
}

TEST(Redraw, RestoreWindowNameGivesThePlainTitleAndTheWindowMenuTheNewName) {
  resetPlotState();
  std::vector<std::function<float(int32_t)>> five(5, [](int32_t k) { return float(k); });
  openPlot(makeFile(10800, five, "old-name.KXdata"), 0);
  rt::menuCreate(7, "Window");
  DrawPlot(0, 0, 0, 1);
  FileName[0] = "respirometry-run.KXdata";  // what Save As leaves
  RestoreWindowName();
  EXPECT_EQ(rt::windowTitle(kPlot), "Plot Window 1:  'respirometry-run.KXdata' ( 5 Channels, 10800 Samples ) ");
  EXPECT_EQ(rt::menuItemText(7, 1), "respirometry-run.KXdata");
}

TEST(Redraw, FixingTheByteOrderIsAChangeThatUndoCannotTakeBack) {
  openRamps();
  KeepLoadedChannelForUndo(0);
  ASSERT_TRUE(UndoAvailable());
  FileSHORTS[0][10] = 0;
  const uint32_t generation = DataGeneration[0];
  const std::vector<rt::RGB> old = plotPixels();
  DoMENU(2, 36);
  EXPECT_EQ(FileSHORTS[0][10], 1);
  EXPECT_GT(DataGeneration[0], generation);
  EXPECT_EQ(UndoRefusalText(), "The byte order was fixed since the copy was saved.");
  EXPECT_NE(plotPixels(), old);
}

// A channel change that does not come through the popup (a script's step) shows in it.
TEST(Redraw, TheChannelPopupFollowsAChannelChangedWithoutIt) {
  openRamps();
  MakeChannelSelectionsPopUp();
  ASSERT_TRUE(rt::controlExistsIn(kPlot, kChannelPopup));
  EXPECT_EQ(rt::controlValueIn(kPlot, kChannelPopup), 1);
  CHANNELCHANGE(2);
  EXPECT_EQ(ActiveChannel, 2);
  EXPECT_EQ(rt::controlValueIn(kPlot, kChannelPopup), 2);
  rt::setOutputWindow(kPlot);
  EXPECT_NE(rt::controlTitle(kChannelPopup).find('2'), std::string::npos) << rt::controlTitle(kChannelPopup);
}

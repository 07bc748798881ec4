// The main loop, one pass at a time: the file in use follows the plot window in front, keys,
// queued commands, the pending Quit, and the case under the pointer.
#include <gtest/gtest.h>

#include "plot/plot.h"
#include "core/colors.h"
#include "core/help.h"
#include "app/dispatcher.h"
#include "app/main_loop.h"
#include "app/menu_bar.h"
#include "core/menu_state.h"
#include "core/pointer_case.h"
#include "menus_fixture.h"
#include "support/qvtest.h"
#include "core/output_state.h"
#include "core/stats_state.h"
#include "core/results_scaling.h"
#include "plot/notes_table.h"
#include "runtime/menus.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"

using namespace qv;
using Calls = std::vector<std::string>;

namespace {

// A record that only moves the pump on (the pointer left a control).
constexpr const char* kIdle = "dialog 29 0";

class MainLoop : public menutest::MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    ResetMainLoop();
    openFile(0, 3, 500);
    openFile(1, 2, 500);
    FIxWINDOWSmenu();
    // The handlers start-up leaves in place.
    rt::setHandler(rt::Vector::Dialog, DoDIALOG);
    rt::setHandler(rt::Vector::Menu, HANDLEMENU);
    for (int16_t m = 1; m <= 6; ++m) FBMenu(m, 0, 1);
    useFile(1);
  }
  // The plot window of the slot in front, and seen there by a pass.
  void useFile(int slot) {
    rt::bringWindowForward(1000 + slot);
    pass(kIdle);
  }
  void pass(const char* record) {
    qvtest::script({record});
    MainLoopPass();
  }
  void key(int code) {
    const std::string r = "key " + std::to_string(code);
    pass(r.c_str());
  }
};

}  // namespace

TEST_F(MainLoop, BringingPlotWindowZeroForwardMakesSlotZeroTheFileInUse) {
  EXPECT_EQ(TheFileInUse, 1);
  rt::bringWindowForward(1000);
  pass(kIdle);
  EXPECT_EQ(TheFileInUse, 0);
  EXPECT_EQ(rt::menuItemState(7, 1), 2);  // the Window menu's mark follows
}

TEST_F(MainLoop, AWindowNumbered1020IsNeverAPlotWindow) {
  rt::openWindow(1020, "other", {10, 40, 400, 300}, rt::kDocumentWindowClass, rt::kAttrCloseBox);
  pass(kIdle);
  EXPECT_EQ(rt::frontWindow(), 1020);
  EXPECT_EQ(TheFileInUse, 1);
  pass("dialog 3 1020");
  EXPECT_EQ(TheFileInUse, 1);
}

TEST_F(MainLoop, ClickingAPlotWindowKeepsEachFilesActiveChannel) {
  ActiveChannel = 2;
  pass("dialog 3 1000");
  EXPECT_EQ(TheFileInUse, 0);
  EXPECT_EQ(ActiveChannelArray[1], 2);
  ActiveChannelArray[0] = 3;
  ActiveChannel = 1;
  TheFileInUse = 1;
  pass("dialog 3 1000");
  EXPECT_EQ(ActiveChannel, 3);
}

TEST_F(MainLoop, BlockKeysNeedABlock) {
  key('B');
  EXPECT_TRUE(calls.empty());
  setBlock(10, 20);
  // The statistics window opens on the block; its close box ends it.
  qvtest::script({"key 98", "dialog 4 4"});
  MainLoopPass();
  EXPECT_EQ(AnalysisCode, 12);
  EXPECT_EQ(nrPoints, 11);
  EXPECT_FALSE(rt::windowExists(4));
}

TEST_F(MainLoop, DuplicateKeyOnAFullFileDoesNothing) {
  openFile(2, 40, 100);
  useFile(2);
  key('D');
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(nChannels[2], 40);
  useFile(0);
  key('d');
  EXPECT_EQ(nChannels[0], 4);
  EXPECT_EQ(ActiveChannel, 4);
}

TEST_F(MainLoop, KeysOfTheKeyTable) {
  // A calculator that is built opens its window (its Done closes it, its help subject tells
  // which it was); one that is not says so.
  struct Case {
    int code;
    Calls calls;
    const char* done = nullptr;
    int16_t subject = 0;
  } cases[] = {{'a', {}, "click 4", 206},  {'R', {}, "click 2", 235}, {'J', {}, "click 20", 237},
               {'m', {}, "click 3", 237},  {'w', {}, "click 14", 248},
               {'Q', {}}};
  for (const auto& c : cases) {
    calls.clear();
    HelpSubject = 1;
    const std::string k = "key " + std::to_string(c.code);
    if (c.done) qvtest::script({k.c_str(), c.done});
    else qvtest::script({k.c_str()});
    MainLoopPass();
    EXPECT_EQ(calls, c.calls) << "key " << c.code;
    if (c.done) {
      EXPECT_EQ(HelpSubject, c.subject) << "key " << c.code;
      EXPECT_FALSE(rt::windowExists(8));
    }
    EXPECT_EQ(action, 0);
  }
  // "E" opens the expression calculator, which its "Done" closes.
  calls.clear();
  qvtest::script({"key 69", "click 250"});
  MainLoopPass();
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(rt::windowExists(8));
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  // The channel keys on the 2-channel file in use.
  const struct {
    int code;
    int16_t channel;
  } channelKeys[] = {{30, 2}, {30, 1}, {31, 2}, {'1', 1}, {'7', 1}, {'@', 1}};
  ActiveChannel = 1;
  for (const auto& c : channelKeys) {
    key(c.code);
    EXPECT_EQ(ActiveChannel, c.channel) << "key " << c.code;
    EXPECT_EQ(action, 0);
  }
}

TEST_F(MainLoop, NAndZChooseTheActiveChannelsScaling) {
  ActiveChannel = 2;
  scalingFactorArray[2][4] = 2;
  key('Z');
  EXPECT_EQ(scalingFactorArray[2][4], 1.0f);
  EXPECT_EQ(ActiveChannel, 2);  // no longer taken for a channel choice
  EXPECT_EQ(rt::menuItemState(71, 2), 2);
  key('n');
  EXPECT_EQ(scalingFactorArray[2][4], 2.0f);
  EXPECT_EQ(rt::menuItemState(71, 3), 2);
  // Already normal: N does nothing.
  rt::menuSetItemState(71, 3, 1);
  key('N');
  EXPECT_EQ(rt::menuItemState(71, 3), 1);
}

TEST_F(MainLoop, OptionOneClearsEveryOverlayFlag) {
  useFile(0);
  for (int c = 1; c <= 3; ++c) overlayFlag(0, 1, c) = 1;
  key(193);
  for (int c = 1; c <= 40; ++c) EXPECT_EQ(overlayFlag(0, 1, c), 0) << c;
  // Option-2 shows channel 2 and leaves the flags as they were.
  overlayFlag(0, 1, 3) = 1;
  key(170);
  EXPECT_EQ(overlayFlag(0, 1, 2), 0);
  EXPECT_EQ(overlayFlag(0, 1, 3), 1);
  EXPECT_EQ(OverlayColor[0].red, 0);
}

TEST_F(MainLoop, ZoomKeys) {
  useFile(0);
  key('+');
  EXPECT_EQ(FileSHORTS[0][6], 0);  // no block: nothing to zoom to
  setBlock(50, 150);
  key('+');
  EXPECT_EQ(FileSHORTS[0][6], 1);
  key('-');
  EXPECT_EQ(FileSHORTS[0][6], 0);
}

TEST_F(MainLoop, AQueuedButtonCommandRuns) {
  MenuIDENTIFIER = 8;
  MenuItem = 2;
  qvtest::script({kIdle, "click 66"});  // then Simple Regression's Done
  MainLoopPass();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_FALSE(rt::windowExists(8));
  EXPECT_EQ(MenuIDENTIFIER, 0);
  EXPECT_EQ(LastHorizPosition, -2000);
}

TEST_F(MainLoop, QuitChosenInAToolWindowTakesTheQuitRoadOnTheNextPass) {
  installModalHandlers();
  qvtest::script({"quit"});
  rt::FBHandleEvents();
  EXPECT_TRUE(gQuitPending);
  prefsArray[16] = 1;
  FileSHORTS[1][10] = 1;
  qvtest::script({kIdle, "click 2"});
  EXPECT_EQ(qvtest::exitStatusOf([] { MainLoopPass(); }), 0);
}

TEST_F(MainLoop, QuitChosenInAToolRunLaterInThePassIsTakenInThatPass) {
  // The queued command stands for a tool window whose loop sees Quit, then returns.
  setNotBuiltRecorder([](const std::string&) {
    installModalHandlers();
    rt::FBHandleEvents();
  });
  MenuIDENTIFIER = 8;
  MenuItem = 2;
  qvtest::script({kIdle, "quit"});
  EXPECT_EQ(qvtest::exitStatusOf([] { MainLoopPass(); }), 0);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(MainLoop, APreferencesPickThatAToolIgnoredIsForgottenBackInTheMainLoop) {
  installModalHandlers();
  qvtest::script({"menu 2 37"});
  rt::FBHandleEvents();
  ASSERT_EQ(prefsArray[64], 3);
  // Back in the main loop the pick opens the preferences; "Done" closes them.
  qvtest::script({kIdle, "click 333"});
  MainLoopPass();
  EXPECT_EQ(prefsArray[64], 0);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(MainLoop, MenuPicksGoToTheDispatcher) {
  pass(kIdle);  // the pass installs the menu handler
  // Remove Spikes... opens window 4; its close box ends it with nothing changed.
  qvtest::script({"menu 2 17", "dialog 4 4"});
  MainLoopPass();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_FALSE(rt::windowExists(4));
  EXPECT_TRUE(calls.empty());
}

TEST(PointerCase, AlwaysACaseOfTheFile) {
  PointerView v;
  v.nCases = 1000;
  v.screenWidth = 500;
  v.windowWidth = 500;
  v.compressed = true;
  v.abu = 3;
  EXPECT_EQ(CaseUnderPointer(v, 0).kase, 1);
  EXPECT_EQ(CaseUnderPointer(v, 250).kase, 500);
  EXPECT_EQ(CaseUnderPointer(v, 900).kase, 1000);
  // Paged view, last page past the end of the file.
  v.compressed = false;
  v.page = 3;
  v.xstep = 1;
  EXPECT_EQ(CaseUnderPointer(v, 400).kase, 1000);
  v.page = 1;
  EXPECT_EQ(CaseUnderPointer(v, 0).kase, 1);
  v.xstep = 0;  // never divides by zero
  EXPECT_EQ(CaseUnderPointer(v, 10).kase, 10);
  // Zoomed to one case: no division by the span.
  v.zoomed = true;
  v.zoomLeft = v.zoomRight = 40;
  EXPECT_EQ(CaseUnderPointer(v, 300).kase, 40);
  EXPECT_EQ(CaseUnderPointer(v, 300).halfWidth, 3);
  v.zoomLeft = 100, v.zoomRight = 200;
  EXPECT_EQ(CaseUnderPointer(v, 250).kase, 150);
  EXPECT_EQ(CaseUnderPointer(v, 250).halfWidth, 1000 * 4 / 100);
  v.nCases = 0;  // an empty file gives case 1, never 0
  EXPECT_EQ(CaseUnderPointer(v, 250).kase, 1);
}

TEST_F(MainLoop, TheLastOfThreeHundredNoteButtonsOpensItsNote) {
  // The main loop routes every note button, not only the first 150: button 5300 opens note 300,
  // whose window the close-box record then ends.
  fileRemarks[1].assign(kMaxNotes, OnlineNote{"1", "00:00:01", "note"});
  NumberOfNotes[1] = kMaxNotes;
  qvtest::script({"dialog 1 5300", "dialog 4 1990"});
  MainLoopPass();
  EXPECT_EQ(rt::script::pendingCount(), 0u) << "the note's window took its close box";
  fileRemarks[1].clear();
  NumberOfNotes[1] = 0;
}

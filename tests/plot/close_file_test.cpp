// Closing a plot window: the unsaved-changes question and the save of the file closed, the
// slot released, the next file in use, and the last file's window (quit, load another, keep).
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/channel_selection.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/prefs_record.h"
#include "plot/close_roads.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot_fixture.h"
#include "runtime/menus.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using namespace plottest;

namespace {

// What the stand-in save saw: the file in use and its channels at the time.
struct SaveSeen {
  int16_t file = -1, active = 0, block = 0;
  int calls = 0;
};

class ClosePlot : public ::testing::Test {
 protected:
  void SetUp() override {
    resetPlotState();
    prefsArray[16] = 1;  // ask before closing a changed file
    dir = qvtest::tempDir("close-plot");
    plot::setSaveRoad([this] {
      ++seen.calls;
      seen.file = TheFileInUse;
      seen.active = ActiveChannel;
      seen.block = chanB;
      if (saveFails) return plot::SaveOutcome::Failed;
      // Writes the file in use: its name and its first channel.
      std::ofstream out(dir + "/" + FileName[TheFileInUse]);
      for (int32_t k = 1; k <= nCases[TheFileInUse]; ++k) out << GetDatum(TheFileInUse, 1, k) << "\n";
      FileSHORTS[TheFileInUse][10] = 0;
      return plot::SaveOutcome::Saved;
    });
    plot::setLoadRoad([this] {
      ++loads;
      if (!loadWorks) return false;
      openPlot(makeFile(50, {[](int32_t k) { return float(k); }}, "new.KXdata"), firstFreeSlot());
      return true;
    });
    rt::menuCreate(1, "File");
    rt::menuSetItems(1, 1, "Open;Import;-;Append or Stack;-;Save;Save As;Export;-;Close File;Close Several Files");
  }
  void TearDown() override {
    plot::setSaveRoad(nullptr);
    plot::setLoadRoad(nullptr);
  }

  static int firstFreeSlot() {
    for (int s = 0; s < 19; ++s)
      if (FileSHORTS[s][8] == 0) return s;
    return 19;
  }

  // A two-channel file of `cases` cases in `slot`, its plot built.
  void open(int slot, const std::string& name, int32_t cases = 100) {
    openPlot(makeFile(cases, {[slot](int32_t k) { return float(slot * 1000 + k); }, [](int32_t) { return 1.0f; }}, name),
             slot);
    FileSHORTS[slot][9] = 1;  // a stale word 9 must not decide the channel a file comes back with
  }

  bool slotReleased(int slot) {
    for (int c = 0; c <= kMaxChannels; ++c)
      if (gPointersToFileData[slot][c]) return false;
    return nCases[slot] == 0 && FileSHORTS[slot][8] == 0 && FileSHORTS[slot][3] == 0 &&
           !rt::windowExists(1000 + slot);
  }

  std::string dir;
  SaveSeen seen;
  bool saveFails = false;
  bool loadWorks = false;
  int loads = 0;
};

}  // namespace

TEST_F(ClosePlot, AChangedBackgroundFileIsSavedItselfAndTheFileInUseStays) {
  open(3, "background.KXdata");
  open(0, "front.KXdata");
  FileSHORTS[3][10] = 1;
  ActiveChannelArray[3] = 2;
  FileSHORTS[3][14] = 2;
  overlayFlag(3, 1, 1) = 1;
  BeginBlock[3] = 10, EndBlock[3] = 20, FileSHORTS[3][2] = 2;
  ActiveChannel = 1;
  chanB = 1;
  qvtest::script({"click 1"});  // "Save..."
  CloseThisPlotWindow(3);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_EQ(seen.file, 3);
  EXPECT_EQ(seen.active, 2);
  EXPECT_EQ(seen.block, 2);
  std::ifstream saved(dir + "/background.KXdata");
  std::string first;
  std::getline(saved, first);
  EXPECT_EQ(first, "3001");
  EXPECT_FALSE(std::ifstream(dir + "/front.KXdata").good());
  // The background file is gone with everything it held; the file in use is as it was.
  EXPECT_TRUE(slotReleased(3));
  EXPECT_EQ(overlayFlag(3, 1, 1), 0);
  EXPECT_EQ(FileSHORTS[3][2], 0);
  EXPECT_EQ(EndBlock[3], 0);
  EXPECT_EQ(TheFileInUse, 0);
  EXPECT_EQ(ActiveChannel, 1);
  EXPECT_EQ(chanB, 1);
  EXPECT_EQ(nCases[0], 100);
}

TEST_F(ClosePlot, CancelOrAFailedSaveKeepsTheFileOpenAndUnchanged) {
  open(3, "background.KXdata");
  open(0, "front.KXdata");
  FileSHORTS[3][10] = 1;
  qvtest::script({"click 3"});  // "Cancel"
  CloseThisPlotWindow(3);
  EXPECT_EQ(seen.calls, 0);
  EXPECT_EQ(nCases[3], 100);
  EXPECT_EQ(GetDatum(3, 1, 7), 3007);
  EXPECT_TRUE(rt::windowExists(1003));
  EXPECT_EQ(FileSHORTS[3][10], 1);

  saveFails = true;
  qvtest::script({"click 1"});
  CloseThisPlotWindow(3);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_EQ(nCases[3], 100);
  EXPECT_TRUE(rt::windowExists(1003));
  EXPECT_EQ(TheFileInUse, 0);

  qvtest::script({"click 2"});  // "Do Not Save"
  CloseThisPlotWindow(3);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_TRUE(slotReleased(3));
}

TEST_F(ClosePlot, TheHighestOpenSlotBecomesTheFileInUse) {
  open(2, "two.KXdata");
  open(5, "five.KXdata");
  open(0, "zero.KXdata");
  ActiveChannelArray[5] = 2;  // the channel slot 5 showed when it was left
  FileSHORTS[5][2] = 2;
  BeginBlock[5] = 10, EndBlock[5] = 40;
  FileSHORTS[5][14] = 2;
  CloseThisPlotWindow(0);
  EXPECT_TRUE(slotReleased(0));
  EXPECT_EQ(TheFileInUse, 5);
  EXPECT_EQ(ActiveChannel, 2);
  EXPECT_EQ(chanB, 2);
  EXPECT_TRUE(rt::windowExists(2));  // its block is shown
  EXPECT_EQ(rt::windowTitle(2), "Channel 2, channel 2; cases 11 to 41  (N =  31) ");
  // Two files are left: "Close Several Files" is off.
  EXPECT_EQ(rt::menuItemState(1, 11), 0);
}

TEST_F(ClosePlot, TheLastFileLoadsAnotherOnlyWhenTheOpenWorks) {
  open(0, "only.KXdata");
  // "Load New File", the open is cancelled: the question comes back; then the closing is
  // cancelled and the file is whole.
  qvtest::script({"click 2", "click 3"});
  CloseThisPlotWindow(0);
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(nCases[0], 100);
  EXPECT_EQ(GetDatum(0, 1, 100), 100);
  EXPECT_TRUE(rt::windowExists(1000));
  EXPECT_FALSE(rt::windowExists(15));
  EXPECT_EQ(TheFileInUse, 0);

  // Return is "Load New File"; this time a file comes in and the old one goes fully.
  loadWorks = true;
  qvtest::script({"key 13"});
  CloseThisPlotWindow(0);
  EXPECT_EQ(loads, 2);
  EXPECT_TRUE(slotReleased(0));
  EXPECT_EQ(TheFileInUse, 1);
  EXPECT_EQ(nCases[1], 50);
  EXPECT_TRUE(rt::windowExists(1001));
}

TEST_F(ClosePlot, TheLastFileQuitsOnlyAfterASaveThatWentThrough) {
  open(0, "only.KXdata");
  FileSHORTS[0][10] = 1;
  saveFails = true;
  qvtest::script({"click 1", "click 1"});  // "Quit Quorvelant", then "Save..."
  EXPECT_EQ(qvtest::exitStatusOf([] { CloseThisPlotWindow(0); }), -1);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_EQ(nCases[0], 100);
  EXPECT_TRUE(rt::windowExists(1000));

  saveFails = false;
  qvtest::script({"click 1", "click 1"});
  EXPECT_EQ(qvtest::exitStatusOf([] { CloseThisPlotWindow(0); }), 0);
  EXPECT_EQ(seen.calls, 2);
  EXPECT_TRUE(std::ifstream(dir + "/only.KXdata").good());

  // The close box of the question keeps the file.
  resetPlotState();
  open(0, "only.KXdata");
  qvtest::script({"dialog 4 15"});
  EXPECT_EQ(qvtest::exitStatusOf([] { CloseThisPlotWindow(0); }), -1);
  EXPECT_EQ(nCases[0], 100);
}

TEST_F(ClosePlot, AFileClosedInStripsLeavesItsSlotToTheSingleViewAndThePreferenceStillWorks) {
  open(3, "strips.KXdata");
  open(0, "front.KXdata");
  FileSHORTS[3][kViewModeWord] = 2;
  qvtest::script({"click 2"});  // "Do Not Save", should it ask
  CloseThisPlotWindow(3);
  EXPECT_TRUE(slotReleased(3));
  EXPECT_EQ(FileSHORTS[3][kViewModeWord], 0);

  // The last file, in strips, makes way for a new one: its slot no longer says strips.
  FileSHORTS[0][kViewModeWord] = 2;
  loadWorks = true;
  qvtest::script({"click 2"});  // "Load New File"
  CloseThisPlotWindow(0);
  ASSERT_EQ(TheFileInUse, 1);
  EXPECT_TRUE(slotReleased(0));
  EXPECT_EQ(FileSHORTS[0][kViewModeWord], 0);

  // The preference for strips still reaches slot 0 while no file is there.
  FileSHORTS[1][kViewModeWord] = 2;
  const std::vector<uint8_t> record = EncodePreferences();
  ASSERT_TRUE(ApplyPreferencesRecord(record).accepted);
  EXPECT_EQ(FileSHORTS[0][kViewModeWord], 2);
}

// The derivative and integral window, cutting a block, removing markers, cropping, deleting
// and re-arranging channels, driven by scripted input on small files in the table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/channel_roles.h"
#include "core/channel_selection.h"
#include "core/core_files.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/text_constants.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "datafiles/binary_format.h"
#include "datafiles/save_names.h"
#include "editing/edit_fixture.h"
#include "editing/commands.h"
#include "editing/slot_reshape.h"
#include "plot/plot_state.h"
#include "runtime/files.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using RMarker = reshape::Marker;

namespace {

class ReshapeWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    BuildSpecialCharacters();
    for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
    file(3, 100);
    prefsArray[65] = 1;
    edittest::startScript(false);
    dataDir_ = qvtest::tempDir("reshape_data");
    setenv("XDG_DATA_HOME", dataDir_.c_str(), 1);
  }
  void TearDown() override {
    edittest::closeAll();
    unsetenv("XDG_DATA_HOME");
  }
  // Channel c holds 1000 c + k at case k.
  void file(int channels, int32_t cases) {
    coretest::makeFile(0, channels, cases);
    TheFileInUse = 0;
    ActiveChannel = 1;
    chanB = 1;
    FileInfoFLOATS[0][1] = 1.0f;
    StartTime[0] = "10:00:00";
    FileInfoFLOATS[0][8] = 600;
    FileSHORTS[0][kBlockStateWord] = 0;
    for (int c = 1; c <= channels; ++c) fileVariableArray[0][c][2] = float(c);
  }
  void block(int32_t b, int32_t e) {
    FileSHORTS[0][kBlockStateWord] = 2;
    BeginBlock[0] = b;
    EndBlock[0] = e;
  }
  void markers(const std::vector<RMarker>& m) { setSlotMarkers(0, m); }
  std::string dataDir_;
};

}  // namespace

TEST_F(ReshapeWindows, ADerivativeInPlaceIsUndoneWithItsLabelAndTheCloseBoxLeavesAll) {
  derive = 1;
  PutDatum(0, 3, 0, 5.0f);
  qvtest::script({"click 3", "click 123"});
  INTEGRATE(0);
  EXPECT_EQ(GetDatum(0, 3, 1), 0.0f);
  EXPECT_EQ(GetDatum(0, 3, 0), 0.0f);
  EXPECT_EQ(GetDatum(0, 3, 50), 1.0f);
  EXPECT_EQ(RetrieveLabel(3).substr(0, 10), "\u2202 chan 3");
  EXPECT_EQ(LastChan, 3);
  EXPECT_EQ(ActiveChannel, 1) << "the plot stays on the channel it showed";
  EXPECT_EQ(GetDatum(0, 1, 50), 1050.0f);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  EXPECT_NE(CommentContainer[0].find("derivative of channel 3"), std::string::npos);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(GetDatum(0, 3, 50), 3050.0f);
  EXPECT_EQ(RetrieveLabel(3).substr(0, 6), "chan 3");

  // The close box: no data, mark, undo copy or step change.
  FileSHORTS[0][kChangeMarkWord] = 0;
  MAKEBACKUP(2);
  FileSHORTS[0][kChangeMarkWord] = 0;
  RecordSCRIPT = 1;
  qvtest::script({"dialog 4 4"});
  INTEGRATE(0);
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  EXPECT_EQ(GetDatum(0, 1, 50), 1050.0f);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(LastChan, 2);
}

TEST_F(ReshapeWindows, AnIntegralGoesToANewChannelLabelledInItsStringAndAReplayedStepWorksInPlace) {
  file(7, 3);
  derive = 0;
  qvtest::script({"click 126", "click 123"});
  INTEGRATE(0);
  ASSERT_EQ(nChannels[0], 8);
  EXPECT_EQ(ActiveChannel, 8);
  EXPECT_EQ(GetDatum(0, 8, 3), 1001.0f + 1002.0f + 1003.0f);
  EXPECT_EQ(GetDatum(0, 8, 0), 1001.0f);
  EXPECT_EQ(GetDatum(0, 1, 3), 1003.0f);
  EXPECT_EQ(RetrieveLabel(8).substr(0, 10), "\u222b chan 1");
  EXPECT_NE(LabelStrings[0][1].find("\u222b chan 1"), std::string::npos);

  file(39, 3);
  derive = 1;
  qvtest::script({"click 126", "click 123"});
  INTEGRATE(0);
  ASSERT_EQ(nChannels[0], 40);
  EXPECT_EQ(RetrieveLabel(40).substr(0, 10), "\u2202 chan 1");
  EXPECT_NE(LabelStrings[0][5].find("\u2202 chan 1"), std::string::npos);

  // A replayed derivative: the active channel in place, no window.
  file(3, 3);
  ActiveChannel = 2;
  derive = 1;
  autoscript = ScriptRunOnce = 1;
  INTEGRATE(4);
  EXPECT_EQ(nChannels[0], 3);
  EXPECT_EQ(GetDatum(0, 2, 1), 0.0f);
  EXPECT_EQ(GetDatum(0, 2, 3), 1.0f);
  EXPECT_FALSE(rt::windowExists(4));
}

TEST_F(ReshapeWindows, CuttingOneChannelOrTheWholeFile) {
  block(11, 20);
  qvtest::script({"click 1", "click 3"});
  CUTBLOCK(0);
  EXPECT_EQ(nCases[0], 100);
  EXPECT_EQ(GetDatum(0, 1, 11), 1021.0f);
  EXPECT_EQ(GetDatum(0, 1, 90), 1100.0f);
  EXPECT_EQ(GetDatum(0, 1, 91), 0.0f);
  EXPECT_EQ(GetDatum(0, 2, 11), 2011.0f);
  EXPECT_EQ(FileSHORTS[0][kBlockStateWord], 0);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(GetDatum(0, 1, 11), 1011.0f);

  // The whole file, keeping a marker in the block's place.
  markers({{10, 'A'}, {15, 'B'}, {18, 'E'}, {30, 'D'}});
  block(11, 20);
  qvtest::script({"click 3", "click 3"});
  CUTBLOCK(0);
  EXPECT_EQ(nCases[0], 90);
  EXPECT_EQ(GetDatum(0, 2, 11), 2021.0f);
  EXPECT_EQ(slotMarkers(0), (std::vector<RMarker>{{10, 'A'}, {11, 'E'}, {20, 'D'}}));
  EXPECT_EQ(NoUndoChange, 1);
  EXPECT_FALSE(UndoAvailable());

  // Cancel in the marker warning: nothing changes, the mark included.
  FileSHORTS[0][kChangeMarkWord] = 0;
  block(5, 12);
  qvtest::script({"click 3", "click 1"});
  CUTBLOCK(0);
  EXPECT_EQ(nCases[0], 90);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  EXPECT_EQ(FileSHORTS[0][kBlockStateWord], 0);

  // Without the window: one case, then the start of the file moving the start time.
  prefsArray[65] = 0;
  block(50, 50);
  CUTBLOCK(1);
  EXPECT_EQ(nCases[0], 89);
  block(1, 10);
  qvtest::script({"click 2"});
  CUTBLOCK(1);
  EXPECT_EQ(nCases[0], 79);
  EXPECT_EQ(StartTime[0], "10: 0:11");

  // Every case: refused with a message.
  block(1, 79);
  qvtest::script({"click 1"});
  CUTBLOCK(1);
  EXPECT_EQ(nCases[0], 79);
}

TEST_F(ReshapeWindows, RemovingMarkersKeepsTheOthersInCaseOrder) {
  markers({{40, 'C'}, {15, 'B'}, {5, 'A'}, {15, 200}, {40, 199}, {25, 'D'}, {150, 'Z'}});
  FileSHORTS[0][kChangeMarkWord] = 0;
  block(10, 20);
  qvtest::script({"click 2"});
  RemoveMarkersFromBlock();
  EXPECT_EQ(FileSHORTS[0][kMarkerCountWord], 7);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  qvtest::script({"click 1"});
  RemoveMarkersFromBlock();
  EXPECT_EQ(slotMarkers(0), (std::vector<RMarker>{{5, 'A'}, {25, 'D'}, {40, 'C'}, {40, 199}}))
      << "a marker past the last case is dropped, not written beyond it";
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
}

TEST_F(ReshapeWindows, CroppingKeepsTheBlockItsMarkersAndMovesTheStart) {
  file(2, 1000);
  markers({{200, 'a'}, {201, 'b'}, {250, 'c'}, {300, 'd'}, {301, 'e'}});
  block(201, 300);
  qvtest::script({"dialog 4 9"});
  CROPFILE();
  EXPECT_EQ(nCases[0], 1000);
  block(201, 300);
  qvtest::script({"click 10"});
  CROPFILE();
  ASSERT_EQ(nCases[0], 100);
  EXPECT_EQ(GetDatum(0, 1, 1), 1201.0f);
  EXPECT_EQ(GetDatum(0, 2, 100), 2300.0f);
  EXPECT_EQ(slotMarkers(0), (std::vector<RMarker>{{1, 'b'}, {50, 'c'}, {100, 'd'}}));
  EXPECT_EQ(StartTime[0], "10: 3:21");
  EXPECT_FLOAT_EQ(FileInfoFLOATS[0][8], 603.35f);
  EXPECT_NE(CommentContainer[0].find("was cropped to cases 201 to 300"), std::string::npos);
  EXPECT_EQ(FileSHORTS[0][kBlockStateWord], 0);

  // A start time that does not read: it stays, and the user is told.
  StartTime[0] = "noon";
  block(11, 20);
  qvtest::script({"click 10", "click 1"});
  CROPFILE();
  EXPECT_EQ(nCases[0], 10);
  EXPECT_EQ(StartTime[0], "noon");
}

TEST_F(ReshapeWindows, DeletingChannelsClosesUpLabelsRowsAndRoles) {
  file(5, 10);
  chanB = 5;
  FileSHORTS[0][kChangeMarkWord] = 0;
  qvtest::script({"dialog 4 10"});
  CUTCHANNEL();
  EXPECT_EQ(nChannels[0], 5);
  qvtest::script({"click 233"});
  CUTCHANNEL();
  EXPECT_EQ(nChannels[0], 5);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);

  qvtest::script({"click 2", "click 4", "click 233"});
  CUTCHANNEL();
  ASSERT_EQ(nChannels[0], 3);
  for (int c = 1; c <= 3; ++c) {
    EXPECT_EQ(GetDatum(0, c, 1), float((2 * c - 1) * 1000 + 1));
    EXPECT_EQ(RetrieveLabel(c).substr(0, 6), "chan " + std::to_string(2 * c - 1));
    EXPECT_EQ(fileVariableArray[0][c][2], float(2 * c - 1));
  }
  EXPECT_EQ(chanB, 3);
  const size_t four = CommentContainer[0].find("Channel 4, chan 4:  DELETED");
  const size_t two = CommentContainer[0].find("Channel 2, chan 2:  DELETED");
  ASSERT_NE(four, std::string::npos);
  EXPECT_LT(four, two);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);

  // The last channel alone gets its line too; every channel is refused.
  CommentContainer[0].clear();
  qvtest::script({"click 3", "click 233"});
  CUTCHANNEL();
  EXPECT_EQ(nChannels[0], 2);
  EXPECT_NE(CommentContainer[0].find("Channel 3, chan 5:  DELETED"), std::string::npos);
  qvtest::script({"click 1", "click 2", "click 233", "click 1"});
  CUTCHANNEL();
  EXPECT_EQ(nChannels[0], 2);
}

TEST_F(ReshapeWindows, RearrangingWritesTheBackupThenPutsChannelsInTheirNewPlaces) {
  markers({{15, 'B'}});
  qvtest::script({"click 3", "click 1", "click 230", "click 1"});
  REARRANGE();
  ASSERT_EQ(nChannels[0], 2);
  EXPECT_EQ(GetDatum(0, 1, 7), 3007.0f);
  EXPECT_EQ(GetDatum(0, 2, 7), 1007.0f);
  EXPECT_EQ(RetrieveLabel(1).substr(0, 6), "chan 3");
  EXPECT_EQ(fileVariableArray[0][1][2], 3.0f);
  EXPECT_EQ(RetrieveLabel(3), std::string(30, ' '));
  EXPECT_EQ(ActiveChannel, 1);
  EXPECT_FALSE(UndoAvailable());

  const auto bytes = rt::readWholeFile(rearrangeBackupPath());
  ASSERT_TRUE(bytes);
  const BinaryLoadResult back = decodeBinaryFile(*bytes);
  ASSERT_TRUE(back.ok()) << back.error;
  EXPECT_EQ(back.report.signature, -999);
  EXPECT_EQ(back.file.nChannels, 3);
  EXPECT_EQ(back.file.channels[2][7], 2007.0f);

  // An unwritable data folder: a message, and nothing moves.
  rt::injectWriteFailures(1);
  qvtest::script({"click 2", "click 230", "click 1"});
  REARRANGE();
  EXPECT_EQ(nChannels[0], 2);
  EXPECT_EQ(GetDatum(0, 1, 7), 3007.0f);

  // " ReAr": no warning, and the save panel's name says so.
  FileName[0] = "run.KXdata";
  qvtest::script({"click 231", "click 2", "click 230"});
  REARRANGE();
  EXPECT_EQ(nChannels[0], 1);
  EXPECT_EQ(GetDatum(0, 1, 7), 1007.0f);
  EXPECT_EQ(RearrangedName[0], "run.KXdata");
  EXPECT_EQ(withReArSuffix("run.KXdata"), "run ReAr.KXdata");
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(ReshapeWindows, ALargeFilesBackupHasThirtyTwoBitCounts) {
  file(2, 40000);
  markers({{35000, 'Q'}});
  std::string error;
  ASSERT_TRUE(writeBackupFile(0, rearrangeBackupPath(), error)) << error;
  const auto bytes = rt::readWholeFile(rearrangeBackupPath());
  ASSERT_TRUE(bytes);
  const BinaryLoadResult back = decodeBinaryFile(*bytes);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(back.report.signature, -9999);
  EXPECT_TRUE(back.report.thirtyTwoBitCounts);
  ASSERT_EQ(back.file.meta.markers.size(), 1u);
  EXPECT_EQ(back.file.meta.markers[0].kase, 35000);
}

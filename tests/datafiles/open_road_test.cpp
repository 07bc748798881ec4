// The open road from the File menu to a drawn plot window, and every way a load can fail to
// go through, after which the open files are exactly as they were.
#include <algorithm>
#include <cmath>

#include "app/chooser.h"
#include "app/dispatcher.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "app/menu_bar.h"
#include "core/prefs.h"
#include "core/undo.h"
#include "datafiles/datafiles.h"
#include "datafiles/open_road.h"
#include "hand_bytes.h"
#include "open_road_fixture.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/clock.h"
#include "runtime/menus.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "core/script_state.h"
#include "core/data_generation.h"
#include "support/qvtest.h"

using namespace qv;
using opentest::OpenRoad;
using opentest::pictureOfTable;

namespace {

const std::string kExample = QV_RESOURCE_DIR "/examples/respirometry-run.KXdata";

SampleArray noMemory(int32_t) { return nullptr; }

}  // namespace

TEST_F(OpenRoad, TheExampleOpensIntoSlotZeroWithItsPlot) {
  const uint32_t generation = DataGeneration[0];
  EXPECT_EQ(openThroughMenu(kExample), 0);
  EXPECT_EQ(nCases[0], 10800);
  EXPECT_EQ(nChannels[0], 5);
  EXPECT_EQ(FileName[0], "respirometry-run.KXdata");
  EXPECT_EQ(CFURLarrayMain[0], kExample);
  EXPECT_EQ(CFURLarrayOutput[0], kExample);
  EXPECT_EQ(FileSHORTS[0][kInUseWord], 1);
  EXPECT_EQ(FileSHORTS[0][kPlotWindowWord], 1);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  EXPECT_EQ(FileSHORTS[0][kBlockStateWord], 0);
  EXPECT_TRUE(rt::windowExists(1000));
  EXPECT_FALSE(rt::windowExists(15)) << "the loading window is gone";
  EXPECT_EQ(NumberOfOpenFiles, 1);
  EXPECT_EQ(FileJustLoaded, 1);
  EXPECT_EQ(Cancel_Open, 0);
  EXPECT_EQ(TypeOfFile, 0);
  EXPECT_GT(DataGeneration[0], generation);
  EXPECT_TRUE(UndoAvailable()) << "channel 1 is the undo copy";
  EXPECT_EQ(prefsArray[10], 1) << "at most 100 markers: drawn";
  EXPECT_EQ(rt::menuItemState(kMarkersMenu, 1), 2);
  EXPECT_EQ(FileInfoFLOATS[0][8], 9 * 60 + 12) << "the start time of day in minutes";
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), "setup.mp3"), sounds.end());
}

TEST_F(OpenRoad, ANewFileTakesTheLowestFreeSlot) {
  openFiles(3);
  EXPECT_EQ(TheFileInUse, 2);
  CloseThisPlotWindow(1);
  const int slot = openThroughMenu(writeRecording("again.KXdata", 60));
  EXPECT_EQ(slot, 1);
  EXPECT_EQ(FileName[1], "again.KXdata");
  EXPECT_EQ(nCases[1], 60);
  EXPECT_EQ(NumberOfOpenFiles, 3);
  EXPECT_EQ(FileSHORTS[1][kBlockStateWord], 0) << "nothing of the file closed in the slot is left";
}

// Every kind of load that does not go through, 25 in a row: after each one the open files,
// their slots, windows and the file in use are exactly as before.
TEST_F(OpenRoad, TwentyFiveLoadsThatDoNotGoThroughChangeNothing) {
  openFiles(3);
  ActiveChannel = 2;
  qvtest::HandBytes cut;
  cut.text("-999").cr().i16(500).f32(1.0f).i16(2);  // ends inside the header
  qvtest::HandBytes sable;
  sable.f32le(1003.0f).text("rest of a Sable file");
  struct Failure {
    const char* what;
    std::string path;
    std::vector<std::string> answers;
    int16_t menu = 1, item = 1;
    bool noMemory = false;
  };
  const std::string shot = "shot 1166 " + dir + "/refusal.png";
  const std::vector<Failure> failures = {
      {"panel cancelled", "", {"open cancel"}},
      {"cut inside the header", writeBytes("cut.KXdata", cut.b), {shot, "dialog 3 1166"}},
      {"first value 4", writeText("four.KXdata", "4\r1,1\r"), {shot, "dialog 3 1166"}},
      {"plain text", writeText("letter.KXdata", "Dear colleague,\r"), {shot, "dialog 3 1166"}},
      {"too many cases", writeText("huge.KXdata", "7000000, 1, 1\r"), {shot, "dialog 3 1166"}},
      {"41 channels as text", writeText("wide.KXdata", "5, 1, 41\r\"d\",\"t\"\r\"c\"\r"), {shot, "dialog 3 1166"}},
      {"no such file", dir + "/missing.KXdata", {shot, "dialog 3 1166"}},
      {"BCD cut", writeText("old.KXdata", "-99\r12345\r"), {shot, "dialog 3 1166"}},
      {"Sable cut", writeBytes("run.exp", sable.b), {shot, "dialog 3 1166"}},
      {"zero interval, load cancelled", writeRecording("zero.KXdata", 50, 1, {}, 0, 0.0f), {"click 2"}},
      {"no memory", writeRecording("big.KXdata", 80), {shot, "dialog 3 1166"}, 1, 1, true},
      {"delimited import cancelled", writeText("data.csv", "a,b\r1,2\r3,4\r5,6\r"), {"click 20"}, kImportMenu, 2},
      {"append, panel cancelled", "", {"open cancel"}, kAppendMenu, 1},
  };
  const opentest::TablePicture before = pictureOfTable();
  for (int n = 0; n < 25; ++n) {
    const Failure& f = failures[size_t(n) % failures.size()];
    SCOPED_TRACE(f.what);
    std::vector<std::string> lines;
    if (!f.path.empty()) lines.push_back("open " + f.path);
    lines.insert(lines.end(), f.answers.begin(), f.answers.end());
    for (const auto& l : lines) ASSERT_TRUE(rt::script::pushLine(l));
    if (f.noMemory) setLoadAllocator(noMemory);
    EXPECT_EQ(qvtest::exitStatusOf([&] { DoMENU(f.menu, uint16_t(f.item)); }), -1);
    setLoadAllocator(nullptr);
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    EXPECT_TRUE(pictureOfTable() == before);
    EXPECT_EQ(TypeOfFile, 0);
    EXPECT_EQ(MergeThisFile, 0);
    for (int w : {15, 99, 990, 1166}) EXPECT_FALSE(rt::windowExists(w)) << w;
  }
  // And the road still opens a file afterwards.
  EXPECT_EQ(openThroughMenu(writeRecording("after.KXdata", 70)), 3);
}

TEST_F(OpenRoad, AZeroSampleIntervalIsAskedFor) {
  const std::string zero = writeRecording("zero.KXdata", 50, 1, {}, 0, 0.0f);
  const std::string answer = "open " + zero;
  qvtest::script({answer.c_str(), "type 101 2.5", "click 1"});
  DoMENU(1, 1);
  EXPECT_EQ(FileInfoFLOATS[0][1], 2.5f);
  qvtest::script({answer.c_str(), "type 101 abc", "key 13"});
  DoMENU(1, 1);
  EXPECT_EQ(TheFileInUse, 1);
  EXPECT_EQ(FileInfoFLOATS[1][1], 9.999f) << "not a number: the replacement stays";
}

TEST_F(OpenRoad, EndsAndSpikesAreRepairedOnTheWayIn) {
  // Own text format: six cases of one channel, a spike at case 2 and garbage at the end.
  const std::string text =
      "6, 1, 1\r\"05/14/2024\",\"09:00:00\"\r\"c\"\r0, 1, 0, 0, 0,\"O2\"\r0, 0, 0, 0, 0\r0\r"
      "10,\r500,\r10,\r20,\r30,\r3e+20,\r";
  const std::string path = writeText("spiky.KXdata", text);
  for (int16_t filter : {1, 0}) {
    prefsArray[46] = filter;
    const int f = openThroughMenu(path);
    ASSERT_EQ(nCases[f], 6);
    EXPECT_EQ(GetDatum(f, 1, 2), filter ? 10.0f : 500.0f) << filter;
    EXPECT_EQ(GetDatum(f, 1, 6), 30.0f) << "the last case takes the one before";
    EXPECT_EQ(GetDatum(f, 1, 5), 30.0f) << "and never makes its neighbour a spike";
  }
}

TEST_F(OpenRoad, MarkersAreDrawnUpToAHundred) {
  openThroughMenu(writeRecording("hundred.KXdata", 300, 1, {}, 100));
  EXPECT_EQ(FileSHORTS[0][kMarkerCountWord], 100);
  EXPECT_EQ(prefsArray[10], 1);
  openThroughMenu(writeRecording("more.KXdata", 300, 1, {}, 101));
  EXPECT_EQ(FileSHORTS[1][kMarkerCountWord], 101);
  EXPECT_EQ(prefsArray[10], 0);
  EXPECT_EQ(rt::menuItemState(kMarkersMenu, 1), 1) << "offered, not checked";
}

TEST_F(OpenRoad, MoreMarkersThanTheTableHoldsAreCutWithACaution) {
  // Our writer never writes more than the table holds: this file is made by hand.
  qvtest::HandBytes b;
  b.text("-999").cr().i16(100).f32(1.0f).i16(1).padded("05/14/2024", 10).padded("09:00:00", 8).f32(0);
  b.f32(0).f32(1).f32(0).f32(0).f32(0).padded("O2", 30);
  for (int k = 0; k < 5; ++k) b.f32(0);
  b.i16(32501);
  for (int m = 0; m < 32501; ++m) b.i16(1 + m % 100).i16(65);
  b.f32le(20.0f);
  for (int k = 1; k <= 100; ++k) b.f32(20.0f + float(k % 3));
  const std::string answer = "open " + writeBytes("crowded.KXdata", b.b);
  qvtest::script({answer.c_str(), "click 1"});  // "Click to Continue"
  DoMENU(1, 1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(nCases[0], 100);
  EXPECT_EQ(FileSHORTS[0][kMarkerCountWord], 32500);
  EXPECT_EQ(prefsArray[10], 0);
}

TEST_F(OpenRoad, OpeningWhileRecordingEndsTheRecordingWithAnOpenStep) {
  openFiles(1);
  RecordSCRIPT = 1;
  ScriptCOUNT = 2;
  openThroughMenu(writeRecording("scripted.KXdata", 90));
  EXPECT_EQ(ScriptSequenceArray[3][1], 33.0f);
  EXPECT_EQ(ScriptSequenceArray[3][2], 5.0f) << "the kind of request";
  EXPECT_EQ(RecordSCRIPT, 0);
  EXPECT_EQ(RunScript, 1);
  EXPECT_EQ(ScriptRunOnce, 1);
  EXPECT_EQ(autoscript, 1);
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_EQ(FileJustLoaded, 1) << "the armed script runs on the file just opened";
  EXPECT_EQ(nCases[1], 90);
}

TEST_F(OpenRoad, TheLastFileWindowLoadsANewFileThroughTheRoad) {
  openFiles(1);
  OpenAsk = 0;  // the chooser asks nothing: the program's own files
  const opentest::TablePicture before = pictureOfTable();
  // "Load New File", then the panel cancelled: the question comes back; keep the file.
  qvtest::script({"click 2", "open cancel", "click 3"});
  CloseThisPlotWindow(0);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_TRUE(pictureOfTable().slots == before.slots);
  const std::string answer = "open " + writeRecording("next.KXdata", 120);
  qvtest::script({"click 2", answer.c_str()});
  CloseThisPlotWindow(0);
  EXPECT_EQ(TheFileInUse, 1);
  EXPECT_EQ(FileName[1], "next.KXdata");
  EXPECT_FALSE(slotIsOpen(0));
  EXPECT_FALSE(rt::windowExists(1000));
}

TEST_F(OpenRoad, TheLabelWarningGoesByItselfAndOpensTheFileDataEditor) {
  openFiles(1);
  LABELwarn();
  EXPECT_TRUE(stubCalls.empty()) << "a file with labels needs no warning";
  SetChannelLabel(0, 1, "[ NO LABELS ]");
  const uint32_t start = rt::TickCount();
  qvtest::script({"click 334"});  // Done of Edit File Data
  LABELwarn();
  EXPECT_GE(rt::TickCount(), start + 480);
  EXPECT_FALSE(rt::windowExists(4));
  EXPECT_EQ(rt::script::pendingCount(), 0u) << "Edit File Data took the click";
  EXPECT_TRUE(stubCalls.empty());
  EXPECT_TRUE(std::find(sounds.begin(), sounds.end(), "downvip.mp3") != sounds.end());
}

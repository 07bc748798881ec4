// The command dispatcher: which entry point each (menu, item) reaches, with which arguments
// and after which pre-steps, and the commands that the dispatcher carries out itself.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "calculators/commands.h"
#include "app/chooser.h"
#include "app/dispatcher.h"
#include "core/help.h"
#include "app/menu_bar.h"
#include "datafiles/datafiles.h"
#include "editing/commands.h"
#include "menus_fixture.h"
#include "output/commands.h"
#include "output/output.h"
#include "output/output_fixture.h"
#include "core/output_state.h"
#include "core/route_state.h"
#include "core/results_scaling.h"
#include "plot/plot_state.h"
#include "respirometry/commands.h"
#include "runtime/files.h"
#include "runtime/menus.h"
#include "runtime/scripted.h"
#include "core/stub_log.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "core/script_state.h"

using namespace qv;
using Calls = std::vector<std::string>;

namespace {

class Dispatcher : public menutest::MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    openFile(0, 3, 500);
    setBlock(100, 200);
    prefsArray[14] = 0;  // no automatic repeat after edits
  }
};

struct Route {
  int16_t menu;
  uint16_t item;
  Calls calls;
};

}  // namespace

TEST_F(Dispatcher, EachItemReachesItsEntryPointWithItsArguments) {
  const Route routes[] = {
      {1, 1000, {}},
      {1, 3, {}},
      {2, 4, {}},
      {9, 1, {}},
      {-16489, 1, {}},
  };
  for (const Route& r : routes) {
    calls.clear();
    setBlock(100, 200);
    EXPECT_EQ(DoMENU(r.menu, r.item), 0);
    EXPECT_EQ(calls, r.calls) << "menu " << r.menu << " item " << r.item;
    EXPECT_EQ(MenuIDENTIFIER, 0);
  }
}

TEST_F(Dispatcher, TheCutCropDeleteAndArrangeItemsOpenTheirWindows) {
  prefsArray[65] = 1;
  const struct {
    int16_t menu;
    uint16_t item;
    const char* close;
  } items[] = {{2, 30, "dialog 4 9"}, {2, 32, "dialog 4 6"}, {73, 2, "dialog 4 9"},
               {73, 3, "dialog 4 9"}, {73, 4, "dialog 4 10"}, {82, 3, "click 2"},
               {2, 25, "click 110"}, {76, 7, "dialog 4 4"}};
  for (const auto& i : items) {
    setBlock(100, 200);
    qvtest::script({i.close});
    DoMENU(i.menu, i.item);
    EXPECT_EQ(rt::script::pendingCount(), 0u) << "menu " << i.menu << " item " << i.item;
    EXPECT_EQ(nCases[0], 500);
    EXPECT_EQ(nChannels[0], 3);
  }
  EXPECT_TRUE(calls.empty());
}

TEST_F(Dispatcher, TimeSeriesAndSteppedSamplingOpenTheirWindows) {
  qvtest::script({"click 3", "click 142"});  // "Done", "Done  -- Exit"
  DoMENU(103, 1);
  DoMENU(103, 2);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(rt::windowExists(6));
}

TEST_F(Dispatcher, LagAndSmoothingOpenTheirWindows) {
  qvtest::script({"click 3", "dialog 4 4"});
  DoMENU(2, 12);
  DoMENU(2, 16);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_TRUE(calls.empty());
}

TEST_F(Dispatcher, SpikeAndReferenceRemovalOpenTheirWindows) {
  qvtest::script({"dialog 4 4", "dialog 4 4"});
  DoMENU(2, 17);
  DoMENU(2, 18);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(rt::windowExists(4));
}

TEST_F(Dispatcher, CustomTransformsOpensTheManager) {
  qvtest::script({"click 53"});  // its "Cancel"
  DoMENU(2, 23);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_FALSE(rt::windowExists(150));
}

TEST_F(Dispatcher, StandardTransformationsOpensItsWindow) {
  qvtest::script({"dialog 4 4"});  // its close box
  DoMENU(2, 22);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_FALSE(rt::windowExists(4));
}

TEST_F(Dispatcher, ExpressionTransformsAndTheExpressionEvaluatorOpenWindow8) {
  for (uint16_t menu : {2, 8}) {
    qvtest::script({"click 250"});  // "Done"
    DoMENU(int16_t(menu), menu == 2 ? 24 : 3);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    EXPECT_FALSE(rt::windowExists(8));
  }
  EXPECT_EQ(HelpSubject, 204);
}

TEST_F(Dispatcher, DuplicateChannelCopiesTheActiveChannel) {
  ActiveChannel = 2;
  DoMENU(2, 31);
  ASSERT_EQ(nChannels[0], 4);
  EXPECT_EQ(GetDatum(0, 4, 250), GetDatum(0, 2, 250));
  EXPECT_EQ(ActiveChannel, 4);
}

TEST_F(Dispatcher, OpenRoadsSetTheKindOfFileAndTheMergeFlag) {
  // Each road asks for the open panel.
  struct Case {
    int16_t menu;
    uint16_t item;
    const char* answer;
  } cases[] = {{1, 1, "open cancel"}, {74, 1, "open cancel"}, {74, 2, "open cancel"}, {74, 3, "open cancel"},
               {75, 1, "open cancel"}, {75, 2, "open cancel"}, {75, 3, "open cancel"}};
  for (const auto& c : cases) {
    MergeThisFile = 0;
    qvtest::script({c.answer});
    EXPECT_EQ(qvtest::exitStatusOf([&] { DoMENU(c.menu, c.item); }), -1) << c.menu << "/" << c.item;
    EXPECT_EQ(rt::script::pendingCount(), 0u) << c.menu << "/" << c.item;
    EXPECT_EQ(TypeOfFile, 0);
    EXPECT_EQ(MergeThisFile, 0);
    EXPECT_EQ(nCases[0], 500) << "the file in use stays as it was";
  }
}

TEST_F(Dispatcher, GasExchangeTakesItsPreStepsInOrder) {
  DoSMOOTH = 1;
  prefsArray[5] = 1;
  prefsArray[4] = 1;
  // Smoothing (closed by its close box), the baseline window (cancelled), the Lag window
  // (cancelled), then the gas-exchange window (closed).
  qvtest::script({"dialog 4 4", "click 18", "click 3", "dialog 4 4"});
  DoMENU(76, 2);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(GasType, 2);
  EXPECT_EQ(rt::script::pendingCount(), 0u);

  calls.clear();
  DoSMOOTH = prefsArray[5] = prefsArray[4] = 0;
  qvtest::script({"dialog 4 4"});
  DoMENU(76, 5);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(GasType, 3);
  qvtest::script({"dialog 4 4"});
  DoMENU(76, 1);
  EXPECT_EQ(GasType, 1);

  calls.clear();
  qvtest::script({"click 3", "click 5"});
  DoMENU(76, 10);
  EXPECT_EQ(GasType, 2);
  EXPECT_EQ(flowconC, 23.4f) << "the CO2 heat equivalence of protein oxidised to urea";
  qvtest::script({"dialog 4 44"});
  DoMENU(76, 12);
  EXPECT_EQ(AnalysisCode, 0) << "effective volume shows its own statistics, not a block analysis's";
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(Dispatcher, GlobalsSetBeforeTheCall) {
  qvtest::script({"dialog 4 4"});
  DoMENU(2, 14);
  EXPECT_EQ(derive, 1);
  qvtest::script({"dialog 4 4"});
  DoMENU(2, 13);
  EXPECT_EQ(derive, 0);
  AnalysisCode = 0;
  qvtest::script({"dialog 4 4"});
  DoMENU(3, 1);
  EXPECT_EQ(AnalysisCode, 12);
}

TEST_F(Dispatcher, SpecialCalculatorsSetTheirHelpSubject) {
  // A built calculator opens its window, which its Done closes; the others say they are not there.
  struct Case {
    uint16_t item;
    const char* call;
    int16_t subject;
    const char* done = nullptr;
  } cases[] = {{5, nullptr, 205, "click 13"},  {6, nullptr, 206, "click 4"},  {7, nullptr, 206, "click 4"},
               {8, nullptr, 248, "click 20"},  {9, nullptr, 248, "click 14"}, {11, nullptr, 237, "click 3"},
               {12, nullptr, 237, "click 3"},
               {14, nullptr, 249, "click 3"},  {15, nullptr, 235, "click 2"}, {19, nullptr, 237, "click 20"},
               {20, nullptr, 247, "click 241"}};
  for (const auto& c : cases) {
    calls.clear();
    HelpSubject = 1;
    if (c.done) qvtest::script({c.done});
    DoMENU(8, c.item);
    EXPECT_EQ(calls, c.call ? Calls{c.call} : Calls{}) << c.item;
    EXPECT_EQ(HelpSubject, c.subject) << c.item;
    EXPECT_FALSE(rt::windowExists(8)) << c.item;
  }
  // Chamber Washout's own window names its subject.
  qvtest::script({"click 20"});
  DoMENU(8, 13);
  EXPECT_EQ(HelpSubject, 269);
}

TEST_F(Dispatcher, DuplicateChannelIsRefusedOnAFullFile) {
  openFile(1, 40, 50);
  calls.clear();
  DoMENU(2, 31);
  EXPECT_TRUE(calls.empty());
}

TEST_F(Dispatcher, WithNoFileOnlyTheCommandsThatNeedNoneRun) {
  for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
  TheFileInUse = -1;
  calls.clear();
  for (auto [m, i] : {std::pair<int16_t, uint16_t>{3, 1}, {2, 8}, {2, 2}, {4, 6}, {5, 2}, {7, 1}, {2, 31}, {75, 1}}) {
    DoMENU(m, i);
  }
  EXPECT_TRUE(calls.empty());
  qvtest::script({"click 20"});  // Day of the Year, left by Done
  DoMENU(8, 19);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  qvtest::script({"open cancel"});  // File > Open asks for a file
  DoMENU(1, 1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  qvtest::script({"click 333"});  // the preferences window, left by Done
  DoMENU(2, 37);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  qvtest::script({"open cancel"});  // Load Script asks for a script file
  DoMENU(6, 4);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_TRUE(calls.empty());
  // Slot 0 is the file in use at start-up, before a file is open.
  TheFileInUse = 0;
  FileSHORTS[0][2] = 0;
  BeginBlock.inUse() = EndBlock.inUse() = 0;
  DoMENU(2, 8);
  EXPECT_EQ(FileSHORTS[0][2], 0);
  EXPECT_EQ(EndBlock.inUse(), 0);
}

TEST_F(Dispatcher, SelectAllMakesTheWholeFileTheBlock) {
  FileSHORTS[0][2] = 0;
  DoMENU(2, 8);
  EXPECT_EQ(BeginBlock.inUse(), 1);
  EXPECT_EQ(EndBlock.inUse(), 500);
  EXPECT_EQ(FileSHORTS[0][2], 2);
  EXPECT_EQ(rt::menuItemState(3, 1), 1);  // the block analyses are offered
}

TEST_F(Dispatcher, ResetLastBlockOnlyWhenTheRememberedBlockFits) {
  FileSHORTS[0][2] = 0;
  // A cleared block keeps its cases, which Reset Last Block brings back when they fit.
  BeginBlock.inUse() = 10, EndBlock.inUse() = 600;  // past the end of the file
  DoMENU(2, 2);
  EXPECT_EQ(FileSHORTS[0][2], 0);
  BeginBlock.inUse() = 50, EndBlock.inUse() = 40;
  DoMENU(2, 2);
  EXPECT_EQ(FileSHORTS[0][2], 0);
  BeginBlock.inUse() = 10, EndBlock.inUse() = 60;
  DoMENU(2, 2);
  EXPECT_EQ(FileSHORTS[0][2], 2);
  EXPECT_EQ(BeginBlock.inUse(), 10);
  EXPECT_EQ(EndBlock.inUse(), 60);
  EXPECT_EQ(rt::menuItemState(2, 2), 0);
}

TEST_F(Dispatcher, ZoomInToTheBlockAndOutAgain) {
  DoMENU(4, 6);
  EXPECT_EQ(FileSHORTS[0][6], 1);
  EXPECT_EQ(zoomleft[0], 100);
  EXPECT_EQ(zoomright[0], 200);
  EXPECT_EQ(FileSHORTS[0][2], 0);
  EXPECT_EQ(rt::menuItemState(4, 7), 1);
  DoMENU(4, 7);
  EXPECT_EQ(FileSHORTS[0][6], 0);
  EXPECT_EQ(rt::menuItemState(4, 7), 0);
  // Without a block there is nothing to zoom to.
  FileSHORTS[0][2] = 0;
  DoMENU(4, 6);
  EXPECT_EQ(FileSHORTS[0][6], 0);
}

TEST_F(Dispatcher, SwitchesAndTheirMarks) {
  std::vector<std::string> sounds;
  rt::setSoundObserver([&](const std::string& s) { sounds.push_back(s); });
  prefsArray[7] = 60;
  DoMENU(77, 1);
  EXPECT_EQ(prefsArray[14], 1);
  EXPECT_EQ(rt::menuItemState(77, 1), 2);
  DoMENU(77, 1);
  EXPECT_EQ(prefsArray[14], 0);
  EXPECT_EQ(rt::menuItemState(77, 1), 1);
  EXPECT_EQ(sounds, (std::vector<std::string>{"bub3.mp3", "downvip.mp3"}));

  // The checked digit again: still checked, and the click plays even with sounds off.
  sounds.clear();
  prefsArray[7] = 0;
  DoMENU(79, 4);
  DoMENU(79, 4);
  EXPECT_EQ(SignificantFigures, 7);
  EXPECT_EQ(rt::menuItemState(79, 4), 2);
  EXPECT_EQ(rt::menuItemState(79, 3), 1);
  EXPECT_EQ(sounds, (std::vector<std::string>{"click.mp3", "click.mp3"}));
  rt::setSoundObserver(nullptr);

  // Screen segments on: the time segments' mark goes, their preference stays.
  prefsArray[12] = 0, prefsArray[19] = 1;
  rt::menuSetItemState(70, 5, 2);
  DoMENU(70, 4);
  EXPECT_EQ(rt::menuItemState(70, 4), 2);
  EXPECT_EQ(rt::menuItemState(70, 5), 1);
  EXPECT_EQ(prefsArray[19], 1);

  prefsArray[44] = 1;
  DoMENU(2, 34);
  EXPECT_EQ(prefsArray[44], 0);
  EXPECT_EQ(rt::menuItemState(2, 34), 1);
}

TEST_F(Dispatcher, ScalingSetsTheActiveChannelsModeOrEveryChannels) {
  ActiveChannel = 2;
  DoMENU(71, 2);
  EXPECT_EQ(scalingFactorArray[2][4], 1.0f);
  EXPECT_EQ(rt::menuItemState(71, 2), 2);
  EXPECT_EQ(rt::menuItemState(71, 3), 1);
  DoMENU(78, 1);
  for (int c = 1; c <= 3; ++c) EXPECT_EQ(scalingFactorArray[c][4], 0.0f);
  EXPECT_EQ(DrawAllScaleMode, 0);
}

TEST_F(Dispatcher, ScriptMenuStates) {
  DoMENU(6, 1);
  EXPECT_EQ(RecordSCRIPT, 1);
  EXPECT_EQ(rt::menuItemState(6, 1), 0);
  DoMENU(6, 2);
  EXPECT_EQ(RecordSCRIPT, 0);
  EXPECT_EQ(RunScript, 1);
  EXPECT_EQ(rt::menuItemState(6, 8), 2);
  DoMENU(6, 9);
  EXPECT_EQ(ScriptRunOnce, 0);
  EXPECT_EQ(rt::menuItemState(6, 9), 2);
  EXPECT_EQ(rt::menuItemState(6, 8), 1);
  DoMENU(6, 12);
  EXPECT_EQ(RunScript, 0);
  EXPECT_EQ(rt::menuItemState(6, 12), 2);
  // A script exists when a step has a code, whatever ScriptCOUNT says: Record asks.
  std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  ScriptSequenceArray[3][1] = 12;
  ScriptCOUNT = 0;
  qvtest::script({"click 2"});  // Add to Existing Script
  DoMENU(6, 1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(ScriptCOUNT, 3);
  EXPECT_EQ(RecordSCRIPT, 1);
  std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  ScriptCOUNT = 0;
  RecordSCRIPT = 0;
}

TEST_F(Dispatcher, ChannelPopupChangesTheActiveChannelAndRecordsIt) {
  RecordSCRIPT = 1;
  ScriptCOUNT = 0;
  DoMENU(5, 3);
  EXPECT_EQ(ActiveChannel, 3);
  EXPECT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[1][2], 3.0f);
  RecordSCRIPT = 0;
  ScriptCOUNT = 0;
  DoMENU(5, 9);  // above the channel count
  EXPECT_EQ(ActiveChannel, 3);
}

TEST_F(Dispatcher, WindowMenuPicksTheNthOpenFileAndStopsAtTheLastSlot) {
  openFile(2, 2, 300);
  openFile(5, 4, 300);
  ActiveChannelArray[2] = 2;
  TheFileInUse = 0;
  ActiveChannel = 3;
  DoMENU(7, 2);
  EXPECT_EQ(TheFileInUse, 2);
  EXPECT_EQ(ActiveChannel, 2);
  EXPECT_EQ(ActiveChannelArray[0], 3);  // the channel of the file left behind is kept
  EXPECT_EQ(rt::frontWindow(), 1002);
  DoMENU(7, 4);  // only three files are open
  EXPECT_EQ(TheFileInUse, 2);
  DoMENU(7, 1);
  EXPECT_EQ(TheFileInUse, 0);
  EXPECT_EQ(ActiveChannel, 3);
}

TEST_F(Dispatcher, SendResultsToAnOutputThatDidNotOpen) {
  qvtest::script({"click 20", "save cancel"});  // the spreadsheet options, then the save panel
  DoMENU(80, 2);
  EXPECT_EQ(PortForResultsOutput, 0);
  for (int16_t i = 1; i <= 3; ++i) EXPECT_EQ(rt::menuItemState(80, i), 1);
  EXPECT_EQ(rt::menuItemState(1, 18), 0);
  // A route can still be chosen again.
  EXPECT_EQ(rt::menuItemState(1, 17), 1);
}

TEST_F(Dispatcher, AnOpenRouteKeepsItsReportsUntilItIsClosed) {
  outtest::DataHome home(qvtest::tempDir("open_route") + "/data");
  const auto states = [] {
    std::vector<int> s;
    for (int i = 17; i <= 19; ++i) s.push_back(rt::menuItemState(1, i));
    for (int i = 1; i <= 3; ++i) s.push_back(rt::menuItemState(80, i));
    return s;
  };
  DoMENU(80, 1);
  ASSERT_EQ(PortForResultsOutput, kRoutePrinter);
  // Send Results To: off, the printer checked, the others off; Output Results and Print |
  // Close File on.
  EXPECT_EQ(states(), (std::vector<int>{0, 1, 1, 2, 0, 0}));
  ASSERT_TRUE(writeToRoute("BASIC STATS, CHANNEL 1\n"));

  // A choice that reaches the dispatcher anyway (queued, scripted) leaves the spool alone.
  for (uint16_t again : {1, 3}) {
    DoMENU(80, again);
    EXPECT_EQ(PortForResultsOutput, kRoutePrinter) << again;
  }
  EXPECT_EQ(rt::script::pendingCount(), 0u) << "no save panel was asked for";
  ASSERT_TRUE(writeToRoute("    Mean = 3.5\n"));

  qvtest::script({"page cancel"});
  DoMENU(1, 19);
  EXPECT_EQ(PortForResultsOutput, 0);
  EXPECT_EQ(states(), (std::vector<int>{1, 0, 0, 1, 1, 1}));
  EXPECT_EQ(rt::fileSize(spoolFilePath()), std::string("BASIC STATS, CHANNEL 1\n    Mean = 3.5\n").size());
}

TEST_F(Dispatcher, OutputResultsWritesTheReportOfTheLastAnalysis) {
  const std::string path = qvtest::tempDir("output-results") + "/results.txt";
  std::filesystem::remove(path);
  qvtest::script({("save " + path).c_str()});
  DoMENU(80, 3);
  ASSERT_EQ(PortForResultsOutput, kRouteTextFile);
  // Basic Descriptive Stats, its window closed without printing: nothing is written yet.
  qvtest::script({"dialog 4 4"});
  DoMENU(3, 1);
  DoMENU(1, 18);
  DoMENU(1, 19);  // Print / Close File: the text file is complete
  std::ifstream in(path);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_NE(text.find("BASIC STATS, CHANNEL 1:"), std::string::npos) << text;
  EXPECT_NE(text.find("Cases101 to201 (total101)"), std::string::npos) << text;
}

TEST_F(Dispatcher, NoticeNamesACommandThisBuildLacks) {
  setNotBuiltRecorder(nullptr);
  qvtest::script({"click 1"});
  notBuilt(callText("AbsentCommand", 1), "Absent Command");
  EXPECT_FALSE(rt::windowExists(990));
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST(DurationText, UnitsByLength) {
  EXPECT_EQ(DurationText(90), " 90 sec");
  EXPECT_EQ(DurationText(150), " 2.5 min");
  EXPECT_EQ(DurationText(3 * 3600), " 3 hr");
  EXPECT_EQ(DurationText(3 * 86400), " 3 days");
  EXPECT_EQ(DurationText(1234.567), " 20.576 min");  // a long number is cut to 7 characters
}

// DOSCRIPT on a file with its plot window, fake operations in the replay table: the channel
// count question, stops, Interrupt, the run modes, and what every run puts back.
#include <gtest/gtest.h>

#include "app/dispatcher.h"
#include "app/main_loop.h"
#include "app/menu_bar.h"
#include "core/event_state.h"
#include "core/prefs.h"
#include "datafiles/open_road.h"
#include "core/output_state.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"
#include "script_fixture.h"
#include "scripts/replay_table.h"

using namespace qv;

namespace {

class Replay : public scripttest::ScriptTest {
 protected:
  std::vector<int> ran;  // the steps the fake operations ran
  void SetUp() override {
    ScriptTest::SetUp();
    RegisterReplayOperations();
    // The Script menu as a file's first load leaves it.
    for (int16_t i = 1; i <= 14; ++i) FBMenu(kScriptMenu, i, 1);
    for (int c : {2, 12}) setReplayEntry(c, [this](int16_t s) { ran.push_back(s); return true; });
    InitialNumberOfScriptOperationChannels = 6;
    ScriptRunOnce = 1;
    RunScript = 1;
    autoscript = 1;
    prefsArray[7] = 12;
    prefsArray[14] = 1;  // the user's Autorepeat
    prefsArray[48] = 1;  // quiet runs
  }
  void TearDown() override {
    RegisterReplayOperations();
    prefsArray[48] = 0;
    ScriptTest::TearDown();
  }
  void steps(std::initializer_list<std::pair<int, float>> s) {
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
    int k = 1;
    for (auto [code, word2] : s) {
      ScriptSequenceArray[k][1] = float(code);
      ScriptSequenceArray[k][2] = word2;
      ++k;
    }
  }
  void expectPutBack() {
    EXPECT_EQ(prefsArray[7], 12);
    EXPECT_EQ(prefsArray[14], 1);
    EXPECT_EQ(ScriptCOUNT, 0);
    EXPECT_EQ(FileJustLoaded, 0);
    EXPECT_FALSE(ScriptReplayRunning());
  }
};

TEST_F(Replay, AnotherChannelCountAsksFirst) {
  steps({{2, 1.0f}, {2, 1.0f}});
  InitialNumberOfScriptOperationChannels = 5;
  drive({"click 1"}, [] { DOSCRIPT(); });  // Cancel Script
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(RunScript, 0);
  expectPutBack();

  RunScript = 1;
  drive({"click 2"}, [] { DOSCRIPT(); });  // Continue Anyway
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  EXPECT_EQ(RunScript, 1);  // all files: still armed
  expectPutBack();

  // "1st Run Manual" does not ask.
  ran.clear();
  ScriptRunOnce = 0;
  drive({}, [] { DOSCRIPT(); });
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  EXPECT_EQ(ScriptRunOnce, 1);
}

// A channel the file does not have stops the run at its step and changes nothing; so does an
// operation this build lacks. Each says so in one warning.
TEST_F(Replay, StopsNameTheStepAndChangeNothing) {
  openFile(1, 5, 100);
  InitialNumberOfScriptOperationChannels = 5;
  const float before = GetDatum(1, 1, 10);
  steps({{1, 7.0f}, {2, 1.0f}});
  drive({"click 1"}, [] { DOSCRIPT(); });
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(ActiveChannel, 1);
  EXPECT_EQ(GetDatum(1, 1, 10), before);
  EXPECT_EQ(RunScript, 0);
  expectPutBack();

  RunScript = 1;
  steps({{2, 1.0f}, {32, 0.0f}, {2, 1.0f}});
  drive({"click 1"}, [] { DOSCRIPT(); });
  EXPECT_EQ(ran, (std::vector<int>{1}));
  EXPECT_EQ(RunScript, 0);
  expectPutBack();

  // A good channel goes through the channel popup's road.
  RunScript = 1;
  ran.clear();
  steps({{1, 4.0f}, {2, 1.0f}});
  drive({}, [] { DOSCRIPT(); });
  EXPECT_EQ(ActiveChannel, 4);
  EXPECT_EQ(ran, (std::vector<int>{2}));
}

// An OPEN FILE step whose file type opens nothing stops the run naming the step, rather than
// replaying the script again on the same file without end.
TEST_F(Replay, AnOpenStepThatOpensNothingStopsTheRun) {
  setReplayEntry(2, [this](int16_t s) {
    ran.push_back(s);
    if (ran.size() > 3) RunScript = 0;  // would otherwise go round for ever
    return true;
  });
  for (float type : {9999.0f, 0.0f, 1.0f, 2.0f, 6.0f}) {
    ran.clear();
    RunScript = 1;
    ScriptRunOnce = 1;
    steps({{2, 1.0f}, {33, type}});
    drive({"click 1"}, [] { DOSCRIPT(); });  // the message naming step 2
    EXPECT_EQ(ran, (std::vector<int>{1})) << type;
    EXPECT_EQ(RunScript, 0) << type;
    expectPutBack();
  }
}

// A run bound to file B stops when B is closed while it waits for a block: no step works on
// file A, which comes into use, and A's unsaved change stays unsaved.
TEST_F(Replay, ClosingTheFileOfTheRunStopsIt) {
  openFile(1, 6, 100);
  FileSHORTS[1][kChangeMarkWord] = 1;
  TheFileInUse = 0;
  steps({{12, 0.0f}, {34, 0.0f}});
  setReplayEntry(34, [this](int16_t s) { ran.push_back(s); return true; });
  drive({"dialog 4 1000", "click 1"}, [] { DOSCRIPT(); });  // B's close box, then the message
  EXPECT_TRUE(ran.empty()) << "no step ran on the other file";
  EXPECT_EQ(TheFileInUse, 1);
  EXPECT_EQ(FileSHORTS[1][kChangeMarkWord], 1);
  EXPECT_EQ(RunScript, 0);
  expectPutBack();
}

TEST_F(Replay, InterruptEndsTheWaitForABlock) {
  steps({{12, 0.0f}, {2, 1.0f}});
  drive({"menu 6 12"}, [] { DOSCRIPT(); });
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(RunScript, 0);
  EXPECT_TRUE(rt::windowExists(4));  // the block request stays until an analysis replaces it
  expectPutBack();
}

// The pause button lets the user go on without a block: the step after runs.
TEST_F(Replay, ThePauseButtonContinues) {
  steps({{12, 0.0f}, {2, 1.0f}});
  drive({"click 135"}, [] { DOSCRIPT(); });
  EXPECT_EQ(ran, (std::vector<int>{2}));
  EXPECT_FALSE(rt::controlExistsIn(1000, 135));
  expectPutBack();
}

TEST_F(Replay, OneFileModeDisarms) {
  steps({{2, 1.0f}});
  ScriptRunOnce = 100;
  drive({}, [] { DOSCRIPT(); });
  EXPECT_EQ(ran, (std::vector<int>{1}));
  EXPECT_EQ(RunScript, 0);
  expectPutBack();
}

// A file opened with no script armed stays "just loaded": Run Script starts at once on it; a
// run that has ended on it waits for the next file.
TEST_F(Replay, RunStartsOnTheFileInFrontOnce) {
  steps({{2, 1.0f}});
  RunScript = 0;
  FileJustLoaded = 1;
  drive({"key 0"}, [] { MainLoopPass(); });
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(FileJustLoaded, 1);
  DoMENU(6, 10);
  drive({"key 0"}, [] { MainLoopPass(); });
  EXPECT_EQ(ran, (std::vector<int>{1}));
  EXPECT_EQ(FileJustLoaded, 0);
  DoMENU(6, 8);
  drive({"key 0"}, [] { MainLoopPass(); });
  EXPECT_EQ(ran, (std::vector<int>{1}));
}

}  // namespace

// Recording: the step cap, the channel keys, the Script Exists question and the menu states.
#include <gtest/gtest.h>

#include "app/chooser.h"
#include "app/dispatcher.h"
#include "core/event_state.h"
#include "datafiles/datafiles.h"
#include "plot/plot_state.h"
#include "runtime/menus.h"
#include "runtime/windows.h"
#include "script_fixture.h"
#include "core/script_recorder.h"
#include "scripts/script_steps.h"
#include "scripts/script_view.h"

using namespace qv;

namespace {

using ScriptRecording = scripttest::ScriptTest;

TEST(ScriptSteps, LabelsOfTheCodes) {
  const struct {
    int code;
    const char* label;
  } cases[] = {{0, ""},  {1, "CHANGE CHANNEL to:"}, {12, "BASIC STATS"}, {21, ""}, {25, " * END SCRIPT *"},
               {30, "most VARIABLE; total seconds:"}, {33, "OPEN FILE"}, {41, "SCALE to BLOCK"}, {44, ""},
               {45, "selective INTEGRATE"}, {46, ""}, {99, ""}};
  for (const auto& c : cases) EXPECT_EQ(ScriptLabel(c.code), c.label) << c.code;
}

TEST(ScriptSteps, ChannelKeys) {
  const struct {
    int direction;
    int16_t current, channels;
    int key;
    int16_t expected;
  } cases[] = {{1, 1, 6, 0, 6},    {2, 6, 6, 0, 1},    {2, 3, 6, 0, 4},     {0, 1, 12, '0', 10},
               {0, 1, 20, '!', 11}, {0, 1, 20, ')', 20}, {0, 1, 12, ')', 0}, {0, 1, 6, '7', 0},
               {0, 1, 6, 'x', 0},   {0, 1, 40, '@', 12}, {0, 1, 9, '9', 9},   {3, 1, 6, '1', 0}};
  for (const auto& c : cases)
    EXPECT_EQ(pushedChannel(c.direction, c.current, c.channels, c.key), c.expected)
        << c.direction << " " << c.current << "/" << c.channels << " key " << c.key;
}

TEST_F(ScriptRecording, PushChanRecordsTheChannelItChanges) {
  RecordSCRIPT = 1;
  eventID = 0;
  PUSHCHAN(1);  // down arrow on channel 1 of 6
  EXPECT_EQ(ActiveChannel, 6);
  EXPECT_EQ(old, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[1][2], 6.0f);
  eventID = ')';  // channel 20 of a 6-channel file
  PUSHCHAN(0);
  EXPECT_EQ(ActiveChannel, 6);
  EXPECT_EQ(ScriptCOUNT, 1);
}

// The 40th step keeps its words and ends recording; no road records a 41st; taking the 40th
// back turns recording on again.
TEST_F(ScriptRecording, FortyStepsAtMost) {
  RecordSCRIPT = 1;
  ScriptCOUNT = 39;
  EXPECT_EQ(RecordScriptStep(13, {300.0f}), 40);
  EXPECT_EQ(ScriptSequenceArray[40][2], 300.0f);
  EXPECT_EQ(RecordSCRIPT, 0);
  EXPECT_EQ(rt::editTextIn(1000, 52), " step 40");

  WithdrawScriptStep(40);
  EXPECT_EQ(ScriptCOUNT, 39);
  EXPECT_EQ(RecordSCRIPT, 1);
  EXPECT_EQ(ScriptSequenceArray[40][1], 0.0f);
  EXPECT_EQ(RecordScriptStep(12), 40);

  RecordSCRIPT = 1;  // as if still on: the cap holds by itself
  EXPECT_EQ(RecordScriptStep(12), 0);
  eventID = 0;
  PUSHCHAN(2);  // key
  DoMENU(5, 3);  // channel popup
  EXPECT_EQ(ActiveChannel, 3);
  TypeOfFile = 4;
  drive({"open cancel"}, [] { FILELOADING(); });  // open road
  EXPECT_EQ(ScriptCOUNT, 40);
  EXPECT_EQ(RunScript, 0) << "no OPEN FILE step, nothing armed";
  for (int w = 0; w < kScriptWords; ++w) EXPECT_EQ(ScriptSequenceArray[41][w], 0.0f);
}

TEST_F(ScriptRecording, StartANewScriptLeavesOnlyTheNewSteps) {
  for (int k = 1; k <= 10; ++k) ScriptSequenceArray[k][1] = 34;  // SAVE FILE would run again
  ScriptSequenceArray[0][8] = 2.5f;
  ScriptSequenceArray[44][3] = 7;
  ScriptCOUNT = 0;
  drive({"click 1"}, [] { DoMENU(6, 1); });
  for (int i = 0; i < 3; ++i) RecordScriptStep(12);
  EXPECT_EQ(stepsWithCodes(), 3);
  EXPECT_EQ(lastScriptStep(), 3);
  EXPECT_EQ(ScriptSequenceArray[0][8], 2.5f);
  EXPECT_EQ(ScriptSequenceArray[44][3], 7.0f);
}

TEST_F(ScriptRecording, RecordAfterALoadAsksAndAddsAfterTheLastStep) {
  scripttest::HandScript h;
  for (int k = 1; k <= 5; ++k) h.value(k, 1, 12);
  scripttest::writeBytes(dir + "/five.QVscript", h.bytes);
  const std::string answer = "open " + dir + "/five.QVscript";
  drive({answer.c_str(), "click 246"}, [] { DoMENU(6, 4); });
  ScriptCOUNT = 0;  // as a replay leaves it
  drive({"click 2"}, [] { DoMENU(6, 1); });
  EXPECT_EQ(RecordScriptStep(1, {2.0f}), 6);
}

// Steps 1 and 3 with nothing in step 2: listing the script moves no step, so the next
// recorded step goes after step 3 and step 3 stays.
TEST_F(ScriptRecording, ViewingWhileRecordingKeepsTheNextStepAfterTheLast) {
  ScriptSequenceArray[1][1] = 12;
  ScriptSequenceArray[3][1] = 12;
  ScriptSequenceArray[3][2] = 300;
  drive({"click 2"}, [] { DoMENU(6, 1); });  // Add to Existing
  ASSERT_EQ(RecordSCRIPT, 1);
  drive({"click 246"}, [] { VIEWSCRIPT(); });
  EXPECT_EQ(RecordScriptStep(1, {2.0f}), 4);
  EXPECT_EQ(ScriptSequenceArray[3][1], 12.0f);
  EXPECT_EQ(ScriptSequenceArray[3][2], 300.0f);
  // A count left behind the script's last step (a load, a replay) still records after it.
  ScriptCOUNT = 1;
  EXPECT_EQ(RecordScriptStep(1, {3.0f}), 5);
}

TEST_F(ScriptRecording, AddingToAFullScriptRecordsNothing) {
  for (int k = 1; k <= 40; ++k) ScriptSequenceArray[k][1] = 12;
  drive({"click 2", "click 1"}, [] { DoMENU(6, 1); });  // Add to Existing, then the notice
  EXPECT_EQ(RecordSCRIPT, 0);
  EXPECT_EQ(RecordScriptStep(13), 0);
  EXPECT_EQ(rt::menuItemState(6, 1), 1) << "Record a Script can be chosen again";
}

TEST_F(ScriptRecording, ClearScriptEmptiesTheViewAndSetsTheMenu) {
  for (int k = 1; k <= 4; ++k) ScriptSequenceArray[k][1] = 12;
  ScriptSequenceArray[2][7] = 5;
  ScriptCOUNT = 4;
  DoMENU(6, 13);
  EXPECT_EQ(lastScriptStep(), 0);
  EXPECT_EQ(ScriptSequenceArray[2][7], 5.0f) << "parameter words stay";
  for (int item : {6, 8, 9, 10}) EXPECT_EQ(rt::menuItemState(6, item), 0) << item;
  for (int item : {1, 12}) EXPECT_EQ(rt::menuItemState(6, item), 1) << item;
  drive({"click 246"}, [] { VIEWSCRIPT(); });
  EXPECT_EQ(ScriptCOUNT, 0);
  // Recording after a clear starts at step 1.
  drive({}, [] { DoMENU(6, 1); });
  EXPECT_EQ(RecordScriptStep(12), 1);
}

TEST_F(ScriptRecording, OpeningAFileWhileRecordingEndsWithOpenFileAndArms) {
  RecordSCRIPT = 1;
  RecordScriptStep(12);
  TypeOfFile = 4;
  drive({"open cancel"}, [] { FILELOADING(); });
  EXPECT_EQ(ScriptSequenceArray[2][1], 33.0f);
  EXPECT_EQ(ScriptSequenceArray[2][2], 4.0f);
  EXPECT_EQ(RecordSCRIPT, 0);
  EXPECT_EQ(RunScript, 1);
  EXPECT_EQ(ScriptRunOnce, 1);
  for (int item : {6, 8, 9}) EXPECT_EQ(rt::menuItemState(6, item), 1) << item;
  EXPECT_TRUE(rt::menuItemIsSeparator(6, 11));
}

}  // namespace

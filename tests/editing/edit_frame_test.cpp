// The frame every channel edit runs in (its script step, refusals, the log line) through a
// tiny edit, and Duplicate Channel, the first edit built on it.
#include <gtest/gtest.h>

#include <cstring>

#include "core/core_files.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "runtime/sound.h"
#include "core/stub_log.h"
#include "core/view_state.h"
#include "fitting/fit_steps.h"
#include "editing/baseline.h"
#include "editing/baseline_window.h"
#include "editing/commands.h"
#include "editing/copy_channel.h"
#include "editing/edit_frame.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

// Adds one to every sample of the active channel, or is cancelled before it writes.
void tinyEdit(bool cancel) {
  EditRun run(77);
  if (cancel) return;
  const int f = TheFileInUse;
  for (int32_t k = 1; k <= nCases[f]; ++k) PutDatum(f, ActiveChannel, k, GetDatum(f, ActiveChannel, k) + 1);
  run.setWord(2, 1.5f);
  run.setWord(3, 2.5f);
  logEdit(0, ActiveChannel, "plus one");
  run.complete();
  finishEdit(ActiveChannel);
}

class EditFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    setNotBuiltRecorder([](const std::string&) {});
    for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
    coretest::makeFile(0, 3, 20);
    TheFileInUse = 0;
    ActiveChannel = 1;
    prefsArray[44] = 1;
    RecordSCRIPT = 1;
    ScriptCOUNT = 0;
    RunScript = autoscript = ScriptRunOnce = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  }
  void TearDown() override {
    setNotBuiltRecorder(nullptr);
    for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
    TheFileInUse = -1;
    RecordSCRIPT = 0;
    ScriptCOUNT = 0;
  }
};

}  // namespace

TEST_F(EditFrame, TheFortiethStepKeepsItsWordsAndEndsRecording) {
  ScriptCOUNT = 39;
  tinyEdit(false);
  EXPECT_EQ(ScriptCOUNT, 40);
  EXPECT_EQ(ScriptSequenceArray[40][1], 77.0f);
  EXPECT_EQ(ScriptSequenceArray[40][2], 1.5f);
  EXPECT_EQ(ScriptSequenceArray[40][3], 2.5f);
  EXPECT_EQ(RecordSCRIPT, 0);
  EXPECT_EQ(ScriptSequenceArray[0][2], 0.0f) << "record 0 is never written";

  ScriptCOUNT = 0;
  RecordSCRIPT = 1;
  for (int i = 0; i < 45; ++i) tinyEdit(false);
  EXPECT_EQ(ScriptCOUNT, 40);
  EXPECT_EQ(ScriptSequenceArray[41][1], 0.0f);
}

TEST_F(EditFrame, ACancelledRunTakesBackExactlyItsStep) {
  ScriptCOUNT = 39;
  tinyEdit(true);
  EXPECT_EQ(ScriptCOUNT, 39);
  EXPECT_EQ(ScriptSequenceArray[40][1], 0.0f);
  EXPECT_EQ(RecordSCRIPT, 1) << "the withdrawn step had ended recording";

  // A step recorded meanwhile (a copy made from inside the window) keeps its place.
  ScriptCOUNT = 5;
  {
    EditRun outer(77);
    RecordScriptStep(18);
  }
  EXPECT_EQ(ScriptCOUNT, 7);
  EXPECT_EQ(ScriptSequenceArray[6][1], float(kStepDeleted));
  EXPECT_EQ(ScriptSequenceArray[7][1], 18.0f);
}

TEST_F(EditFrame, OneLogLinePerCompletedEditAndTheChangeMark) {
  tinyEdit(false);
  EXPECT_EQ(CommentContainer[0], "\r   \u2206  Channel 1, chan 1:  plus one");
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  tinyEdit(true);
  prefsArray[44] = 0;
  tinyEdit(false);
  EXPECT_EQ(CommentContainer[0], "\r   \u2206  Channel 1, chan 1:  plus one");
  EXPECT_EQ(GetDatum(0, 1, 5), 1005.0f + 2);
}

TEST_F(EditFrame, ARefusalInReplayNamesTheStepAndStopsTheRun) {
  autoscript = 1;
  ScriptStepFailed = 0;
  EXPECT_TRUE(stepSuppliesParameters(3));
  EXPECT_FALSE(stepSuppliesParameters(3, true)) << "this edit also needs ScriptRunOnce";
  EXPECT_FALSE(stepSuppliesParameters(0));
  qvtest::script({"click 1"});
  refuseEdit(3, "Lag Correction", {"The lag is longer than the file."});
  EXPECT_EQ(ScriptStepFailed, 3);
  EXPECT_NE(ScriptFailureText.find("longer than the file"), std::string::npos);
}

TEST_F(EditFrame, DuplicateCopiesEverythingOfTheChannelIntoANewLastOne) {
  SetChannelLabel(0, 3, "O2 %");
  for (int w = 0; w <= 40; ++w) fileVariableArray[0][3][w] = float(w) + 0.5f;
  for (int w = 0; w <= 40; ++w) fileVariableArray[0][4][w] = -1.0f;
  PutDatum(0, 3, 0, 42.0f);
  ActiveChannel = 3;
  COPYCHAN(1);
  ASSERT_EQ(nChannels[0], 4);
  for (int32_t k = 0; k <= 20; ++k) EXPECT_EQ(GetDatum(0, 4, k), GetDatum(0, 3, k)) << k;
  EXPECT_EQ(ActiveChannel, 4);
  EXPECT_EQ(chanB, 4);
  EXPECT_EQ(DestinationChannel, 4);
  EXPECT_EQ(RetrieveLabel(4), RetrieveLabel(3));
  EXPECT_EQ(fileVariableArray[0][4][0], 0.5f);
  EXPECT_EQ(fileVariableArray[0][4][1], 101.5f);
  EXPECT_EQ(fileVariableArray[0][4][13], 13.5f);
  EXPECT_EQ(fileVariableArray[0][4][14], -1.0f);
  EXPECT_EQ(fileVariableArray[0][4][40], -1.0f);
  EXPECT_EQ(CommentContainer[0], "\r   <+ >   Channel 3, O2 %:  copy to new channel 4");
  EXPECT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 18.0f);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
}

TEST_F(EditFrame, ACopyLandsInItsLabelGroupAndNothingHappensAtForty) {
  coretest::makeFile(0, 8, 10);
  LabelStrings[0][2].clear();
  ActiveChannel = 2;
  COPYCHAN(0);
  EXPECT_EQ(LabelStrings[0][2].substr(0, 30), LabelStrings[0][1].substr(30, 30));

  coretest::makeFile(0, 39, 10);
  ActiveChannel = 1;
  COPYCHAN(0);
  ASSERT_EQ(nChannels[0], 40);
  EXPECT_EQ(LabelStrings[0][5].substr(210, 30), LabelStrings[0][1].substr(0, 30));
  const int16_t steps = ScriptCOUNT;
  COPYCHAN(0);
  EXPECT_EQ(nChannels[0], 40);
  EXPECT_EQ(ScriptCOUNT, steps) << "a copy that cannot be made records nothing";
}

TEST(CopyChannel, ScratchChannelLabels) {
  EXPECT_EQ(scratchChannelLabel(3, 50), "FFT: channel 3; 100 points    ");
  EXPECT_EQ(scratchChannelLabel(12, 1000), "FFT: channel 12; 2000 points  ");
}

TEST_F(EditFrame, NamedSoundsKeepQuietInReplayDirectOnesDoNot) {
  std::vector<std::string> heard;
  rt::setSoundObserver([&](const std::string& name) { heard.push_back(name); });
  prefsArray[7] = 60;
  prefsArray[48] = 0;
  RunScript = 1;
  Tick();
  playUnlessSilenced("setup.mp3");
  playIfSoundsOn("bub3.mp3");
  RunScript = 0;
  prefsArray[48] = 1;
  Rip();
  playIfSoundsOn("brrrp.mp3");
  prefsArray[48] = 0;
  Tick();
  rt::setSoundObserver(nullptr);
  EXPECT_EQ(heard, (std::vector<std::string>{"bub3.mp3", "brrrp.mp3", "tick.mp3"}));
}

// A step has words 0..27: word 28 of a record is word 0 (the pause flag) of the next one, and
// no writer of step words reaches it, nor a record past the last.
TEST(StepWords, EveryWriterStopsAtTheLastWordOfItsStep) {
  std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  setBaselineWordStep(1);
  setBaselineWord(28, 7.0f);
  setBaselineWord(27, 6.0f);
  setBaselineWordStep(0);
  completeFitStep(3, {{28, 7.0f}, {27, 6.0f}});
  setStepWord(kScriptRecords, 2, 7.0f);
  setStepWord(kScriptRecords - 1, kScriptWords, 7.0f);
  setStepWord(5, 1, 7.0f);  // the operation code is no parameter word
  for (int step : {1, 3}) {
    EXPECT_EQ(ScriptSequenceArray[step][27], 6.0f) << step;
    EXPECT_EQ(ScriptSequenceArray[step + 1][0], 0.0f) << step;
  }
  EXPECT_EQ(ScriptSequenceArray[5][1], 0.0f);
  float all = 0;
  for (const auto& row : ScriptSequenceArray)
    for (float w : row) all += w;
  EXPECT_EQ(all, 12.0f);
}

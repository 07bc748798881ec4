// The "Transformations and Conversions" window driven by scripted input, its conversion table,
// and the replay of its script step.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/core_files.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/text_constants.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "core/channel_roles.h"
#include "plot/plot_state.h"
#include "runtime/files.h"
#include "runtime/menus.h"
#include "support/qvtest.h"
#include "transforms/commands.h"
#include "transforms/conversion_table.h"
#include "transforms/custom_file.h"
#include "transforms/custom_table.h"
#include "transforms/perform_transforms.h"
#include "transforms/transform_state.h"
#include "transforms/transform_items.h"

using namespace qv;

namespace {

class Window : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    BuildSpecialCharacters();
    makeFixture(0);
    TheFileInUse = 0;
    ActiveChannel = 2;
    autoscript = ScriptRunOnce = RecordSCRIPT = ScriptCOUNT = 0;
    ScriptStepFailed = 0;
    prefsArray[44] = 0;
    for (auto& row : ScriptSequenceArray)
      for (float& w : row) w = 0;
  }
  void TearDown() override {
    autoscript = ScriptRunOnce = RecordSCRIPT = 0;
    FreeFileSlot(0);
    TheFileInUse = -1;
  }
  // Three channels of cases 0..3; channel 2 = 4, 9, 2.25 (entry 0 = 4).
  static void makeFixture(int slot) {
    coretest::makeFile(slot, 3, 3);
    const float two[] = {4, 4, 9, 2.25f};
    for (int k = 0; k <= 3; ++k) PutDatum(slot, 2, k, two[k]);
  }
  static std::vector<float> channel(int c) { return {channelData(0, c), channelData(0, c) + 4}; }
  static void run(std::initializer_list<const char*> events) {
    qvtest::script(events);
    TRANSFORMATIONS(0);
  }
};

}  // namespace

TEST(ConversionTable, FactorsFromUnitConstantsReadBackExactly) {
  EXPECT_NEAR(conversionItem(9).factor, 51.7149f, 1e-4f);
  EXPECT_NEAR(conversionItem(10).factor, 0.0735559f, 1e-7f);
  EXPECT_EQ(conversionItem(14).factor, 760.0f);
  EXPECT_EQ(conversionItem(16).factor, float(1 / 3.6));
  EXPECT_EQ(conversionItem(21).factor, float(1.0 / 3600));
  EXPECT_EQ(conversionItem(22).code, 61);
  EXPECT_EQ(conversionItem(7).text1, "mg H2O");
  EXPECT_EQ(factorText(conversionItem(22).factor), "0.0166666675");
  for (int i = 1; i <= 22; ++i) {
    const float f = conversionItem(i).factor;
    EXPECT_EQ(std::stof(factorText(f)), f) << i;
  }
  EXPECT_EQ(conversionLogText(22, "\u2192", "\u00F7"), "rate/min \u2192 rate/sec");
  EXPECT_EQ(conversionLogText(30, "\u2192", "\u00F7"), "\u00F7 mass (kg) ");
}

TEST(ConversionTable, WindowPlaceGrowsFromFourteenChannelsAndFitsTheScreen) {
  const WindowPlace small = transformWindowPlace(10, 40, 300, 13, 900);
  EXPECT_EQ(small.bottom - small.top, 281);
  const WindowPlace big = transformWindowPlace(10, 40, 600, 40, 900);
  EXPECT_EQ(big.bottom - big.top, 281 + 19 * 40 - 247);
  EXPECT_GE(big.top, 45);
  EXPECT_LE(big.bottom, 900);
}

TEST_F(Window, SquareRootKeptByDoneUndoneByUndoAndLogged) {
  const std::vector<float> before = channel(2);
  prefsArray[44] = 1;
  SetChannelLabel(0, 2, "O2 %");
  CommentContainer[0].clear();
  run({"popup 144 10", "click 156", "click 159"});
  EXPECT_EQ(channel(2), (std::vector<float>{2, 2, 3, 1.5f}));
  EXPECT_EQ(CommentContainer[0], "\r   \u2206  Channel 2, O2 %:  transformation # 10: square root of channel X");
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  ASSERT_TRUE(UNDO());
  const std::vector<float> after = channel(2);
  EXPECT_EQ(std::memcmp(after.data(), before.data(), 4 * sizeof(float)), 0);
}

TEST_F(Window, CancelRestoresAndLeavesTheChangeMark) {
  const std::vector<float> before = channel(2);
  run({"popup 144 10", "click 156", "click 162"});
  EXPECT_EQ(channel(2), before);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  prefsArray[44] = 1;
  CommentContainer[0].clear();
  for (int16_t mark : {0, 1}) {
    FileSHORTS[0][kChangeMarkWord] = mark;
    const std::string labels = LabelStrings[0][1];
    run({"type 204 renamed", "dialog 4 4"});
    EXPECT_EQ(channel(2), before);
    EXPECT_EQ(LabelStrings[0][1], labels);
    EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], mark);
    EXPECT_EQ(CommentContainer[0], "");
  }
}

TEST_F(Window, NewChannelsChainedAndTheUnkeptOneFreedOnCancel) {
  run({"click 155", "popup 144 5", "type 201 1", "type 202 2", "type 203 1", "click 156", "click 160",
       "popup 144 10", "click 156", "click 162"});
  EXPECT_EQ(nChannels[0], 4);
  EXPECT_EQ(channel(4), (std::vector<float>{9, 9, 19, 5.5f}));
  EXPECT_EQ(gPointersToFileData[0][5], nullptr);
  EXPECT_EQ(ActiveChannel, 2);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
}

TEST_F(Window, ConversionsUseTheirExactFactors) {
  prefsArray[44] = 1;
  CommentContainer[0].clear();
  run({"click 136", "click 156", "click 159"});
  EXPECT_EQ(channel(2)[2], 9.0f * float(1.0 / 60));
  EXPECT_NE(CommentContainer[0].find("conversion # 22: rate/min"), std::string::npos);

  struct Case { const char* item; float factor; };
  for (const Case& c : {Case{"popup 146 9", conversionItem(9).factor}, Case{"popup 146 10", conversionItem(10).factor}}) {
    makeFixture(0);
    run({"click 136", c.item, "click 156", "click 159"});
    EXPECT_EQ(channel(2)[2], 9.0f * c.factor) << c.item;
  }
  makeFixture(0);
  run({"click 136", "popup 146 20", "click 156", "click 160", "popup 146 21", "click 156", "click 159"});
  const float two[] = {4, 4, 9, 2.25f};
  for (int k = 0; k <= 3; ++k) EXPECT_LE(std::fabs(channel(2)[size_t(k)] - two[k]), std::nextafter(two[k], 1e9f) - two[k]);
}

TEST_F(Window, MassIsStoredOnlyWithAKeptResult) {
  FileInfoFLOATS[0][6] = 70;
  run({"click 136", "popup 146 29", "type 201 250", "click 156", "click 162"});
  EXPECT_EQ(FileInfoFLOATS[0][6], 70.0f);
  EXPECT_EQ(channel(2)[2], 9.0f);
  run({"click 136", "popup 146 30", "type 201 250", "click 156", "click 159"});
  EXPECT_EQ(FileInfoFLOATS[0][6], 250.0f);
  EXPECT_EQ(channel(2)[2], 9.0f * 4);
}

TEST_F(Window, TwoChannelItemsNeedAChannelY) {
  coretest::makeFile(0, 1, 3);
  ActiveChannel = 1;
  run({"dialog 4 4"});
  for (int i = 22; i <= 26; ++i) EXPECT_EQ(rt::menuItemState(1101, i), 0) << i;
  makeFixture(0);
  ActiveChannel = 2;
  SecondChannel = 5;  // left by another tool
  EXPECT_EQ(qvtest::exitStatusOf([] { run({"popup 144 23", "click 156"}); }), 3);
  qvtest::resetRuntime();
  SecondChannel = 5;
  run({"popup 144 23", "click 43", "click 156", "click 159"});
  EXPECT_EQ(channel(2)[2], 9.0f - 3002.0f);
}

TEST_F(Window, RecordedStepsReplayAndCancelledWindowsLeaveNoStep) {
  RecordSCRIPT = 1;
  run({"click 155", "popup 144 5", "type 201 1", "type 202 2", "type 203 1", "click 156", "click 159"});
  ASSERT_EQ(ScriptCOUNT, 1);
  const float* w = ScriptSequenceArray[1];
  EXPECT_EQ(w[1], 11.0f);
  EXPECT_EQ(w[4], 5.0f);
  EXPECT_EQ(w[7], 1.0f);
  EXPECT_EQ(w[8], 1.0f);
  EXPECT_EQ(w[9], 2.0f);
  EXPECT_EQ(w[10], 1.0f);
  EXPECT_EQ(w[11], 2.0f);
  const std::vector<float> made = channel(4);

  run({"popup 144 10", "click 156", "click 160", "popup 144 11", "click 156", "click 159"});
  EXPECT_EQ(ScriptCOUNT, 3);
  run({"click 136", "popup 146 29", "type 201 250", "click 156", "click 159"});
  EXPECT_EQ(ScriptSequenceArray[4][12], 250.0f);
  EXPECT_EQ(ScriptSequenceArray[4][8], 1.0f);

  ScriptCOUNT = 39;
  run({"popup 144 10", "click 156", "click 162"});
  EXPECT_EQ(ScriptCOUNT, 39);
  EXPECT_EQ(RecordSCRIPT, 1);
  EXPECT_EQ(ScriptSequenceArray[40][1], 0.0f);

  RecordSCRIPT = 0;
  autoscript = ScriptRunOnce = 1;
  makeFixture(0);
  ActiveChannel = 1;
  TRANSFORMATIONS(1);
  EXPECT_EQ(nChannels[0], 4);
  EXPECT_EQ(channel(4), made);
  makeFixture(0);
  ScriptSequenceArray[4][11] = 2;  // recorded on channel 4, which a fresh copy lacks
  TRANSFORMATIONS(4);
  EXPECT_EQ(channel(2)[2], 9.0f / 250);

  coretest::makeFile(0, 40, 3);
  TRANSFORMATIONS(1);
  EXPECT_EQ(nChannels[0], 40);
  EXPECT_EQ(GetDatum(0, 2, 1), 1 + 2 * 2001.0f);

  ScriptSequenceArray[1][11] = 41;
  qvtest::script({"click 1"});
  const float kept = GetDatum(0, 2, 1);
  TRANSFORMATIONS(1);
  EXPECT_EQ(ScriptStepFailed, 1);
  EXPECT_EQ(GetDatum(0, 2, 1), kept);
}

// "Add New Transform" stores each code's values from the fields that code shows (code 16 keeps
// its exponent in 202) and reads them as a run would: what a run refuses is not stored.
TEST_F(Window, AddNewTransformStoresWhatTheCodeShowsAndNothingARunWouldRefuse) {
  const std::string dir = qvtest::tempDir("add_new_transform");
  setenv("XDG_DATA_HOME", dir.c_str(), 1);
  rt::makeFolders(dir + "/Quorvelant");
  ASSERT_TRUE(rt::writeFileAtomic(customTransformsPath(), {}));
  NumberOfCustomTransforms = 0;
  run({"popup 144 16", "type 201 2", "type 202 2", "popup 140 4", "type 102 two over x squared", "click 1",
       "dialog 4 4"});
  ASSERT_EQ(NumberOfCustomTransforms, 1);
  EXPECT_EQ(CustomTransformsArray[1][3], 16.0f);
  EXPECT_EQ(CustomTransformsArray[1][5], 2.0f);
  EXPECT_EQ(CustomTransformsArray[1][7], 2.0f);
  const float x[] = {0.5f, -1, 0};
  for (int k = 1; k <= 3; ++k) PutDatum(0, 2, k, x[k - 1]);
  MainDataChannel = 2;
  TransformRequest custom;
  custom.customNumber = 1;
  EXPECT_EQ(PerformTransforms(custom), 1);
  EXPECT_EQ(GetDatum(0, 0, 1), 8.0f);  // 2 / 0.5^2
  EXPECT_EQ(GetDatum(0, 0, 2), 2.0f);
  EXPECT_EQ(GetDatum(0, 0, 3), 0.0f);  // 2 / 0 fails
  EXPECT_EQ(ScriptStepFailed, 0);

  for (const char* typed : {"type 201 1e39", "type 201 abc"}) {
    run({"popup 144 16", typed, "type 202 2", "popup 140 4", "click 1", "dialog 4 4"});  // the warning
    EXPECT_EQ(NumberOfCustomTransforms, 1) << typed;
  }
  unsetenv("XDG_DATA_HOME");
}

// Window 8 driven by scripted input: the expression transform of a channel and the
// expression calculator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/core_files.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/screen_place.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "plot/plot_state.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "support/qvtest.h"
#include "transforms/commands.h"

using namespace qv;

namespace {

using Fields = std::map<int, std::string>;

class ExpressionWindowTest : public ::testing::Test {
 protected:
  std::vector<Fields> seen;  // window 8 as each click found it (before the button acts)
  std::vector<std::string> heard;

  void SetUp() override {
    qvtest::resetRuntime();
    BuildSpecialCharacters();
    makeFixture(3);
    TheFileInUse = 0;
    ActiveChannel = 1;
    RecordSCRIPT = RunScript = 0;
    prefsArray[44] = 1;
    prefsArray[7] = 20;
    click = 1;
    rt::setSoundObserver([this](const std::string& name) {
      heard.push_back(name);
      if (name == "click.mp3" && rt::windowExists(8)) seen.push_back(fields());
    });
  }
  void TearDown() override {
    rt::setSoundObserver(nullptr);
    RecordSCRIPT = 0;
    FreeFileSlot(0);
    TheFileInUse = -1;
  }
  // Channel 1 = 1, 4, 9, 16, 25 (entry 0 = 7), channel 3 = 10, 20, 30, 40, 50.
  static void makeFixture(int channels) {
    coretest::makeFile(0, channels, 5);
    const float one[] = {7, 1, 4, 9, 16, 25};
    for (int k = 0; k <= 5; ++k) PutDatum(0, 1, k, one[k]);
    for (int k = 1; k <= 5; ++k) PutDatum(0, 3, k, float(10 * k));
  }
  static std::vector<float> channel(int c) { return {channelData(0, c), channelData(0, c) + 6}; }
  static Fields fields() {
    Fields f;
    for (int id : {101, 102, 103, 104, 333})
      if (rt::controlExistsIn(8, id)) f[id] = rt::editTextIn(8, id);
    for (int id : {142, 251})
      if (rt::controlExistsIn(8, id)) f[-id] = std::to_string(rt::buttonStateIn(8, id));
    f[0] = fitsOnScreen(rt::windowContentRect(8), rt::screenRect()) ? "fits" : "cut";
    return f;
  }
  static void transform(std::initializer_list<const char*> events) {
    qvtest::script(events);
    ExpressionEvaluator(1);
  }
  static bool bitsEqual(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
  }
};

}  // namespace

TEST_F(ExpressionWindowTest, RunIsDimmedUntilACheckSucceedsAndAfterAFailedOne) {
  EXPECT_EQ(qvtest::exitStatusOf([] { transform({"click 142"}); }), 3);
  makeFixture(3);
  EXPECT_EQ(qvtest::exitStatusOf([] { transform({"click 141", "type 104 x)", "click 141", "click 142"}); }), 3);
  makeFixture(3);
  seen.clear();
  transform({"type 104 sinx", "click 141", "click 250"});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1][333], "Expecting left parenthesis");
  EXPECT_EQ(seen[1][-142], "0");
  EXPECT_EQ(channel(1), (std::vector<float>{7, 1, 4, 9, 16, 25}));
}

TEST_F(ExpressionWindowTest, RunWithAYChannelThenUndoGivesBackTheOpeningChannel) {
  const std::vector<float> before = channel(1);
  const std::string labels = LabelStrings[0][1];
  prefsArray[7] = 0;
  transform({"type 104 SQRT(x)+y", "click 141", "click 6", "click 142", "click 250"});
  EXPECT_EQ(channel(1), (std::vector<float>{7, 11, 22, 33, 44, 55}));
  EXPECT_EQ(CommentContainer[0],
            "\r   \u2206  Channel 1, chan 1:  Expression transformation SQRT(x)+y; X chan = 1; Y chan = 3");
  EXPECT_EQ(seen.back()[333], "   transform completed without errors.");
  EXPECT_EQ(seen.back()[-251], "1");
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  EXPECT_TRUE(std::find(heard.begin(), heard.end(), "skid.mp3") == heard.end());  // sounds off

  makeFixture(3);
  prefsArray[7] = 20;
  transform({"type 104 SQRT(x)+y", "click 141", "click 6", "click 142", "click 142", "type 103 renamed",
             "click 142", "click 251", "click 250"});
  EXPECT_TRUE(bitsEqual(channel(1), before));
  EXPECT_EQ(LabelStrings[0][1], labels);
  EXPECT_EQ(seen.back()[-251], "0");
  EXPECT_TRUE(std::find(heard.begin(), heard.end(), "skid.mp3") != heard.end());
}

TEST_F(ExpressionWindowTest, NewChannelWithBlockOnlyStartsAsACopyAndTheYColumnFollows) {
  FileSHORTS[0][kBlockStateWord] = 2;
  BeginBlock[0] = 2;
  EndBlock[0] = 3;
  transform({"type 104 SQRT(x)+y", "click 141", "click 6", "click 144", "click 145", "click 142", "click 5",
             "click 142", "click 250"});
  ASSERT_EQ(nChannels[0], 5);
  EXPECT_EQ(channel(4), (std::vector<float>{7, 1, 22, 33, 16, 25}));
  EXPECT_EQ(channel(5), (std::vector<float>{7, 1, 6, 12, 16, 25}));
  EXPECT_EQ(channel(1), (std::vector<float>{7, 1, 4, 9, 16, 25}));
  EXPECT_EQ(ActiveChannel, 5);
  EXPECT_EQ(RetrieveLabelOf(0, 5).substr(0, 6), "chan 1");
  EXPECT_EQ(seen.back()[-251], "0");
}

TEST_F(ExpressionWindowTest, ResultsThatAreNoFiniteNumberAreCountedAndARunAppliesTheTextShown) {
  RecordSCRIPT = 1;
  transform({"type 104 x*2", "click 141", "type 104 LOG(x-4)", "click 142", "click 250"});
  const std::vector<float> c = channel(1);
  EXPECT_TRUE(std::isnan(c[1]));
  EXPECT_EQ(c[2], -INFINITY);
  EXPECT_FLOAT_EQ(c[3], 1.609438f);
  EXPECT_FLOAT_EQ(c[4], 2.484907f);
  EXPECT_FLOAT_EQ(c[5], 3.044522f);
  EXPECT_EQ(seen.back()[333],
            "   transform completed; 2 cases gave no finite value (first: case 1). It is not recorded in the script.");
  EXPECT_NE(CommentContainer[0].find("LOG(x-4); X chan = 1"), std::string::npos);

  // An edit that does not compile runs nothing.
  makeFixture(3);
  RecordSCRIPT = 0;
  transform({"type 104 x*2", "click 141", "type 104 x*(2", "click 142", "click 250"});
  EXPECT_EQ(channel(1), (std::vector<float>{7, 1, 4, 9, 16, 25}));
  EXPECT_EQ(seen.back()[333], "Expecting right parenthesis");
  EXPECT_EQ(seen.back()[-142], "0");
}

TEST_F(ExpressionWindowTest, OpeningAndClosingKeepsTheUndoCopyOfTheEditBefore) {
  ASSERT_TRUE(MAKEBACKUP(1));
  LastChan = 1;
  for (int k = 1; k <= 5; ++k) PutDatum(0, 1, k, std::sqrt(GetDatum(0, 1, k)));
  FileSHORTS[0][kChangeMarkWord] = 1;
  transform({"click 2", "type 104 x+1", "click 141", "dialog 4 8"});
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(channel(1), (std::vector<float>{7, 1, 4, 9, 16, 25}));
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
}

TEST_F(ExpressionWindowTest, TheFortiethChannelIsTheLastOneMade) {
  makeFixture(23);
  std::vector<const char*> events = {"type 104 x+1", "click 141", "click 145"};
  for (int k = 0; k < 18; ++k) events.push_back("click 142");
  events.push_back("click 1");  // the warning's OK
  const std::string shot = "shot 8 " + qvtest::tempDir("expressions") + "/forty.png";
  events.push_back(shot.c_str());
  events.push_back("click 250");
  for (const char* e : events) qvtest::script({e});
  ExpressionEvaluator(1);
  EXPECT_EQ(nChannels[0], kMaxChannels);
  EXPECT_EQ(ActiveChannel, 40);
  EXPECT_EQ(GetDatum(0, 40, 3), 10);
  EXPECT_EQ(seen.back()[0], "fits");
  EXPECT_EQ(seen.back()[333], "");  // the refused run leaves no completion message
  EXPECT_EQ(GetDatum(0, 24, 0), 7);
  EXPECT_FALSE(rt::windowExists(8));
}

TEST_F(ExpressionWindowTest, CalculatorEvaluatesTheDefaultTextAndRefusesALetterForANumber) {
  qvtest::script({"click 141", "click 142", "type 101 abc", "click 142", "click 250"});
  ExpressionEvaluator(0);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[2][103], " 16.05");
  EXPECT_EQ(seen[3][333], "The value of x is not a number: \"abc\".");
  qvtest::script({"type 101 3", "type 102 4", "type 104 SQRT(x^2+y^2)", "click 141", "click 142", "click 250"});
  ExpressionEvaluator(0);
  EXPECT_EQ(seen.back()[103], " 5");
}

// The "Baseline Correction" window driven by scripted input on a recording with its plot:
// the automatic method from Return, the line on the plot, Select again, Cancel (also for
// the fortieth step), undo, replay and the refusals.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/line_values.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/stub_log.h"
#include "core/undo.h"
#include "datafiles/datafile.h"
#include "editing/baseline.h"
#include "editing/baseline_math.h"
#include "editing/commands.h"
#include "core/output_state.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

constexpr int kPlot = 1000;

float drift(int32_t i) { return 3.0f + 0.002f * float(i); }
float wave(int32_t i) { return 7.0f + float(std::sin(i * 0.01)); }

class BaselineWindow : public ::testing::Test {
 protected:
  std::vector<std::string> notices;
  std::string dir;

  void SetUp() override {
    qvtest::resetRuntime();
    dir = qvtest::tempDir("baseline_window");
    setNotBuiltRecorder([this](const std::string& call) { notices.push_back(call); });
    std::memset(prefsArray, 0, sizeof prefsArray);
    prefsArray[8] = 14;
    prefsArray[44] = 1;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
    RecordSCRIPT = 1;
    ScriptCOUNT = 0;
    RunScript = autoscript = ScriptRunOnce = 0;
    ScriptStepFailed = 0;
    auto_block = 0;
    for (auto& row : scalingFactorArray) row[4] = 2;
  }
  void TearDown() override {
    setNotBuiltRecorder(nullptr);
    for (int s = 0; s < kSlots; ++s) freeSlotArrays(s);
    RecordSCRIPT = ScriptCOUNT = 0;
    autoscript = ScriptRunOnce = 0;
    TheFileInUse = -1;
  }

  // Slot 0 holds the channels (value of case k, entry 0 = 0) with its plot 1200 pixels wide.
  void recording(int32_t cases, const std::vector<std::function<float(int32_t)>>& channels) {
    for (int s = 0; s < kSlots; ++s) {
      freeSlotArrays(s);
      std::memset(FileSHORTS[s], 0, sizeof FileSHORTS[s]);
      BeginBlock[s] = EndBlock[s] = 0;
    }
    DataFile f;
    f.nCases = cases;
    f.nChannels = int16_t(channels.size());
    for (size_t c = 0; c < channels.size(); ++c) {
      SampleArray a = allocateSamples(cases);
      a[0] = 0;
      for (int32_t k = 1; k <= cases; ++k) a[k] = channels[c](k);
      f.channels[c + 1] = std::move(a);
      f.meta.labels[c + 1] = "chan " + std::to_string(c + 1);
    }
    f.meta.name = "run.KXdata";
    f.meta.info[1] = 1;
    commitDataFile(std::move(f), 0);
    FileSHORTS[0][1] = 1;
    TheFileInUse = 0;
    ActiveChannel = chanB = 1;
    Xstep = 1;
    ScaleMode = 2;
    AnalysisCode = 0;
    DefaultColors();
    DrawMAINWINDOW(0, 0);
    const rt::Rect r = rt::windowContentRect(kPlot);
    rt::setWindowContentRect(kPlot, {r.left, r.top, r.left + 1200, r.top + 500});
    ScreenWidth = 1200;
    BottomOfPlotArea = 462;
    PlotHeight = 422;
    FileSHORTS[0][4] = 0;  // the paged view
    DrawPlot(0, 0, 0, 0);
  }

  static void script(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) ASSERT_TRUE(rt::script::pushLine(l)) << l;
  }

  static std::vector<float> samples(int channel) {
    const float* p = channelData(0, channel);
    return {p, p + nCases[0] + 1};
  }

  std::string shot(const std::string& name) { return "shot " + std::to_string(kPlot) + " " + dir + "/" + name; }

  // Pixels of the baseline's green in a picture of the plot's data area.
  int greenPixels(const std::string& name) const {
    const QImage img(QString::fromStdString(dir + "/" + name));
    int n = 0;
    for (int y = 31; y < BottomOfPlotArea - 2 && y < img.height(); ++y)
      for (int x = 0; x < 1200 && x < img.width(); ++x) {
        const QRgb p = img.pixel(x, y);
        n += std::abs(qRed(p) - green.red / 257) <= 12 && std::abs(qGreen(p) - green.green / 257) <= 12 &&
             std::abs(qBlue(p) - green.blue / 257) <= 12;
      }
    return n;
  }
};

}  // namespace

TEST_F(BaselineWindow, ReturnRunsTheAutomaticMethodAndReturnAcceptsIt) {
  recording(3000, {drift, wave});
  const auto before = samples(1);
  const auto other = samples(2);
  FileSHORTS[0][2] = 2;
  BeginBlock[0] = 100;
  EndBlock[0] = 200;
  script({"key 13", "key 13"});
  FixTheBASELINE(0);

  for (int32_t i = 1; i <= 3000; ++i) ASSERT_NEAR(GetDatum(0, 1, i), 0.0, 1e-4) << i;
  EXPECT_EQ(samples(2), other);
  EXPECT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 3.0f);
  EXPECT_EQ(ScriptSequenceArray[1][4], 2.0f);
  EXPECT_NEAR(ScriptSequenceArray[1][5], 3.0, 1e-4);
  EXPECT_NEAR(ScriptSequenceArray[1][6], 0.002, 1e-8);
  EXPECT_EQ(ScriptSequenceArray[1][7], 15.0f);
  EXPECT_EQ(CommentContainer[0], "\r   \u2206  Channel 1, chan 1:  automatic baseline");
  EXPECT_FALSE(rt::windowExists(4));
  EXPECT_EQ(FileSHORTS[0][4], 0) << "the whole-file view the line needed is put back";
  EXPECT_EQ(FileSHORTS[0][2], 2);
  EXPECT_EQ(int32_t(BeginBlock[0]), 100);
  EXPECT_EQ(int32_t(EndBlock[0]), 200);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  EXPECT_EQ(BASELINE, 0);

  ASSERT_TRUE(UNDO());
  EXPECT_EQ(samples(1), before);
}

TEST_F(BaselineWindow, TheLineIsDrawnInGreenAndSelectAgainErasesIt) {
  recording(3000, {drift});
  prefsArray[22] = 10;
  script({"key 13", shot("line.png"), "click 9", shot("again.png"), "click 2",
          shot("second.png"), "click 18"});
  FixTheBASELINE(0);
  EXPECT_GT(greenPixels("line.png"), 600) << "a line across the whole plot";
  EXPECT_EQ(greenPixels("again.png"), 0);
  EXPECT_GT(greenPixels("second.png"), 600);
  EXPECT_EQ(prefsArray[22], 0);
}

TEST_F(BaselineWindow, CancelWithdrawsTheFortiethStepAndLeavesTheData) {
  recording(1000, {drift});
  const auto before = samples(1);
  ScriptCOUNT = 39;
  ScriptSequenceArray[40][4] = 8;  // words of an older recording
  script({"key 13", "click 18"});
  FixTheBASELINE(0);
  EXPECT_EQ(samples(1), before);
  EXPECT_EQ(ScriptCOUNT, 39);
  EXPECT_EQ(RecordSCRIPT, 1) << "recording goes on";
  EXPECT_EQ(ScriptSequenceArray[40][1], 0.0f);
  EXPECT_EQ(ScriptSequenceArray[40][4], 0.0f);
  EXPECT_EQ(CommentContainer[0], "");

  script({"dialog 4 4"});
  FixTheBASELINE(0);
  EXPECT_EQ(samples(1), before);
  EXPECT_EQ(ScriptCOUNT, 39);
}

TEST_F(BaselineWindow, ACancelledWindowLeavesTheMarkAndTheUndoOfTheEditBefore) {
  recording(1000, {wave, drift, wave, wave, drift});
  FileSHORTS[0][kChangeMarkWord] = 0;
  const auto two = samples(2), five = samples(5);
  ActiveChannel = 5;
  script({"click 18"});
  FixTheBASELINE(0);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0) << "nothing was applied";

  ActiveChannel = 2;
  script({"key 13", "key 13"});
  FixTheBASELINE(0);
  EXPECT_NEAR(samples(2)[500], 0.0, 1e-4);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);

  ActiveChannel = 5;
  script({"click 18"});
  FixTheBASELINE(0);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(samples(2), two) << "Undo takes back the correction made before the cancelled window";
  EXPECT_EQ(samples(5), five);
}

TEST_F(BaselineWindow, TooFewCasesAndATypedLetterAreRefusedAndThePassGoesOn) {
  recording(2, {drift});
  script({"key 13", "click 1", "type 114 x15", "click 12", "click 2", "click 1", "click 13", "click 2", "key 13"});
  FixTheBASELINE(0);
  EXPECT_NEAR(GetDatum(0, 1, 2), 0.0, 1e-6) << "End of File on 2 cases averages case 2";
  EXPECT_NEAR(GetDatum(0, 1, 1), drift(1) - drift(2), 1e-6);
  EXPECT_EQ(auto_block, 0.0f) << "15 clamped to 2 * 0.5 - 1";
}

TEST_F(BaselineWindow, AReplayedStepRecomputesTheLineOrIsRefused) {
  recording(1000, {drift});
  RecordSCRIPT = 0;
  autoscript = 1;
  ScriptRunOnce = 1;
  float* step = ScriptSequenceArray[3];
  step[1] = 3;
  step[4] = 2;
  step[5] = 99;
  step[6] = 99;
  step[7] = 15;
  FixTheBASELINE(3);
  for (int32_t i = 1; i <= 1000; ++i) ASSERT_NEAR(GetDatum(0, 1, i), 0.0, 1e-4) << i;
  EXPECT_EQ(ScriptStepFailed, 0);

  // The typed methods subtract the stored line exactly; a word that is no number is refused.
  for (int method : {4, 5}) {
    recording(1000, {drift});
    ScriptStepFailed = 0;
    step[4] = float(method);
    step[5] = 3;
    step[6] = 0.002f;
    FixTheBASELINE(3);
    EXPECT_EQ(ScriptStepFailed, 0);
    for (int32_t i = 1; i <= 1000; ++i) ASSERT_NEAR(GetDatum(0, 1, i), 0.0, 1e-5) << i;
  }
  recording(1000, {drift});
  const auto before = samples(1);
  step[6] = NAN;
  script({"click 1"});
  FixTheBASELINE(3);
  EXPECT_EQ(samples(1), before);
  EXPECT_EQ(ScriptStepFailed, 3);
}

TEST_F(BaselineWindow, ZoomAndTheMultiChannelViewComeBackAfterTheWindow) {
  recording(3000, {drift, wave});
  zoomleft[0] = 100;
  zoomright[0] = 400;
  FileSHORTS[0][6] = 1;
  FileSHORTS[0][7] = 1;
  scalingFactorArray[1][4] = -1;
  script({"key 13", "key 13"});
  FixTheBASELINE(0);
  EXPECT_NEAR(GetDatum(0, 1, 2000), 0.0, 1e-4);
  EXPECT_EQ(FileSHORTS[0][6], 1);
  EXPECT_EQ(FileSHORTS[0][7], 1);
  EXPECT_EQ(FileSHORTS[0][4], 0);
  EXPECT_EQ(scalingFactorArray[1][4], 0.0f) << "fixed limits would no longer fit the corrected channel";
  EXPECT_EQ(ChangedChan, 1);
}

namespace {

// A click at case x of the paged view (one pixel a case).
std::vector<std::string> pickAt(int x) {
  return {"mouse down " + std::to_string(x) + " 200 1000", "mouse up " + std::to_string(x) + " 200 1000"};
}

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

float zero(int32_t) { return 0.0f; }

}  // namespace

TEST_F(BaselineWindow, TypedLinesTakeTheFieldsOnTheirButtonOrReturn) {
  // The channel lies on the typed line, so the line is drawn over it and subtracting it leaves 0.
  recording(1000, {[](int32_t i) { return 10.0f + 0.01f * float(i); }});
  const auto sloped = samples(1);
  // A letter is refused and the fields stay; "?" does not end the wait; the button takes them.
  script({"click 4", "type 111 10", "type 112 abc", "click 11", "click 1", "click 19", "type 112 20", "click 11",
          shot("typed.png"), "key 13"});
  FixTheBASELINE(0);
  EXPECT_FLOAT_EQ(GetDatum(0, 1, 0), -10) << "entry 0 loses the start value";
  EXPECT_NEAR(GetDatum(0, 1, 500), 0, 1e-5);
  EXPECT_NEAR(GetDatum(0, 1, 1000), 0, 1e-5);
  EXPECT_EQ(ScriptSequenceArray[1][4], 4.0f);
  EXPECT_FLOAT_EQ(ScriptSequenceArray[1][5], 10);
  EXPECT_FLOAT_EQ(ScriptSequenceArray[1][6], 0.01f);
  EXPECT_GT(greenPixels("typed.png"), 600);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(samples(1), sloped);

  recording(1000, {zero});
  const auto before = samples(1);
  script({"click 5", "type 112 2.5", "key 13", "key 13"});
  FixTheBASELINE(0);
  for (int32_t i = 0; i <= 1000; ++i) ASSERT_FLOAT_EQ(GetDatum(0, 1, i), -2.5f) << i;

  // The close box during the wait leaves the window with nothing changed, nor marked.
  recording(1000, {zero});
  const int steps = ScriptCOUNT;
  script({"click 5", "dialog 4 4"});
  FixTheBASELINE(0);
  EXPECT_EQ(samples(1), before);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  EXPECT_EQ(ScriptCOUNT, steps);
}

TEST_F(BaselineWindow, CursorPicksGiveAMeanOrTheLineThroughThemInCaseOrder) {
  recording(1000, {drift});
  prefsArray[22] = 0;
  prefsArray[8] = 14;
  script(join({{"click 3"}, pickAt(700), pickAt(100), {"key 13"}}));
  FixTheBASELINE(0);
  for (int32_t i = 1; i <= 1000; ++i) ASSERT_NEAR(GetDatum(0, 1, i), 0.0, 1e-4) << i;

  recording(1000, {drift});
  prefsArray[22] = 0;
  prefsArray[8] = 13;
  script(join({{"click 3"}, pickAt(100), pickAt(700), {"key 13"}}));
  FixTheBASELINE(0);
  EXPECT_NEAR(GetDatum(0, 1, 700), 0.0, 1e-5) << "the second pick's mean";

  // A cancelled pick ends the method with no line; the window goes on.
  recording(1000, {drift});
  const auto before = samples(1);
  prefsArray[22] = 0;
  script({"click 7", "key 27", "click 18"});
  FixTheBASELINE(0);
  EXPECT_EQ(samples(1), before);
}

TEST_F(BaselineWindow, MultiplePointsFollowABentBaselineFromLeftToRight) {
  const auto bent = [](int32_t i) { return i <= 400 ? 3.0f + 0.01f * float(i) : 7.0f - 0.005f * float(i - 400); };
  recording(1000, {bent});
  const float entry0 = GetDatum(0, 1, 0);
  prefsArray[22] = 0;
  script(join({{"click 6"}, pickAt(100), pickAt(400), pickAt(300), pickAt(700), {shot("multi.png"), "click 131"}}));
  FixTheBASELINE(0);
  EXPECT_EQ(GetDatum(0, 1, 0), entry0);
  for (int32_t i = 1; i <= 1000; ++i) ASSERT_NEAR(GetDatum(0, 1, i), 0.0, 1e-5) << i;
  EXPECT_EQ(ScriptSequenceArray[1][4], 6.0f);
  EXPECT_EQ(BaselineON, 0);
  EXPECT_FALSE(rt::windowExists(4));

  // With two picks OK cannot be pressed; Cancel Baseline leaves the window for another method.
  recording(1000, {bent});
  const auto before = samples(1);
  prefsArray[22] = 0;
  script(join({{"click 6"}, pickAt(100), pickAt(400), {"click 132", "click 18"}}));
  FixTheBASELINE(0);
  EXPECT_EQ(samples(1), before);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
}

TEST_F(BaselineWindow, PeriodicBaselinesFromMarkersAPeriodOrMinutes) {
  const auto stepped = [](int32_t i) { return 2.0f + 0.001f * float(i) + (i >= 700 ? 1.0f : 0.0f); };
  recording(1000, {stepped});
  for (auto [k, c] : {std::pair{1, 900}, {2, 100}, {3, 500}}) {
    MarkersArray[0][k][1] = c;
    MarkersArray[0][k][2] = 'A';
  }
  FileSHORTS[0][kMarkerCountWord] = 3;
  script({"click 8", "type 111 A", "type 112 0", shot("periodic.png"), "click 1"});
  FixTheBASELINE(0);
  for (int32_t i = 1; i <= 501; ++i) ASSERT_NEAR(GetDatum(0, 1, i), 0.0, 1e-5) << i;
  EXPECT_NEAR(GetDatum(0, 1, 700), 0.5, 1e-4);
  EXPECT_NEAR(GetDatum(0, 1, 1000), -0.24996, 1e-4);
  EXPECT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][4], 8.0f);
  EXPECT_EQ(ScriptSequenceArray[1][5], float('A'));
  EXPECT_EQ(LastBaselineMarker, 'A');
  EXPECT_NE(CommentContainer[0].find("baseline from markers"), std::string::npos);

  // The replayed step does the same without waiting.
  const auto corrected = samples(1);
  recording(1000, {stepped});
  FileSHORTS[0][kMarkerCountWord] = 3;
  RecordSCRIPT = 0;
  autoscript = ScriptRunOnce = 1;
  FixTheBASELINE(1);
  EXPECT_EQ(samples(1), corrected);
  autoscript = ScriptRunOnce = 0;
  RecordSCRIPT = 1;
  ScriptCOUNT = 0;
  std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);

  // Two characters match nothing: said, nothing logged; then the close box leaves both windows.
  recording(1000, {stepped});
  FileSHORTS[0][kMarkerCountWord] = 3;
  const auto before = samples(1);
  script({"click 8", "type 111 AB", "click 1", "click 1", "dialog 4 5"});
  FixTheBASELINE(0);
  EXPECT_EQ(samples(1), before);
  EXPECT_EQ(CommentContainer[0], "");
  EXPECT_EQ(ScriptCOUNT, 0) << "nothing made, nothing recorded";

  // 45 minutes at 1 s from case 100 of 10,000: points every 2,700 cases; the step is withdrawn, and said.
  recording(10000, {drift});
  FileSHORTS[0][kMarkerCountWord] = 0;
  script(join({{"click 8", "click 3"}, pickAt(100), {"type 113 45", "click 4", "click 1"}}));
  FixTheBASELINE(0);
  for (int32_t i = 1; i <= 10000; ++i) ASSERT_NEAR(GetDatum(0, 1, i), 0.0, 1e-3) << i;
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_EQ(SteppedBaselineInterval, 45.0f);

  // 0.1 minutes at 10 s is no period: refused at once, the window kept.
  recording(1000, {drift});
  FileInfoFLOATS[0][1] = 10;
  const auto flat = samples(1);
  script(join({{"click 8", "click 3"}, pickAt(100), {"type 113 0.1", "click 4", "click 1", "dialog 4 5"}}));
  FixTheBASELINE(0);
  EXPECT_EQ(samples(1), flat);
}

// Change Blocks and Scale to Block share the recording and its plot.
using BlockEdits = BaselineWindow;

TEST_F(BlockEdits, ChangeBlocksSetsTheSelectedAndPickedBlocksOnce) {
  recording(1000, {drift});
  const auto before = samples(1);
  prefsArray[22] = 1;
  prefsArray[7] = 26;
  FileSHORTS[0][2] = 2;
  BeginBlock[0] = 120;
  EndBlock[0] = 340;
  script({"dialog 3 9", shot("set.png"), "shot 9 " + dir + "/setwin.png", "type 101 5", "click 1"});
  BLOCKSET();
  for (int32_t i = 1; i <= 1000; ++i)
    ASSERT_EQ(GetDatum(0, 1, i), i >= 120 && i <= 340 ? 5.0f : before[size_t(i)]) << i;
  EXPECT_EQ(CommentContainer[0], "\r   \u2206  Channel 1, chan 1:  block from 120 to 340 changed to 5");
  EXPECT_EQ(FileSHORTS[0][2], 2);
  EXPECT_EQ(BeginBlock[0], 120);
  EXPECT_EQ(EndBlock[0], 340);
  EXPECT_EQ(blockvalue, 5.0f);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(samples(1), before);

  // Two picked blocks, one undo copy; 2.5 is offered back as it was typed.
  recording(1000, {drift});
  FileSHORTS[0][2] = 0;
  prefsArray[22] = 1;
  CommentContainer[0].clear();
  script({"mouse down 100 200 1000", "mouse up 200 200 1000", "mouse down 500 200 1000", "mouse up 520 200 1000",
          "dialog 3 9", "type 101 -1", "click 1"});
  BLOCKSET();
  for (int32_t i = 1; i <= 1000; ++i)
    ASSERT_EQ(GetDatum(0, 1, i), (i >= 100 && i <= 200) || (i >= 500 && i <= 520) ? -1.0f : before[size_t(i)]) << i;
  EXPECT_EQ(std::count(CommentContainer[0].begin(), CommentContainer[0].end(), '\r'), 2);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(samples(1), before);

  blockvalue = 2.5f;
  FileSHORTS[0][2] = 2;
  script({"dialog 3 9", "type 101 abc", "click 1", "click 1", "click 2"});
  BLOCKSET();
  EXPECT_EQ(samples(1), before) << "a letter refused, then Cancel";
  EXPECT_EQ(rt::PSstr(blockvalue), " 2.5");
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
}

TEST_F(BlockEdits, ScaleToBlockMapsTheActiveChannelsBlockRange) {
  // Block 101..105 holds 2..6; case 1 holds 10.
  const auto ramp = [](int32_t i) { return i == 1 ? 10.0f : i >= 101 && i <= 105 ? float(i - 99) : 4.0f; };
  recording(1000, {ramp, [](int32_t i) { return float(i); }});
  const auto before = samples(1);
  FileSHORTS[0][2] = 2;
  BeginBlock[0] = 101;
  EndBlock[0] = 105;
  chanB = 2;  // the block window shows another channel: its range must not be used
  script({"type 1 100", "type 2 0", "click 113", "click 111", "click 111", "shot 4 " + dir + "/scale.png",
          "click 110"});
  BLOCKSCALE(0, 0);
  EXPECT_FLOAT_EQ(GetDatum(0, 1, 102), 25);
  EXPECT_FLOAT_EQ(GetDatum(0, 1, 105), 100);
  EXPECT_EQ(GetDatum(0, 1, 1), 10.0f) << "block only";
  EXPECT_EQ(std::count(CommentContainer[0].begin(), CommentContainer[0].end(), '\r'), 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 41.0f);
  EXPECT_EQ(ScriptSequenceArray[1][8], 1.0f);

  // The whole file, 10 and 5; the close box undoes it and nothing is logged.
  recording(1000, {ramp});
  FileSHORTS[0][2] = 2;
  BeginBlock[0] = 101;
  EndBlock[0] = 105;
  CommentContainer[0].clear();
  script({"type 1 10", "type 2 5", "click 111", "dialog 4 4"});
  BLOCKSCALE(0, 0);
  EXPECT_EQ(samples(1), before);
  EXPECT_EQ(CommentContainer[0].find("Block scale"), std::string::npos);
  FileSHORTS[0][2] = 2;
  BeginBlock[0] = 101;
  EndBlock[0] = 105;
  script({"type 1 100", "type 2 0", "click 111", "click 112"});
  BLOCKSCALE(0, 0);
  EXPECT_FLOAT_EQ(GetDatum(0, 1, 1), 200);

  // A flat block and no block are refused.
  recording(1000, {[](int32_t) { return 3.0f; }});
  const auto flat = samples(1);
  FileSHORTS[0][2] = 2;
  BeginBlock[0] = 1;
  EndBlock[0] = 50;
  script({"click 1"});  // each refusal is said in a warning
  BLOCKSCALE(1, 0);
  FileSHORTS[0][2] = 0;
  script({"click 1"});
  BLOCKSCALE(1, 0);
  EXPECT_EQ(samples(1), flat);
}

TEST_F(BlockEdits, AReplayedScalingRunsAtOnceOverTheBlockOrTheFile) {
  const auto ramp = [](int32_t i) { return i == 1 ? 10.0f : i >= 101 && i <= 105 ? float(i - 99) : 4.0f; };
  RecordSCRIPT = 0;
  autoscript = ScriptRunOnce = 1;
  float* step = ScriptSequenceArray[2];
  for (auto [mode, onlyBlock, caseOne] : {std::tuple{0, 1, 10.0f}, {0, 0, 200.0f}, {1, 0, 10.0f}}) {
    recording(1000, {ramp});
    FileSHORTS[0][2] = 2;
    BeginBlock[0] = 101;
    EndBlock[0] = 105;
    step[1] = 41;
    step[5] = float(mode);
    step[6] = 100;
    step[7] = 0;
    step[8] = float(onlyBlock);
    BLOCKSCALE(0, 2);
    EXPECT_FLOAT_EQ(GetDatum(0, 1, 102), 25) << mode;
    EXPECT_FLOAT_EQ(GetDatum(0, 1, 1), caseOne) << mode << onlyBlock;
    EXPECT_FALSE(rt::windowExists(4));
  }
}

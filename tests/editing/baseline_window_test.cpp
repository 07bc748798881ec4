// The "Baseline Correction" window driven by scripted input on a recording with its plot:
// the automatic method from Return, the line on the plot, Select again, Cancel (also for
// the fortieth step), undo, replay and the refusals.
#include <gtest/gtest.h>

#include <QImage>
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
#include "editing/commands.h"
#include "core/output_state.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
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

TEST_F(BaselineWindow, MethodsOfOtherWindowsSayNotAvailableAndThePassGoesOn) {
  recording(1000, {drift});
  RecordSCRIPT = 0;
  script({"click 8", "click 3", "click 6", "click 4", "click 5", "click 7", "click 12", "key 13", "key 13"});
  FixTheBASELINE(0);
  EXPECT_EQ(notices, (std::vector<std::string>{"AutoPeriodicBASELINE(0)", "CURSORstartEndBaseline(3, 0)",
                                                "MultiCURSORbaseline(0)", "TEXTstartANDendBaseline(0)",
                                                "ConstantTEXTbaseline(0)", "CURSORstartEndBaseline(7, 0)"}));
  EXPECT_EQ(prefsArray[8], 12);
  EXPECT_NEAR(GetDatum(0, 1, 8), drift(8) - drift(8), 1e-5) << "Start of File: the mean of cases 1..15";
  EXPECT_NEAR(GetDatum(0, 1, 1000), drift(1000) - drift(8), 1e-5);
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

  recording(1000, {drift});
  const auto before = samples(1);
  step[4] = 4;
  script({"click 1"});
  FixTheBASELINE(3);
  EXPECT_EQ(samples(1), before);
  EXPECT_EQ(ScriptStepFailed, 3);
  EXPECT_NE(ScriptFailureText.find("not available"), std::string::npos);
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

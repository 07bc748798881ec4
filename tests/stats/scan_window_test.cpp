// The interval-scan windows driven by scripted input: the window found and its caption, Set
// Block, no window found, both close boxes, a duration refused, the script step recorded and
// replayed, and the closed-system mean.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/event_state.h"
#include "core/script_state.h"
#include "core/shell_hooks.h"
#include "output/report_inputs.h"
#include "core/respirometry_settings.h"
#include "respirometry/commands.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "stats/commands.h"
#include "stats/block_value_range.h"
#include "stats/scan_result.h"
#include "core/scan_state.h"
#include "output/stats_text.h"
#include "stats_window_fixture.h"

namespace qv {
namespace {

// Two seconds a case: 118 s is a window of 60 cases.
constexpr const char* kSixtyCases = "type 101 118";

struct ScanWindowTest : statstest::WindowTest {
  void SetUp() override {
    // Channel 1 is 10 at cases 101..160 and about 50 elsewhere; channel 2 counts the cases.
    statstest::recordingWithBlock(
        1000, {[](int32_t k) { return k >= 101 && k <= 160 ? 10.0f : 50.0f + float(k % 3); },
               [](int32_t k) { return float(k); }},
        50, 400);
    startsize = 0;
    ConstScan = 0;
    MMLBegin = 0;
    ScanNewSelectedChannel = 0;
    DoConstantVolume = 0;
  }
  void TearDown() override {
    RecordSCRIPT = RunScript = autoscript = 0;
    ScriptCOUNT = ScriptStepFailed = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
    AvoidInterpolation = 0;
    DoConstantVolume = 0;
  }
};

TEST_F(ScanWindowTest, MinimumFindsItsWindowAndSetBlockMakesItTheBlock) {
  script({kSixtyCases, "click 124", "dialog 3 1000"});
  Minimum_Maximum_Level(13);
  EXPECT_EQ(AnalysisCode, 13);
  EXPECT_EQ(MMLpoints, 60);
  EXPECT_EQ(MMLBegin, 101);
  EXPECT_EQ(rt::editTextIn(4, 999), "Minimum for channel 1 at cases 102 to 161");
  EXPECT_EQ(nrPoints, 60);
  EXPECT_DOUBLE_EQ(meanValue, 10.0);
  const ReportInputs in = publishedReportInputs(0, 1);
  EXPECT_EQ(in.MMLBegin, 101);
  EXPECT_EQ(in.MMLpoints, 60);
  EXPECT_EQ(in.InCH, 1);

  // Rescan off: another channel shows the same cases, the caption still names channel 1.
  script({kSixtyCases, "click 124", "click 2", "click 118", "dialog 3 1000"});
  Minimum_Maximum_Level(13);
  EXPECT_DOUBLE_EQ(meanValue, (101.0 + 160.0) / 2);
  EXPECT_EQ(rt::editTextIn(4, 999), "Minimum for channel 1 at cases 102 to 161");
  EXPECT_EQ(BeginBlock.inUse(), 101);
  EXPECT_EQ(EndBlock.inUse(), 160);
  EXPECT_EQ(FileSHORTS[0][2], 2);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

// Rescan on: another channel is scanned anew and named. "C.V.R. Data..." asks for its
// window and shows the mean as a closed-system rate.
TEST_F(ScanWindowTest, RescanNamesTheNewChannelAndConstantVolumeConvertsTheMean) {
  static int opened = 0;
  opened = 0;
  const auto before = hooks::constantVolumeWindow;
  hooks::constantVolumeWindow = [] { ++opened; };
  script({kSixtyCases, "click 124", "click 156", "click 2", "click 157", "dialog 3 1000"});
  Minimum_Maximum_Level(13);
  hooks::constantVolumeWindow = before;
  EXPECT_EQ(InCH, 2);
  EXPECT_EQ(MMLBegin, 50) << "channel 2 counts the cases: its lowest window opens the block";
  EXPECT_EQ(rt::editTextIn(4, 999), "Minimum for channel 2 at cases 51 to 110");
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(DoConstantVolume, 1);
  EXPECT_NE(rt::editTextIn(4, 111).find("ml/min"), std::string::npos) << rt::editTextIn(4, 111);
  ScanNewSelectedChannel = 0;
}

// "C.V.R. Data..." opens the closed-chamber window: the factor typed there is the one the
// scan's mean is shown with.
TEST_F(ScanWindowTest, TheClosedChamberWindowGivesTheFactorOfTheMean) {
  const auto before = hooks::constantVolumeWindow;
  hooks::constantVolumeWindow = ConstantVolumeRespirometry;
  STPfactor[0] = 1.0f;
  script({kSixtyCases, "click 124", "click 157", "type 101 1000", "type 102 10", "type 103 760", "type 104 0",
          "type 108 0", "click 50", "dialog 3 1000"});
  Minimum_Maximum_Level(13);
  hooks::constantVolumeWindow = before;
  EXPECT_FLOAT_EQ(STPfactor[0], 100.0f);
  const StatsText t = composeStatsText(publishedStatsTextInput(0, 1));
  EXPECT_NE(t.mean.find("ml/min"), std::string::npos);
  EXPECT_EQ(rt::editTextIn(4, 111), t.mean);
  STPfactor[0] = 1.0f;
}

// No window: nothing of an old window (from a longer file) is read or published.
TEST_F(ScanWindowTest, NoWindowFoundPublishesNothing) {
  statstest::recordingWithBlock(900, {[](int32_t) { return 5.0f; }}, 10, 800);
  MMLBegin = 8000;
  AvoidInterpolation = 1;
  // The failure window: interpolation checking switched off there, then "OK -- Proceed".
  script({"type 101 20", "click 124", "click 124", "click 1", "click 2", "dialog 3 1000"});
  Minimum_Maximum_Level(22);
  EXPECT_EQ(AvoidInterpolation, 0);
  EXPECT_EQ(MMLBegin, 8000);
  EXPECT_EQ(nrPoints, 0);
  EXPECT_EQ(rt::editTextIn(4, 999), kNoWindowCaption);
  EXPECT_EQ(rt::buttonStateIn(4, 118), 0);
  EXPECT_EQ(rt::buttonStateIn(4, 121), 0) << "Store: nothing to store";
  EXPECT_EQ(rt::buttonStateIn(4, 232), 0);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

// A gap at the block's first case is no sample: it neither seeds the value range nor keeps
// Most Level from finding its window; a block of gaps only is refused with a message.
TEST_F(ScanWindowTest, GapAtTheFirstCaseHidesNoWindow) {
  for (int32_t gapAt : {1, 10}) {
    const auto sample = [gapAt](int32_t k) { return k == gapAt ? NAN : 10.0f + std::sin(float(k) * 2.1f); };
    statstest::recordingWithBlock(40, {sample}, 1, 40);
    float least = 20, most = 0;
    for (int32_t k = 1; k <= 40; ++k)
      if (k != gapAt) least = std::min(least, sample(k)), most = std::max(most, sample(k));
    const ValueRange range = blockValueRange({channelData(0, 1), 41}, 1, 40);
    ASSERT_TRUE(range.valid);
    EXPECT_EQ(range.min, least);
    EXPECT_EQ(range.max, most);
    script({"type 101 8", "click 124", "dialog 3 1000"});  // 5 cases at 2 s
    Minimum_Maximum_Level(19);
    EXPECT_EQ(MMLpoints, 5) << gapAt;
    EXPECT_GE(nrPoints, 4) << gapAt;  // the gap, when the window holds it, is no case
    EXPECT_EQ(rt::editTextIn(4, 999).substr(0, 10), "Most level") << gapAt;
    EXPECT_EQ(rt::script::pendingCount(), 0u);
  }
  statstest::recordingWithBlock(40, {[](int32_t k) { return k <= 20 ? NAN : 5.0f; }}, 1, 20);
  EXPECT_FALSE(blockValueRange({channelData(0, 1), 41}, 1, 20).valid);
  AnalysisCode = 12;
  script({"click 1"});  // "The block holds no sample, only gaps"
  Minimum_Maximum_Level(19);
  EXPECT_EQ(AnalysisCode, 12);
  EXPECT_FALSE(rt::windowExists(4));
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(ScanWindowTest, CloseBoxes) {
  // At opening: nothing computed, the last analysis stays, no step is kept.
  AnalysisCode = 12;
  RecordSCRIPT = 1;
  script({"dialog 4 5"});
  Minimum_Maximum_Level(14);
  EXPECT_FALSE(rt::windowExists(4));
  EXPECT_FALSE(rt::windowExists(5));
  EXPECT_EQ(AnalysisCode, 12);
  EXPECT_EQ(ScriptCOUNT, 0);

  // In New Interval: the window found stays.
  RecordSCRIPT = 0;
  script({kSixtyCases, "click 124", "click 123", "dialog 4 5", "dialog 3 1000"});
  Minimum_Maximum_Level(13);
  EXPECT_TRUE(rt::windowExists(4));
  EXPECT_EQ(MMLBegin, 101);
  EXPECT_EQ(nrPoints, 60);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(ScanWindowTest, DurationThatCannotBeOneIsRefused) {
  // Typed: the dialog says so and stays.
  script({"type 101 -5", "click 124", "click 1", kSixtyCases, "click 124", "dialog 3 1000"});
  Minimum_Maximum_Level(13);
  EXPECT_EQ(MMLpoints, 60);
  EXPECT_EQ(rt::script::pendingCount(), 0u);

  // Replayed: the step is refused, no window, no warning waiting for a click.
  RunScript = autoscript = 1;
  ScriptCOUNT = 1;
  ScriptSequenceArray[1][1] = 13;
  ScriptSequenceArray[1][2] = 1e12f;
  Minimum_Maximum_Level(13);
  EXPECT_EQ(ScriptStepFailed, 1);
  EXPECT_FALSE(ScriptFailureText.empty());
  EXPECT_FALSE(rt::windowExists(4));
}

TEST_F(ScanWindowTest, PointToPointStepIsRecordedAndReplayed) {
  // Channel 1 swings 0, 100 at cases 200..205.
  statstest::recordingWithBlock(
      1000, {[](int32_t k) { return k >= 200 && k <= 205 ? (k % 2 ? 0.0f : 100.0f) : 50.0f; }}, 50, 400);
  RecordSCRIPT = 1;
  script({"type 101 10", "click 124", "click 120", "click 118", "dialog 3 1000"});
  Minimum_Maximum_Level(22);
  EXPECT_EQ(AnalysisCode, 47);
  EXPECT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 30.0f);
  EXPECT_EQ(ScriptSequenceArray[1][2], 10.0f);
  EXPECT_EQ(ScriptSequenceArray[1][10], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[1][0], 1.0f);
  EXPECT_EQ(MMLBegin, 200);
  EXPECT_EQ(MMLpoints, 6);

  // A new interval in the overall-slope mode reports under 22 again.
  RecordSCRIPT = 0;
  script({"type 101 10", "click 124", "click 120", "click 123", "click 124", "click 124", "dialog 3 1000"});
  Minimum_Maximum_Level(22);
  EXPECT_EQ(AnalysisCode, 22);

  // Replayed automatically: no dialog, no mode asked, the window made the block.
  RecordSCRIPT = 0;
  BeginBlock.inUse() = 50;
  EndBlock.inUse() = 400;
  MMLBegin = 0;
  RunScript = autoscript = 1;
  AnalysisCode = 22;
  script({"key 13"});
  Minimum_Maximum_Level(22);
  EXPECT_EQ(AnalysisCode, 47);
  EXPECT_EQ(BeginBlock.inUse(), 200);
  EXPECT_EQ(EndBlock.inUse(), 205);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

// "Re-use This Interval" passes the dialog over; a unit button changes the results' unit
// only, so the scan after it keeps its duration.
TEST_F(ScanWindowTest, ReuseKeepsTheDurationThroughAUnitChange) {
  script({kSixtyCases, "click 156", "click 124", "click 65", "dialog 3 1000"});
  Minimum_Maximum_Level(13);
  EXPECT_EQ(ConstScan, 1);
  EXPECT_EQ(IntegrationUnit, 65);
  MMLpoints = 0;
  script({"dialog 3 1000"});
  Minimum_Maximum_Level(14);
  EXPECT_EQ(MMLpoints, 60);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(ScanWindowTest, ConstantVolumeShowsTheClosedSystemMean) {
  DoConstantVolume = 1;
  const StatsTextInput in = publishedStatsTextInput(0, 1);
  ASSERT_TRUE(in.closedSystem);
  EXPECT_FLOAT_EQ(in.closedSystem->STPfactor, 1.0f);
  EXPECT_FLOAT_EQ(in.closedSystem->RQ, RQ);
  DoConstantVolume = 0;
  EXPECT_FALSE(publishedStatsTextInput(0, 1).closedSystem);
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// The statistics of a window are those of the values its scan counted.
TEST(ScanWindowStats, OverTheValuesTheScanCounted) {
  const std::vector<float> x{0, 10, 10, 10, 100, 100, 12, 10, 10};
  const ValueRange block = blockValueRange(x, 1, 8);
  const ScanLimits upper = scanLimits(false, 0, true, 50, block);
  EXPECT_FLOAT_EQ(upper.lower, 10.0f) << "a limit switched off is the block's extreme";
  BlockStats s = scanWindowStats(x, 1, 3, {}, upper);
  EXPECT_EQ(s.n, 3);
  EXPECT_DOUBLE_EQ(s.mean, 10.0);
  s = scanWindowStats(x, 4, 4, {}, upper);
  EXPECT_EQ(s.n, 2);
  EXPECT_DOUBLE_EQ(s.mean, 11.0);
  EXPECT_FLOAT_EQ(s.min, 10.0f);
  EXPECT_FLOAT_EQ(s.max, 12.0f);
  EXPECT_EQ(scanWindowStats(x, 1, 8, {}, scanLimits(false, 0, false, 0, block)).n, 8);

  const std::vector<float> y{0, 10, 10, 10, 20, 1, 1, 20, 20};
  const std::vector<float> flags{0, 0, 0, 0, 0, 1, 1, 0, 0};
  CaseFilters interpolated;
  interpolated.avoidInterpolation = true;
  interpolated.interpolated = flags;
  s = scanWindowStats(y, 4, 3, interpolated, scanLimits(false, 0, false, 0, blockValueRange(y, 1, 8)));
  EXPECT_EQ(s.n, 1);
  EXPECT_DOUBLE_EQ(s.mean, 20.0);
}

TEST(ScanWindowStats, CaptionCountsCasesAsTheBlockWindowTitle) {
  EXPECT_EQ(scanCaption(13, 1, 101, 60), "Minimum for channel 1 at cases 102 to 161");
  EXPECT_EQ(scanCaption(47, 12, 0, 3), "Most variable for channel 12 at cases 1 to 3");
  EXPECT_EQ(scanKindOf(47), ScanKind::MostVariablePoints);
  EXPECT_EQ(scanKindOf(22), ScanKind::MostVariableSlope);
}

// A long scan tells its progress as the window starts pass, in every question.
TEST(ScanWindowStats, LongScansTellTheirProgress) {
  const std::vector<float> x(200001, 1.0f);
  for (ScanKind kind : {ScanKind::MeanMinimum, ScanKind::MostVariablePoints, ScanKind::MostLevel}) {
    std::vector<int32_t> told;
    ScanRequest r;
    r.samples = x;
    r.begin = 1;
    r.end = 200000;
    r.length = 2;
    r.kind = kind;
    r.limits = {false, false, 1.0f, 1.0f};
    r.progress = [&](int32_t done) { told.push_back(done); };
    scanIntervals(r);
    EXPECT_EQ(told, (std::vector<int32_t>{0, 65536, 131072, 196608})) << int(kind);
  }
}

}  // namespace
}  // namespace qv

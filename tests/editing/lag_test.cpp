// Lag correction: seconds to cases, the shift, the best-fit search (FFT against the direct
// sums) and the Lag window with its search windows, driven by scripted input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "core/core_files.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/edit_fixture.h"
#include "editing/best_lag.h"
#include "editing/commands.h"
#include "editing/lag_search_window.h"
#include "editing/lag_shift.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

std::vector<float> ramp(int32_t n) {
  std::vector<float> x(size_t(n) + 1);
  for (int32_t i = 0; i <= n; ++i) x[size_t(i)] = float(i);
  return x;
}

// A rough, aperiodic signal: 1..n, entry 0 unused.
std::vector<float> wiggle(int32_t n, double offset, double scale) {
  std::vector<float> x(size_t(n) + 1, 0.0f);
  for (int32_t i = 1; i <= n; ++i)
    x[size_t(i)] = float(offset + scale * (std::sin(i * 0.37) + 0.6 * std::sin(i * 0.053) + 0.3 * std::cos(i * 1.91)));
  return x;
}

// y delayed by d cases: x[i] = y[i - d] (0 before the start).
std::vector<float> delayed(const std::vector<float>& y, int32_t d) {
  std::vector<float> x(y.size(), 0.0f);
  for (int64_t i = 1; i < int64_t(y.size()); ++i)
    if (i - d >= 1 && i - d < int64_t(y.size())) x[size_t(i)] = y[size_t(i - d)];
  return x;
}

}  // namespace

TEST(LagShift, SecondsBecomeCasesRoundedUpWithWholeMultiplesKept) {
  const struct {
    float seconds, interval;
    int32_t cases;
  } table[] = {{1.2f, 1, 2},   {2.0f, 1, 2},   {1.0f, 1, 1},  {3.0f, 1, 3},  {-1.2f, 1, -1},
               {-1.0f, 1, -1}, {-2.0f, 1, -2}, {-3.0f, 1, -3}, {0.3f, 0.1f, 3}, {0, 1, 0}};
  for (const auto& c : table) EXPECT_EQ(lagInCases(c.seconds, c.interval), c.cases) << c.seconds << " / " << c.interval;
  EXPECT_FALSE(lagInCases(1, 0));
  EXPECT_FALSE(lagInCases(1e30f, 1e-30f)) << "more cases than 32 bits hold";
  EXPECT_FALSE(lagInCases(std::numeric_limits<float>::quiet_NaN(), 1));
}

TEST(LagShift, AdvanceDelayAndTheHalfFileLimit) {
  auto x = ramp(100);
  shiftChannel(x, 10);
  for (int i = 1; i <= 90; ++i) ASSERT_EQ(x[size_t(i)], float(i + 10)) << i;
  for (int i = 91; i <= 100; ++i) ASSERT_EQ(x[size_t(i)], 0.0f) << i;
  EXPECT_EQ(x[0], 0.0f);

  // One entry past the channel guards against writes beyond case 100.
  std::vector<float> y = ramp(101);
  y[101] = -7;
  shiftChannel(std::span<float>(y.data(), 101), -10);
  for (int i = 1; i <= 10; ++i) ASSERT_EQ(y[size_t(i)], 0.0f) << i;
  for (int i = 11; i <= 100; ++i) ASSERT_EQ(y[size_t(i)], float(i - 10)) << i;
  EXPECT_EQ(y[101], -7.0f);

  auto z = ramp(100);
  shiftChannel(z, 0);
  EXPECT_EQ(z, ramp(100));

  EXPECT_TRUE(lagFitsFile(49, 100));
  EXPECT_TRUE(lagFitsFile(-49, 100));
  EXPECT_FALSE(lagFitsFile(50, 100));
  EXPECT_FALSE(lagFitsFile(-50, 100));

  // A lag past 32,767 cases keeps its sign and size.
  auto big = ramp(100000);
  ASSERT_TRUE(lagFitsFile(40000, 100000));
  shiftChannel(big, 40000);
  EXPECT_EQ(big[1], 40001.0f);
  EXPECT_EQ(big[60000], 100000.0f);
  for (int32_t i = 60001; i <= 100000; ++i) ASSERT_EQ(big[size_t(i)], 0.0f) << i;
}

TEST(BestLag, FindsADelayAnAdvanceAndBreaksTiesByScanOrder) {
  const auto y = wiggle(2000, 0, 1);
  const auto later = delayed(y, 37), earlier = delayed(y, -37);
  EXPECT_EQ(bestLagSearch(later, y, 500, 1500, 0, 100).lag, 37);
  EXPECT_EQ(bestLagSearch(earlier, y, 500, 1500, -100, 0).lag, -37);
  EXPECT_EQ(bestLagDirect(later, y, 500, 1500, 0, 100).lag, 37);
  EXPECT_EQ(bestLagDirect(earlier, y, 500, 1500, -100, 0).lag, -37);

  std::vector<float> p(2001, 0.0f);
  const float pattern[10] = {3, 1, 4, 1, 5, 9, 2, 6, 5, 3};
  for (int i = 1; i <= 2000; ++i) p[size_t(i)] = pattern[i % 10];
  for (auto [lo, hi, want] : {std::tuple{0, 30, 0}, std::tuple{-30, 0, -30}}) {
    EXPECT_EQ(bestLagSearch(p, p, 500, 1500, lo, hi).lag, want) << lo << ".." << hi;
    EXPECT_EQ(bestLagDirect(p, p, 500, 1500, lo, hi).lag, want) << lo << ".." << hi;
  }
}

TEST(BestLag, TheFftPicksTheDirectLagOnOffsetOxygenData) {
  // O2 near 20.95 % varying by hundredths: y is centred before its sums.
  const auto y = wiggle(6000, 20.95, 0.01);
  auto x = delayed(y, 211);
  for (size_t i = 1; i < x.size(); ++i) x[i] += float(0.002 * std::sin(double(i) * 2.3));
  const BestLag fft = bestLagSearch(x, y, 1000, 5000, 0, 999), direct = bestLagDirect(x, y, 1000, 5000, 0, 999);
  EXPECT_EQ(fft.lag, 211);
  EXPECT_EQ(fft.lag, direct.lag);
  EXPECT_NEAR(fft.rsquared, direct.rsquared, 1e-5);
  const auto profile = lagRSquaredProfile(x, y, 1000, 5000, 0, 999);
  for (int32_t lag : {0, 17, 211, 640, 999})
    EXPECT_NEAR(profile[size_t(lag)], lagRSquared(x, y, 1000, 5000, lag), 2e-5) << lag;
}

TEST(BestLag, TheLimitKeepsReadsOnTheChannelAndConstantsNeverWin) {
  EXPECT_EQ(limitSearchLag(100, 50, 1500, 2000), 49);
  EXPECT_EQ(limitSearchLag(49, 50, 1500, 2000), 49);
  EXPECT_EQ(limitSearchLag(-600, 50, 1500, 2000), -500);
  EXPECT_EQ(limitSearchLag(-100, 50, 1500, 2000), -100);
  EXPECT_EQ(limitSearchLag(5, 1, 10, 10), 0);

  // Entry 0 of the second channel is never read: a NaN there changes nothing.
  auto y = wiggle(2000, 0, 1);
  const auto x = delayed(y, 20);
  const BestLag clean = bestLagSearch(x, y, 50, 1500, 0, 49);
  y[0] = std::numeric_limits<float>::quiet_NaN();
  const BestLag withNaN = bestLagSearch(x, y, 50, 1500, 0, 49);
  EXPECT_EQ(withNaN.lag, 20);
  EXPECT_EQ(withNaN.rsquared, clean.rsquared);
  // A NaN inside the reads takes the direct road: lags that read it lose, the rest still count.
  y[1300] = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(bestLagSearch(x, y, 50, 1200, 0, 49).lag, 20);

  const std::vector<float> flat(2001, 20.95f);
  EXPECT_EQ(bestLagSearch(x, flat, 500, 1500, 0, 30).lag, 0);
  EXPECT_EQ(bestLagSearch(x, flat, 500, 1500, 0, 30).rsquared, 0.0f);
  EXPECT_EQ(bestLagSearch(flat, y, 500, 1200, 0, 30).rsquared, 0.0f);
}

namespace {

class LagWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
    coretest::makeFile(0, 5, 2000);
    TheFileInUse = 0;
    ActiveChannel = 1;
    FileInfoFLOATS[0][1] = 1.0f;
    FileSHORTS[0][kBlockStateWord] = 0;
    edittest::startScript();
  }
  void TearDown() override {
    edittest::closeAll();
  }
  void block(int32_t b, int32_t e) {
    FileSHORTS[0][kBlockStateWord] = 2;
    BeginBlock[0] = b;
    EndBlock[0] = e;
  }
  void fill(int channel, const std::vector<float>& v) {
    std::memcpy(channelData(0, channel), v.data(), v.size() * sizeof(float));
  }
};

}  // namespace

TEST_F(LagWindow, ATypedLagShiftsLogsAndKeepsItsSecondsInTheStep) {
  qvtest::script({"type 111 10", "click 1"});
  LAGTIME(0, 0);
  EXPECT_EQ(GetDatum(0, 1, 1), 1011.0f);
  EXPECT_EQ(GetDatum(0, 1, 1991), 0.0f);
  EXPECT_EQ(CommentContainer[0], "\r   \u2206  Channel 1, chan 1:  Lag correction =  10 sec");
  EXPECT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 2.0f);
  EXPECT_EQ(ScriptSequenceArray[1][2], 10.0f);
  EXPECT_FALSE(rt::windowExists(4));
}

TEST_F(LagWindow, CancelAndRefusalLeaveTheDataWithdrawTheStepAndKeepTheEarlierUndoCopy) {
  // An untouched file stays unmarked.
  FileSHORTS[0][kChangeMarkWord] = 0;
  ActiveChannel = 5;
  qvtest::script({"click 3"});
  LAGTIME(0, 0);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);

  ActiveChannel = 2;
  MAKEBACKUP(2);
  LastChan = 2;
  PutDatum(0, 2, 5, -1.0f);  // the edit the undo copy was taken for

  ActiveChannel = 5;
  qvtest::script({"click 3"});
  LAGTIME(0, 0);
  EXPECT_EQ(GetDatum(0, 5, 1), 5001.0f);
  EXPECT_EQ(ScriptCOUNT, 0);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(GetDatum(0, 2, 5), 2005.0f) << "Undo still takes back the edit before the window";
  EXPECT_EQ(GetDatum(0, 5, 1), 5001.0f);

  // Half the file: the warning says so (its OK is button 1), nothing moves.
  qvtest::script({"type 111 1000", "click 1", "click 1"});
  LAGTIME(0, 0);
  EXPECT_EQ(GetDatum(0, 5, 1), 5001.0f);
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_EQ(CommentContainer[0].find("Lag correction"), std::string::npos);

  qvtest::script({"type 111 999", "click 1"});
  LAGTIME(0, 0);
  EXPECT_EQ(GetDatum(0, 5, 1), 6000.0f);

  // Letters where the seconds go: a message, and the field back at 0.
  qvtest::script({"type 111 ten", "click 1", "click 1", "click 3"});
  LAGTIME(0, 0);
  EXPECT_EQ(GetDatum(0, 5, 1), 6000.0f);
}

TEST_F(LagWindow, ReplayShiftsWithoutAWindowOrShowsTheRecordedSeconds) {
  RecordSCRIPT = 0;
  autoscript = 1;
  LAGTIME(10.0f, 3);
  EXPECT_EQ(GetDatum(0, 1, 1), 1011.0f);
  EXPECT_FALSE(rt::windowExists(4));

  // An odd whole number of intervals shifts by exactly that number.
  LAGTIME(3.0f, 3);
  EXPECT_EQ(GetDatum(0, 1, 1), 1014.0f);

  // Not run automatically: the recorded lag stands in field 111 for the user to confirm.
  autoscript = 0;
  qvtest::script({"click 1"});
  LAGTIME(2.0f, 3);
  EXPECT_EQ(GetDatum(0, 1, 1), 1016.0f);

  autoscript = 1;
  ScriptStepFailed = 0;
  qvtest::script({"click 1"});
  LAGTIME(1500.0f, 4);
  EXPECT_EQ(ScriptStepFailed, 4) << "a refused lag stops the replay";
}

TEST_F(LagWindow, TheBestFitSearchFillsTheLagFieldAndTheShiftLinesTheChannelsUp) {
  const auto y = wiggle(2000, 20.95, 0.01);
  fill(1, delayed(y, 37));
  fill(2, y);
  block(500, 1500);
  const std::string shot = qvtest::tempDir("lag") + "/setup.png";
  qvtest::script({"click 5", ("shot 40 " + shot).c_str(), "type 112 100", "click 1", "click 2", "click 41",
                  "click 1"});
  LAGTIME(0, 0);
  for (int32_t i = 1; i <= 1963; ++i) ASSERT_EQ(GetDatum(0, 1, i), y[size_t(i)]) << i;
  for (int32_t i = 1964; i <= 2000; ++i) ASSERT_EQ(GetDatum(0, 1, i), 0.0f) << i;
  EXPECT_EQ(ScriptSequenceArray[1][2], 37.0f);
  EXPECT_FALSE(rt::windowExists(40));
  EXPECT_FALSE(rt::windowExists(10));
}

TEST_F(LagWindow, AMaximumBeyondTheBlockStartIsCut) {
  // The best lag lies beyond the cut: the search stops at case 1 of the second channel.
  const auto y = wiggle(2000, 0, 1);
  fill(1, delayed(y, 60));
  fill(2, y);
  block(50, 1500);
  qvtest::script({"click 5", "type 112 100", "click 1", "click 2", "click 41", "click 1"});
  LAGTIME(0, 0);
  ASSERT_EQ(ScriptCOUNT, 1);
  EXPECT_LE(ScriptSequenceArray[1][2], 49.0f);
  EXPECT_GE(ScriptSequenceArray[1][2], 0.0f);

  ActiveChannel = 2;
  EXPECT_EQ(BestLagRegression(20, 1), lagRSquared(std::span<const float>(channelData(0, 2), 2001),
                                                  std::span<const float>(channelData(0, 1), 2001), 50, 1500, 20));
  EXPECT_TRUE(std::isnan(BestLagRegression(50, 1))) << "it would read case 0";
}

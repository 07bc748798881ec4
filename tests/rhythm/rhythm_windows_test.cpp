// The time-series, periodicity and stepped-sampling windows driven by scripted input: the
// shortened test with its caution, the flat block, the export files, and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/filetable.h"
#include "core/prefs.h"
#include "rhythm/commands.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "../stats/stats_window_fixture.h"

using namespace qv;

namespace {

float noisy(int32_t i) {
  // The same generator as the unit tests: two harmonics of 12 cases and noise.
  static std::vector<float> y = [] {
    std::vector<float> v(4001);
    uint64_t u = 1;
    for (size_t k = 0; k < v.size(); ++k) {
      u = (1103515245ull * u + 12345ull) % (1ull << 31);
      const double th = 2 * std::numbers::pi * double(k) / 12;
      v[k] = float(std::sin(th) + 0.6 * std::sin(2 * th) + 4 * (double(u) / double(1ull << 31) - 0.5));
    }
    return v;
  }();
  return y[size_t(i)];
}

struct RhythmWindows : statstest::WindowTest {
  std::vector<std::string> sounds;
  void SetUp() override {
    dir = qvtest::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    sounds.clear();
    rt::setSoundObserver([this](const std::string& s) {
      sounds.push_back(s + (rt::windowExists(1166) ? "+warning" : ""));
    });
  }
  void TearDown() override {
    rt::setSoundObserver(nullptr);
    closeRouteAndFiles();
  }
  bool heard(const std::string& s) const { return std::find(sounds.begin(), sounds.end(), s) != sounds.end(); }
};

TEST_F(RhythmWindows, ATestLongerThanTheBlockAllowsIsShortenedWithACaution) {
  statstest::recordingWithBlock(60, {noisy, [](int32_t) { return 3.0f; }}, 1, 40);
  FileInfoFLOATS[0][1] = 1;
  prefsArray[7] = 25;
  UseExcelFormat = 0;
  const std::string path = dir + "/series.csv";
  // Lag typed as text and step as 0 act as 1; K 39 becomes 36.
  script({"type 101 abc", "type 102 0", "click 1", "click 6", "type 101 39", "click 31", "click 200", "click 2",
          "save " + path, "click 200", "click 14", "click 3"});
  TIMESERIES();
  EXPECT_TRUE(heard("bzot.mp3"));
  const std::string text = readText(path);
  EXPECT_NE(text.find("test period 36 samples"), std::string::npos) << text;
  EXPECT_NE(text.find("\n37,"), std::string::npos);
  EXPECT_EQ(text.find("\n38,"), std::string::npos);
  EXPECT_EQ(AnalysisCode, 21);
  EXPECT_FALSE(rt::windowExists(6));
}

TEST_F(RhythmWindows, AFlatBlockAndLagsPastTheBlockEndCleanly) {
  statstest::recordingWithBlock(120, {[](int32_t) { return 2.0f; }}, 1, 100);
  FileInfoFLOATS[0][1] = 1;
  prefsArray[7] = 25;
  const std::string path = dir + "/flat.csv";
  script({"click 1", "click 6", "click 31", "click 2", "save " + path, "click 14",
          // A lag past the block: empty panels, and the test refused with a message.
          "type 101 40000", "click 1", "click 6", "click 31", "key 13", "click 3"});
  TIMESERIES();
  const std::string text = readText(path);
  EXPECT_NE(text.find("\n2,\n"), std::string::npos) << text;  // no r², an empty cell
  EXPECT_TRUE(heard("bub3.mp3+warning"));
}

TEST_F(RhythmWindows, SteppedSamplingRefusesANegativeSkipAndExportsTenChannels) {
  std::vector<std::function<float(int32_t)>> channels;
  for (int c = 1; c <= 12; ++c) channels.push_back([c](int32_t k) { return float(k + c); });
  statstest::recordingWithBlock(2000, channels, 1, 2000);
  FileSHORTS[0][2] = 0;  // no block: the whole file, start at its middle
  FileInfoFLOATS[0][1] = 1;
  prefsArray[7] = 25;
  UseExcelFormat = 0;
  // One interpolated stretch, cases 300..310.
  MarkersArray[0][1][1] = 300, MarkersArray[0][1][2] = 200;
  MarkersArray[0][2][1] = 310, MarkersArray[0][2][2] = 199;
  FileSHORTS[0][5] = 2;
  const std::string path = dir + "/stepped.csv";
  std::vector<std::string> s{"type 104 60", "type 105 -62", "click 141", "key 13",
                             "type 104 60",  "type 105 180", "type 103 1000"};
  for (int c = 2; c <= 12; ++c) s.push_back("click " + std::to_string(c));
  for (const char* l : {"click 140", "click 142"}) s.push_back(l);
  s.insert(s.end() - 1, "save " + path);
  script(s);
  AUTOCORRELATE();
  EXPECT_TRUE(heard("bub3.mp3+warning"));
  EXPECT_FLOAT_EQ(SteppedSampleInterval, 60.0f);
  const std::string text = readText(path);
  EXPECT_NE(text.find("channel 10:  chan 10\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("channel 11:"), std::string::npos);
  EXPECT_NE(text.find("initial point =  1000;"), std::string::npos);
  EXPECT_NE(text.find("\n274,335,-726,-726,"), std::string::npos);
  const size_t row = text.find("\n274,");
  EXPECT_EQ(text.substr(text.find('\n', row + 1) - 5, 6), ",9999\n");
}

}  // namespace

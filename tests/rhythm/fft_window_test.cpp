// The FFT window driven by scripted input on a recording with its plot window: the size
// buttons, the placed interval, the transform, Smooth and Zoom, Copy Channel, Save FFT and
// what every road out puts back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "core/backup_cache.h"
#include "core/colors.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/view_state.h"
#include "datafiles/datafile.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "rhythm/commands.h"
#include "rhythm/fft_session.h"
#include "rhythm/fft_spectrum.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double twoTones(int32_t kase, int32_t begin) {
  const int32_t j = kase - begin - 1;
  return 10 + 3 * std::cos(kTwoPi * 8 * j / 256) + 1.5 * std::sin(kTwoPi * 20 * j / 256);
}

class FftWindow : public ::testing::Test {
 protected:
  std::string dir;

  void SetUp() override { dir = qvtest::tempDir("fft_window"); }
  void TearDown() override {
    for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
    TheFileInUse = -1;
    RecordSCRIPT = 0;
    ScriptCOUNT = 0;
  }

  // Slot 0: `channels` channels of `cases` cases at 0.5 s (channel 1 from g, the others
  // constant), its plot window `width` pixels wide.
  void recording(int32_t cases, int width, const std::function<double(int32_t)>& g, int channels = 1) {
    qvtest::resetRuntime();
    for (int s = 0; s < kSlots; ++s) {
      FreeFileSlot(s);
      std::memset(FileSHORTS[s], 0, sizeof FileSHORTS[s]);
      BeginBlock[s] = EndBlock[s] = 0;
    }
    std::memset(prefsArray, 0, sizeof prefsArray);
    DefaultColors();
    SetOverlayColors();
    Xstep = 1;
    ScaleMode = 2;
    PlotAsHistogram = 0;
    DataFile f;
    f.nCases = cases;
    f.nChannels = int16_t(channels);
    for (int c = 1; c <= channels; ++c) {
      SampleArray a = allocateSamples(cases);
      a[0] = 0;
      for (int32_t k = 1; k <= cases; ++k) a[k] = c == 1 ? float(g(k)) : float(c);
      f.channels[size_t(c)] = std::move(a);
      f.meta.labels[size_t(c)] = "chan " + std::to_string(c);
    }
    f.meta.name = "run.KXdata";
    f.meta.info[1] = 0.5f;
    f.meta.info[8] = 600;
    f.meta.startDate = "05/14/2024";
    f.meta.startTime = "10:00:00";
    commitDataFile(std::move(f), 0);
    FileSHORTS[0][kInUseWord] = 1;
    FileSHORTS[0][kPageWord] = 1;
    FileSHORTS[0][kPageCountWord] = 1;
    TheFileInUse = 0;
    ActiveChannel = chanB = 1;
    DrawMAINWINDOW(0, 0);
    const rt::Rect r = rt::windowContentRect(1000);
    rt::setWindowContentRect(1000, {r.left, r.top, r.left + width, r.top + 500});
    ScreenWidth = int16_t(width);
    BottomOfPlotArea = 462;
    PlotHeight = 422;
    DrawPlot(0, 0, 0, 1);
  }

  static void script(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) ASSERT_TRUE(rt::script::pushLine(l)) << l;
  }
  static std::vector<std::string> plotClick(int x) {
    const std::string at = " " + std::to_string(x) + " 200 1000";
    return {"mouse down" + at, "mouse up" + at};
  }
  static std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // The spectrum of cases begin + 1 .. begin + n of channel 1, computed apart.
  static std::vector<float> spectrumFrom(int32_t begin, int32_t n) {
    std::vector<float> x(channelData(0, 1) + begin, channelData(0, 1) + begin + n + 1);
    EXPECT_TRUE(fftMagnitudes(x, n));
    return x;
  }
  static std::vector<float> work(int32_t from, int32_t to) {
    return std::vector<float>(channelData(0, 0) + from, channelData(0, 0) + to + 1);
  }
};

}  // namespace

TEST_F(FftWindow, SizeButtonsFollowTheFileLength) {
  for (auto [cases, last] : {std::pair{127, 6}, std::pair{128, 7}, std::pair{1000, 9}}) {
    recording(cases, 600, [](int32_t k) { return k; });
    script({"click 26"});
    FFT();
    EXPECT_EQ(LastFFTbutton, last) << cases;
    EXPECT_EQ(nCases[0], cases);
  }
  // A file of fewer than 128 cases offers nothing but Exit and the close box.
  recording(127, 600, [](int32_t k) { return k; });
  EXPECT_EQ(qvtest::exitStatusOf([&] {
              script({"click 7"});
              FFT();
            }),
            3);
}

TEST_F(FftWindow, APinnedIntervalIsTransformedAndAfterwardsReturnAndClicksChangeNothing) {
  recording(1000, 600, [](int32_t k) { return std::sin(k * 0.21) + 0.01 * k; });
  std::vector<std::string> s = {"click 9"};
  for (const std::string& l : plotClick(590)) s.push_back(l);
  s.insert(s.end(), {"click 25", "key 13", "dialog 3 4", "shot 4 " + dir + "/results.png", "click 26"});
  script(s);
  FFT();
  // The right pin's centre, case 745, would start the run at case 489 and read case 1,001.
  const std::vector<float> want = spectrumFrom(488, 512);
  EXPECT_EQ(work(1, 512), std::vector<float>(want.begin() + 1, want.end()));
  EXPECT_EQ(nCases[0], 1000);
  EXPECT_EQ(ActiveChannel, 1);
  EXPECT_EQ(FileSHORTS[0][kBlockStateWord], 0) << "the transform clears the block";
  EXPECT_FALSE(rt::windowExists(4));
}

TEST_F(FftWindow, DimmedButtonsAfterTheTransform) {
  // 256 elements in 600 pixels: the first spectrum (63 elements) is drawn 9 pixels a case.
  const struct {
    std::vector<std::string> after;
  } table[] = {{{"click 25"}}, {{"click 23"}}, {{"click 22", "click 22", "click 22", "click 22"}}, {{"click 8"}}};
  for (const auto& t : table) {
    recording(256, 600, [](int32_t k) { return twoTones(k, 0); });
    std::vector<std::string> s = {"click 8"};
    for (const std::string& l : plotClick(300)) s.push_back(l);
    s.push_back("click 25");
    s.insert(s.end(), t.after.begin(), t.after.end());
    s.push_back("click 26");  // reached only when the last click was taken
    EXPECT_EQ(qvtest::exitStatusOf([&] {
                script(s);
                FFT();
              }),
              3)
        << t.after.front();
  }
}

TEST_F(FftWindow, SmoothFollowsTheZoomFromThePristineCopy) {
  recording(256, 1287, [](int32_t k) { return twoTones(k, 0); });
  std::vector<std::string> s = {"click 8"};
  for (const std::string& l : plotClick(600)) s.push_back(l);
  s.insert(s.end(), {"click 25", "click 20", "click 20", "click 20", "click 22", "shot 1000 " + dir + "/smooth.png",
                     "click 26"});
  script(s);
  FFT();
  const float* b = BackupCacheRow(1);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b[17], 3.0f);
  // Shown after Zoom Out: 126 elements, smoothed over 2 .. 125 from the pristine copy.
  std::vector<float> want(257);
  smoothSpectrum({b, 257}, want, 126);
  EXPECT_EQ(work(0, 126), std::vector<float>(want.begin(), want.begin() + 127));
  for (int c : {16, 17, 18}) EXPECT_NEAR(GetDatum(0, 0, c), 0.999999f, 1e-7) << c;
  EXPECT_EQ(GetDatum(0, 0, 1), b[1]);
  EXPECT_NE(GetDatum(0, 0, 42), b[42]) << "an element shown only after Zoom Out is smoothed too";
}

TEST_F(FftWindow, CopyChannelMakesTheLastChannelAsLongAsTheFileAndRecordsNothing) {
  recording(1024, 1287, [](int32_t k) { return twoTones(k, 0); }, 39);
  RecordSCRIPT = 1;
  ScriptCOUNT = 0;
  std::vector<std::string> s = {"click 10"};
  for (const std::string& l : plotClick(600)) s.push_back(l);
  s.insert(s.end(), {"click 25", "click 21"});
  EXPECT_EQ(qvtest::exitStatusOf([&] {
              script(s);
              s = {"click 21"};
              script(s);
              FFT();
            }),
            3)
      << "Copy Channel is dimmed at 40 channels";
  ASSERT_EQ(nChannels[0], 40);
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_EQ(RetrieveLabel(40), "FFT: channel 1; 1024 points   ");
  const float* copy = channelData(0, 40);
  const std::vector<float> want = spectrumFrom(0, 1024);
  for (int32_t c = 1; c <= 255; ++c) ASSERT_EQ(copy[c], want[size_t(c)]) << c;
  for (int32_t c = 256; c <= 1024; ++c) ASSERT_EQ(copy[c], 0.0f) << c;
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
}

TEST_F(FftWindow, SaveWritesOneSpectrumSmoothedOrNotAndCancelWritesNothing) {
  recording(256, 1287, [](int32_t k) { return twoTones(k, 0); });
  const std::string plain = dir + "/plain.csv", smooth = dir + "/smooth.csv";
  std::vector<std::string> s = {"click 8"};
  for (const std::string& l : plotClick(600)) s.push_back(l);
  s.insert(s.end(), {"click 25", "popup 62 2", "click 24", "save " + plain, "click 20", "click 24",
                     "save " + smooth, "click 24", "save cancel", "click 26"});
  script(s);
  FFT();
  const float* b = BackupCacheRow(1);
  std::vector<float> pristine(b, b + 257), smoothed(257);
  smoothSpectrum(pristine, smoothed, 256);
  EXPECT_EQ(readText(plain), fftResultsText(pristine, 256, 0.5f, 2, ',', 5));
  EXPECT_EQ(readText(smooth), fftResultsText(smoothed, 256, 0.5f, 2, ',', 5));
  EXPECT_TRUE(readText(plain).starts_with("frequency (mHz) ,magnitude\n"));
}

TEST_F(FftWindow, EveryRoadOutPutsTheViewBack) {
  for (const char* out : {"click 26", "dialog 4 4"}) {
    recording(2000, 600, [](int32_t k) { return std::cos(k * 0.1); }, 3);
    FileSHORTS[0][kViewModeWord] = 2;
    FileSHORTS[0][kPageCountWord] = 4;
    PlotAsHistogram = 0;
    ActiveChannel = 2;
    std::vector<std::string> s = {"click 10"};
    for (const std::string& l : plotClick(100)) s.push_back(l);
    s.insert(s.end(), {"click 25", "click 22", "click 28", "click 27", "click 7"});
    for (const std::string& l : plotClick(300)) s.push_back(l);
    s.insert(s.end(), {"shot 4 " + dir + "/again.png", "click 25", out});
    script(s);
    FFT();
    EXPECT_EQ(nCases[0], 2000) << out;
    EXPECT_EQ(ActiveChannel, 2) << out;
    EXPECT_EQ(PlotAsHistogram, 0) << out;
    EXPECT_EQ(FileSHORTS[0][kViewModeWord], 2) << out;
    EXPECT_EQ(FileSHORTS[0][kPageCountWord], 4) << out;
    EXPECT_FALSE(rt::windowExists(4)) << out;
  }
}

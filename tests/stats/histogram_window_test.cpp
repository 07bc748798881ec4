// The histogram windows: a small window per channel that closes with its close box and when
// the statistics end, the large histogram beside them, and drawings with nothing to count.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "core/colors.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "stats/block_stats.h"
#include "stats/commands.h"
#include "stats/histogram_window.h"
#include "stats_window_fixture.h"

using namespace qv;

namespace {

struct Seen {
  std::vector<int> open;  // histogram windows standing when the large histogram closed
};

std::vector<int> histogramWindowsOpen() {
  std::vector<int> open;
  for (int w = kLargeHistogramWindow; w <= smallHistogramWindow(40); ++w)
    if (rt::windowExists(w)) open.push_back(w);
  return open;
}

void script(const std::vector<std::string>& lines) {
  for (const std::string& l : lines) ASSERT_TRUE(rt::script::pushLine(l)) << l;
}

bool near(QRgb p, rt::RGB c, int tolerance = 20) {
  return std::abs(qRed(p) - c.red / 257) <= tolerance && std::abs(qGreen(p) - c.green / 257) <= tolerance &&
         std::abs(qBlue(p) - c.blue / 257) <= tolerance;
}

// Pixels of a colour inside the large histogram's frame.
int pixelsOf(const std::string& png, rt::RGB c) {
  QImage img(QString::fromStdString(png));
  int n = 0;
  for (int y = 6; y < 277 && y < img.height(); ++y)
    for (int x = 92; x < 590 && x < img.width(); ++x) n += near(img.pixel(x, y), c);
  return n;
}

void publishStatisticsOf(int channel, int32_t begin, int32_t end) {
  ch = int16_t(channel);
  const std::span<const float> x(gPointersToFileData[0][channel].get(), size_t(nCases[0]) + 1);
  publishStatistics(blockStats(x, begin, end), begin, end);
}

struct HistogramWindowTest : ::testing::Test {
  std::string dir;
  void SetUp() override {
    dir = qvtest::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::vector<std::function<float(int32_t)>> channels;
    for (int c = 1; c <= 40; ++c) channels.push_back([c](int32_t k) { return c == 2 ? 5.0f : float(k * c); });
    statstest::recordingWithBlock(1000, channels, 100, 199);
    prefsArray[7] = 1;  // the large histogram's closing sound tells the test when it closed
  }
  void TearDown() override {
    rt::setSoundObserver(nullptr);
    DumpHist = 0;
  }
};

}  // namespace

TEST_F(HistogramWindowTest, SmallWindowsPerChannelCloseWithTheirBoxAndWithTheAnalysis) {
  DumpHist = 1;
  Seen seen;
  rt::setSoundObserver([&](const std::string& s) {
    if (s == "upvip.mp3") seen.open = histogramWindowsOpen();
  });
  // Channel 1's small window (151), channel 2's (152) closed by its box, channel 40's (190),
  // then the large histogram beside them.
  script({"click 232", "key 50", "click 232", "dialog 4 152", "click 40", "click 232", "click 332", "click 5",
          "dialog 3 1000"});
  AVERAGE();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(seen.open, (std::vector<int>{151, 190}));
  EXPECT_TRUE(histogramWindowsOpen().empty());
}

TEST_F(HistogramWindowTest, WithoutKeepingThemAChannelChangeClosesTheLastSmallWindow) {
  Seen seen;
  rt::setSoundObserver([&](const std::string& s) {
    if (s == "upvip.mp3") seen.open = histogramWindowsOpen();
  });
  script({"click 232", "key 51", "click 232", "click 332", "click 5", "dialog 4 4"});
  AVERAGE();
  EXPECT_EQ(seen.open, (std::vector<int>{153}));
  EXPECT_TRUE(histogramWindowsOpen().empty());
}

TEST_F(HistogramWindowTest, LargeHistogramBarsCurveAndNothingToCount) {
  const std::string bars = dir + "/bars.png", curve = dir + "/curve.png", wide = dir + "/wide.png";
  publishStatisticsOf(1, 100, 199);
  script({"shot 150 " + bars, "click 3", "shot 150 " + curve, "type 114 1000", "click 2", "shot 150 " + wide,
          "click 5"});
  HISTOGRAM(100, 199, meanValue, 0, 1);
  EXPECT_FALSE(rt::windowExists(kLargeHistogramWindow));
  const rt::RGB curveColor = rt::colorOfNumber(2);
  EXPECT_GT(pixelsOf(bars, HistogramBarColor), 1000);
  EXPECT_EQ(pixelsOf(bars, curveColor), 0);
  EXPECT_GT(pixelsOf(curve, curveColor), 50);
  EXPECT_EQ(pixelsOf(wide, HistogramBarColor), 0) << "a bin wider than the range: no bars";

  // All values equal (S.D. 0): no bars and no curve. No case at all: the same.
  const std::string flat = dir + "/flat.png", none = dir + "/none.png";
  publishStatisticsOf(2, 100, 199);
  script({"click 3", "shot 150 " + flat, "click 5"});
  HISTOGRAM(100, 199, meanValue, 0, 1);
  publishStatisticsOf(1, 150, 120);
  script({"click 3", "shot 150 " + none, "click 5"});
  HISTOGRAM(150, 120, meanValue, 0, 1);
  for (const std::string& png : {flat, none}) {
    EXPECT_EQ(pixelsOf(png, HistogramBarColor), 0) << png;
    EXPECT_EQ(pixelsOf(png, curveColor), 0) << png;
  }
}

TEST_F(HistogramWindowTest, TypedBinsThatAreNotANumberAreRefused) {
  publishStatisticsOf(1, 100, 199);
  const std::string before = dir + "/before.png", after = dir + "/after.png";
  // The refusal is answered; the field holds 40 again, so the button then works without one.
  script({"shot 150 " + before, "type 113 forty", "click 1", "click 1", "click 1", "shot 150 " + after, "click 5"});
  EXPECT_EQ(qvtest::exitStatusOf([] { HISTOGRAM(100, 199, meanValue, 0, 1); }), -1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  const QImage a(QString::fromStdString(before)), b(QString::fromStdString(after));
  EXPECT_EQ(a.copy(0, 0, 600, 300), b.copy(0, 0, 600, 300)) << "the same bars";
}

// A bin wider than the range leaves no bin; a redraw by bin number (a box clicked) then draws
// the bins it had before, and the bins field must say how many: "Use New Bin Number" on it
// draws the same bars again.
TEST_F(HistogramWindowTest, AfterATooWideBinTheBinsFieldSaysWhatIsDrawn) {
  publishStatisticsOf(1, 100, 199);
  const std::string drawn = dir + "/drawn.png", again = dir + "/again.png";
  script({"type 114 1000", "click 2", "click 4", "shot 150 " + drawn, "click 1", "shot 150 " + again, "click 5"});
  HISTOGRAM(100, 199, meanValue, 0, 1);
  EXPECT_GT(pixelsOf(drawn, HistogramBarColor), 1000);
  const QImage a(QString::fromStdString(drawn)), b(QString::fromStdString(again));
  EXPECT_EQ(a.copy(0, 0, 600, 300), b.copy(0, 0, 600, 300)) << "the bins the field shows are the bins drawn";
}

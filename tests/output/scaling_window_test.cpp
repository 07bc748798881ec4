#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "output/output.h"
#include "core/results_scaling.h"
#include "output_fixture.h"

using namespace qv;

namespace {

struct ScalingWindowTest : ::testing::Test {
  void SetUp() override {
    qvtest::resetRuntime();
    outtest::fileWithPlotWindow(3, 20);
    resetResultScaling();
    Rscale = 1;
  }
  void TearDown() override {
    resetResultScaling();
    Rscale = 0;
  }
};

}  // namespace

TEST_F(ScalingWindowTest, MultiplyAddDivideAndClearAll) {
  // x2 +1 on channel 3: a mean of 10 reads 21, an S.D. of 3 reads 6.
  qvtest::script({"click 43", "type 103 2", "type 143 1", "click 233"});
  SCALERESULTS(0);
  EXPECT_DOUBLE_EQ(scalingFor(3).level(10), 21);
  EXPECT_DOUBLE_EQ(scalingFor(3).spread(3), 6);
  EXPECT_FALSE(rt::windowExists(6));

  // /2 on channel 1, Return in a field closes the window as Done does.
  qvtest::script({"click 1", "type 101 2", "key 13"});
  SCALERESULTS(0);
  EXPECT_DOUBLE_EQ(scalingFor(1).level(10), 5);
  EXPECT_DOUBLE_EQ(scalingFor(3).level(10), 21) << "channels not touched keep their scaling";

  // The window shows what is in force; Clear All gives the unscaled numbers.
  qvtest::script({"click 234", "click 233"});
  SCALERESULTS(0);
  for (int k = 1; k <= 3; ++k) {
    EXPECT_DOUBLE_EQ(scalingFor(k).level(10), 10) << k;
    EXPECT_DOUBLE_EQ(scalingFor(k).spread(3), 3) << k;
  }
}

TEST_F(ScalingWindowTest, AnOfferedValueGoesToTheChannelWhoseOperationIsChosen) {
  scalingFactorArray[2][1] = 0.0f;
  scalingFactorArray[2][2] = 4.0f;
  // "*" of channel 1 takes the offered value (a stored mean) into its factor field.
  qvtest::script({"click 41", "click 233"});
  SCALERESULTS(12.5);
  EXPECT_FLOAT_EQ(scalingFactorArray[1][2], 12.5f);
  EXPECT_EQ(scalingFactorArray[1][1], 1.0f);
  EXPECT_DOUBLE_EQ(scalingFor(2).level(8), 2) << "the factor shown for channel 2 is read back as it was";
}

TEST_F(ScalingWindowTest, FortyChannelsKeepDoneClearAllAndTheLastChannel) {
  outtest::fileWithPlotWindow(40, 20);
  const char* dir = std::getenv("QV_SHOTS");
  const std::string shot = (dir && *dir ? std::string(dir) : qvtest::tempDir("scaling")) + "/scaling_40.png";
  qvtest::script({("shot 6 " + shot).c_str(), "click 40", "type 140 2", "click 80", "click 40", "click 233"});
  SCALERESULTS(0);
  QImage img(QString::fromStdString(shot));
  ASSERT_FALSE(img.isNull());
  EXPECT_LE(img.height() + 60, 900) << "two columns under the screen's bottom";
  EXPECT_LE(img.width(), 1440);
  EXPECT_DOUBLE_EQ(scalingFor(40).level(10), 5);
  qvtest::script({"click 234", "click 233"});
  SCALERESULTS(0);
  EXPECT_DOUBLE_EQ(scalingFor(40).level(10), 10);
}

TEST_F(ScalingWindowTest, DivideByZeroOrTextIsRefusedAndTheOldWordsKept) {
  scalingFactorArray[1][1] = 1.0f;
  scalingFactorArray[1][2] = 3.0f;
  scalingFactorArray[1][3] = 1.0f;
  for (const char* factor : {"0", "abc"}) {
    qvtest::script({"click 1", (std::string("type 101 ") + factor).c_str(), "type 142 7", "click 233", "click 1"});
    SCALERESULTS(0);
    EXPECT_EQ(rt::script::pendingCount(), 0u) << "the refusal was shown";
    EXPECT_DOUBLE_EQ(scalingFor(1).level(10), 31) << factor;
    EXPECT_DOUBLE_EQ(scalingFor(2).level(10), 10) << "nothing typed is kept";
  }
  // Multiplying by 0 is no fault.
  qvtest::script({"click 41", "type 101 0", "click 233"});
  SCALERESULTS(0);
  EXPECT_DOUBLE_EQ(scalingFor(1).level(10), 1);
}

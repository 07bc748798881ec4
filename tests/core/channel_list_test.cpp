#include <gtest/gtest.h>

#include <string>

#include "core/channel_list.h"
#include "core/channel_roles.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

class ChannelList : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    TheFileInUse = 0;
    nChannels[0] = 10;
    yChan = 0, FlowRateChannel = 0, MainDataChannel = 0, SecondChannel = 0, ActiveChannel = 1;
    BuildWINDOW(4, "Tool", 50, 50, 500, 900, 6);
  }
  void TearDown() override {
    TheFileInUse = -1;
    nChannels[0] = 0;
    yChan = 0;
  }
};

}  // namespace

TEST_F(ChannelList, SecondColumnNumbering) {
  struct Case {
    int channels;
    bool x;
    int first, last;  // second-column buttons
  } cases[] = {{10, false, 11, 20}, {40, false, 41, 80}, {10, true, 41, 50}, {40, true, 41, 80}};
  yChan = 1;
  for (const auto& c : cases) {
    BuildWINDOW(4, "Tool", 50, 50, 500, 900, 6);
    nChannels[0] = int16_t(c.channels);
    (c.x ? TRANSCHANX : TRANSCHAN)("  O2", "Flow", "", 10, 1, 10, 1);
    EXPECT_TRUE(rt::controlExists(c.channels));
    EXPECT_TRUE(rt::controlExists(c.first));
    EXPECT_TRUE(rt::controlExists(c.last));
    EXPECT_FALSE(rt::controlExists(c.last + 1));
  }
}

TEST_F(ChannelList, OneColumnRemovesTheSecondColumnOfAnEarlierDrawing) {
  yChan = 1;
  TRANSCHAN("  O2", "Flow", "note", 10, 1, 10, 1);
  EXPECT_TRUE(rt::controlExists(15));
  yChan = 0;
  TRANSCHAN("  O2", "Flow", "note", 10, 1, 10, 1);
  for (int id = 11; id <= 20; ++id) EXPECT_FALSE(rt::controlExists(id)) << id;
  EXPECT_TRUE(rt::controlExists(10));

  FlowRateChannel = 2;  // a flow channel to choose also asks for the second column
  TRANSCHANX("O2", "Flow", "", 10, 1, 10, 0);
  EXPECT_TRUE(rt::controlExists(45));
  FlowRateChannel = 0;
  TRANSCHANX("O2", "Flow", "", 10, 0, 10, 0);
  EXPECT_FALSE(rt::controlExists(45));
}

TEST_F(ChannelList, FirstMarks) {
  yChan = 1;
  MainDataChannel = 3;
  SecondChannel = 2;
  TRANSCHAN(" CO2", "Flow", "", 10, 1, 10, 1);
  EXPECT_EQ(rt::buttonState(3), 2);
  EXPECT_EQ(rt::buttonState(12), 2);
  EXPECT_EQ(rt::buttonState(1), 1);
  BuildWINDOW(4, "Tool", 50, 50, 500, 900, 6);
  TRANSCHANX("VCO2", "Flow", "", 10, 1, 10, 1);
  EXPECT_EQ(rt::buttonState(3), 2);
  EXPECT_EQ(rt::buttonState(42), 2);
}

TEST_F(ChannelList, NoChannelsDrawsTheHeadingOnly) {
  nChannels[0] = 0;
  TRANSCHAN("VCO2", "", "", 10, 1, 10, 1);
  EXPECT_FALSE(rt::controlExists(1));
  EXPECT_EQ(rt::editText(1001), "VCO\u2082");
}

TEST(ChannelListHeading, GasNamesGetSubscripts) {
  struct Case {
    const char* in;
    const char* shown;
  } cases[] = {{"  O2", "O\u2082"}, {" CO2", "CO\u2082"}, {" H2O", "H\u2082O"}, {"O2", "VO\u2082"},
               {"VCO2", "VCO\u2082"}, {"%O2", "%O\u2082"}, {"%CO2", "%CO\u2082"}, {"Flow", "Flow"},
               {"CO2", "CO2"}};
  for (const auto& c : cases) EXPECT_EQ(channelListHeading(c.in), c.shown) << c.in;
}

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/filetable.h"
#include "plot/data_bar_texts.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot_fixture.h"
#include "runtime/windows.h"

using namespace qv;
using namespace qv::plot;

TEST(DataBar, ReadoutTextsShowWhatCannotBeShownAsStars) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double seconds;
    int64_t kase;
    const char* text;
  } cases[] = {
      {44, 44, " # 45;    44.000 sec"},
      {30, 30, " # 31;    30.000 sec"},
      {0.5, 1, " # 2;   0.5 sec"},
      {90, 90, " # 91;    1.500 min"},
      {1200, 1200, " # 1201;    20.000 min"},
      {200000, 20000, " # 20001;    2.315 d"},
      {5034, 5034, " # 5035;    1.398 h"},
      {7200, 7200, " # 7201;    2.000 h"},
      {6099999.0 * 3600, 6099999, " # 6100000;   254167 d"},  // seven digits and days
      {1e36, 6099999, " # 6100000;   1.16E+31 d"},  // shortened to the field's room
      {1e45, 6099999, " # 6100000;   1.16E+40 d"},  // past the largest float
      {inf, 3, " # 4;   **"},
  };
  for (const auto& c : cases) EXPECT_EQ(dataBarCaseText(c.seconds, c.kase), c.text) << c.seconds;

  EXPECT_EQ(clockText(555 + 600), " 19:15:00");
  // Times of day of the data bar: interval x case / 60 + the start in minutes.
  EXPECT_EQ(clockText(1.0 * 90 / 60 + 485), " 8:06:30");
  EXPECT_EQ(clockText(1.0 * 1200 / 60 + 1430), " 0:10:00");
  EXPECT_EQ(clockText(10.0 * 20000 / 60), " 7:33:20");
  EXPECT_EQ(clockText(1.0 * 5034 / 60 + 552), " 10:35:54");
  // A third of a minute is a rounding error short of 20 s in a double.
  EXPECT_EQ(clockText(1.0 * 20 / 60), " 0:00:20");
  EXPECT_EQ(clockText(1e30 * 20 / 60), "**");
  EXPECT_EQ(clockText(1439.5 + 1440 * 3), " 23:59:30");
  EXPECT_EQ(clockText(-30), " 23:30:00");
  // A huge interval: the seconds of the day are lost, which is not a time to show.
  EXPECT_EQ(clockText(1e9 * 6099999 / 60), "**");
  EXPECT_EQ(clockText(std::nan("")), "**");

  EXPECT_EQ(dataBarValueText(12.5f), "value 12.500");
  EXPECT_EQ(dataBarValueText(-3.4e38f), "value -3.4E+38");
  EXPECT_EQ(dataBarValueText(-1.234567e-20f), "value -1.2E-20");
  EXPECT_EQ(dataBarValueText(std::numeric_limits<float>::infinity()), "value **");
  EXPECT_EQ(dataBarValueText(std::nanf("")), "value **");
}

// The longest texts each readout can take fit its field, measured in the field's font.
TEST(DataBar, TheLongestReadoutsFitTheirFields) {
  plottest::resetPlotState();
  plottest::openPlot(plottest::makeFile(100, {[](int32_t k) { return float(k); }}), 0);
  DRAWTIMEDATE();
  const int win = 1000;
  const struct {
    int field;
    std::string text;
  } longest[] = {
      {54, dataBarCaseText(-1e36, 6099999)},
      {54, dataBarCaseText(1e36, 6099999)},
      {54, dataBarCaseText(3.7e-6 * 6099999, 6099999)},
      {54, dataBarCaseText(59.999 * 60 * 60 - 1, 6099999)},
      {55, clockText(23 * 60 + 59.99)},
      {54, dataBarCaseText(-7e-20, 6099999)},
      {54, dataBarCaseText(172801.0 * 99999, 6099999)},
      {56, dataBarValueText(-1.234567e-20f)},
      {56, dataBarValueText(-3.4e38f)},
      {56, dataBarValueText(-1234567.0f)},
  };
  rt::setOutputWindow(win);
  for (const auto& l : longest) {
    ASSERT_TRUE(rt::controlExistsIn(win, l.field)) << l.field;
    const rt::Rect r = rt::controlRect(l.field);
    rt::textFont(rt::fontNumber("Geneva"));
    rt::textSize(11);
    rt::textFace(rt::kBold);
    EXPECT_LE(rt::stringWidth(l.text) + 4, r.width()) << l.field << " \"" << l.text << "\"";
  }
}

TEST(DataBar, UpdateDataBarWritesTheCaseTimeAndValue) {
  plottest::resetPlotState();
  plottest::openPlot(plottest::makeFile(100, {[](int32_t k) { return float(k) / 4; }}), 0);
  DRAWTIMEDATE();
  FileInfoFLOATS[0][1] = 60.0f;
  FileInfoFLOATS[0][8] = 600.0f;
  ActiveChannel = 1;
  rt::bringWindowForward(1000);
  UpdateDataBar(60.0f * 10, 10);
  EXPECT_EQ(rt::editTextIn(1000, 54), " # 11;    10.000 min");
  EXPECT_EQ(rt::editTextIn(1000, 55), " 10:10:00");
  EXPECT_EQ(rt::editTextIn(1000, 56), "value 2.500");
  EXPECT_FLOAT_EQ(tmFloat, 2.5f);
  // A huge interval: the time of day cannot be told.
  FileInfoFLOATS[0][1] = 1e30f;
  UpdateDataBar(1e31f, 10);
  EXPECT_EQ(rt::editTextIn(1000, 55), "**");
}

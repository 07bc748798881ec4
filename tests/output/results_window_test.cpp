#include <gtest/gtest.h>

#include <cstdlib>

#include "core/backup_cache.h"
#include "core/screen_place.h"
#include "output/output.h"
#include "output/results_layout.h"
#include "output_fixture.h"
#include "core/case_filters.h"
#include "core/data_generation.h"
#include "core/stats_state.h"

using namespace qv;

TEST(ResultsLayout, WindowsBelowAndBesideThePlot) {
  const PlotPlace plot{100, 40, 500};
  struct Case {
    int extra;
    bool subset, wider;
    int screen;
    Box expected;
  } cases[] = {
      {0, false, false, 2000, {100, 663, 422, 1013}},
      {0, true, false, 2000, {100, 663, 422, 1038}},
      {0, false, true, 2000, {100, 663, 437, 1013}},
      // Low on the screen: moved up by the overflow, the height kept; the extra height after.
      {0, true, false, 900, {100, 525, 422, 900}},
      {25, false, true, 900, {100, 550, 437, 925}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(resultsWindowBounds(plot, c.extra, c.subset, c.wider, c.screen), c.expected) << c.extra << c.subset << c.screen;
  // Window 6 adjoins window 4 at its top, or 25 pixels higher with the tool bar elsewhere.
  EXPECT_EQ(secondResultsWindowBounds(plot, 200, false), (Box{423, 663, 739, 863}));
  EXPECT_EQ(secondResultsWindowBounds(plot, 200, true).top, 638);
}

TEST(ResultsLayout, ChannelButtonsInThreeRows) {
  struct Case {
    int k;
    Box box;
    const char* title;
  } cases[] = {
      {1, {56, 260, 71, 276}, "1"},     {9, {168, 260, 183, 276}, "9"},   {10, {183, 260, 203, 276}, "10"},
      {16, {297, 260, 317, 276}, "16"}, {17, {5, 277, 25, 293}, "17"},    {31, {299, 277, 319, 293}, "31"},
      {32, {5, 294, 25, 311}, " 32"},   {40, {173, 294, 193, 311}, " 40"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(channelButtonBox(c.k, 260), c.box) << c.k;
    EXPECT_EQ(channelButtonTitle(c.k), c.title);
  }
}

TEST(ResultsLayout, HeaderBand) {
  ResultsHeader h = resultsHeader(3, "O2 analyser", 10, 59, 1.0);
  EXPECT_EQ(h.channelLine, "  Channel 3   O2 analyser                   ");
  EXPECT_EQ(h.casesLine, " cases 11 to 60;  duration 49 sec         ");
  EXPECT_FALSE(h.inMinutes);
  h = resultsHeader(12, std::string(40, 'x'), 0, 600, 1.0);
  EXPECT_EQ(h.channelLine, "  Channel 12   " + std::string(30, 'x'));
  EXPECT_EQ(h.casesLine, " cases 1 to 601;  duration 10 min         ");
  EXPECT_TRUE(h.inMinutes);
  EXPECT_EQ(resultsHeader(1, "", 7, 7, 0.5).casesLine, " cases 8 to 8;  duration 0 sec         ");
  EXPECT_EQ(resultsHeader(1, "", 0, 1234, 1.0).casesLine, " cases 1 to 1235;  duration 20.5667 min         ");

  for (int16_t code : {13, 14, 19, 22, 99}) EXPECT_FALSE(headerMarksChannel(code)) << code;
  for (int16_t code : {12, 16, 28, 47}) EXPECT_TRUE(headerMarksChannel(code)) << code;
  for (int16_t code : {12, 13, 14, 19, 22}) EXPECT_TRUE(showsHistogramButtons(code)) << code;
  for (int16_t code : {16, 28, 47, 99}) EXPECT_FALSE(showsHistogramButtons(code)) << code;

  EXPECT_EQ(upperLimitLine(true, 12.5f), "Data >  12.5 ignored");
  EXPECT_EQ(lowerLimitLine(true, -3.0f), "Data <-3 ignored");
  EXPECT_EQ(upperLimitLine(false, 1.0f), "No upper limit");
  EXPECT_EQ(lowerLimitLine(false, 1.0f), "No lower limit");
}

namespace {

struct ResultsWindowTest : ::testing::Test {
  void SetUp() override {
    qvtest::resetRuntime();
    outtest::fileWithPlotWindow(40, 200);
    BeginBlock.inUse() = 10;
    EndBlock.inUse() = 59;
    UseCrossChanIndex = 0;
    prefsArray[69] = prefsArray[70] = 0;
    IntegrationUnit = kUnitMinutes;
  }
  void TearDown() override {
    UseCrossChanIndex = 0;
    SubsetRowBuiltFor = {};
    AnalysisCode = 0;
    BottomOfPlotArea = 500;
  }
  static std::vector<int> marked(std::initializer_list<int> ids) {
    std::vector<int> out;
    for (int id : ids)
      if (rt::buttonStateIn(4, id) == 2) out.push_back(id);
    return out;
  }
};

}  // namespace

TEST_F(ResultsWindowTest, StatisticsFurnitureMarksChannelAndUnit) {
  AnalysisCode = 12;
  OpenResultsWindow(0, 1, "'Descriptive Stats:  Mean, Range, SD, SE", 0);
  ch = 3;
  CHANNELSELECT();
  IntBUTTON();
  EXPECT_EQ(rt::windowTitle(4), "'Descriptive Stats:  Mean, Range, SD, SE");
  const rt::Rect plot = rt::windowContentRect(1000);
  EXPECT_EQ(rt::windowContentRect(4).left, plot.left);
  EXPECT_EQ(rt::windowContentRect(4).height(), 375);
  for (int k = 1; k <= 40; ++k) ASSERT_TRUE(rt::controlExistsIn(4, k)) << k;
  EXPECT_EQ(rt::controlRect(40), (rt::Rect{173, 294, 193, 311}));
  for (int id : {200, 232, 332, 231, 65, 66, 67, 228, 68, 99, 998}) EXPECT_TRUE(rt::controlExistsIn(4, id)) << id;
  std::vector<int> channels;
  for (int k = 1; k <= 40; ++k)
    if (rt::buttonStateIn(4, k) == 2) channels.push_back(k);
  EXPECT_EQ(channels, std::vector<int>{3});
  EXPECT_EQ(marked({65, 66, 67, 228, 68}), std::vector<int>{66});
  EXPECT_EQ(minutes, 0);
  // A change of channel moves the mark.
  ch = 17;
  WriteHEADER();
  EXPECT_EQ(rt::buttonStateIn(4, 3), 1);
  EXPECT_EQ(rt::buttonStateIn(4, 17), 2);
  // The strip under the window names the channel under the pointer.
  EXPECT_TRUE(rt::windowExists(966));
}

TEST_F(ResultsWindowTest, ScansMarkNoChannelAndOtherCodesShowNoHistogram) {
  AnalysisCode = 13;
  OpenResultsWindow(0, 1, "Mean Minimum", 0);
  ch = 2;
  CHANNELSELECT();
  for (int k = 1; k <= 40; ++k) EXPECT_NE(rt::buttonStateIn(4, k), 2) << k;
  EXPECT_TRUE(rt::controlExistsIn(4, 232));

  AnalysisCode = 16;
  IntegrationUnit = 0;
  OpenResultsWindow(0, 1, "Slope", 0);
  CHANNELSELECT();
  IntBUTTON();
  EXPECT_FALSE(rt::controlExistsIn(4, 232));
  EXPECT_FALSE(rt::controlExistsIn(4, 66)) << "no unit row while no unit is in use";
  EXPECT_EQ(rt::buttonStateIn(4, 2), 2);
}

TEST_F(ResultsWindowTest, SubsetBoxAndDataFilterNotice) {
  AnalysisCode = 12;
  // Never built: the box is dimmed.
  OpenResultsWindow(0, 1, "Stats", 0);
  EXPECT_EQ(rt::buttonStateIn(4, 99), 0);
  EXPECT_FALSE(rt::windowExists(90)) << "no notice while no filter is on";

  // A subset of 2 cases cannot be switched on; once on it can always be switched off.
  float* row = BackupCacheRow(kSubsetRow);
  ASSERT_NE(row, nullptr);
  std::fill(row, row + 201, 0.0f);
  row[5] = row[6] = 1.0f;
  row[0] = 2.0f;
  SubsetRowBuiltFor = {0, DataGeneration[0]};
  OpenResultsWindow(0, 1, "Stats", 0);
  EXPECT_EQ(rt::buttonStateIn(4, 99), 0);
  UseCrossChanIndex = 1;
  OpenResultsWindow(0, 1, "Stats", 0);
  EXPECT_EQ(rt::buttonStateIn(4, 99), 2);
  ASSERT_TRUE(rt::windowExists(90));
  EXPECT_EQ(rt::windowTitle(90), "Data Filter In Use:");
  EXPECT_EQ(rt::editTextIn(90, 1), "cross-channel selection in use");
  EXPECT_EQ(rt::editTextIn(90, 2), "No upper limit");
  EXPECT_EQ(rt::outputWindow(), 4) << "drawing goes on in the results window";

  // An exclusion limit alone opens the notice too, with its line.
  UseCrossChanIndex = 0;
  prefsArray[70] = 1;
  UpperScanLimit = 12.5f;
  rt::closeWindow(90);
  DataFilterNotice("interpolated data are ignored");
  EXPECT_EQ(rt::editTextIn(90, 2), "Data >  12.5 ignored");
  EXPECT_EQ(rt::editTextIn(90, 3), "No lower limit");
  prefsArray[70] = 0;
}

TEST_F(ResultsWindowTest, SecondResultsWindowAdjoinsTheFirst) {
  prefsArray[33] = 0;
  BottomOfPlotArea = 200;
  OpenResultsWindow(0, 0, "Running average", 0);
  OPENWINDOW6("Pair differences", 300);
  const rt::Rect four = rt::windowContentRect(4), six = rt::windowContentRect(6);
  EXPECT_EQ(six.top, four.top);
  EXPECT_EQ(six.left, four.right + 1);
  EXPECT_EQ(six.height(), 300);
  // Opening window 4 again closes window 6.
  OpenResultsWindow(0, 0, "Running average", 0);
  EXPECT_FALSE(rt::windowExists(6));
}

// On the 1440 x 900 screen the plot window takes (its plot area ending at 391), the notice
// asked for at y 906 would be off the screen and the results window is already moved up to
// the bottom: the notice goes on the screen, beside the results window.
TEST_F(ResultsWindowTest, TheDataFilterNoticeIsOnTheScreenBesideALowResultsWindow) {
  rt::setWindowContentRect(1000, {94, 41, 1384, 470});
  BottomOfPlotArea = 391;
  prefsArray[70] = 1;
  UpperScanLimit = 1234.5f;
  AnalysisCode = 12;
  OpenResultsWindow(0, 1, "'Descriptive Stats:  Mean, Range, SD, SE", 0);
  DataFilterNotice("interpolated data are ignored");
  ASSERT_TRUE(rt::windowExists(90));
  const rt::Rect notice = rt::windowContentRect(90), results = rt::windowContentRect(4);
  EXPECT_TRUE(fitsOnScreen(notice, rt::screenRect()));
  EXPECT_TRUE(fitsOnScreen(results, rt::screenRect()));
  const bool apart = notice.left >= results.right || notice.right <= results.left ||
                     notice.top - kTitleBarHeight >= results.bottom || notice.bottom <= results.top - kTitleBarHeight;
  EXPECT_TRUE(apart) << "the notice covers the results window";
  const char* dir = std::getenv("QV_SHOTS");
  EXPECT_TRUE(rt::saveWindowImage(90, (dir && *dir ? std::string(dir) : qvtest::tempDir("notice")) + "/notice_90.png"));
  prefsArray[70] = 0;
}

// The file information window: its texts from the channel words and file facts, where it
// stands, and how each form ends.
#include <cmath>
#include <filesystem>
#include <limits>

#include "core/channel_selection.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/screen_place.h"
#include "core/view_state.h"
#include "datafiles/datafiles.h"
#include "datafiles/file_info_layout.h"
#include "datafiles/file_info_texts.h"
#include "open_road_fixture.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using opentest::OpenRoad;

TEST(FileInfoTexts, CaseCountsDurationsAndDevices) {
  const std::pair<int32_t, const char*> counts[] = {
      {1000, "1001"}, {10000, "10001"}, {10001, "10,002"}, {100000, "100,001"}, {6100000, "6,100,001"}};
  for (const auto& [n, text] : counts) EXPECT_EQ(caseCountText(n), text) << n;

  struct Case {
    float interval;
    int32_t cases;
    const char *value, *unit;
  };
  const Case durations[] = {{1, 100, " 100", " sec"},     {1, 120, " 2", " min"},         {1, 3600, " 1", " hr"},
                            {0.1f, 1199, " 119.9", " sec"}, {10, 6100000, " 16944.4", " hr"}};
  for (const Case& c : durations) {
    const DurationText d = durationText(c.interval, c.cases);
    EXPECT_EQ(d.value + d.unit, std::string(c.value) + c.unit) << c.interval << " x " << c.cases;
  }
  EXPECT_EQ(durationText(3e38f, 6100000).unit, " hr") << "a product beyond a float";
  EXPECT_EQ(deviceName(8), "Diziz IV2");
  EXPECT_EQ(deviceName(4119), "ADAM-4119");
  EXPECT_EQ(deviceName(85.5f), "unknown");
}

TEST(FileInfoTexts, ChannelWordsThatNoAcquisitionWroteCountAsNone) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::pair<float, const char*> inputs[] = {
      {0, "     ?"}, {103, " 3  copy"}, {100, "  ?  copy "}, {5, " 5"}, {70000, "     ?"}, {nan, "     ?"}, {1e9f, "     ?"}};
  for (const auto& [w, text] : inputs) EXPECT_EQ(inputText(w), text) << w;
  const std::pair<float, const char*> readings[] = {{2.5f, "2"}, {3.5f, "4"}, {0.4f, "?"}, {nan, "?"}, {1e30f, "?"}};
  for (const auto& [w, text] : readings) EXPECT_EQ(readingsText(w), text) << w;
  EXPECT_EQ(transformCode(2.9f), 2);
  EXPECT_EQ(transformCode(-0.5f), 0);
  EXPECT_EQ(transformCode(nan), -1);
  EXPECT_EQ(transformCode(70000), -1);
}

TEST(FileInfoTexts, AcquisitionRowsByTransformCode) {
  const float none[5] = {};
  auto row = [&](float code, float a, float b, float c, const float* k = nullptr) {
    float w[41] = {};
    w[1] = 3, w[2] = a, w[3] = b, w[4] = c, w[5] = code, w[6] = 10;
    return acquisitionRow(w, k ? k : none);
  };
  EXPECT_EQ(row(0, 5, 6, 7), (std::vector<RowText>{{266, " 3"},
                                                   {320, " 0"},
                                                   {415, " 1"},
                                                   {507, " 1"},
                                                   {757, "10"},
                                                   {596, "   unknown  (assumed linear) "}}));
  const std::vector<RowText> poly = row(2, 1, 2, 3);
  ASSERT_EQ(poly.size(), 6u);
  EXPECT_TRUE(poly.back().raisedTwo);
  EXPECT_EQ(poly[1].text, " 1");
  EXPECT_EQ(row(5, 1, 2, 3), (std::vector<RowText>{{364, "complex breakpoint equation"}}));
  EXPECT_EQ(row(12, 0, 0, 0), (std::vector<RowText>{{414, "data transformed after acquisition"}}));
  EXPECT_TRUE(row(12, 1, 0, 0).empty());
  EXPECT_EQ(row(std::numeric_limits<float>::infinity(), 0, 0, 0).size(), 1u) << "not a code: any other code";
  const float k[5] = {1, 2, 0.5f, 0.25f, 3};
  EXPECT_EQ(row(6, 0, 0, 0, k),
            (std::vector<RowText>{{694, "10"}, {310, "[ 1+ 2*V + 0.5*V2 + 0.25*V3 ] * 3"}}));
  const float flat[5] = {4, 0, 0, 0, 9};
  EXPECT_EQ(row(6, 0, 0, 0, flat),
            (std::vector<RowText>{{694, "10"}, {384, "3-order polynomial conversion"}, {586, "nonlinear"}}));
}

TEST(FileInfoTexts, LegendRowsStartWithTheActiveChannel) {
  int16_t flags[42] = {};
  EXPECT_EQ(legendChannels(2, flags, 5), std::vector<int>{2});
  flags[1] = flags[2] = flags[4] = 1;
  EXPECT_EQ(legendChannels(2, flags, 5), (std::vector<int>{2, 1, 4}));
}

TEST(FileInfoLayout, TheWindowGrowsWithChannelsAndStaysOnTheScreen) {
  const rt::Rect screen{0, 0, 1440, 900}, plot{0, 41, 1200, 500};
  const std::pair<int, int> heights[] = {{5, 259}, {16, 259}, {17, 272}, {26, 389}, {40, 571}};
  for (const auto& [n, h] : heights) {
    const rt::Rect r = fileInfoWindowRect(1, plot, 391, n, screen);
    EXPECT_EQ(r.height(), h) << n;
    EXPECT_EQ(r.width(), 838);
    EXPECT_TRUE(fitsOnScreen(r, screen)) << n;
  }
  EXPECT_EQ(fileInfoWindowRect(1, plot, 391, 5, screen).top, 41 + 391 + 88);
  EXPECT_EQ(fileInfoWindowRect(0, plot, 391, 5, screen).width(), 316);
  EXPECT_EQ(fileInfoWindowRect(2, plot, 391, 40, screen), (rt::Rect{10, 70, 848, 312 + 331}));
}

namespace {

class FileInfoWindow : public OpenRoad {
 protected:
  void SetUp() override {
    OpenRoad::SetUp();
    const std::string path = dir + "/respirometry-run.KXdata";
    std::filesystem::copy_file(QV_RESOURCE_DIR "/examples/respirometry-run.KXdata", path);
    ASSERT_EQ(openThroughMenu(path), 0);
  }
};

}  // namespace

TEST_F(FileInfoWindow, TheExampleShowsItsFacts) {
  const int f = TheFileInUse;
  EXPECT_EQ(caseCountText(nCases[f]), "10,801");
  EXPECT_EQ(FileSHORTS[f][kMarkerCountWord], 6);
  EXPECT_EQ(NumberOfNotes[f], 3);
  const DurationText d = durationText(FileInfoFLOATS[f][1], nCases[f]);
  EXPECT_EQ(d.value + d.unit, " 3 hr");
  EXPECT_EQ(deviceName(FileInfoFLOATS[f][7]), "unknown");
  const float k[5] = {};
  for (int c = 1; c <= nChannels[f]; ++c) {
    const std::vector<RowText> row = acquisitionRow(fileVariableArray[f][c], k);
    ASSERT_EQ(row.size(), 6u) << c;
    EXPECT_EQ(row[0].text, "     ?");
    EXPECT_EQ(row[1].text + row[2].text + row[3].text, " 0 1 1");
    EXPECT_EQ(row[4].text, "?");
    EXPECT_EQ(row[5].text, "   unknown  (assumed linear) ");
  }
}

TEST_F(FileInfoWindow, EachFormEndsItsOwnWay) {
  const std::string shot = "shot 444 " + dir + "/info.png";
  // Form 1: the close box, or a click in the plot window, which its caller then sees.
  qvtest::script({shot.c_str(), "dialog 4 444"});
  FILEINFO("", "", "", 1);
  EXPECT_FALSE(rt::windowExists(444));
  EXPECT_TRUE(std::filesystem::exists(dir + "/info.png"));
  qvtest::script({"dialog 3 1000"});
  FILEINFO("", "", "", 1);
  EXPECT_FALSE(rt::windowExists(444));
  EXPECT_EQ(action, 3);
  EXPECT_EQ(eventID, 1000);
  // A click in the result window or the comments window does not end it; Quit does.
  qvtest::script({"dialog 3 4", "quit"});
  FILEINFO("", "", "", 1);
  EXPECT_FALSE(rt::windowExists(444));
  EXPECT_TRUE(gQuitPending);
  gQuitPending = false;
  // Form 3 is asked for by the result window: that window stays, and so does 444.
  rt::openWindow(4, "results", {10, 10, 300, 200}, rt::kDocumentWindowClass, rt::kAttrCloseBox);
  FILEINFO("", "", "", 3);
  EXPECT_TRUE(rt::windowExists(4));
  EXPECT_TRUE(rt::windowExists(444));
  EXPECT_EQ(rt::outputWindow(), 4);
  // Form 0, the legend, closes the result window and stays open without a loop.
  FILEINFO("", "", "", 0);
  EXPECT_FALSE(rt::windowExists(4));
  EXPECT_EQ(rt::windowTitle(444), "Color Codes for  'respirometry-run.KXdata '");
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

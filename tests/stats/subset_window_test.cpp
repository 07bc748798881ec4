#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <vector>

#include "core/backup_cache.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "runtime/windows.h"
#include "core/prefs.h"
#include "core/screen_place.h"
#include "core/undo.h"
#include "output/output.h"
#include "output/output_fixture.h"
#include "core/data_generation.h"
#include "output/subset.h"
#include "stats/subset_layout.h"

using namespace qv;

namespace {

struct SubsetWindowTest : ::testing::Test {
  void SetUp() override {
    qvtest::resetRuntime();
    outtest::fileWithPlotWindow(40, 10);
    const float ch2[] = {3, 5, 7, 4.9f, 5.1f, 1, 2, 3, 6, 8};
    for (int k = 1; k <= 10; ++k) {
      PutDatum(0, 2, k, ch2[k - 1]);
      PutDatum(0, 38, k, k <= 5 ? 0.5f : 0.5000001f);
    }
    raiseDataGeneration(0);
    for (auto& r : CrossChanSelectionArray) r = {};
    SubsetRowBuiltFor = {};
    UseCrossChanIndex = 0;
    AvoidInterpolation = 0;
  }
  void TearDown() override {
    for (auto& r : CrossChanSelectionArray) r = {};
    SubsetRowBuiltFor = {};
    UseCrossChanIndex = 0;
    AvoidInterpolation = 0;
    FreeFileSlot(1);
  }
  // The cases the subset row selects, and its count.
  static std::vector<int> selected() {
    const float* row = BackupCacheRow(kSubsetRow);
    std::vector<int> cases;
    for (int k = 1; k <= nCases[TheFileInUse]; ++k)
      if (row[k] == 1.0f) cases.push_back(k);
    EXPECT_EQ(row[0], float(cases.size()));
    return cases;
  }
};

using Cases = std::vector<int>;

}  // namespace

TEST_F(SubsetWindowTest, ConditionsTypedInTheWindowSelectCases) {
  struct Case {
    std::vector<std::string> records;
    Cases expected;
  } cases[] = {
      // At least 5 keeps 5.
      {{"click 2", "type 202 5"}, {2, 3, 5, 9, 10}},
      // The equal box of channel 38 has a number of its own: 0.5 keeps 0.5, not 0.5000001.
      {{"click 121", "type 318 0.5"}, {1, 2, 3, 4, 5}},
      // A band on one channel.
      {{"click 2", "type 202 4", "click 42", "type 242 6"}, {2, 4, 5, 9}},
      // No condition keeps every case.
      {{}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
  };
  for (const auto& c : cases) {
    rt::script::clear();
    qvtest::script({"click 119"});
    for (const auto& r : c.records) qvtest::script({r.c_str()});
    qvtest::script({"click 118", "click 120"});
    SelectSubset();
    EXPECT_EQ(selected(), c.expected) << c.records.size();
    EXPECT_FALSE(rt::windowExists(200));
  }
  // "Set Index", "Clear All" and "Done" (118 to 120) set no condition on channels 38 to 40:
  // the last run, with no condition, kept every case.
  for (int c = 38; c <= 40; ++c) EXPECT_EQ(CrossChanSelectionArray[c][3], 0.0f) << c;
}

TEST_F(SubsetWindowTest, ABoxStaysTickedAndClearAllKeepsTheLimits) {
  qvtest::script({"click 2", "type 202 5", "click 2", "click 120"});
  SelectSubset();
  EXPECT_EQ(CrossChanSelectionArray[2][1], 1.0f) << "clicking a ticked box again leaves it on";
  EXPECT_EQ(CrossChanSelectionArray[2][4], 5.0f);
  qvtest::script({"click 119", "dialog 4 200"});
  SelectSubset();
  EXPECT_EQ(CrossChanSelectionArray[2][1], 0.0f);
  EXPECT_EQ(CrossChanSelectionArray[2][4], 5.0f);
  EXPECT_EQ(SubsetRowBuiltFor.slot, -1) << "leaving the window builds nothing";
}

TEST_F(SubsetWindowTest, ALimitThatIsNotANumberIsRefused) {
  CrossChanSelectionArray[2][4] = 5.0f;
  qvtest::script({"click 2", "type 202 five", "click 118", "click 1", "click 120"});
  SelectSubset();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(CrossChanSelectionArray[2][4], 5.0f);
  EXPECT_EQ(SubsetRowBuiltFor.slot, -1) << "no subset is built from a refused limit";
}

TEST_F(SubsetWindowTest, NoValidCasesWarnsAndSwitchesTheSubsetOff) {
  UseCrossChanIndex = 1;
  OpenResultsWindow(0, 1, "Stats", 0);
  // The warning's OK takes "click 1"; had no warning come, it would tick box 1.
  qvtest::script({"click 2", "type 202 1000", "click 118", "click 1", "click 120"});
  SelectSubset();
  EXPECT_EQ(CrossChanSelectionArray[1][1], 0.0f);
  EXPECT_EQ(UseCrossChanIndex, 0);
  EXPECT_EQ(BackupCacheRow(kSubsetRow)[0], 0.0f);
  EXPECT_EQ(rt::buttonStateIn(4, 99), 0);
  EXPECT_TRUE(PrepareCaseFilters(true, false).useSubset == false);
}

TEST_F(SubsetWindowTest, FlagsAreNeverUsedForAnotherFileNorAfterAnEdit) {
  qvtest::script({"click 1", "type 201 1005", "click 118", "click 120"});
  SelectSubset();
  EXPECT_EQ(selected(), (Cases{5, 6, 7, 8, 9, 10}));

  // Another file: channel 1 runs 1001..1008.
  coretest::makeFile(1, 2, 8);
  TheFileInUse = 1;
  UseCrossChanIndex = 1;
  CaseFilters f = PrepareCaseFilters(true, false);
  ASSERT_TRUE(f.useSubset);
  EXPECT_EQ(f.subset.size(), 9u);
  EXPECT_EQ(SubsetRowBuiltFor.slot, 1);
  EXPECT_EQ(selected(), (Cases{5, 6, 7, 8}));

  // An edit of that file (an undoable edit saves the channel first).
  ASSERT_TRUE(MAKEBACKUP(1));
  PutDatum(1, 1, 2, 2000.0f);
  f = PrepareCaseFilters(true, false);
  EXPECT_TRUE(f.includes(2));
  EXPECT_EQ(selected(), (Cases{2, 5, 6, 7, 8}));

  // Another file read into the same slot.
  coretest::makeFile(1, 2, 8);
  for (int k = 1; k <= 8; ++k) PutDatum(1, 1, k, 1000.0f);
  qvtest::script({"click 1"});  // the "No Valid Cases Warning"
  f = PrepareCaseFilters(true, false);
  EXPECT_FALSE(f.useSubset) << "nothing is selected: the subset is switched off";
  EXPECT_EQ(UseCrossChanIndex, 0);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  TheFileInUse = 0;
}

TEST_F(SubsetWindowTest, InterpolatedSpansAreLeftOutFromMarkerToMarker) {
  MarkersArray[0][1][1] = 3;
  MarkersArray[0][1][2] = 200;
  MarkersArray[0][2][1] = 5;
  MarkersArray[0][2][2] = 199;
  FileSHORTS[0][kMarkerCountWord] = 2;
  EXPECT_FALSE(PrepareCaseFilters(true, true).active()) << "both switches off";
  AvoidInterpolation = 1;
  const CaseFilters f = PrepareCaseFilters(false, true);
  Cases kept;
  for (int k = 1; k <= 10; ++k)
    if (f.includes(k)) kept.push_back(k);
  EXPECT_EQ(kept, (Cases{1, 2, 6, 7, 8, 9, 10}));
  FileSHORTS[0][kMarkerCountWord] = 0;
}

// A file of 40 channels: the window is set in two columns that fit the 1440 x 900 screen, and
// the conditions of the last channel and the buttons under the list still work.
TEST_F(SubsetWindowTest, FortyChannelsFitTheScreenInTwoColumns) {
  const char* dir = std::getenv("QV_SHOTS");
  const std::string shot = (dir && *dir ? std::string(dir) : qvtest::tempDir("subset")) + "/subset_40.png";
  qvtest::script({("shot 200 " + shot).c_str(), "click 123", "type 320 40003", "click 118", "click 120"});
  SelectSubset();
  QImage img(QString::fromStdString(shot));
  ASSERT_FALSE(img.isNull());
  const SubsetLayout l = subsetWindowLayout(40, 900 - kTitleBarHeight - 20);
  EXPECT_EQ(img.width(), l.width);
  EXPECT_EQ(img.height(), l.height);
  EXPECT_LE(img.width(), 1440);
  EXPECT_LE(img.height() + kTitleBarHeight, 900);
  EXPECT_EQ(CrossChanSelectionArray[40][3], 1.0f) << "the equal box of channel 40";
  EXPECT_FLOAT_EQ(CrossChanSelectionArray[40][6], 40003.0f);
  EXPECT_EQ(selected(), std::vector<int>{3});
  CrossChanSelectionArray[40] = {};
}

// Labels of the format's full 30 characters: each row's label ends before its first box.
TEST_F(SubsetWindowTest, FullLengthLabelsEndBeforeTheFirstCheckBox) {
  for (int c = 1; c <= 40; ++c) SetChannelLabel(0, c, "Oxygen consumption chamber " + std::to_string(100 + c));
  const std::string longest = "40:  " + RetrieveLabel(40);
  ASSERT_EQ(RetrieveLabel(40).size(), 30u);
  qvtest::script({"click 120"});
  SelectSubset();
  const SubsetLayout l = subsetWindowLayout(40, 900 - kTitleBarHeight - 20);
  rt::openWindow(9999, "measure", {0, 0, 100, 100}, rt::kDocumentWindowClass, 0);
  SetTextStyle(KestrixFont, 12, 0);
  EXPECT_LE(rt::stringWidth(longest), l.rows[39].label.width());
  EXPECT_LT(l.rows[39].label.right, l.rows[39].box[0].left);
  rt::closeWindow(9999);
}

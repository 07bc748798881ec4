#include <gtest/gtest.h>

#include <vector>

#include "output/output.h"
#include "output/output_fixture.h"
#include "core/results_scaling.h"
#include "runtime/numtext.h"
#include "stats/block_stats.h"
#include "stats/stats_block.h"
#include "core/stats_state.h"

using namespace qv;

namespace {

struct StatsBlockTest : ::testing::Test {
  void SetUp() override {
    qvtest::resetRuntime();
    outtest::fileWithPlotWindow(2, 200);
    FileInfoFLOATS[0][1] = 2.0f;  // seconds a case
    FileInfoFLOATS[0][8] = 600.0f;  // 10:00
    AnalysisCode = 12;
    row = 0;
    ch = 1;
    IntegrationUnit = kUnitMinutes;
    resetResultScaling();
    Rscale = 0;
    OpenResultsWindow(0, 1, "Stats", 0);
    CHANNELSELECT();
    IntBUTTON();
    BasicStatsTextStuff(99);
  }
  void TearDown() override {
    resetResultScaling();
    Rscale = 0;
    AnalysisCode = 0;
  }
  // Cases 11..60 of values 10 and 12 in turn, every third case filtered out.
  static void publishFilteredBlock() {
    std::vector<float> x(201);
    for (int k = 0; k <= 200; ++k) x[size_t(k)] = k % 2 ? 12.0f : 10.0f;
    std::vector<float> subset(201, 1.0f);
    for (int k = 0; k <= 200; k += 3) subset[size_t(k)] = 0.0f;
    CaseFilters filters;
    filters.useSubset = true;
    filters.subset = subset;
    publishStatistics(blockStats(x, 10, 59, filters), 10, 59);
  }
};

}  // namespace

TEST_F(StatsBlockTest, FieldsOfTheBlockAndTheIntegratedTotalPerUnit) {
  publishFilteredBlock();
  ASSERT_EQ(nrPoints, 34);
  BasicSTATS(1);
  EXPECT_EQ(rt::editTextIn(4, kMeanField), rt::PSstr(meanValue));
  EXPECT_EQ(rt::editTextIn(4, kNField), "34");
  EXPECT_EQ(rt::editTextIn(4, kSDField), rt::PSstr(StandardDeviation));
  EXPECT_EQ(rt::editTextIn(4, kRangeField), " 10  to  12");
  EXPECT_EQ(rt::editTextIn(4, kRangeCaption), "range:");

  // The total sums the cases included: mean x 34 x 2 s in the unit; "None" is the plain sum.
  struct Case {
    int16_t unit;
    double total;
  } cases[] = {{kUnitSeconds, meanValue * 34 * 2}, {kUnitMinutes, meanValue * 34 * 2 / 60},
               {kUnitHours, meanValue * 34 * 2 / 3600}, {kUnitDays, meanValue * 34 * 2 / 86400},
               {kUnitNone, meanValue * 34}};
  for (const auto& c : cases) {
    IntegrationUnit = c.unit;
    nPoints = 0;
    DoINTEGRATION(0);
    EXPECT_EQ(rt::editTextIn(4, kIntegratedTotalField), rt::PSstr(c.total)) << c.unit;
    EXPECT_EQ(nPoints, 34) << c.unit;
    EXPECT_EQ(rt::buttonStateIn(4, c.unit), 2) << c.unit;
  }
  EXPECT_EQ(rt::buttonStateIn(4, kUnitSeconds), 1);

  // Scaled x2 + 1: the level takes the constant, the spread does not; the total adds the
  // constant for every case included.
  Rscale = 1;
  scalingFactorArray[1][2] = 2.0f;
  scalingFactorArray[1][3] = 1.0f;
  IntegrationUnit = kUnitSeconds;
  BasicSTATS(1);
  EXPECT_EQ(rt::editTextIn(4, kMeanField), rt::PSstr(meanValue * 2 + 1));
  EXPECT_EQ(rt::editTextIn(4, kSDField), rt::PSstr(double(StandardDeviation) * 2));
  EXPECT_EQ(rt::editTextIn(4, kIntegratedTotalField), rt::PSstr((meanValue * 2 + 1) * 34 * 2));
}

TEST_F(StatsBlockTest, FewCasesShowNoSpreadAndNoCaseShowsNoMean) {
  std::vector<float> x(201, 5.0f);
  publishStatistics(blockStats(x, 10, 11), 10, 11);
  BasicSTATS(1);
  EXPECT_EQ(rt::editTextIn(4, kMeanField), " 5");
  EXPECT_FALSE(rt::controlExistsIn(4, kSDField)) << "S.D., C.V. and S.E. need 3 cases";
  EXPECT_EQ(rt::editTextIn(4, kNField), "2");

  std::vector<float> none(201, 5.0f);
  std::vector<float> subset(201, 0.0f);
  CaseFilters filters;
  filters.useSubset = true;
  filters.subset = subset;
  publishStatistics(blockStats(none, 10, 59, filters), 10, 59);
  BasicSTATS(1);
  EXPECT_EQ(rt::editTextIn(4, kMeanField), "no valid cases");
  EXPECT_EQ(rt::editTextIn(4, kNField), "0");
}

TEST_F(StatsBlockTest, ANewRangeClearsWhatNoLongerHolds) {
  std::vector<float> x(201);
  for (int k = 0; k <= 200; ++k) x[size_t(k)] = float(k % 7);
  std::vector<float> none(201, 0.0f);
  CaseFilters nothing;
  nothing.useSubset = true;
  nothing.subset = none;
  struct Case {
    const char* what;
    BlockStats stats;
    bool clearsRangeAndTotal;
  } cases[] = {{"two cases", blockStats(x, 10, 11), false}, {"no valid case", blockStats(x, 10, 59, nothing), true}};
  for (const Case& c : cases) {
    // A full range first, so that every field holds a value.
    publishStatistics(blockStats(x, 10, 59), 10, 59);
    BasicSTATS(1);
    DoINTEGRATION(0);
    ASSERT_NE(rt::editTextIn(4, kSDField), "") << c.what;
    ASSERT_NE(rt::editTextIn(4, kIntegratedTotalField), "") << c.what;

    publishStatistics(c.stats, 10, 59);
    BasicSTATS(1);
    DoINTEGRATION(0);
    for (int id : {kSDField, kCVField, kSEField}) EXPECT_EQ(rt::editTextIn(4, id), "") << c.what << " field " << id;
    if (c.clearsRangeAndTotal) {
      EXPECT_EQ(rt::editTextIn(4, kRangeField), "") << c.what;
      EXPECT_EQ(rt::editTextIn(4, kIntegratedTotalField), "") << c.what;
    }
  }
}

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stats/block_stats.h"
#include "core/case_filters.h"
#include "core/data_generation.h"

using namespace qv;

namespace {

// A small file: channels[c] for c = 1..n, each indexed by case (entry 0 holds no sample).
struct File {
  std::vector<std::vector<float>> data;
  std::vector<std::span<const float>> spans;
  int32_t cases = 0;
  explicit File(std::vector<std::vector<float>> channels) {
    data.push_back({});
    for (auto& c : channels) {
      cases = int32_t(c.size());
      c.insert(c.begin(), 0.0f);
      data.push_back(std::move(c));
    }
    for (auto& c : data) spans.emplace_back(c);
  }
};

struct Conditions {
  CrossChanRecord r[kMaxChannels + 1] = {};
  Conditions& atLeast(int c, float v) { r[c][1] = 1; r[c][4] = v; return *this; }
  Conditions& atMost(int c, float v) { r[c][2] = 1; r[c][5] = v; return *this; }
  Conditions& equal(int c, float v) { r[c][3] = 1; r[c][6] = v; return *this; }
};

std::vector<float> flags(const std::vector<float>& row) { return {row.begin() + 1, row.end()}; }

}  // namespace

TEST(SubsetFlags, ConditionTable) {
  File f({{1, 2, 3, 4, 5, 6}, {4.9f, 5, 5.1f, 0.5f, 0.5000001f, 3}, {0, 1, 2, 3, 4, 5}});
  struct Case {
    const char* what;
    Conditions conditions;
    std::vector<float> expected;
  } cases[] = {
      {">= 5 keeps 5", Conditions().atLeast(2, 5), {0, 1, 1, 0, 0, 0}},
      {"<= 3", Conditions().atMost(2, 3), {0, 0, 0, 1, 1, 1}},
      {"= 0.5 keeps nothing else, however close", Conditions().equal(2, 0.5f), {0, 0, 0, 1, 0, 0}},
      {"a band 1 .. 3 on one channel", Conditions().atLeast(3, 1).atMost(3, 3), {0, 1, 1, 1, 0, 0}},
      {"conditions on two channels all hold", Conditions().atLeast(1, 2).atMost(2, 5), {0, 1, 0, 1, 1, 1}},
      {"no condition keeps every case", Conditions(), {1, 1, 1, 1, 1, 1}},
      {"a channel the file lacks is not tested", Conditions().atLeast(4, 100).atLeast(40, 1), {1, 1, 1, 1, 1, 1}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<float> row(size_t(f.cases) + 1, -1.0f);
    SubsetBuild b = buildSubsetFlags(c.conditions.r, f.spans, f.cases, row);
    EXPECT_EQ(flags(row), c.expected);
    int selected = 0;
    for (float x : c.expected) selected += x == 1.0f;
    EXPECT_EQ(b.selected, selected);
    EXPECT_EQ(row[0], float(selected));
    EXPECT_FALSE(b.noValidCases);
  }
}

TEST(SubsetFlags, NothingLeftSwitchesTheSubsetOff) {
  File f({{1, 2, 3}});
  std::vector<float> row(4);
  SubsetBuild b = buildSubsetFlags(Conditions().atLeast(1, 10).r, f.spans, f.cases, row);
  EXPECT_TRUE(b.noValidCases);
  EXPECT_EQ(b.selected, 0);
  EXPECT_EQ(row[0], 0.0f);  // below 3: the subset cannot be switched on again
  EXPECT_LT(row[0], float(kMinSubsetCases));
}

TEST(SubsetFlags, MissingValuesNeverMeetACondition) {
  // A short channel array (no value past case 2) and a NaN sample.
  std::vector<float> shortChannel{0, 7, std::nanf("")};
  std::vector<std::span<const float>> channels{{}, shortChannel};
  std::vector<float> row(5);
  SubsetBuild b = buildSubsetFlags(Conditions().atMost(1, 100).r, channels, 4, row);
  EXPECT_EQ(flags(row), (std::vector<float>{1, 0, 0, 0}));
  EXPECT_EQ(b.selected, 1);
}

TEST(SubsetFlags, ARowIsUsedOnlyForTheDataItWasBuiltFrom) {
  File a({{1, 5, 9}});
  File b({{9, 9, 1}});
  Conditions c = Conditions().atLeast(1, 5);
  std::vector<float> row(4);
  SubsetRowStamp stamp;
  DataGeneration[0] = 7;
  DataGeneration[1] = 7;

  auto built = refreshSubsetRow(stamp, 0, DataGeneration[0], c.r, a.spans, a.cases, row);
  ASSERT_TRUE(built.has_value());
  EXPECT_EQ(flags(row), (std::vector<float>{0, 1, 1}));
  EXPECT_TRUE(subsetRowIsCurrent(stamp, 0, DataGeneration[0]));
  // The same slot and data: kept as it is.
  EXPECT_FALSE(refreshSubsetRow(stamp, 0, DataGeneration[0], c.r, a.spans, a.cases, row));

  // Another file at the same generation count: rebuilt from that file.
  EXPECT_FALSE(subsetRowIsCurrent(stamp, 1, DataGeneration[1]));
  ASSERT_TRUE(refreshSubsetRow(stamp, 1, DataGeneration[1], c.r, b.spans, b.cases, row));
  EXPECT_EQ(flags(row), (std::vector<float>{1, 1, 0}));

  // The data of that file change: rebuilt again.
  b.data[1][3] = 6;
  raiseDataGeneration(1);
  EXPECT_FALSE(subsetRowIsCurrent(stamp, 1, DataGeneration[1]));
  ASSERT_TRUE(refreshSubsetRow(stamp, 1, DataGeneration[1], c.r, b.spans, b.cases, row));
  EXPECT_EQ(flags(row), (std::vector<float>{1, 1, 1}));

  // A row never built is current for nothing.
  EXPECT_FALSE(subsetRowIsCurrent(SubsetRowStamp{}, 0, 0));
}

TEST(CaseFilters, BothFiltersDecideTogether) {
  std::vector<float> subset{2, 1, 0, 1, 0};
  std::vector<float> interp{0, 0, 0, 1, 1};
  struct Case {
    bool useSubset, avoid;
    std::vector<bool> included;  // cases 1..4
  } cases[] = {
      {false, false, {true, true, true, true}},
      {true, false, {true, false, true, false}},
      {false, true, {true, true, false, false}},
      {true, true, {true, false, false, false}},
  };
  for (const Case& c : cases) {
    CaseFilters f{c.useSubset, subset, c.avoid, interp};
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(f.includes(k), c.included[size_t(k - 1)]) << k;
  }
  // A filter row shorter than the data ends the range where its flags end.
  std::vector<float> data{0, 1, 2, 3, 4, 5, 6};
  EXPECT_EQ(blockStats(data, 1, 6, {true, subset, false, {}}).end, 4);
}

// Merging a decoded second file into a file (append, stack) and bringing data to another
// sample interval, as plain functions.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "datafiles/merge.h"
#include "datafiles/resample.h"

using namespace qv;

namespace {

// A file whose channel c holds `values` (case 1 onward) plus 1000 x (c - 1); entry 0 = -1.
DataFile fileOf(const std::vector<float>& values, int channels = 1, float interval = 1.0f) {
  DataFile f;
  f.nCases = int32_t(values.size());
  f.nChannels = int16_t(channels);
  for (int c = 0; c <= channels; ++c) {
    f.channels[size_t(c)] = allocateSamples(f.nCases);
    f.channels[size_t(c)][0] = -1;
    for (size_t k = 0; k < values.size(); ++k) f.channels[size_t(c)][k + 1] = values[k] + 1000.0f * float(c - 1);
    f.meta.labels[size_t(c)] = "L" + std::to_string(c);
    f.meta.variables[c][1] = float(c);
  }
  f.meta.info[1] = interval;
  return f;
}

DataFile casesNumbered(int32_t n, float interval, int channels = 1) {
  std::vector<float> v(static_cast<size_t>(n));
  for (int32_t k = 0; k < n; ++k) v[size_t(k)] = float(k + 1);
  return fileOf(v, channels, interval);
}

std::vector<float> channel(const DataFile& f, int c) {
  return {f.channels[size_t(c)].get() + 1, f.channels[size_t(c)].get() + 1 + f.nCases};
}

SampleArray noMemory(int32_t) { return nullptr; }

MergeChoices pickAll(IntervalChoice interval = IntervalChoice::Original) {
  MergeChoices c;
  c.picker.fill(1);
  c.interval = interval;
  return c;
}

}  // namespace

TEST(Append, JoinsEveryCaseOfBothFilesEntryZeroTheFirsts) {
  const DataFile a = fileOf({1, 2, 3}, 3);
  DataFile b = fileOf({10, 20}, 2);
  b.meta.markers = {{1, 7}};
  MergeChoices c;
  const MergeResult r = appendFiles(viewOf(a), b, c);
  ASSERT_TRUE(r.file);
  const DataFile& j = *r.file;
  EXPECT_EQ(j.nCases, 5);
  EXPECT_EQ(j.nChannels, 3);
  EXPECT_EQ(channel(j, 1), (std::vector<float>{1, 2, 3, 10, 20}));
  EXPECT_EQ(channel(j, 3), (std::vector<float>{2001, 2002, 2003, 0, 0})) << "a channel the second file lacks";
  EXPECT_EQ(j.channels[1][0], -1);
  ASSERT_EQ(j.meta.markers.size(), 1u);
  EXPECT_EQ(j.meta.markers[0].kase, 4);
  EXPECT_EQ(j.meta.labels[1], "L1") << "no label picked from the second file";

  const MergeResult wider = appendFiles(viewOf(b), a, c);
  ASSERT_TRUE(wider.file);
  EXPECT_EQ(channel(*wider.file, 3), (std::vector<float>{0, 0, 2001, 2002, 2003}));
  EXPECT_EQ(wider.file->meta.labels[3], "L3");
  EXPECT_EQ(wider.file->meta.variables[3][1], 3) << "a channel only the second file has keeps its coefficients";
}

TEST(Append, AppliesTheChoicesOfTheAppendWindow) {
  DataFile a = fileOf({1, 2}, 2);
  DataFile b = fileOf({3}, 2, 2.0f);
  a.meta.startTime = "09:00:00", a.meta.startDate = "1-1-2020";
  b.meta.startTime = "10:00:00", b.meta.startDate = "2-2-2021";
  b.meta.labels[2] = "new two";
  MergeChoices c;
  c.picker[2] = 1;
  c.newStartDate = true;
  c.interval = IntervalChoice::New;
  const MergeResult r = appendFiles(viewOf(a), b, c);
  ASSERT_TRUE(r.file);
  EXPECT_EQ(r.file->meta.labels[1], "L1");
  EXPECT_EQ(r.file->meta.labels[2], "new two");
  EXPECT_EQ(r.file->meta.startTime, "09:00:00");
  EXPECT_EQ(r.file->meta.startDate, "2-2-2021");
  EXPECT_EQ(r.file->meta.info[1], 2.0f) << "the second file's interval, nothing resampled";
  EXPECT_EQ(r.file->nCases, 3);
}

TEST(Append, RefusesPastCapacityAndWhenMemoryIsShort) {
  const DataFile a = fileOf({1, 2, 3});
  const DataFile b = fileOf({4, 5});
  EXPECT_TRUE(appendFits(kMaxCases - 2, 2));
  EXPECT_FALSE(appendFits(kMaxCases - 2, 3));
  EXPECT_EQ(appendFiles(viewOf(a), b, {}, noMemory).refusal, MergeRefusal::NoMemory);
}

TEST(Append, AdjustedStretchKeepsItsTime) {
  DataFile a = fileOf({1, 2, 3});
  DataFile b = fileOf({10, 20}, 1, 2.0f);
  b.meta.markers = {{1, 3}};
  const MergeResult r = appendFiles(viewOf(a), b, pickAll(IntervalChoice::Adjust));
  ASSERT_TRUE(r.file);
  EXPECT_EQ(channel(*r.file, 1), (std::vector<float>{1, 2, 3, 6.5, 10, 15, 20}));
  EXPECT_EQ(r.file->meta.markers.at(0).kase, 5);
  EXPECT_EQ(r.file->meta.info[1], 1.0f);
}

TEST(Append, AdjustedNeverWritesOverTheOpenFilesCases) {
  struct Case {
    float intervalA, intervalB;
    std::vector<float> joined;
  } cases[] = {
      {2.0f, 1.0f, {1, 2, 3, 30, 40}},
      {1.0f, 2.0f, {1, 2, 3, 6.5, 10, 15, 20, 25, 30, 35, 40}},
      {1.0f, 1.0f, {1, 2, 3, 10, 20, 30, 40}},
      {0.5f, 0.1f, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    const DataFile a = fileOf({1, 2, 3}, 2, c.intervalA);
    const DataFile b = fileOf({10, 20, 30, 40}, 2, c.intervalB);
    const MergeResult r = appendFiles(viewOf(a), b, pickAll(IntervalChoice::Adjust));
    ASSERT_TRUE(r.file) << c.intervalA << " " << c.intervalB;
    EXPECT_EQ(channel(*r.file, 1), c.joined) << c.intervalA << " " << c.intervalB;
    const std::vector<float> two = channel(*r.file, 2);
    EXPECT_EQ(std::vector<float>(two.begin(), two.begin() + 3), (std::vector<float>{1001, 1002, 1003}));
  }
}

TEST(Stack, AddsThePickedChannelsAfterTheFileInUse) {
  const DataFile a = fileOf({1, 2, 3}, 10);
  DataFile b = fileOf({5, 6, 7, 8, 9}, 3);
  MergeChoices c;
  c.picker[1] = c.picker[3] = 1;
  const MergeResult r = stackFiles(viewOf(a), b, c);
  ASSERT_TRUE(r.file);
  const DataFile& j = *r.file;
  EXPECT_EQ(j.nChannels, 12);
  EXPECT_EQ(j.nCases, 5);
  EXPECT_EQ(channel(j, 1), (std::vector<float>{1, 2, 3, 0, 0})) << "the shorter file is 0 past its length";
  EXPECT_EQ(channel(j, 11), (std::vector<float>{5, 6, 7, 8, 9}));
  EXPECT_EQ(channel(j, 12), (std::vector<float>{2005, 2006, 2007, 2008, 2009}));
  EXPECT_EQ(j.meta.labels[1], "L1");
  EXPECT_EQ(j.meta.labels[2], "L2");
  EXPECT_EQ(j.meta.labels[11], "L1");
  EXPECT_EQ(j.meta.labels[12], "L3");
  EXPECT_EQ(j.meta.variables[12][1], 3);
  EXPECT_EQ(j.meta.variables[2][1], 2);

  const MergeResult shorter = stackFiles(viewOf(b), a, c);
  ASSERT_TRUE(shorter.file);
  EXPECT_EQ(channel(*shorter.file, 4), (std::vector<float>{1, 2, 3, 0, 0}));
}

TEST(Stack, RefusesMoreChannelsThanFit) {
  const DataFile a = fileOf({1}, 35);
  const DataFile b = fileOf({1}, 8);
  EXPECT_EQ(channelsThatFit(35), 5);
  MergeChoices c;
  for (int k = 1; k <= 6; ++k) c.picker[size_t(k)] = 1;
  EXPECT_EQ(stackFiles(viewOf(a), b, c).refusal, MergeRefusal::TooManyChannels);
  c.picker[6] = 0;
  EXPECT_EQ(stackFiles(viewOf(a), b, c, noMemory).refusal, MergeRefusal::NoMemory);
}

TEST(Stack, AdjustedChannelsLandAtTheirTimes) {
  {
    const DataFile a = casesNumbered(1000, 1.0f);
    DataFile b = casesNumbered(200, 2.0f);
    b.meta.markers = {{50, 1}};
    const MergeResult r = stackFiles(viewOf(a), b, pickAll(IntervalChoice::Adjust));
    ASSERT_TRUE(r.file);
    const float* x = r.file->channels[2].get();
    EXPECT_EQ(r.file->nCases, 1000);
    for (int k = 1; k <= 200; ++k) EXPECT_EQ(x[2 * k], float(k)) << k;
    for (int k = 1; k < 200; ++k) EXPECT_EQ(x[2 * k + 1], float(k) + 0.5f) << k;
    EXPECT_EQ(x[401], 0.0f);
    EXPECT_EQ(x[1000], 0.0f);
    ASSERT_EQ(r.file->meta.markers.size(), 1u);
    EXPECT_EQ(r.file->meta.markers[0].kase, 100);
  }
  {
    const DataFile a = casesNumbered(100, 10.0f);
    const DataFile b = casesNumbered(1000, 1.0f);
    const MergeResult r = stackFiles(viewOf(a), b, pickAll(IntervalChoice::Adjust));
    ASSERT_TRUE(r.file);
    EXPECT_EQ(r.file->nCases, 100);
    const float* x = r.file->channels[2].get();
    for (int k = 1; k < 100; ++k) EXPECT_EQ(x[k], float(10 * k + 9)) << k;
    EXPECT_EQ(x[100], 1000.0f);
  }
}

TEST(Stack, MarkersAndFileDataByChoice) {
  DataFile a = fileOf({1, 2, 3, 4});
  DataFile b = fileOf({1, 2, 3, 4});
  a.meta.markers = {{3, 1}};
  b.meta.markers = {{2, 2}};
  b.meta.startTime = "12:00:00";
  b.meta.info[4] = 760;
  MergeChoices c = pickAll();
  const auto markersWith = [&](int16_t m) {
    c.markers = m;
    std::vector<int32_t> k;
    const MergeResult r = stackFiles(viewOf(a), b, c);
    for (const Marker& x : r.file->meta.markers) k.push_back(x.kase);
    return k;
  };
  EXPECT_EQ(markersWith(0), (std::vector<int32_t>{2, 3}));
  EXPECT_EQ(markersWith(1), (std::vector<int32_t>{3}));
  EXPECT_EQ(markersWith(2), (std::vector<int32_t>{2}));
  c.keepOldFileData = false;
  const MergeResult r = stackFiles(viewOf(a), b, c);
  EXPECT_EQ(r.file->meta.startTime, "12:00:00");
  EXPECT_EQ(r.file->meta.info[4], 760);
}

TEST(MergeComments, ByMode) {
  const auto joined = [](int mode) { return MergeComments("old\r", mode, "a.KXdata", "b.KXdata", "new\r"); };
  EXPECT_EQ(joined(0).substr(0, 4), "old\r");
  EXPECT_NE(joined(0).find("comments are from original file\r\r"), std::string::npos);
  EXPECT_EQ(joined(0).find("new\r"), std::string::npos);
  EXPECT_EQ(joined(1).find("old"), std::string::npos);
  EXPECT_NE(joined(1).find("comments are from appended file\r\rnew\r"), std::string::npos);
  EXPECT_EQ(joined(2).substr(0, 4), "old\r");
  EXPECT_NE(joined(2).find("appended file's comments follow:\r\rnew\r"), std::string::npos);
  EXPECT_NE(joined(2).find("original file:  'a.KXdata'\r"), std::string::npos);
}

TEST(TimeScale, ResamplesEveryChannelAndMarker) {
  struct Case {
    std::vector<float> values;
    float from, to;
    std::vector<float> expected;
  };
  std::vector<float> tenths(30);
  for (int k = 0; k < 30; ++k) tenths[size_t(k)] = k < 10 ? 10.0f : float(k + 1);
  const std::vector<Case> cases = {
      {{10, 20, 30}, 1.0f, 0.5f, {10, 10, 15, 20, 25, 30}},
      {{1, 2, 3, 4, 5, 6}, 1.0f, 2.0f, {3, 5, 6}},
      {{10, 20, 30}, 1.0f, 0.1f, tenths},
  };
  for (const Case& c : cases) {
    DataFile f = fileOf(c.values, 2, c.from);
    ASSERT_EQ(adjustTimeScale(f, c.to), TimeScaleRefusal::None);
    EXPECT_EQ(channel(f, 1), c.expected) << c.to;
    EXPECT_EQ(f.meta.info[1], c.to);
    EXPECT_EQ(f.channels[2][size_t(f.nCases)], c.expected.back() + 1000.0f);
  }
  const auto markerAfter = [](int32_t n, int32_t kase, float from, float to) {
    DataFile f = casesNumbered(n, from);
    f.meta.markers = {{kase, 9}};
    EXPECT_EQ(adjustTimeScale(f, to), TimeScaleRefusal::None);
    return f.meta.markers[0].kase;
  };
  EXPECT_EQ(markerAfter(300, 100, 1.0f, 0.5f), 200);
  EXPECT_EQ(markerAfter(300, 100, 1.0f, 0.1f), 1000);
  EXPECT_EQ(markerAfter(300, 1, 1.0f, 2.0f), 1);
}

TEST(TimeScale, RefusesAndChangesNothing) {
  DataFile f = casesNumbered(6100, 1.0f);
  f.meta.markers = {{10, 1}};
  const float* before = f.channels[1].get();
  EXPECT_EQ(adjustTimeScale(f, 0.0009999f), TimeScaleRefusal::TooManyCases);
  EXPECT_EQ(adjustTimeScale(f, 0.0f), TimeScaleRefusal::BadInterval);
  EXPECT_EQ(adjustTimeScale(f, 0.5f, noMemory), TimeScaleRefusal::NoMemory);
  EXPECT_EQ(adjustTimeScale(f, 1e6f), TimeScaleRefusal::NoCases);
  EXPECT_EQ(f.nCases, 6100);
  EXPECT_EQ(f.channels[1].get(), before);
  EXPECT_EQ(f.meta.markers[0].kase, 10);
  EXPECT_EQ(f.meta.info[1], 1.0f);
  EXPECT_EQ(timeScaledCount(6100000, 1.0f, 0.5f), 12200000);
}

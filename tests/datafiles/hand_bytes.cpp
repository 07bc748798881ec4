#include "hand_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "runtime/utf8.h"

namespace qvtest {

using namespace qv;

DataFile sampleFile(int32_t cases, int channels) {
  DataFile f;
  f.nCases = cases;
  f.nChannels = int16_t(channels);
  f.channels[0] = allocateSamples(cases);
  std::fill_n(f.channels[0].get(), size_t(cases) + 1, 0.0f);
  for (int c = 1; c <= channels; ++c) {
    SampleArray a = allocateSamples(cases);
    for (int32_t i = 1; i <= cases; ++i) a[size_t(i)] = 20.0f + float(c) + 0.001f * float((int64_t(i) * 7919 + c * 31) % 1000);
    a[0] = a[1];
    f.channels[size_t(c)] = std::move(a);
    f.meta.labels[size_t(c)] = rt::fitChars("Channel " + std::to_string(c) + " °C", kLabelWidth);
    for (int w = 2; w <= 6; ++w) f.meta.variables[c][w] = float(c * 10 + w);
  }
  for (int c = 1; c <= 6; ++c) f.meta.variables[c][14] = 0.5f * float(c);
  f.meta.info[1] = 0.5f;
  f.meta.info[2] = 500;
  f.meta.info[3] = 25;
  f.meta.info[4] = 760;
  f.meta.info[5] = 1200;
  f.meta.info[6] = 35.5f;
  f.meta.info[7] = 3;
  f.meta.startDate = "05-14-2024";
  f.meta.startTime = "13:30:30";
  f.meta.info[8] = 810.5f;
  f.meta.comment = "Mouse 4, fasted\rBaseline at • marks";
  f.meta.markers = {{1, 200}, {cases / 2, 5}, {cases, 199}};
  f.meta.notes = {{"2", "13:30:31", "lid closed"}, {std::to_string(cases), "end", "last case"}};
  return f;
}

void expectSameFile(const DataFile& a, const DataFile& b) {
  ASSERT_EQ(a.nCases, b.nCases);
  ASSERT_EQ(a.nChannels, b.nChannels);
  for (int c = 1; c <= a.nChannels; ++c) {
    ASSERT_TRUE(a.channels[size_t(c)] && b.channels[size_t(c)]);
    EXPECT_EQ(0, std::memcmp(a.channels[size_t(c)].get(), b.channels[size_t(c)].get(), (size_t(a.nCases) + 1) * 4))
        << "channel " << c;
    EXPECT_EQ(a.meta.labels[size_t(c)], b.meta.labels[size_t(c)]);
    for (int w = 2; w <= 6; ++w) EXPECT_EQ(a.meta.variables[c][w], b.meta.variables[c][w]);
  }
  for (int c = 1; c <= 6; ++c) EXPECT_EQ(a.meta.variables[c][14], b.meta.variables[c][14]);
  for (int w = 1; w <= 8; ++w) EXPECT_EQ(a.meta.info[w], b.meta.info[w]) << "info " << w;
  EXPECT_EQ(a.meta.startDate, b.meta.startDate);
  EXPECT_EQ(a.meta.startTime, b.meta.startTime);
  EXPECT_EQ(a.meta.comment, b.meta.comment);
  ASSERT_EQ(a.meta.markers.size(), b.meta.markers.size());
  for (size_t k = 0; k < a.meta.markers.size(); ++k) {
    EXPECT_EQ(a.meta.markers[k].kase, b.meta.markers[k].kase);
    EXPECT_EQ(a.meta.markers[k].code, b.meta.markers[k].code);
  }
  ASSERT_EQ(a.meta.notes.size(), b.meta.notes.size());
  for (size_t k = 0; k < a.meta.notes.size(); ++k) {
    EXPECT_EQ(a.meta.notes[k].caseText, b.meta.notes[k].caseText);
    EXPECT_EQ(a.meta.notes[k].timeText, b.meta.notes[k].timeText);
    EXPECT_EQ(a.meta.notes[k].text, b.meta.notes[k].text);
  }
}

}  // namespace qvtest

// The Sable ExpeData format: a file made by hand from the layout, read and written back byte
// for byte; dates across days; damaged files refused; what a file holds beyond the rows.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "datafiles/hand_bytes.h"
#include "datafiles/sable_format.h"
#include "runtime/numtext.h"

using namespace qv;
using qvtest::HandBytes;

namespace {

// A record of the channel table: label, transform name and coefficient slots 2 and 3.
void record(HandBytes& h, std::string_view label, std::string_view transform, float slot2, float slot3) {
  h.padded(label, 24).padded("", 48).padded(transform, 32).padded("", 32).i32le(0).i32le(0);
  h.f32le(0).f32le(slot2).f32le(slot3);
  for (int s = 4; s <= 31; ++s) h.f32le(0);
}

// 2 channels, 3 cases, interval 1 s, ended 10:00:03 on 14 May 2024, markers 65 at case 1
// and 66 at case 3, in the form the writer gives it.
std::vector<uint8_t> handFixture() {
  HandBytes h;
  h.f32le(1003.0f).i32le(0x3F8CCCCC).f32le(2).f32le(3).f32le(1);
  const float rows[4][2] = {{0.5f, 0.25f}, {20.5f, 1.5f}, {20.75f, 1.25f}, {21.0f, 1.0f}};
  for (auto& row : rows) h.f32le(row[0]).f32le(row[1]);
  for (int k = 0; k < 18; ++k) h.f32le(10.0f);
  for (float v : {5.0f, 14.0f, 2024.0f, 10.0f, 0.0f, 3.0f}) h.f32le(v);
  h.padded("", 240).i32le(2).i32le(65000001).i32le(66000003).padded("", 8);
  record(h, "O2", "Linear Transform", 0.5f, 2.0f);
  record(h, "CO2", "", 0.0f, 1.0f);
  return h.b;
}

DataFile decodeOk(const std::vector<uint8_t>& bytes) {
  SableLoadResult r = decodeSableFile(SpanSource(bytes));
  EXPECT_TRUE(r.ok());
  return std::move(r.file);
}

std::vector<uint8_t> encodeAll(const DataFile& f, int32_t first = 0, int32_t last = -1) {
  std::vector<int16_t> channels;
  for (int16_t c = 1; c <= f.nChannels; ++c) channels.push_back(c);
  return encodeSableFile(viewOf(f), first, last < 0 ? f.nCases : last, channels);
}

// A file of `channels` x `cases` made by the writer; sample k of channel c is c * 100 + k.
DataFile madeFile(int channels, int32_t cases, float interval = 1.0f) {
  DataFile f;
  f.nCases = cases;
  f.nChannels = int16_t(channels);
  for (int c = 1; c <= channels; ++c) {
    f.channels[size_t(c)] = allocateSamples(cases);
    for (int32_t k = 0; k <= cases; ++k) f.channels[size_t(c)][k] = float(c * 100 + k);
    f.meta.labels[size_t(c)] = "chan " + std::to_string(c);
  }
  f.meta.info[1] = interval;
  f.meta.startDate = "05-14-2024";
  f.meta.startTime = "10:00:00";
  return f;
}

}  // namespace

TEST(SableFormat, HandFixtureReadsAndWritesBackByteForByte) {
  const std::vector<uint8_t> bytes = handFixture();
  const std::vector<uint8_t> head = {0x00, 0xC0, 0x7A, 0x44, 0xCC, 0xCC, 0x8C, 0x3F, 0x00, 0x00,
                                     0x00, 0x40, 0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0x80, 0x3F};
  ASSERT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
  const size_t markers = 20 + 4 * 8 + 18 * 4 + 24 + 240 + 4;
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + markers, bytes.begin() + markers + 8),
            (std::vector<uint8_t>{0x41, 0xD2, 0xDF, 0x03, 0x83, 0x14, 0xEF, 0x03}));

  const DataFile f = decodeOk(bytes);
  EXPECT_EQ(f.nCases, 3);
  EXPECT_EQ(f.nChannels, 2);
  EXPECT_EQ(f.meta.startDate, "05-14-2024");
  EXPECT_EQ(f.meta.startTime, "10:00:00");
  EXPECT_EQ(f.meta.labels[1], " O2" + std::string(27, ' '));
  EXPECT_EQ(f.meta.labels[2], " CO2" + std::string(26, ' '));
  EXPECT_EQ(f.meta.variables[1][5], 1.0f);
  EXPECT_EQ(f.meta.variables[1][2], 0.5f);
  EXPECT_EQ(f.meta.variables[1][3], 2.0f);
  EXPECT_EQ(f.meta.variables[2][5], 0.0f);
  EXPECT_EQ(f.channels[1][0], 0.5f);  // row 0 lands in entry 0
  EXPECT_EQ(f.channels[2][3], 1.0f);
  ASSERT_EQ(f.meta.markers.size(), 2u);
  EXPECT_EQ(f.meta.markers[0].kase, 1);
  EXPECT_EQ(f.meta.markers[0].code, 65);
  EXPECT_EQ(f.meta.markers[1].kase, 3);
  EXPECT_EQ(f.meta.markers[1].code, 66);
  // The file values of a new file.
  EXPECT_EQ(f.meta.info[2], 100.0f);
  EXPECT_EQ(f.meta.info[4], 760.0f);
  EXPECT_EQ(f.meta.info[5], 1.0f);
  EXPECT_EQ(f.meta.info[6], 1.0f);
  EXPECT_EQ(f.meta.info[7], 8.0f);

  EXPECT_EQ(encodeAll(f), bytes);
}

TEST(SableFormat, BlockIsSavedFromTheEntryBeforeItsFirstCase) {
  DataFile f = madeFile(2, 10);
  f.meta.markers = {{3, 1}, {4, 2}, {7, 3}, {8, 4}};
  // Block 4..7: entries 3..7, four cases.
  const DataFile b = decodeOk(encodeAll(f, 3, 7));
  EXPECT_EQ(b.nCases, 4);
  EXPECT_EQ(b.channels[1][0], 103.0f);
  EXPECT_EQ(b.channels[2][4], 207.0f);
  ASSERT_EQ(b.meta.markers.size(), 2u);
  EXPECT_EQ(b.meta.markers[0].kase, 1);
  EXPECT_EQ(b.meta.markers[1].kase, 4);
  EXPECT_EQ(b.meta.markers[1].code, 3);
  // The block's entry 0 was at 10:00:03.
  EXPECT_EQ(b.meta.startTime, "10:00:03");
}

TEST(SableFormat, WholeFileRoundTripKeepsMarkersLabelsAndCodes) {
  DataFile f = madeFile(3, 20, 0.5f);
  f.meta.markers = {{1, 7}, {20, 9}};
  f.meta.labels[1] = " O2";
  f.meta.variables[1][5] = 10;  // reciprocal
  f.meta.variables[2][5] = 2;   // polynomial, kept as the program's polynomial code
  f.meta.comment = "warm chamber";
  DataFile g = decodeOk(encodeAll(f));
  for (int pass = 0; pass < 2; ++pass) g = decodeOk(encodeAll(g));
  EXPECT_EQ(g.meta.labels[1], " O2" + std::string(27, ' '));
  EXPECT_EQ(g.meta.labels[2].substr(0, 7), " chan 2");
  EXPECT_EQ(g.meta.variables[1][5], 10.0f);
  EXPECT_EQ(g.meta.variables[2][5], 11.0f);
  EXPECT_EQ(g.meta.comment, "warm chamber");
  EXPECT_EQ(g.meta.startDate, "05-14-2024");
  EXPECT_EQ(g.meta.startTime, "10:00:00");
  ASSERT_EQ(g.meta.markers.size(), 2u);
  EXPECT_EQ(g.meta.markers[0].kase, 1);
  EXPECT_EQ(g.meta.markers[1].kase, 20);
  for (int32_t k = 0; k <= 20; ++k) EXPECT_EQ(g.channels[3][k], float(300 + k));
}

TEST(SableFormat, MarkersBeyondAMillionCasesAreLeftOutAndCounted) {
  DataFile f = madeFile(1, 1000001);
  f.meta.markers = {{999999, 1}, {1000000, 2}, {1000001, 3}};
  std::vector<int16_t> one = {1};
  SableSaveReport rep;
  const DataFile g = decodeOk(encodeSableFile(viewOf(f), 0, f.nCases, one, &rep));
  EXPECT_EQ(rep.markersLeftOut, 2);
  ASSERT_EQ(g.meta.markers.size(), 1u);
  EXPECT_EQ(g.meta.markers[0].kase, 999999);
}

TEST(SableFormat, EndAndStartAcrossDays) {
  struct Case {
    const char *date, *time;
    double seconds;
    const char *endDate, *endTime;
  };
  // Start, length, and the end the file holds (month, day, year).
  const Case cases[] = {
      {"02-28-2009", "23:30:00", 3600, "03-01-2009", "00:30:00"},
      {"02-29-2008", "23:30:00", 3600, "03-01-2008", "00:30:00"},
      {"03-04-2009", "00:00:00", 90000, "03-05-2009", "01:00:00"},
      {"02-28-2008", "23:00:00", 3600, "02-29-2008", "00:00:00"},
      {"01-01-2009", "00:00:00", 70 * 86400.0 + 3600, "03-12-2009", "01:00:00"},
      {"05-14-2024", "10:00:00", 3, "05-14-2024", "10:00:03"},
      {"12-31-2009", "23:00:00", 7200, "01-01-2010", "01:00:00"},
      {"00-00-2026", "23:00:00", 7200, "00-00-2026", "01:00:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.date) + " " + c.time);
    const SableClock end = sableEndFromStart(c.date, c.time, c.seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", end.month, end.day, end.year);
    EXPECT_EQ(std::string(text), c.endDate);
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", end.hours, end.minutes, end.seconds);
    EXPECT_EQ(std::string(text), c.endTime);
    const double numbers[6] = {double(end.month), double(end.day),     double(end.year),
                               double(end.hours), double(end.minutes), double(end.seconds)};
    const SableStart start = sableStartFromEnd(numbers, c.seconds);
    EXPECT_EQ(start.date, c.date);
    EXPECT_EQ(start.time, c.time);
  }
  // A two-digit year is of this century; a fractional start is rounded up.
  const double twoDigit[6] = {5, 14, 24, 10, 0, 3.5};
  EXPECT_EQ(sableStartFromEnd(twoDigit, 3).date, "05-14-2024");
  EXPECT_EQ(sableStartFromEnd(twoDigit, 3).time, "10:00:01");
}

TEST(SableFormat, TenthsOfASecondComeBackToTheSecond) {
  const DataFile g = decodeOk(encodeAll(madeFile(1, 7, 0.1f)));
  EXPECT_EQ(g.meta.startTime, "10:00:00");
  EXPECT_EQ(g.meta.startDate, "05-14-2024");
}

TEST(SableFormat, ForeignValuesAreReadAsTheFormatMeansThem) {
  EXPECT_EQ(sableSample(std::bit_cast<uint32_t>(1.5f)), 1.5f);
  EXPECT_EQ(sableSample(0x7F800000), 0.0f);  // infinity
  EXPECT_EQ(sableSample(0x7FC00000), 0.0f);  // not a number
  EXPECT_EQ(sableSample(std::bit_cast<uint32_t>(-1e11f)), 0.0f);
  EXPECT_EQ(sableSample(1), std::bit_cast<float>(uint32_t(1)));  // the smallest subnormal
}

TEST(SableFormat, DamagedFilesAreRefused) {
  const std::vector<uint8_t> good = handFixture();
  auto with = [&](size_t at, uint32_t w) {
    std::vector<uint8_t> b = good;
    for (int i = 0; i < 4; ++i) b.at(at + size_t(i)) = uint8_t(w >> (8 * i));
    return b;
  };
  const size_t markerCount = 20 + 4 * 8 + 18 * 4 + 24 + 240;
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    bool tooMany;
  };
  const Case cases[] = {
      {"no channels", with(8, 0), false},
      {"channel count not a number", with(8, 0x7FC00000), false},
      {"version all-ones exponent", with(4, 0x7F800000), false},
      {"no cases", with(12, 0), false},
      {"too many cases", with(12, std::bit_cast<uint32_t>(6100001.0f)), true},
      {"data a byte short", std::vector<uint8_t>(good.begin(), good.begin() + 20 + 4 * 8 - 1), false},
      {"a million markers", with(markerCount, 1000000), false},
      {"marker count negative", with(markerCount, 0x80000000), false},
      {"records cut", std::vector<uint8_t>(good.begin(), good.end() - 1), false},
      {"header cut", std::vector<uint8_t>(good.begin(), good.begin() + 10), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const SableLoadResult r = decodeSableFile(SpanSource(c.bytes));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.report.tooManyCases, c.tooMany);
    EXPECT_EQ(r.file.nCases, 0);
  }
}

TEST(SableFormat, NotesBeforeTheRecordsAndMarkersBeyondTheTable) {
  DataFile f = madeFile(2, 50000);
  for (int32_t k = 1; k <= 40000; ++k) f.meta.markers.push_back({k, k <= 60 ? 130 : 5});
  std::vector<uint8_t> bytes = encodeAll(f);
  // In place of the blank note count: 60 notes, then the reserved word and the records.
  const size_t records = bytes.size() - 2 * 268;
  std::vector<uint8_t> tail(bytes.begin() + records, bytes.end());
  bytes.resize(records - 8);
  HandBytes notes;
  notes.i32le(60);
  for (int n = 1; n <= 60; ++n) notes.padded("note " + std::to_string(n), 256);
  notes.i32le(0);
  bytes.insert(bytes.end(), notes.b.begin(), notes.b.end());
  bytes.insert(bytes.end(), tail.begin(), tail.end());

  SableLoadResult r = decodeSableFile(SpanSource(bytes));
  ASSERT_TRUE(r.ok());
  const FileMeta& m = r.file.meta;
  EXPECT_EQ(r.report.markersInFile, 40000);
  EXPECT_EQ(m.markers.size(), size_t(kMaxMarkers));
  EXPECT_EQ(m.labels[2].substr(0, 7), " chan 2");
  ASSERT_EQ(m.notes.size(), 60u);
  EXPECT_EQ(m.notes[59].text, "note 60");
  EXPECT_EQ(rt::PSval(m.notes[59].caseText), 60.0);
}

TEST(SableFormat, ChannelsBeyondFortyAreSkippedWithTheirRowWidth) {
  // 45 channels of 5 cases; sample k of channel c is c * 100 + k.
  HandBytes h;
  h.f32le(1003.0f).i32le(0x3F8CCCCC).f32le(45).f32le(5).f32le(1);
  for (int k = 0; k <= 5; ++k)
    for (int c = 1; c <= 45; ++c) h.f32le(float(c * 100 + k));
  for (int k = 0; k < 45 * 9; ++k) h.f32le(10.0f);
  for (float v : {5.0f, 14.0f, 2024.0f, 10.0f, 0.0f, 5.0f}) h.f32le(v);
  h.padded("", 240).i32le(0).padded("", 8);
  for (int c = 1; c <= 45; ++c) record(h, "chan " + std::to_string(c), "", 0, 1);

  const SableLoadResult r = decodeSableFile(SpanSource(h.b));
  ASSERT_TRUE(r.ok());
  const DataFile& g = r.file;
  EXPECT_EQ(r.report.channelsInFile, 45);
  EXPECT_EQ(g.nChannels, 40);
  EXPECT_EQ(g.channels[40][5], 4005.0f);
  EXPECT_EQ(g.channels[1][3], 103.0f);
  EXPECT_EQ(g.meta.labels[40].substr(0, 8), " chan 40");
}

TEST(SableFormat, AnIntervalThatIsNoLengthOfTimeIsAskedFor) {
  for (float interval : {-1.0f, std::numeric_limits<float>::quiet_NaN(), 0.0f}) {
    const SableLoadResult r = decodeSableFile(SpanSource(encodeAll(madeFile(1, 3, interval))));
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.report.zeroInterval);
  }
}

TEST(SableFormat, VersionOneHasNoTrailerButKeepsItsRecords) {
  std::vector<uint8_t> b = handFixture();
  std::vector<uint8_t> v1(b.begin(), b.begin() + 52);
  v1[4] = 0, v1[5] = 0, v1[6] = 0x80, v1[7] = 0x3F;
  const DataFile plain = decodeOk(v1);
  EXPECT_EQ(plain.meta.labels[1].substr(0, 13), "[ NO LABELS ]");
  EXPECT_TRUE(plain.meta.markers.empty());
  // Records after the rows are still read.
  v1.insert(v1.end(), b.end() - 8 - 2 * 268, b.end());
  EXPECT_EQ(decodeOk(v1).meta.labels[1].substr(0, 3), " O2");
}

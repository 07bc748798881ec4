// The csv writer, the marker list, the text import codec and the compaction kernel.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "datafiles/compaction.h"
#include "datafiles/csv_export.h"
#include "datafiles/text_import.h"
#include "output/calendar.h"

namespace qv {
namespace {

// A file of `n` cases and `channels` channels whose sample at case k is k (channel c: c * k).
struct MadeFile {
  DataFile f;
  MadeFile(int32_t n, int16_t channels, float interval = 1.0f, std::string start = "23:00:00") {
    f.nCases = n;
    f.nChannels = channels;
    for (int c = 1; c <= channels; ++c) {
      f.channels[size_t(c)] = allocateSamples(n);
      for (int32_t k = 0; k <= n; ++k) f.channels[size_t(c)][k] = float(c * k);
      f.meta.labels[size_t(c)] = "chan " + std::to_string(c) + "   ";
    }
    f.meta.info[1] = interval;
    f.meta.startTime = start;
    f.meta.startDate = "02/27/2008";
  }
  DataFileView view() const { return viewOf(f); }
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

int cells(const std::string& line) {
  int n = 1;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    else if (c == ',' && !quoted) ++n;
  }
  return n;
}

TEST(CsvExport, EveryRowHasTheHeadersCells) {
  MadeFile m(20, 3);
  m.f.meta.markers = {{5, 200}, {7, 65}};
  float flags[21] = {};
  struct Case {
    int16_t mode;
    bool shortNames, date, counter, interp, marker;
    int16_t dateKind;
  };
  for (const Case& c : {Case{0, false, true, true, true, true, 1}, Case{1, true, true, true, false, true, 0},
                        Case{2, false, false, true, true, false, 0}, Case{0, true, true, false, true, true, 0}}) {
    CsvRequest r;
    r.first = 0, r.last = 20, r.headerMode = c.mode, r.shortNames = c.shortNames, r.dateColumn = c.date;
    r.dateKind = c.dateKind, r.timeCounter = c.counter, r.interpolation = c.interp, r.interpolationFlags = flags;
    r.markerColumn = c.marker, r.channels = {1, 2};
    const std::vector<std::string> l = lines(csvText(m.view(), r));
    const size_t header = c.mode == kCsvIntervalLine ? 1 : 0;
    ASSERT_EQ(l.size(), header + 22);
    const int n = cells(l[header]);
    for (size_t i = header + 1; i < l.size(); ++i) EXPECT_EQ(cells(l[i]), n) << "mode " << c.mode << ": " << l[i];
  }
}

TEST(CsvExport, TimeOfDayCounterAndFilter) {
  MadeFile m(6000, 1);
  CsvRequest r;
  r.first = 0, r.last = 6000, r.channels = {1};
  const std::vector<std::string> l = lines(csvText(m.view(), r));
  EXPECT_EQ(l[0], "Elapsed time (sec),Time (hours) ,chan 1");
  EXPECT_EQ(l[1 + 1800], " 1800, 23.5, 1800");
  EXPECT_EQ(l[1 + 5400], " 5400, 0.5, 5400");

  MadeFile tenSeconds(400, 1, 10.0f);
  r.last = 400, r.headerMode = kCsvLabelsOnly, r.timeCounter = true, r.counterHours = 0.5f;
  const std::vector<std::string> c = lines(csvText(tenSeconds.view(), r));
  EXPECT_EQ(c[1 + 179], " 1, 179");
  EXPECT_EQ(c[1 + 180], " 2, 180");

  MadeFile day(86400, 1);
  r.last = 86400, r.counterHours = 24;
  const std::vector<std::string> d = lines(csvText(day.view(), r));
  EXPECT_EQ(d[1 + 86399], " 1, 86399");
  EXPECT_EQ(d[1 + 86400], " 2, 86400");

  MadeFile signs(6, 3);
  for (int k = 0; k <= 6; ++k) signs.f.channels[2][k] = float(k % 2 ? -1 : 1);
  CsvRequest f;
  f.first = 1, f.last = 6, f.headerMode = kCsvLabelsOnly, f.channels = {1};
  f.filterChannel = 2, f.filterTest = 126, f.threshold = 0;
  EXPECT_EQ(lines(csvText(signs.view(), f)).size(), 1u + 3u);
  for (int16_t word26 : {-1, 9}) {
    f.filterChannel = word26;
    EXPECT_EQ(lines(csvText(signs.view(), f)).size(), 1u + 6u) << word26;
  }
}

TEST(CsvExport, LabelsAreQuotedWhenTheyHoldTheSeparator) {
  MadeFile m(5, 1);
  m.f.meta.labels[1] = "CO2, ppm";
  CsvRequest r;
  r.first = 1, r.last = 5, r.headerMode = kCsvLabelsOnly, r.channels = {1};
  EXPECT_EQ(lines(csvText(m.view(), r))[0], "\"CO2, ppm\"");
}

TEST(CsvExport, DatesFollowTheCalendar) {
  struct Case {
    const char* start;
    double days;
    int16_t dayOnly;
    const char* text;
  } cases[] = {{"12/30/2009", 3, 0, "01/02/2010"}, {"02/27/2008", 2, 0, "02/29/2008"},
               {"02/27/2009", 2, 0, "03/01/2009"}, {"03/01/2008", 0, 1, "61"},
               {"01/01/2009", 70, 0, "03/12/2009"}, {"00-00-2026", 1, 0, ""}, {"00-00-2026", 1, 1, ""}};
  for (const Case& c : cases) EXPECT_EQ(MakeDateString(c.start, 0, 86400, c.days, c.dayOnly), c.text) << c.start;
}

TEST(CsvExport, MarkerListAndBlockName) {
  const std::string text = markerListText({{10, 200}}, 1.0, 600, ',', 5);
  EXPECT_EQ(lines(text)[1], " 10, 0.166667, 10.00278,\u00BB,begin interpolation");
  EXPECT_EQ(lines(markerListText({{3600, 65}}, 1.0, 23 * 60, ',', 5))[1], " 3600, 60, 0,A,");
  EXPECT_EQ(blockExportName("run.KXdata", 100, 200), "run; cases 100 - 200.csv");
}

std::vector<uint8_t> bytesOf(std::string_view s) { return {s.begin(), s.end()}; }

TEST(TextImport, LineEndsAndFields) {
  const std::string body = "a,b\x01" "1,2\x01" "3,4\x01";
  std::vector<std::vector<float>> seen;
  for (std::string end : {"\r", "\n", "\r\n"}) {
    std::string text = body;
    for (size_t p; (p = text.find('\x01')) != std::string::npos;) text.replace(p, 1, end);
    ImportRequest r;
    r.firstDataLine = 2, r.labelLine = 1, r.load[1] = r.load[2] = true;
    ImportResult got = stageImport(bytesOf("\xEF\xBB\xBF" + text), r);
    ASSERT_TRUE(got.file) << got.refusal;
    EXPECT_EQ(got.file->nCases, 1);
    seen.push_back({got.file->channels[1][0], got.file->channels[1][1], got.file->channels[2][1]});
  }
  EXPECT_EQ(seen[0], (std::vector<float>{1, 3, 4}));
  EXPECT_EQ(seen[1], seen[0]);
  EXPECT_EQ(seen[2], seen[0]);

  EXPECT_EQ(previewLine("1,,2"), " 1\u20222\u00AE");
  EXPECT_EQ(splitFields("1,,2").size(), 3u);
  EXPECT_EQ(splitFields("\"CO2, ppm\",3"), (std::vector<std::string>{"CO2, ppm", "3"}));
}

// A file of one line of 15 MB: its row shows a head of the line, marked as cut, and the
// columns are still counted over the whole line.
TEST(TextImport, APreviewRowHoldsAHeadOfAVeryLongLine) {
  std::string line;
  line.reserve(15'000'000);
  int fields = 0;
  while (line.size() < 15'000'000) line += (fields++ ? "," : "") + std::string("12.5\u00b0");
  const ImportPreview p = previewImport(bytesOf(line + "\n"));
  ASSERT_EQ(p.lines.size(), 1u);
  EXPECT_LE(p.lines[0].size(), kPreviewLineBytes * 2);
  EXPECT_TRUE(p.lines[0].ends_with("\u2026")) << p.lines[0].substr(p.lines[0].size() - 10);
  EXPECT_NE(p.lines[0].find("12.5\u00b0"), std::string::npos) << "whole characters, read as UTF-8";
  EXPECT_EQ(p.columns, fields);
  EXPECT_EQ(p.columnTexts.size(), 40u);
}

TEST(TextImport, PreviewColumnsAndLabels) {
  std::string wide;
  for (int k = 1; k <= 45; ++k) wide += (k > 1 ? "," : "") + std::to_string(k * 10);
  const ImportPreview p = previewImport(bytesOf("x\n" + wide + "\n"));
  EXPECT_EQ(p.lines.size(), 2u);
  EXPECT_EQ(p.columns, 45);
  EXPECT_EQ(p.columnTexts.size(), 40u);

  ImportRequest r;
  r.firstDataLine = 2, r.labelLine = 0;
  r.load[1] = r.load[3] = r.load[5] = true;
  ImportResult got = stageImport(bytesOf("h\n1,2,3,4,5\n6,7,8,9,10\n"), r);
  ASSERT_TRUE(got.file);
  EXPECT_EQ(got.file->meta.labels[3], "input channel 5" + std::string(15, ' '));
  EXPECT_EQ(got.file->channels[3][1], 10.0f);

  r.labelLine = 1;
  ImportRequest twoColumns;
  twoColumns.load = {false, true, true, true};
  got = stageImport(bytesOf("time,O2,s\nu,v,w\n1,2,3\n4,5,6\n"), twoColumns);
  ASSERT_TRUE(got.file);
  EXPECT_EQ(got.file->meta.labels[2], "O2" + std::string(28, ' '));
  EXPECT_EQ(got.file->meta.labels[3], std::string(30, ' '));
}

TEST(TextImport, Refusals) {
  ImportRequest r;
  r.firstDataLine = 1, r.labelLine = 0, r.load[1] = true;
  EXPECT_FALSE(stageImport(bytesOf("1\n"), r).file);
  for (const char* typed : {"0", "-1", "abc"}) EXPECT_FALSE(importInterval(typed)) << typed;
  EXPECT_EQ(*importInterval("0.5"), 0.5);
  r.maxLines = 3;
  const ImportResult cut = stageImport(bytesOf("1\n2\n3\n4\n"), r);
  ASSERT_TRUE(cut.file);
  EXPECT_TRUE(cut.cut);
  EXPECT_EQ(cut.file->nCases, 2);
}

// A row with fewer fields than the columns chosen (a ragged file, a blank line) leaves those
// cases at 0, as an empty field reads; no case is left as whatever the memory held, and no
// case of the file is marked interpolated.
TEST(TextImport, ShortRowsLeaveTheirMissingColumnsAtZero) {
  ImportRequest r;
  r.firstDataLine = 2, r.labelLine = 1, r.load[1] = r.load[2] = r.load[3] = true;
  const ImportResult got = stageImport(bytesOf("a,b,c\n1,2,3\n4,5\n\n11\n6,7,8,9,10\n"), r);
  ASSERT_TRUE(got.file) << got.refusal;
  const DataFile& f = *got.file;
  ASSERT_EQ(f.nCases, 4);
  const float want[3][5] = {{1, 4, 0, 11, 6}, {2, 5, 0, 0, 7}, {3, 0, 0, 0, 8}};
  for (int c = 1; c <= 3; ++c)
    for (int k = 0; k <= 4; ++k) EXPECT_EQ(f.channels[size_t(c)][size_t(k)], want[c - 1][k]) << c << " " << k;
  for (int k = 0; k <= 4; ++k) EXPECT_EQ(f.channels[0][size_t(k)], 0.0f) << k;
}

// The export and the import of a file whose label holds a line end and whose samples hold a
// gap: the gap is written "NaN" (pandas and R read " NAN" as text), the label stays one field
// and every sample keeps its case.
TEST(TextImport, ReadsBackTheExportOfAGapAndOfALabelHoldingALineEnd) {
  MadeFile m(5, 1);
  m.f.meta.labels[1] = "O2\rppm";
  m.f.channels[1][3] = NAN;
  CsvRequest out;
  out.first = 1, out.last = 5, out.headerMode = kCsvLabelsOnly, out.channels = {1};
  const std::string text = csvText(m.view(), out);
  EXPECT_EQ(text.substr(0, 9), "\"O2\rppm\"\n");
  EXPECT_NE(text.find("\nNaN\n"), std::string::npos) << text;
  ImportRequest in;
  in.firstDataLine = 2, in.labelLine = 1, in.load[1] = true;
  const ImportResult got = stageImport(bytesOf(text), in);
  ASSERT_TRUE(got.file) << got.refusal;
  ASSERT_EQ(got.file->nCases, 4);
  const float* x = got.file->channels[1].get();
  EXPECT_EQ(x[0], 1.0f);
  EXPECT_EQ(x[1], 2.0f);
  EXPECT_TRUE(std::isnan(x[2]));
  EXPECT_EQ(x[4], 5.0f);
  EXPECT_EQ(got.file->meta.labels[1].substr(0, 6), "O2\rppm");
  EXPECT_EQ(previewImport(bytesOf(text)).lines.size(), 6u);

  // A quote that opens no field (an inch mark) or is never closed joins no lines.
  in.labelLine = 0, in.firstDataLine = 1;
  EXPECT_EQ(stageImport(bytesOf("5\" pipe,1\n2\n3\n"), in).file->nCases, 2);
  EXPECT_EQ(stageImport(bytesOf("\"open,1\n2\n3\n"), in).file->nCases, 2);
}

// Lines whose fields turn from bare numbers to quoted, blank, unit-suffixed or out-of-range
// ones part way: every field reads as it does alone.
TEST(TextImport, FieldsAfterAnAwkwardOneReadAsAlone) {
  ImportRequest r;
  r.firstDataLine = 1, r.labelLine = 0;
  for (int c = 1; c <= 8; ++c) r.load[size_t(c)] = true;
  const ImportResult got = stageImport(bytesOf(" 1.5 ,-2\t\"3\",6 V,,+5,7,\n"
                                               "8,\"a,b\",11\n"
                                               "1e3,NaN, -0 ,12x,3.25e-2  ,1e40,0x10,-7e-46\n"),
                                       r);
  ASSERT_TRUE(got.file) << got.refusal;
  const DataFile& f = *got.file;
  ASSERT_EQ(f.nCases, 2);
  const float want[3][8] = {{1.5f, -2, 3, 6, 0, 5, 7, 0}, {8, 0, 11, 0, 0, 0, 0, 0},
                            {1000, NAN, -0.0f, 12, 3.25e-2f, 0, 16, -0.0f}};
  for (int k = 0; k <= 2; ++k)
    for (int c = 1; c <= 8; ++c) {
      const float x = f.channels[size_t(c)][size_t(k)], w = want[k][c - 1];
      if (std::isnan(w)) EXPECT_TRUE(std::isnan(x)) << k << " " << c;
      else EXPECT_TRUE(x == w && std::signbit(x) == std::signbit(w)) << k << " " << c << ": " << x;
    }
}

TEST(TextImport, BlankLinesAtTheEndAreNoCases) {
  ImportRequest r;
  r.firstDataLine = 1, r.labelLine = 0, r.load[1] = true;
  const ImportResult got = stageImport(bytesOf("1\n\n2\n3\r\n\n \t\r\n\n"), r);
  ASSERT_TRUE(got.file);
  EXPECT_EQ(got.file->nCases, 3);  // the blank line inside stays a case
  EXPECT_EQ(got.file->channels[1][3], 3.0f);
  EXPECT_FALSE(stageImport(bytesOf("1\n\n\n"), r).file);
}

TEST(TextImport, AWildLastValueOnlyIsReplaced) {
  ImportRequest r;
  r.firstDataLine = 1, r.labelLine = 0, r.load[1] = true;
  EXPECT_EQ(stageImport(bytesOf("101300\n101325\n"), r).file->channels[1][1], 101325.0f);
  EXPECT_EQ(stageImport(bytesOf("20\n99999\n"), r).file->channels[1][1], 20.0f);
}

TEST(Compaction, GroupsMeansAndDeviations) {
  std::vector<float> s(1006);
  for (size_t k = 0; k < s.size(); ++k) s[k] = float(k);
  EXPECT_EQ(compactedGroups(1005, 10), 101);
  EXPECT_EQ(compactedGroups(1001, 10), 100);
  std::vector<float> means(101), sds(101);
  compactChannel(s.data(), 1005, 10, 1, means.data(), sds.data());
  EXPECT_FLOAT_EQ(means[0], 5.5f);
  EXPECT_NEAR(sds[0], 2.8722813, 1e-6);
  EXPECT_FLOAT_EQ(means[100], 1003.0f);
  EXPECT_NEAR(sds[100], 1.4142136, 1e-6);
  const float two[] = {0, 1, 3};
  compactChannel(two, 2, 2, 1, means.data(), sds.data());
  EXPECT_FLOAT_EQ(means[0], 2.0f);
  EXPECT_FLOAT_EQ(sds[0], 1.0f);

  EXPECT_GT(compactedGroups(6100000, 15), kMaxCompactedGroups);  // 406,666 full groups and a part
  EXPECT_EQ(compactedGroups(6100000, 16), 381250);
  EXPECT_EQ(smallestFittingFactor(6100000), 16);
}

TEST(Compaction, TimeInterval) {
  const TimeCompaction five = timeCompaction(5, 3, 10, 3000);
  EXPECT_EQ(five.factor, 30);
  EXPECT_DOUBLE_EQ(five.achieved, 5);
  EXPECT_EQ(five.intervals, 100);
  EXPECT_TRUE(timeCompaction(120, 3, 10, 3000).tooLong);
  EXPECT_TRUE(timeCompaction(0.1, 3, 10, 3000).tooShort);
}

}  // namespace
}  // namespace qv

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/output_state.h"
#include "output/spreadsheet.h"
#include "core/stats_state.h"

using namespace qv;

namespace {

using Record = std::vector<std::string>;

// Delimited text read by the rules of RFC 4180 (any separator): fields between double quotes
// may hold separators, line ends and doubled quotes. A record ends at a line feed; nothing
// is returned for text after the last line end, so a line left open is not read.
std::vector<Record> parseDelimited(const std::string& text, char sep) {
  std::vector<Record> records;
  Record record;
  std::string field;
  bool quoted = false, wasQuoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"' && field.empty() && !wasQuoted) {
      quoted = wasQuoted = true;
    } else if (c == sep) {
      record.push_back(field);
      field.clear();
      wasQuoted = false;
    } else if (c == '\n') {
      record.push_back(field);
      records.push_back(record);
      record.clear();
      field.clear();
      wasQuoted = false;
    } else {
      EXPECT_FALSE(wasQuoted) << "text after a closing quote";
      field += c;
    }
  }
  EXPECT_FALSE(quoted) << "unclosed quote";
  return records;
}

ReportInputs basicStats() {
  ReportInputs in;
  in.AnalysisCode = kCodeDescriptiveStats;
  in.fileName = "run1.KXdata";
  in.StartDate = "03/01/2024";
  in.StartTime = "10:00:00";
  in.interval = 2.0;
  in.startMinutes = 600.0;
  in.mass = 35.2;
  in.labels = {"", "O2 (%)                        ", "CO2 (%)"};
  in.BeginBlock = 99;
  in.EndBlock = 398;
  in.ch = 1;
  in.BeginAverage = 99;
  in.EndAverage = 398;
  in.x1float = 99;
  in.SecondXvalue = 398;
  in.nrPoints = 300;
  in.meanValue = 20.5;
  in.StandardDeviation = 0.25f;
  in.mi = 19.75f;
  in.ma = 21.125f;
  in.MMLBegin = 200;
  in.MMLpoints = 30;
  return in;
}

// The cells of one report under the header's captions.
std::map<std::string, std::string> cellsByCaption(const ReportInputs& in, const SpreadsheetOptions& o) {
  const char sep = spreadsheetSeparator(o);
  const SpreadsheetRow row = PRINTTABFILE(in, o, {}, " ");
  const std::vector<Record> r = parseDelimited(spreadsheetHeader(o, 2) + row.text, sep);
  std::map<std::string, std::string> cells;
  if (r.size() != 2 || r[0].size() != r[1].size()) {
    ADD_FAILURE() << "header and row do not align:\n" << spreadsheetHeader(o, 2) << row.text;
    return cells;
  }
  for (size_t i = 0; i < r[0].size(); ++i) cells[r[0][i]] = r[1][i];
  return cells;
}

}  // namespace

TEST(Spreadsheet, StatisticsRowWithNoOption) {
  ReportInputs in = basicStats();
  in.nrPoints = 290;  // filters left out ten cases of the range
  in.labels[1] = "O2 (%), dry";
  SpreadsheetOptions o;
  EXPECT_EQ(spreadsheetHeader(o, 2), "Mean,SD,N,minimum,maximum,Variable\n");
  SpreadsheetRow row = PRINTTABFILE(in, o, {}, " ");
  EXPECT_TRUE(row.written);
  EXPECT_EQ(row.text, " 20.5, 0.25,290, 19.75, 21.125,\"O2 (%), dry\"\n");
  o.UseExcelFormat = 1;
  EXPECT_EQ(spreadsheetHeader(o, 2), "Mean\tSD\tN\tminimum\tmaximum\tVariable\n");
  EXPECT_EQ(PRINTTABFILE(in, o, {}, " ").text, " 20.5\t 0.25\t290\t 19.75\t 21.125\tO2 (%), dry\n");
}

TEST(Spreadsheet, OptionColumns) {
  SpreadsheetOptions all;
  all.tabTime = all.deltatime = all.tabmass = all.tabStart = all.tabChan = all.tabMode = 1;
  all.hourColumn = all.elapsedColumn = 1;
  all.dateColumn = 1;

  struct Case {
    const char* what;
    int16_t code;
    void (*change)(ReportInputs&, SpreadsheetOptions&);
    std::map<std::string, std::string> expected;
  } cases[] = {
      {"statistics", 12, [](ReportInputs&, SpreadsheetOptions&) {},
       {{"Mean", " 20.5"}, {"SD", " 0.25"}, {"N", "300"}, {"Analysis", "Basic stats"},
        {"Day of year", "61"}, {"Hour", " 10.055"}, {"elapsed time @ start (min) ", " 3.3"},
        {"StrtTime", " 10:03:18  "}, {"EndTime", " 10:13:16  "}, {"Duration", " 598"},
        {"mass", " 35.2"}, {"start", "99"}, {"end", "398"}, {"Channel", "1"}, {"File", "run1.KXdata"}}},
      {"area integration", 28, [](ReportInputs&, SpreadsheetOptions&) {},
       {{"SD", " "}, {"Analysis", "integral"}, {"Duration", " 598"}, {"start", "99"}, {"end", "398"}}},
      // A window of 30 cases from case 200 ends at case 229, 58 s after its start.
      {"scan", 13, [](ReportInputs&, SpreadsheetOptions&) {},
       {{"Analysis", "mean minimum"}, {"Duration", " 58"}, {"start", "200"}, {"end", "229"}}},
      {"point-to-point scan", 47, [](ReportInputs&, SpreadsheetOptions&) {},
       {{"Analysis", "most variable (point-to-point)"}, {"Duration", " 58"}, {"start", "200"}, {"end", "229"}}},
      {"running average", 43, [](ReportInputs&, SpreadsheetOptions&) {},
       {{"Analysis", "run.average"}, {"EndTime", " "}}},
      {"hour past midnight", 12,
       [](ReportInputs& in, SpreadsheetOptions&) {
         in.startMinutes = 1380;  // 23:00 + 60 cases of 2 minutes: 1500 minutes
         in.interval = 120;
         in.x1float = 60;
       },
       {{"Hour", " 1"}}},
      {"date as text", 12,
       [](ReportInputs& in, SpreadsheetOptions& o) {
         o.dateColumn = 2;
         in.StartDate = "02/28/2024";
         in.StartTime = "23:59:00";  // case 99 at 2 s is past midnight
       },
       {{"Date", "02/29/2024"}}},
      {"no start date", 12, [](ReportInputs& in, SpreadsheetOptions&) { in.StartDate = "00-00-2024"; },
       {{"Day of year", ""}}},
      {"scaled by half", 12,
       [](ReportInputs& in, SpreadsheetOptions&) {
         in.meanValue = 10;
         in.StandardDeviation = 3;
         in.mi = 4;
         in.scaling = {0.5, 1.0};
       },
       {{"Mean", " 6"}, {"SD", " 1.5"}, {"minimum", " 3"}}},
      {"zero interval", 12, [](ReportInputs& in, SpreadsheetOptions&) { in.interval = NAN; },
       {{"Hour", ""}, {"StrtTime", ""}, {"Duration", ""}, {"Mean", " 20.5"}}},
  };
  for (const Case& c : cases) {
    ReportInputs in = basicStats();
    in.AnalysisCode = c.code;
    SpreadsheetOptions o = all;
    c.change(in, o);
    const auto cells = cellsByCaption(in, o);
    for (const auto& [caption, value] : c.expected) {
      auto it = cells.find(caption);
      ASSERT_NE(it, cells.end()) << c.what << ": no column " << caption;
      EXPECT_EQ(it->second, value) << c.what << ": " << caption;
    }
  }
}

TEST(Spreadsheet, CodesWithoutARowWriteNothingAndDoNotCount) {
  SpreadsheetOptions o;
  o.UseExcelFormat = o.UseMultipleResults = 1;
  ReportInputs in = basicStats();
  for (int16_t code : {16, 17, 21, 26, 36, 37, 39, 99, 11}) {
    in.AnalysisCode = code;
    const SpreadsheetRow row = PRINTTABFILE(in, o, {3, 1}, " ");
    EXPECT_FALSE(row.written) << code;
    EXPECT_EQ(row.text, "") << code;
    EXPECT_EQ(row.line.NResultsPrinted, 1) << code;
  }
  for (int16_t code : {12, 13, 14, 15, 19, 22, 23, 24, 25, 27, 28, 42, 43, 44, 47})
    EXPECT_TRUE(spreadsheetWritesRow(code)) << code;
}

TEST(Spreadsheet, ThreeResultsPerLineAlignWithTheHeader) {
  SpreadsheetOptions o;
  o.UseExcelFormat = o.UseMultipleResults = 1;
  o.tabMode = o.tabmass = o.Note_1 = o.tabTime = o.deltatime = o.hourColumn = 1;
  o.dateColumn = 1;
  SETTABOPTIONS(o);

  std::string file = spreadsheetHeader(o, 3);
  SpreadsheetLine line{3, 0};
  ReportInputs in = basicStats();
  for (int k = 1; k <= 7; ++k) {
    in.meanValue = 10 * k;
    in.AnalysisCode = k == 2 ? kCodeMeanMinimum : kCodeDescriptiveStats;
    const bool wantsNotes = spreadsheetRowWantsNotes(in.AnalysisCode, o, line);
    EXPECT_EQ(wantsNotes, k == 1 || k == 4 || k == 7) << k;
    const SpreadsheetRow row = PRINTTABFILE(in, o, line, " ", {"note " + std::to_string(k), ""});
    EXPECT_EQ(row.lineComplete, k % 3 == 0) << k;
    line = row.line;
    file += row.text;
  }
  const std::vector<Record> r = parseDelimited(file, '\t');
  ASSERT_EQ(r.size(), 3u);  // the header and two full lines; the seventh result's line is open
  const Record& header = r[0];
  EXPECT_EQ(r[1].size(), header.size());
  EXPECT_EQ(r[2].size(), header.size());

  auto column = [&](const std::string& caption) {
    for (size_t i = 0; i < header.size(); ++i)
      if (header[i] == caption) return i;
    ADD_FAILURE() << "no column " << caption;
    return size_t(0);
  };
  EXPECT_EQ(header[0], "note#1");
  EXPECT_EQ(r[1][0], "note 1");
  EXPECT_EQ(r[2][0], "note 4");
  EXPECT_EQ(r[1][column("Mean")], " 10");
  EXPECT_EQ(r[1][column("Mean 2")], " 20");
  EXPECT_EQ(r[1][column("Mean 3")], " 30");
  EXPECT_EQ(r[2][column("Mean 3")], " 60");
  EXPECT_EQ(r[1][column("mass")], " 35.2");
  // Every group has its own analysis, date, hour, times and duration, in the same order.
  const size_t group2 = column("Mean 2"), group3 = column("Mean 3");
  EXPECT_EQ(group3 - group2, group2 - column("Mean") - 1);  // the first group also has mass
  EXPECT_EQ(r[1][group2 + 6], "mean minimum");
  EXPECT_EQ(header[group2 + 6], "Analysis");
  EXPECT_EQ(header[group2 + 7], "Day of year");
  EXPECT_EQ(r[1][group2 + 7], "61");
  EXPECT_EQ(header[group2 + 11], "Duration (sec) ");
  EXPECT_EQ(r[1][group2 + 11], " 58");
  EXPECT_EQ(std::count(header.begin(), header.end(), std::string("mass")), 1);
  EXPECT_EQ(std::count(header.begin(), header.end(), std::string("Hour")), 3);
}

TEST(Spreadsheet, WaveformAndPairDifferenceRows) {
  ReportInputs in = basicStats();
  in.AnalysisCode = kCodeWaveform;
  in.P = 2.5;
  in.StandardDeviation = 0.1f;
  in.dn = 10;
  in.dw = 50;
  in.dxx = 0.5;
  SpreadsheetOptions o;
  EXPECT_EQ(PRINTTABFILE(in, o, {}, " ").text, " 24, 0.96,10,O2 (%),\n 5, 0.5,10,O2 (%),\n");
  EXPECT_EQ(PRINTTABFILE(in, o, {}, "A").text, " 5, 0.5,10,O2 (%),\n");
  EXPECT_EQ(PRINTTABFILE(in, o, {}, "f").text, " 24, 0.96,10,O2 (%),\n");

  // The items after the label end with a separator; the cases begin with one.
  o.tabMode = o.tabStart = o.tabmass = 1;
  EXPECT_EQ(PRINTTABFILE(in, o, {}, "F").text,
            " 24, 0.96,10,O2 (%),frequency/min, 35.2,,99,398\n");

  // No period and no amplitude: empty cells, the columns kept.
  in.P = 0;
  in.dn = 0;
  o = {};
  EXPECT_EQ(PRINTTABFILE(in, o, {}, " ").text, ",,0,O2 (%),\n, 0.5,0,O2 (%),\n");
  in.dn = NAN;
  EXPECT_EQ(PRINTTABFILE(in, o, {}, "A").text, ", 0.5,,O2 (%),\n");

  in.AnalysisCode = kCodePairDifferences;
  in.tmFloat = 12.5f;
  in.ts = 1.5f;
  in.REnd = 6;
  in.meanValue = 3;
  in.StandardDeviation = 0.75f;
  o.tabMode = 1;
  EXPECT_EQ(PRINTTABFILE(in, o, {}, " ").text,
            " 12.5, 1.5,6,O2 (%),time (seconds; P.D.) ,\n 3, 0.75,6,O2 (%),amplitude (P.D.) ,\n");
}

TEST(Spreadsheet, CsvReadsBackIntoItsColumns) {
  SpreadsheetOptions o;
  o.Note_2 = o.tabChan = o.tabMode = o.tabTime = 1;
  SETTABOPTIONS(o);
  ASSERT_EQ(o.Note_1, 1);
  ReportInputs in = basicStats();
  in.labels[1] = "O2 \"dry\", scrubbed";
  in.fileName = "mouse 4, day 2.KXdata";
  std::string file = spreadsheetHeader(o, 2);
  file += PRINTTABFILE(in, o, {}, " ", {"fasted, 12 h", "said \"ok\""}).text;
  in.AnalysisCode = kCodeAreaIntegration;
  file += PRINTTABFILE(in, o, {}, " ", {"", ""}).text;

  const std::vector<Record> r = parseDelimited(file, ',');
  ASSERT_EQ(r.size(), 3u);
  const Record header{"note#1", "note#2", "Mean", "SD", "N", "minimum", "maximum", "Variable",
                      "Analysis", "StrtTime", "EndTime", "Channel", "File"};
  EXPECT_EQ(r[0], header);
  EXPECT_EQ(r[1], (Record{"fasted, 12 h", "said \"ok\"", " 20.5", " 0.25", "300", " 19.75", " 21.125",
                          "O2 \"dry\", scrubbed", "Basic stats", " 10:03:18  ", " 10:13:16  ", "1",
                          "mouse 4, day 2.KXdata"}));
  EXPECT_EQ(r[2].size(), header.size());
  EXPECT_EQ(r[2][0], "");  // an empty note is an empty cell
  EXPECT_EQ(r[2][3], " ");
  EXPECT_EQ(r[2][8], "integral");
}

TEST(Spreadsheet, NoteCells) {
  SpreadsheetOptions o;
  EXPECT_EQ(TabFileCommentsText(o, {"a", "b"}), "");
  o.Note_1 = 1;
  EXPECT_EQ(TabFileCommentsText(o, {"", "b"}), ",");  // an empty note is a lone separator
  o.Note_2 = 1;
  o.UseExcelFormat = 1;
  EXPECT_EQ(TabFileCommentsText(o, {"dose\t2", "ok"}), "\"dose\t2\"\tok\t");
  const std::string longNote(300, 'x');
  EXPECT_EQ(TabFileCommentsText(o, {longNote, ""}), std::string(kMaxNoteChars, 'x') + "\t\t");
}

TEST(Spreadsheet, OptionsWindowInterlocks) {
  SpreadsheetOptions o;
  OptionButtonStates b = SETTABOPTIONS(o);
  EXPECT_EQ(b.state[10], 0);  // dimmed without the Excel format
  o = clickSpreadsheetOption(o, 10);
  EXPECT_EQ(o.UseMultipleResults, 0);
  o = clickSpreadsheetOption(o, 9);
  o = clickSpreadsheetOption(o, 10);
  EXPECT_EQ(o.UseMultipleResults, 1);
  EXPECT_EQ(SETTABOPTIONS(o).state[10], 2);
  o = clickSpreadsheetOption(o, 9);  // the switch keeps its value while dimmed
  EXPECT_EQ(o.UseMultipleResults, 1);
  EXPECT_EQ(SETTABOPTIONS(o).state[10], 0);

  o = clickSpreadsheetOption(o, 8);  // a second note needs the first
  EXPECT_EQ(o.Note_1, 1);
  EXPECT_EQ(o.Note_2, 1);
  o = clickSpreadsheetOption(o, 7);  // no first note, no second
  EXPECT_EQ(o.Note_1, 0);
  EXPECT_EQ(o.Note_2, 0);

  o = clickSpreadsheetOption(o, 12);
  EXPECT_EQ(o.dateColumn, 1);
  o = clickSpreadsheetOption(o, 13);
  EXPECT_EQ(o.dateColumn, 2);
  b = SETTABOPTIONS(o);
  EXPECT_EQ(b.state[12], 1);
  EXPECT_EQ(b.state[13], 2);
  o = clickSpreadsheetOption(o, 13);
  EXPECT_EQ(o.dateColumn, 0);

  for (int button : {1, 2, 3, 4, 5, 6, 11, 14}) {
    SpreadsheetOptions after = clickSpreadsheetOption({}, button);
    EXPECT_EQ(SETTABOPTIONS(after).state[button], 2) << button;
  }

  EXPECT_EQ(proposedResultsName("run1.KXdata", kRouteSpreadsheet, o), "run1.KXdata results.csv");
  o.UseExcelFormat = 1;
  EXPECT_EQ(proposedResultsName("run1.KXdata", kRouteSpreadsheet, o), "run1.KXdata results.txt");
  EXPECT_EQ(proposedResultsName("run1.KXdata", kRouteTextFile, o), "run1.KXdata results");
}

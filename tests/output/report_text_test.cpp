#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "core/filetable.h"
#include "core/output_state.h"
#include "output/report_blocks.h"
#include "output/report_writer.h"
#include "output/result_text.h"
#include "plot/plot_state.h"
#include "core/stats_state.h"
#include "output/stats_text.h"

using namespace qv;

namespace {

std::string fixture(const std::string& name) {
  std::ifstream in(std::string(QV_FIXTURES) + "/" + name, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// A 300-case block (cases 99..398) of a file sampled every 2 s that starts at 10:00.
ReportInputs blockOfFile() {
  ReportInputs in;
  in.fileName = "run1.KXdata";
  in.interval = 2.0;
  in.startMinutes = 600.0;
  in.labels = {"", "O2 (%)                        ", "CO2 (%)", "Temp (C)"};
  in.BeginBlock = 99;
  in.EndBlock = 398;
  in.ch = 1;
  return in;
}

ReportInputs basicStats() {
  ReportInputs in = blockOfFile();
  in.AnalysisCode = kCodeDescriptiveStats;
  in.BeginAverage = 99;
  in.EndAverage = 398;
  in.x1float = 99;
  in.SecondXvalue = 398;
  in.nrPoints = 300;
  in.meanValue = 20.5;
  in.StandardDeviation = 0.25f;
  in.mi = 19.75f;
  in.ma = 21.125f;
  in.IntegrationUnit = kUnitMinutes;
  return in;
}

}  // namespace

TEST(Reports, GoldenTexts) {
  struct Golden {
    const char* file;
    ReportInputs in;
  };
  std::vector<Golden> cases;

  cases.push_back({"report_12.txt", basicStats()});

  {  // limit lines narrowed the statistics to cases 149..248; results scaled x2 + 1
    ReportInputs in = basicStats();
    in.BeginAverage = in.x1float = 149;
    in.EndAverage = 248;
    in.SecondXvalue = 248;
    in.nrPoints = 100;
    in.meanValue = 20;
    in.StandardDeviation = 0.5f;
    in.mi = 19;
    in.ma = 21;
    in.IntegrationUnit = kUnitHours;
    in.scaling = {2.0, 1.0};
    cases.push_back({"report_12_limits.txt", in});
  }
  {  // the 30-case window of the lowest mean, on channel 2
    ReportInputs in = blockOfFile();
    in.AnalysisCode = kCodeMeanMinimum;
    in.ch = in.InCH = 2;
    in.MMLBegin = 200;
    in.MMLpoints = 30;
    in.x1float = 200;
    in.SecondXvalue = 229;
    in.nrPoints = 30;
    in.meanValue = 0.75;
    in.StandardDeviation = 0.05f;
    in.mi = 0.7f;
    in.ma = 0.8f;
    in.IntegrationUnit = kUnitSeconds;
    cases.push_back({"report_13.txt", in});
  }
  {
    ReportInputs in = blockOfFile();
    in.AnalysisCode = kCodeWaveform;
    in.nPeaks = 11;
    in.P = 2.5;
    in.StandardDeviation = 0.1f;
    in.dn = 10;
    in.vn = 10;
    in.dw = 50;
    in.ds = 252.25;  // amplitudes of mean 5 and variance 0.25
    in.FloatA = 1;
    cases.push_back({"report_15.txt", in});
  }
  {
    ReportInputs in = blockOfFile();
    in.AnalysisCode = kCodeSlopeVsTime;
    in.TimeUnits = 1;
    in.ValueOfA = 20.75f;
    in.ValueOfB = -0.0125f;
    in.nPoints = 300;
    in.rsquared = 0.81f;
    in.Pslope = 0.01f;
    in.SlopeZeroProb = 0.00001f;
    in.SlopeTestProb = 0.0342f;
    cases.push_back({"report_16.txt", in});
  }
  {
    ReportInputs in = blockOfFile();
    in.AnalysisCode = kCodeAsymptote;
    in.sumy2 = 18.5f;
    in.nrPoints = 12;
    in.meanValue = 99.2;
    in.TimeUnits = 1;
    in.ValueOfB = -0.01f;  // per case of 2 s: -0.3 per minute
    in.SlopeID = 6;
    in.slope = float(std::log(0.5));
    cases.push_back({"report_25.txt", in});
  }
  {  // 12.5 (unscaled, in minutes) over 100 cases against a baseline from the data, x2 + 1: the
     // constant cancels
    ReportInputs in = blockOfFile();
    in.AnalysisCode = kCodeAreaIntegration;
    in.IntegrationUnit = kUnitMinutes;
    in.IntegrationMode = 120;
    in.baselineAtBegin = 0.5f;
    in.baselineAtEnd = 1.5f;
    in.BeginAverage = 149;
    in.EndAverage = 248;
    in.nrPoints = 100;
    in.meanValue = 12.5;
    in.scaling = {2.0, 1.0};
    cases.push_back({"report_28.txt", in});
  }
  {
    ReportInputs in = blockOfFile();
    in.AnalysisCode = kCodePairDifferences;
    in.nrPoints = 5;
    in.meanValue = 2.0;
    in.StandardDeviation = 0.5f;
    in.mi = 1.2f;
    in.ma = 2.8f;
    in.tmFloat = 10;
    in.ts = 2;
    in.tmi = 7;
    in.tma = 13;
    cases.push_back({"report_44.txt", in});
  }

  for (const Golden& g : cases) {
    const std::string expected = fixture(g.file);
    ASSERT_FALSE(expected.empty()) << g.file;
    EXPECT_EQ(textReport(g.in), expected) << g.file;
  }
}

TEST(Reports, HeadingCasesLine) {
  struct Case {
    int32_t begin, end;
    double interval;
    const char* line;
  } cases[] = {
      {4, 4, 1.0, "    Cases5 to5 (total1):  elapsed time 0 sec"},
      {0, 1199, 1.0, "    Cases1 to1200 (total1200):  elapsed time 19.98333 min"},
      {0, 600, 1.0, "    Cases1 to601 (total601):  elapsed time 600 sec"},
      {0, 9, 0.0, "    Cases1 to10 (total10):  elapsed time 0 sec"},
  };
  for (const Case& c : cases) {
    ReportInputs in = blockOfFile();
    in.AnalysisCode = kCodeDescriptiveStats;
    in.BeginBlock = c.begin;
    in.EndBlock = c.end;
    in.interval = c.interval;
    EXPECT_EQ(PrintHeading(in, true, "BASIC STATS"),
              std::string("  BASIC STATS, CHANNEL 1:  O2 (%)\n") + c.line);
  }
  // The clicked-point reports have no block line; the regression between channels no channel.
  ReportInputs in = blockOfFile();
  in.AnalysisCode = kCodeRunningAverage;
  EXPECT_EQ(PrintHeading(in, true, "RUNNING AVERAGE"), "  RUNNING AVERAGE, CHANNEL 1:  O2 (%)\n");
  in.AnalysisCode = kCodeRegression;
  in.MainDataChannel = 2;
  in.SecondChannel = 3;
  EXPECT_EQ(textReport(in).substr(0, 80),
            "   REGRESSION of channel 2, CO2 (%)     against channel 3, Temp (C)\n    Cases100");
}

TEST(Reports, StatisticsOfTwoCasesHaveNoSpreadLine) {
  ReportInputs in = basicStats();
  in.nrPoints = 2;
  const std::string s = PRINTbSTATS(in);
  EXPECT_EQ(s.find("S.D."), std::string::npos);
  EXPECT_NE(s.find("     Mean =  20.5     N = 2\n"), std::string::npos);
}

TEST(Reports, RegressionModelsAndTheLowerBound) {
  ReportInputs in = blockOfFile();
  in.UseLogY = 3;
  in.SlopeZeroProb = 0.2f;
  in.SlopeTestProb = 0.00001f;
  const std::string s = PRINTrSTATS(in);
  EXPECT_NE(s.find("\n       Model: log(Y) = a + b*log(X) \n"), std::string::npos);
  EXPECT_NE(s.find("P(slope = 0) is  0.2"), std::string::npos);
  EXPECT_NE(s.find(") is  < 1E-05\n"), std::string::npos);
}

TEST(Reports, RegressionClockTimesAreTimesOfTheBlock) {
  // Cases 99 and 398 at 2 s from 10:00 are 10:03:18 and 10:13:16, not 99 and 398 minutes.
  const std::string s = PRINTrSTATS(blockOfFile());
  EXPECT_EQ(s.substr(0, s.find('\n')), "      from 10:03:18  to 10:13:16  ");
}

TEST(Reports, ClockTimesUseTheExactMinute) {
  // 6,100,000 cases at 1 s: 0.0166667 for 1/60 would read 12 s late.
  ReportInputs in = basicStats();
  in.interval = 1.0;
  in.startMinutes = 0.0;
  in.x1float = 0;
  in.SecondXvalue = 6100000;
  const std::string s = PRINTbSTATS(in);
  EXPECT_EQ(s.substr(0, s.find('\n')), ", from 0:00:00  to 14:26:40  ");
}

TEST(Reports, UndefinedNumbersAreWrittenAsStars) {
  {  // a mean of 0 has no C.V.
    ReportInputs in = basicStats();
    in.meanValue = 0;
    EXPECT_NE(PRINTbSTATS(in).find("C.V. = **%"), std::string::npos);
  }
  {  // a zero interval has no integrated total in a time unit
    ReportInputs in = basicStats();
    in.interval = 0;
    EXPECT_NE(PRINTbSTATS(in).find("integrated total = **\n"), std::string::npos);
  }
  {  // no valid case: no mean, no range
    ReportInputs in = basicStats();
    in.nrPoints = 0;
    const std::string s = PRINTbSTATS(in);
    EXPECT_NE(s.find("Mean = no valid cases     N = 0\n"), std::string::npos);
    EXPECT_NE(s.find("Range: ** to **     integrated total =  0\n"), std::string::npos);
  }
  {  // pair times that average 0 (or never were measured)
    ReportInputs in = blockOfFile();
    in.AnalysisCode = kCodePairDifferences;
    in.nrPoints = 3;
    in.tmFloat = 0;
    EXPECT_NE(PRINTtSTATS(in).find("C.V. = **%"), std::string::npos);
    in.tmFloat = NAN;
    EXPECT_NE(PRINTtSTATS(in).find("MEAN ELAPSED TIME = ** sec"), std::string::npos);
  }
  {  // a period of 0 and a variance below 0
    ReportInputs in = blockOfFile();
    in.AnalysisCode = kCodeWaveform;
    in.P = 0;
    in.dn = 3;
    in.vn = 3;
    in.dw = 3;
    in.ds = 1;  // less than dw^2 / dn
    const std::string s = textReport(in);
    EXPECT_NE(s.find("       = ** Hz or** per min"), std::string::npos) << s;
    EXPECT_NE(s.find("  1 +/-**\n"), std::string::npos) << s;
  }
  {  // an asymptote with a zero interval, and one with a flat slope
    ReportInputs in = blockOfFile();
    in.AnalysisCode = kCodeAsymptote;
    in.interval = 0;
    std::string s = textReport(in);
    EXPECT_NE(s.find("ln-transformed data: **\n"), std::string::npos);
    EXPECT_NE(s.find("% change: ** seconds\n"), std::string::npos);
    in.interval = 1;
    in.ValueOfB = 0;
    s = textReport(in);
    EXPECT_NE(s.find("% change: ** seconds\n"), std::string::npos);
  }
}

TEST(Reports, AsymptoteRateNearOneIsShownAsBound) {
  ReportInputs in = blockOfFile();
  in.AnalysisCode = kCodeAsymptote;
  in.interval = 1;
  in.ValueOfB = -20;
  EXPECT_NE(textReport(in).find("(fractional change per second):  > .999999\n"), std::string::npos);
}

TEST(Reports, LimitsCountersAndRuleOnlyCodes) {
  ReportInputs in = blockOfFile();
  in.AnalysisCode = kCodeSelectiveIntegration;
  in.ma = 5;
  in.mi = 1;
  in.meanValue = 123.5;
  in.StandardDeviation = 12.3456f;
  const std::string s = textReport(in);
  EXPECT_NE(s.find("\n       upper limit:  5       lower limit:  1\n"), std::string::npos) << s;
  EXPECT_NE(s.find("    \u2211 (data between limits):  123.5\n    fraction of total: 12.346%\n"),
            std::string::npos) << s;

  in.AnalysisCode = kCodeEventCounter;
  in.events.positiveEvents = "4";
  in.events.negativeMaximum = "-0.5";
  const std::string e = textReport(in);
  EXPECT_NE(e.find("     'positive ' events (above upper limit): 4\n"), std::string::npos);
  EXPECT_NE(e.find("     maximum: -0.5\n"), std::string::npos);

  for (int16_t code : {21, 26, 36, 37, 39, 42, 50}) {
    in.AnalysisCode = code;
    EXPECT_EQ(textReport(in), PRINTLINE()) << code;
  }
  for (int16_t code : {-99, -1, 0, 11, 99}) {
    in.AnalysisCode = code;
    EXPECT_EQ(textReport(in), "") << code;
  }
}

TEST(Reports, IntegratedTotalEqualsTheWindowsForEveryUnit) {
  for (int16_t unit : {kUnitSeconds, kUnitMinutes, kUnitHours, kUnitDays, kUnitNone, kUnitNoneArea}) {
    for (ResultScaling scaling : {ResultScaling{}, ResultScaling{2.0, 1.0}, ResultScaling{0.5, -3.0}}) {
      ReportInputs in = basicStats();
      in.IntegrationUnit = unit;
      in.scaling = scaling;
      const IntegratedTotal window =
          integratedTotal(in.meanValue * in.nrPoints, in.nrPoints, scaling, in.interval, unit);
      const std::string s = PRINTbSTATS(in);
      const std::string label = "integrated total = ";
      const size_t at = s.find(label) + label.size();
      EXPECT_EQ(s.substr(at, s.find('\n', at) - at), window.text()) << unit;
      EXPECT_EQ(reportIntegratedTotal(in), window.text()) << unit;
    }
  }
}

TEST(DraftPrint, RoutesIconsAndTheCount) {
  ReportInputs in = basicStats();
  SpreadsheetOptions o;
  SpreadsheetLine line;

  // No destination: the alert, nothing written or counted. Nothing at all for code 99.
  DraftPrintOutcome r = draftPrint(in, kRouteNone, " ", o, line, 3, 1200);
  EXPECT_TRUE(r.reported);
  EXPECT_TRUE(r.noDestination);
  EXPECT_EQ(r.count.Nresults, 3);
  in.AnalysisCode = kCodeWaveformOpen;
  r = draftPrint(in, kRouteNone, " ", o, line, 3, 1200);
  EXPECT_FALSE(r.reported);
  EXPECT_FALSE(r.noDestination);

  in.AnalysisCode = kCodeDescriptiveStats;
  r = draftPrint(in, kRouteTextFile, " ", o, line, 3, 1200);
  EXPECT_EQ(r.text, textReport(in));
  EXPECT_EQ(r.icon, ReportIcon::Disk);
  EXPECT_EQ(r.count.Nresults, 4);
  EXPECT_EQ(r.count.field18, " 4 saved; last = ch. 1, 100 - 399");

  // A narrow plot area has no field 18, but the result still counts.
  r = draftPrint(in, kRoutePrinter, " ", o, line, 3, 900);
  EXPECT_EQ(r.icon, ReportIcon::Page);
  EXPECT_EQ(r.count.Nresults, 4);
  EXPECT_EQ(r.count.field18, "");

  // The polynomial fit: the rule alone while nothing is fitted, no icon either way.
  in.AnalysisCode = kCodePolynomial;
  r = draftPrint(in, kRouteTextFile, " ", o, line, 0, 1200);
  EXPECT_EQ(r.text, PRINTLINE());
  EXPECT_EQ(r.icon, ReportIcon::None);
  in.polyCoefficients = {1, 2, 3};
  in.polyR2 = 1.0;
  in.labels = {"", "time", "load"};
  in.MainDataChannel = 1;
  in.SecondChannel = 2;
  in.AnalysisCode = kCodePolynomialReplay;
  r = draftPrint(in, kRouteTextFile, " ", o, line, 0, 1200);
  EXPECT_NE(r.text.find("POLYNOMIAL REGRESSION"), std::string::npos) << r.text;
  EXPECT_NE(r.text.find("    'X ' Channel: time\n    'Y ' Channel: load\n   r-squared =  1\n Model:  Y =  1\n"
                        "          + X^1 *  2\n          + X^2 *  3\n"),
            std::string::npos)
      << r.text;
  EXPECT_EQ(r.icon, ReportIcon::None);
  in.polyCoefficients.clear();

  // The spreadsheet: a regression writes nothing and is not counted.
  in.AnalysisCode = kCodeSlopeVsTime;
  r = draftPrint(in, kRouteSpreadsheet, " ", o, line, 7, 1200);
  EXPECT_EQ(r.text, "");
  EXPECT_EQ(r.count.Nresults, 7);
  EXPECT_FALSE(r.count.counted);
}

TEST(DraftPrint, SeveralResultsPerLineCountCompleteLines) {
  ReportInputs in = basicStats();
  SpreadsheetOptions o;
  o.UseExcelFormat = 1;
  o.UseMultipleResults = 1;
  SpreadsheetLine line{3, 0};
  int16_t n = 0;
  std::vector<int16_t> counts;
  for (int16_t code : {12, 16, 12, 17, 12, 12}) {
    in.AnalysisCode = code;
    DraftPrintOutcome r = draftPrint(in, kRouteSpreadsheet, " ", o, line, n, 1200);
    n = r.count.Nresults;
    line.NResultsPrinted = r.NResultsPrinted;
    counts.push_back(n);
  }
  EXPECT_EQ(counts, (std::vector<int16_t>{0, 0, 0, 0, 1, 1}));
  EXPECT_EQ(line.NResultsPrinted, 1);
}

TEST(Reports, ThePublishedResultsOfTheFileInUse) {
  // What the statistics window leaves behind reports as the golden statistics report.
  const int slot = 5;
  FileName[slot] = "run1.KXdata";
  nChannels[slot] = 2;
  for (auto& s : LabelStrings[slot]) s.clear();
  SetChannelLabel(slot, 1, "O2 (%)");
  FileInfoFLOATS[slot][1] = 2.0f;
  FileInfoFLOATS[slot][8] = 600.0f;
  BeginBlock.inUse() = 99;
  EndBlock.inUse() = 398;
  BlockStats s;
  s.n = 300;
  s.mean = 20.5;
  s.sd = 0.25f;
  s.min = 19.75f;
  s.max = 21.125f;
  publishStatistics(s, 99, 398);
  IntegrationUnit = kUnitMinutes;
  AnalysisCode = kCodeDescriptiveStats;

  const ReportInputs in = publishedReportInputs(slot, 1);
  EXPECT_EQ(textReport(in), fixture("report_12.txt"));
  EXPECT_EQ(in.fileName, "run1.KXdata");

  AnalysisCode = 0;
  nChannels[slot] = 0;
}

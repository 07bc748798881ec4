#include "output/report_writer.h"

#include <cmath>

#include "core/output_state.h"
#include "output/report_blocks.h"
#include "output/result_text.h"
#include "output/area_integral.h"
#include "output/stats_text.h"

namespace qv {

namespace {

std::string limitsLine(const ReportInputs& in) {
  if (in.BeginAverage == in.BeginBlock && in.EndAverage == in.EndBlock) return "";
  return "begin at:" + wholeNumber(in.BeginAverage) + "    end at:" + wholeNumber(in.EndAverage) +
         "   N = " + wholeNumber(int64_t(in.EndAverage) - in.BeginAverage + 1) + "\n";
}

const char* scanTitle(int16_t code) {
  switch (code) {
    case kCodeMeanMinimum: return "MEAN MINIMUM";
    case kCodeMeanMaximum: return "MEAN MAXIMUM";
    case kCodeMostLevel: return "MOST LEVEL";
    case kCodeMostVariable: return "MOST VARIABLE (max. slope) ";
    default: return "MOST VARIABLE (point-to-point) ";
  }
}

std::string scanReport(const ReportInputs& in) {
  const int d = in.significantFigures;
  std::string s = PrintHeading(in, true, scanTitle(in.AnalysisCode));
  s += " at cases" + wholeNumber(int64_t(in.MMLBegin) + 1) + " to" +
       wholeNumber(int64_t(in.MMLBegin) + in.MMLpoints) + " (" +
       reportNumber(in.interval * (double(in.MMLpoints) - 1.0), d) + " sec )  \n";
  s += "    Scan is based on channel" + blankedNumber(in.InCH) + ":  ";
  return s + PRINTbSTATS(in) + PRINTLINE();
}

std::string waveformReport(const ReportInputs& in) {
  const int d = in.significantFigures;
  std::string s = PrintHeading(in, true, "WAVEFORM ANALYSIS") + "\n";
  s += "   PERIOD [" + wholeNumber(int64_t(in.nPeaks) - 1) + " cycles ]: " + reportNumber(in.P, d) +
       " " + std::string(kPlusMinus) + reportNumber(in.StandardDeviation, d) + " sec\n";
  s += "       = " + reportNumber(1.0 / in.P, d) + " Hz or" + reportNumber(60.0 / in.P, d) +
       " per min\n";
  s += "   AMPLITUDE [" + reportNumber(in.dn, d) + " amplitudes, peak to " +
       (in.FloatA == 1 ? "prior" : "following") + " valley ]: ";
  if (in.dn > 1 && in.vn > 1) s += " " + reportNumber(in.dw / in.dn, d);
  if (in.dn > 1) {
    const double variance = (in.ds - in.dw * in.dw / in.dn) / (in.dn - 1);
    s += " +/-" + reportNumber(variance >= 0.0 ? std::sqrt(variance) : NAN, d);
  }
  return s + "\n" + PRINTLINE();
}

const char* timeUnitWord(int16_t TimeUnits) {
  switch (TimeUnits) {
    case 3: return "days";
    case 2: return "hours";
    case 1: return "minutes";
    default: return "seconds";
  }
}

const char* integrationUnitWord(int16_t unit) {
  switch (unit) {
    case kUnitDays: return "days";
    case kUnitHours: return "hours";
    case kUnitMinutes: return "minutes";
    case kUnitNone:
    case kUnitNoneArea: return "none";
    default: return "seconds";
  }
}

std::string regressionReport(const ReportInputs& in) {
  std::string s;
  if (in.AnalysisCode == kCodeSlopeVsTime) {
    s = PrintHeading(in, true, std::string("SLOPE VERSUS TIME in ") + timeUnitWord(in.TimeUnits));
  } else {
    s = PrintHeading(in, false,
                     " REGRESSION of channel" + blankedNumber(in.MainDataChannel) + ", " +
                         in.label(in.MainDataChannel) + "     against channel" +
                         blankedNumber(in.SecondChannel) + ", " + in.label(in.SecondChannel)) +
        "\n";
  }
  return s + PRINTrSTATS(in) + PRINTLINE();
}

std::string limitsReport(const ReportInputs& in) {
  const int d = in.significantFigures;
  const int16_t code = in.AnalysisCode;
  const char* title = code == kCodeTimeIntegration ? "TIME INTEGRATION (within limits)"
                      : code == kCodeEventCounter  ? "EVENT COUNTER (within limits)"
                                                   : "SELECTIVE INTEGRATION (within limits)";
  std::string s = PrintHeading(in, true, title) + "\n";
  s += "       upper limit: " + reportNumber(in.ma, d) + "       lower limit: " +
       reportNumber(in.mi, d) + "\n";
  if (code == kCodeTimeIntegration) {
    const char* unit = in.IntegrationUnit == kUnitDays      ? " days"
                       : in.IntegrationUnit == kUnitHours   ? " hours"
                       : in.IntegrationUnit == kUnitMinutes ? " minutes"
                                                            : " seconds";
    s += "    time within limits:" + reportNumber(in.meanValue, d) + unit + "\n";
    s += "    fraction of total time:" + reportNumber(in.StandardDeviation, 3) + "%\n";
  } else if (code == kCodeEventCounter) {
    const EventCounterFields& e = in.events;
    s += "     'positive ' events (above upper limit): " + e.positiveEvents + "\n";
    s += "        'positive ' mean: " + e.positiveMean + "  SD: " + e.positiveSD + "\n";
    s += "               minimum: " + e.positiveMinimum + "     maximum: " + e.positiveMaximum + "\n";
    s += "     'negative ' events (below lower limit): " + e.negativeEvents + "\n";
    s += "        'negative ' mean: " + e.negativeMean + "  SD: " + e.negativeSD + "\n";
    s += "               minimum: " + e.negativeMinimum + "     maximum: " + e.negativeMaximum + "\n";
  } else {
    s += "    " + std::string(kSummation) + " (data between limits): " + reportNumber(in.meanValue, d) +
         "\n";
    s += "    fraction of total:" + reportNumber(in.StandardDeviation, 3) + "%\n";
  }
  return s + PRINTLINE();
}

std::string asymptoteReport(const ReportInputs& in) {
  const int d = in.significantFigures;
  std::string s = PrintHeading(in, true, "ASYMPTOTE") + "\n";
  s += "    1st order approximation = " + reportNumber(in.sumy2, d) + "\n";
  s += "    C.D. (" + blankedNumber(in.nrPoints) + " iterations ) = " + reportNumber(in.meanValue, d) +
       "%\n";
  const char* unit = in.TimeUnits == 3 ? "day" : in.TimeUnits == 2 ? "hour" : in.TimeUnits == 1 ? "minute" : "second";
  const double factor = in.TimeUnits == 3 ? 86400.0 : in.TimeUnits == 2 ? 3600.0 : in.TimeUnits == 1 ? 60.0 : 1.0;
  const double k = in.interval != 0.0 ? factor * in.ValueOfB / in.interval : NAN;
  s += "    Slope of ln-transformed data: " + reportNumber(k, d) + "\n";
  std::string rate = reportNumber(1.0 - std::exp(k), d);
  if (rate == " 1") rate = " > .999999";
  s += std::string("    Rate constant (fractional change per ") + unit + "): " + rate + "\n";
  static const char* const kPercent[] = {"", "1", "5", "10", "25", "33", "50", "67", "75", "90", "95"};
  const char* p = in.SlopeID >= 1 && in.SlopeID <= 10 ? kPercent[in.SlopeID] : "99";
  s += std::string("    Time for ") + p + "% change: " +
       reportNumber(k != 0.0 ? in.slope / k : NAN, d) + " " + unit + "s\n";
  return s + PRINTLINE();
}

std::string polynomialReport(const ReportInputs& in) {
  if (in.polyCoefficients.empty()) return PRINTLINE();
  const int d = in.significantFigures;
  std::string s = PrintHeading(in, true, "POLYNOMIAL REGRESSION") + "\n";
  s += "    'X ' Channel: " + in.label(in.MainDataChannel) + "\n";
  s += "    'Y ' Channel: " + in.label(in.SecondChannel) + "\n";
  s += "   r-squared = " + reportNumber(in.polyR2, d) + "\n";
  s += " Model:  Y = " + reportNumber(in.polyCoefficients[0], d) + "\n";
  for (size_t i = 1; i < in.polyCoefficients.size(); ++i)
    s += "          + X^" + std::to_string(i) + " * " + reportNumber(in.polyCoefficients[i], d) + "\n";
  return s + PRINTLINE();
}

std::string areaReport(const ReportInputs& in) {
  const int d = in.significantFigures;
  std::string s = PrintHeading(in, true,
                               std::string("INTEGRATION;  timebase is ") +
                                   integrationUnitWord(in.IntegrationUnit)) +
                  "\n";
  s += "      Baseline is ";
  switch (in.IntegrationMode) {
    case 118: s += "block start: " + reportNumber(in.baselineAtBegin, d); break;
    case 119: s += "block end: " + reportNumber(in.baselineAtEnd, d); break;
    case 120:
      s += "linear between" + reportNumber(in.baselineAtBegin, d) + " and" +
           reportNumber(in.baselineAtEnd, d);
      break;
    case 121: s += "user-set at " + in.userBaseline; break;
    default: s += "zero"; break;
  }
  s += "\n" + limitsLine(in);
  const double total = scaledIntegral(in.meanValue, in.nrPoints, in.scaling, in.IntegrationMode,
                                      in.IntegrationUnit, in.interval);
  s += "      integrated total is: " + (std::isfinite(total) ? reportNumber(total, d) : std::string("**")) + "\n";
  return s + PRINTLINE();
}

}  // namespace

bool hasReport(int16_t code) { return code >= kCodeDescriptiveStats && code != kCodeWaveformOpen; }

bool reportsStatistics(int16_t code) {
  switch (code) {
    case kCodeDescriptiveStats:
    case kCodeMeanMinimum:
    case kCodeMeanMaximum:
    case kCodeMostLevel:
    case kCodeMostVariable:
    case kCodeMostVariablePointToPoint:
    case kCodeRunningAverage:
    case kCodePairDifferences: return true;
    default: return false;
  }
}

std::string textReport(const ReportInputs& in) {
  const int16_t code = in.AnalysisCode;
  if (!hasReport(code)) return "";
  switch (code) {
    case kCodeDescriptiveStats:
      return PrintHeading(in, true, "BASIC STATS") + limitsLine(in) + PRINTbSTATS(in) + PRINTLINE();
    case kCodeMeanMinimum:
    case kCodeMeanMaximum:
    case kCodeMostLevel:
    case kCodeMostVariable:
    case kCodeMostVariablePointToPoint: return scanReport(in);
    case kCodeWaveform: return waveformReport(in);
    case kCodeSlopeVsTime:
    case kCodeRegression: return regressionReport(in);
    case kCodeTimeIntegration:
    case kCodeEventCounter:
    case kCodeSelectiveIntegration: return limitsReport(in);
    case kCodeAsymptote: return asymptoteReport(in);
    case kCodePolynomial:
    case kCodePolynomialReplay: return polynomialReport(in);
    case kCodeAreaIntegration: return areaReport(in);
    case kCodeRunningAverage:
      return PrintHeading(in, true, "RUNNING AVERAGE") + PRINTbSTATS(in) + PRINTLINE();
    case kCodePairDifferences:
      return PrintHeading(in, true, "AVERAGE PAIR DIFFERENCES") + PRINTbSTATS(in) + PRINTLINE();
    default: return PRINTLINE();
  }
}

ResultCount countResult(int16_t Nresults, bool written, bool lineComplete, int16_t screenWidth,
                        int16_t ch, int32_t BeginBlock, int32_t EndBlock) {
  ResultCount c;
  c.Nresults = Nresults;
  if (!written) return c;
  if (lineComplete && Nresults < INT16_MAX) {
    c.Nresults = int16_t(Nresults + 1);
    c.counted = true;
  }
  if (screenWidth >= 1100)
    c.field18 = blankedNumber(c.Nresults) + " saved; last = ch." + blankedNumber(ch) + "," +
                blankedNumber(int64_t(BeginBlock) + 1) + " -" + blankedNumber(int64_t(EndBlock) + 1);
  return c;
}

DraftPrintOutcome draftPrint(const ReportInputs& in, int16_t route, std::string_view selector,
                             const SpreadsheetOptions& options, const SpreadsheetLine& line,
                             int16_t Nresults, int16_t screenWidth, const SpreadsheetNotes& notes) {
  DraftPrintOutcome out;
  out.NResultsPrinted = line.NResultsPrinted;
  out.count.Nresults = Nresults;
  if (!hasReport(in.AnalysisCode)) return out;
  if ((reportsStatistics(in.AnalysisCode) || in.AnalysisCode == kCodeAreaIntegration) && in.nrPoints < 1) {
    out.noValidCases = true;
    return out;
  }
  out.reported = true;
  bool written = true, lineComplete = true;
  switch (route) {
    case kRouteSpreadsheet: {
      SpreadsheetRow row = PRINTTABFILE(in, options, line, selector, notes);
      written = row.written;
      lineComplete = row.lineComplete;
      out.text = std::move(row.text);
      out.NResultsPrinted = row.line.NResultsPrinted;
      if (written) out.icon = ReportIcon::Disk;
      break;
    }
    case kRouteTextFile:
    case kRoutePrinter: {
      out.text = textReport(in);
      const bool polynomial = in.AnalysisCode == kCodePolynomialReplay || in.AnalysisCode == kCodePolynomial;
      if (!polynomial) out.icon = route == kRouteTextFile ? ReportIcon::Disk : ReportIcon::Page;
      break;
    }
    default: out.noDestination = true; return out;
  }
  out.count = countResult(Nresults, written, lineComplete, screenWidth, in.ch, in.BeginBlock, in.EndBlock);
  return out;
}

}  // namespace qv

#include "output/report_blocks.h"

#include <cmath>

#include "core/output_state.h"
#include "output/result_text.h"
#include "output/stats_text.h"

namespace qv {

namespace {

bool clickedPoints(int16_t code) {
  return code == kCodeRunningAverage || code == kCodePairDifferences;
}

std::string clockAt(const ReportInputs& in, double kase) {
  return MakeTimeString(clockMinutes(kase, in.interval, in.startMinutes));
}

}  // namespace

std::string PrintHeading(const ReportInputs& in, bool withChannel, std::string_view title) {
  const int d = in.significantFigures;
  std::string s = "  " + std::string(title);
  if (withChannel) s += ", CHANNEL" + blankedNumber(in.ch) + ":  " + in.label(in.ch);
  s += "\n";
  if (clickedPoints(in.AnalysisCode)) return s;
  const int64_t first = in.BeginBlock, last = in.EndBlock;
  s += "    Cases" + wholeNumber(first + 1) + " to" + wholeNumber(last + 1) + " (total" +
       wholeNumber(last - first + 1) + "): " + " elapsed time";
  const double t = double(last - first) * in.interval;
  if (std::isfinite(t) && t > 600.0)
    s += reportNumber(t / 60.0, d) + " min";
  else
    s += reportNumber(t, d) + " sec";
  return s;
}

std::string PRINTLINE() { return repeated(kEmDash, 80) + "\n"; }

std::string reportIntegratedTotal(const ReportInputs& in) {
  const int16_t unit = clickedPoints(in.AnalysisCode) ? kUnitNone : in.IntegrationUnit;
  const int32_t n = in.nrPoints > 0 ? in.nrPoints : 0;
  const IntegratedTotal t =
      integratedTotal(in.meanValue * double(n), n, in.scaling, in.interval, unit);
  return t.valid ? reportNumber(t.total, in.significantFigures) : "**";
}

std::string PRINTbSTATS(const ReportInputs& in) {
  const int d = in.significantFigures;
  const ResultScaling& sc = in.scaling;
  std::string s;
  if (!clickedPoints(in.AnalysisCode))
    s += ", from" + clockAt(in, in.x1float) + "to" + clockAt(in, in.SecondXvalue) + "\n";

  const bool any = in.nrPoints > 0;
  const double level = sc.level(in.meanValue);
  s += "     Mean = " + (any ? reportNumber(float(level), d) : std::string("no valid cases")) +
       "     N = " + wholeNumber(any ? in.nrPoints : 0) + "\n";

  if (in.nrPoints > 2) {
    const double sd = sc.spread(in.StandardDeviation);
    const double cv = level != 0.0 ? std::fabs(sd * 100.0 / level) : NAN;
    s += "     S.D. = " + reportNumber(sd, d) + "     C.V. = " + reportNumber(cv, 4) +
         "%       S.E. = " + reportNumber(sd / std::sqrt(double(in.nrPoints)), d) + "\n";
  }

  const double lo = any ? sc.level(in.mi) : NAN, hi = any ? sc.level(in.ma) : NAN;
  s += "      Range: " + reportNumber(lo, d) + " to " + reportNumber(hi, d) +
       "     integrated total = " + reportIntegratedTotal(in) + "\n";

  if (in.AnalysisCode == kCodePairDifferences) s += PRINTtSTATS(in);
  return s;
}

std::string PRINTtSTATS(const ReportInputs& in) {
  const int d = in.significantFigures;
  const double mean = in.tmFloat, sd = in.ts;
  std::string s = "         MEAN ELAPSED TIME = " + reportNumber(mean, d) + " sec\n";
  if (in.nrPoints > 2) {
    const double cv = mean != 0.0 ? std::trunc(sd * 100.0 / mean * 1000.0) * 0.001 : NAN;
    s += "         S.D. = " + reportNumber(sd, d) + "     C.V. = " + reportNumber(cv, 4) +
         "%       S.E. = " + reportNumber(sd / std::sqrt(double(in.nrPoints)), d) + "\n";
  }
  s += "         time range:  " + reportNumber(in.tmi, d) + " to " + reportNumber(in.tma, d) +
       " sec\n";
  s += "         integrated total time = " +
       reportNumber(double(in.nrPoints > 0 ? in.nrPoints : 0) * mean, d) + " sec\n";
  return s;
}

std::string PRINTrSTATS(const ReportInputs& in) {
  const int d = in.significantFigures;
  std::string s = "      from" + clockAt(in, in.BeginBlock) + "to" + clockAt(in, in.EndBlock) + "\n";
  const char* model = in.UseLogY == 1   ? "log(Y) = a + b*X"
                      : in.UseLogY == 2 ? "Y = a + b*log(X) "
                      : in.UseLogY == 3 ? "log(Y) = a + b*log(X) "
                                        : "Y = a + b*X";
  s += std::string("       Model: ") + model + "\n";
  s += "      value of a: " + reportNumber(in.ValueOfA, d) +
       "    slope (value of b): " + reportNumber(in.ValueOfB, d) + "\n";
  s += "      n = " + wholeNumber(in.nPoints) + "       r^2 = " + reportNumber(in.rsquared, d) + "\n";
  // The slope test never reports less than its lower bound, 0.00001: at the bound it is "<".
  auto probability = [d](float p) {
    return (p <= 0.00001f ? std::string(" <") : std::string()) + reportNumber(p, d);
  };
  s += "     P(slope = 0) is " + probability(in.SlopeZeroProb);
  s += "         P(slope = " + reportNumber(in.Pslope, d) + ") is " + probability(in.SlopeTestProb) +
       "\n";
  return s;
}

}  // namespace qv

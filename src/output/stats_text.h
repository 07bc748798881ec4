#pragma once
// The statistics text block of the analysis windows as text (the window places it), clock
// texts of cases, durations, and the integrated total that the window, the statistics report
// and the area-integration report all take from here.
#include <cstdint>
#include <optional>
#include <string>

#include "core/results_scaling.h"
#include "core/stats_state.h"

namespace qv {

// Minutes after midnight at a case: start + case x interval / 60, exactly.
double clockMinutes(double kase, double intervalSeconds, double startMinutes);

// Clock text of minutes after midnight: the hours as number text (with its leading blank),
// ":", two-digit minutes, ":", two-digit seconds (cut, not rounded), then two blanks. Times
// past a day wrap (1500 minutes read as 60); "**" for a time that is not a number.
std::string MakeTimeString(double minutes);

// Seconds of a unit button (65, 66, 67, 228); 0 for "None" (68 and 225). Any other id is
// seconds.
double unitSeconds(int16_t unit);
bool unitIsNone(int16_t unit);

// The duration of n cases, (n - 1) x interval, in a unit ("None" shows seconds).
struct Duration {
  double value = 0.0;
  std::string unit;  // " sec", " min", " hours", " days"
  bool overTenMinutes = false;
  std::string text() const;
};
Duration elapsedDuration(int32_t n, double intervalSeconds, int16_t unit);

// The integrated total: the sum over the n cases included of (m x value + a) x interval /
// the unit's seconds; with "None", the plain sum of (m x value + a). Not valid (shown "**")
// when a timed unit meets an interval that is not a positive number.
struct IntegratedTotal {
  double total = 0.0;
  int32_t nPoints = 0;  // the cases summed
  bool valid = true;
  std::string text() const;
};
IntegratedTotal integratedTotal(double sumOfValues, int32_t n, const ResultScaling& scaling,
                                double intervalSeconds, int16_t unit);
// The same from an unscaled total already in the unit (what the area integration keeps):
// m x total + a x n x (interval / unit seconds, or 1 for "None").
IntegratedTotal scaleIntegratedTotal(double unscaledTotal, int32_t n, const ResultScaling& scaling,
                                     double intervalSeconds, int16_t unit);

// Closed-system display: the mean converted to a rate in ml/min.
struct ClosedSystem {
  int16_t gasType = 1;  // 1 oxygen
  bool absorbCO2upstream = true;
  float FiO2 = 20.95f;  // percent
  float RQ = 0.85f;
  float STPfactor = 1.0f;
};
std::optional<double> closedSystemRate(double mean, const ClosedSystem& gas);

struct StatsTextInput {
  int32_t n = 0;
  double mean = 0.0;
  float sd = 0.0f;
  float min = 0.0f, max = 0.0f;
  float firstCase = 0.0f, lastCase = 0.0f;
  double intervalSeconds = 1.0;
  double startMinutes = 0.0;
  int16_t analysisCode = 12;
  int16_t row = 5;
  int16_t unit = 66;
  ResultScaling scaling;
  std::optional<ClosedSystem> closedSystem;
  bool withIntegratedTotal = true;
};

// Field texts of the statistics block; an empty text is a field left as it was.
struct StatsText {
  bool noValidCases = false;
  std::string clockLine;        // "       from" t1 "to" t2
  std::string mean;             // 111 ("no valid cases" when nothing was included)
  std::string sd, cv, se;       // 114, 115, 116 (3 cases or more)
  std::string n;                // 117
  std::string duration;         // 198
  std::string range;            // 199
  std::string integratedTotal;  // 666
  int32_t nPoints = 0;          // the cases in the integrated total
};

StatsText composeStatsText(const StatsTextInput& in);

// The input as the shared results of the last analysis leave it, for a slot and channel.
StatsTextInput publishedStatsTextInput(int slot, int channel);

}  // namespace qv

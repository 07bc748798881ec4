#include "core/stats_state.h"

#include <cmath>

namespace qv {

double BlockStats::se() const { return n > 0 ? double(sd) / std::sqrt(double(n)) : 0.0; }

std::optional<double> BlockStats::cv() const {
  if (n < 1 || mean == 0.0) return std::nullopt;
  return std::fabs(100.0 * double(sd) / mean);
}


double meanValue = 0.0;
float StandardDeviation = 0.0f;
int32_t nrPoints = 0;
int32_t nPoints = 0;
float mi = 0.0f, ma = 0.0f;
float yFloat = 0.0f;
int32_t BeginAverage = 0, EndAverage = 0;
float LowerScanLimit = 0.0f, UpperScanLimit = 0.0f;
float x1float = 0.0f, SecondXvalue = 0.0f;
int16_t row = 0;
int16_t IntegrationUnit = kUnitMinutes;

void publishStatistics(const BlockStats& s, int32_t begin, int32_t end) {
  BeginAverage = begin;
  EndAverage = end;
  x1float = float(begin);
  SecondXvalue = float(end);
  nrPoints = s.n;
  nPoints = s.n;
  const bool ok = s.valid();
  meanValue = ok ? s.mean : 0.0;
  StandardDeviation = ok ? s.sd : 0.0f;
  mi = ok ? s.min : 0.0f;
  ma = ok ? s.max : 0.0f;
  yFloat = ok ? s.lastValue : 0.0f;
}

AreaReportValues LastAreaReport;
EventCounterFields LastEventFields;

}  // namespace qv

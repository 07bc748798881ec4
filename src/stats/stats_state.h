#pragma once
// The last statistics of a block analysis, read by the statistics text, the histogram, the
// results scaling, the report writer and the spreadsheet rows.
#include <cstdint>

#include "stats/block_stats.h"

namespace qv {

extern double meanValue;
extern float StandardDeviation;  // divisor n
extern int32_t nrPoints;         // cases included
extern int32_t nPoints;          // cases included (also written by other analyses)
extern float mi, ma;             // smallest and largest value included
extern float yFloat;             // the last value included
extern int32_t BeginAverage, EndAverage;        // the case range of the last computation
extern float LowerScanLimit, UpperScanLimit;    // its value window, in value-window mode
extern float x1float, SecondXvalue;             // first and last case, for the clock times
extern int16_t row;                             // 6: no duration and integration lines

// Time unit of durations and integrated totals: the id of its button.
extern int16_t IntegrationUnit;
constexpr int16_t kUnitSeconds = 65;
constexpr int16_t kUnitMinutes = 66;
constexpr int16_t kUnitHours = 67;
constexpr int16_t kUnitNone = 68;
constexpr int16_t kUnitNoneArea = 225;  // "None" of the area integration
constexpr int16_t kUnitDays = 228;

// Publishes a computation over begin..end. With no case included the values are zeros and
// nrPoints is 0: nothing undefined is ever left for a report to print.
void publishStatistics(const BlockStats& s, int32_t begin, int32_t end);

}  // namespace qv

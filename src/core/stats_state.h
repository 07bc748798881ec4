#pragma once
// The last statistics of a block analysis, read by the statistics text, the histogram, the
// results scaling, the report writer and the spreadsheet rows.
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// The value window of the statistics: when on, only values with lower <= v <= upper count.
struct ValueWindow {
  bool on = false;
  float lower = 0.0f;
  float upper = 0.0f;
};

struct BlockStats {
  int32_t begin = 0, end = -1;  // the range read, after keeping it inside the data
  int32_t n = 0;                // cases included
  double sum = 0.0;
  double mean = 0.0;
  float sd = 0.0f;  // sqrt(sum of squared deviations / n)
  float min = 0.0f, max = 0.0f;
  float lastValue = 0.0f;  // the last value included
  // The value window left fewer than 3 cases: the window turns both limits off.
  bool tooFewInWindow = false;

  // No case was included: there is no mean to show or report ("no valid cases").
  bool valid() const { return n > 0; }
  double se() const;
  // |100 x S.D. / mean| in percent; none for a zero mean or no case.
  std::optional<double> cv() const;
};


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

// What the area report prints beside the integral.
struct AreaReportValues {
  int16_t mode = 0;
  float baselineAtBegin = 0.0f, baselineAtEnd = 0.0f;  // samples at the range's ends
  std::string userBaseline = "0";                     // the typed baseline last taken
};
extern AreaReportValues LastAreaReport;

// The event counter's results-window fields as shown (counts and statistics of the events
// above the upper and below the lower limit).
struct EventCounterFields {
  std::string positiveEvents, positiveMean, positiveSD, positiveMinimum, positiveMaximum;  // 2, 110..113
  std::string negativeEvents, negativeMean, negativeSD, negativeMinimum, negativeMaximum;  // 4, 120..123
};
// What the event counter showed last.
extern EventCounterFields LastEventFields;

}  // namespace qv

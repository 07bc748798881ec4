#pragma once
// What the waveform windows compute from the peak table: the period in the chosen unit, the
// rise and decay time statistics with their test of equal means and chart bins, the range and
// bins of the histograms, and the text of the waveform data export.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rhythm/waveform.h"

namespace qv {

// The period block in unit `unit` of the period/frequency popup: 1 Hz, 2 mHz, 3 KHz, 5 msec,
// 7 min, 8 hours, any other seconds.
struct PeriodInUnit {
  double value = 0.0, spread = 0.0;  // the period or frequency, and its S.D. in that unit
  double cv = 0.0;                   // |spread × 100 / value|, percent
  std::string suffix;                // " Hz", " sec", ...
};
PeriodInUnit periodInUnit(double period, double sd, int unit);

// Rise or decay times: the first min(count, 40,000) entries of a row.
struct ShapeSet {
  int32_t count = 0;  // the row's own count (entry 0)
  int32_t n = 0;      // entries read
  double mean = 0.0, sd = 0.0;  // S.D. with divisor n
  float min = 0.0f, max = 0.0f;
};

constexpr int kShapeBins = 37;

struct WaveShape {
  ShapeSet rise, decay;
  std::optional<double> ratio;  // mean rise / mean decay
  std::optional<double> t, P;   // the test of equal means, when it can be made
  float mi = 0.0f, ma = 0.0f;   // the range of both sets together
  // Bins 1..37 of each set (entry 0 unused); the largest value falls in bin 37.
  std::array<int32_t, kShapeBins + 1> riseBins{}, decayBins{};
};
WaveShape waveShapeStats(const PeakTable& t);

// The histograms' measures: row 0 peak heights, row 4 amplitudes, row 3 intervals.
constexpr int kPeakRow = 0, kAmplitudeRow = 4, kIntervalRow = 3;

struct HistogramRange {
  float lo = 0.0f, hi = 0.0f;
};
// The X range of a row over its first n entries (n at most 40,000), with a 5 % margin.
HistogramRange waveShapeScan(const PeakTable& t, int row, int32_t n, float blockMinY);

// Counts of bars 1..bars (entry 0 unused) over lo..hi. With lo = hi (all values equal, as in an
// exactly periodic trace) every value read falls in one bar.
std::vector<int32_t> waveHistogramBins(const PeakTable& t, int row, int32_t n, float blockMinY, float lo, float hi,
                                       int bars);

// The sample duration of a printed graph: seconds below 600, hours above 7,200, else minutes.
struct PrintedDuration {
  double value = 0.0;
  const char* unit = " sec";
};
PrintedDuration printedDuration(double seconds);

// The export: a header, then one line per k = 1..n with rows 0..4 entry k.
std::string waveformDataHeader(char delimiter);
std::string waveformDataLine(const PeakTable& t, int32_t k, char delimiter, int digits);

}  // namespace qv

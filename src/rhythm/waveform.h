#pragma once
// Waveform analysis: the peaks and valleys of a block (a five-point shape rule, or runs of five
// samples beyond a trigger), the period and amplitude numbers derived from them, and the peak
// table the wave-shape statistics, histograms and the waveform export read.
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace qv {

// The peak table: five rows, entries 0..200,000 each. What a row holds depends on the method.
constexpr int kPeakRows = 5;
constexpr int32_t kPeakTableLast = 200000;
// The statistics, histograms and the export read at most this many entries of a row.
constexpr int32_t kPeakReadLimit = 40000;

struct PeakTable {
  PeakTable();
  // Every entry of every row to 0: nothing of an earlier run is left to be read. Only the
  // entries written since the last clearing need it, so a run's cost follows its own counts.
  void clear();
  float at(int row, int32_t k) const { return rows_[size_t(row)][size_t(k)]; }
  float& at(int row, int32_t k) {
    written_[size_t(row)] = std::max(written_[size_t(row)], k);
    return rows_[size_t(row)][size_t(k)];
  }

 private:
  std::array<std::vector<float>, kPeakRows> rows_;
  std::array<int32_t, kPeakRows> written_{};  // the highest entry written into each row
};

// The table of the last waveform run.
extern PeakTable PeakValuesArray;

enum class WaveMethod { Normal, HighestLowest5 };

struct WaveformInput {
  std::span<const float> x;  // the channel, indexed by case
  int32_t first = 0, last = 0;  // the block
  double dt = 1.0;              // sample interval, s
  float peakTrigger = 0.0f, valleyTrigger = 0.0f;
  int32_t skip = 0;  // cases after a peak in which no peak is taken (shape rule only)
  WaveMethod method = WaveMethod::Normal;
};

// Amplitude directions: each peak to the valley before it, or to the valley after it.
constexpr int16_t kAmplitudeToNext = 0, kAmplitudeToPrior = 1;

struct WaveformResult {
  WaveMethod method = WaveMethod::Normal;
  int32_t nPeaks = 0;
  int32_t nValleys = 0;
  int32_t riseCount = 0, decayCount = 0;  // shape rule only
  double P = 0.0;   // mean interpeak interval, s (0 with fewer than two peaks)
  double sd = 0.0;  // S.D. of the intervals
  double dn = 0.0;  // amplitudes counted
  double dw = 0.0;  // their sum
  double ds = 0.0;  // the sum of their squares
  double vn = 0.0;  // valleys counted (after a peak, for the shape rule)
  double dxx = 0.0; // S.D. of the amplitudes (divisor dn - 1 for the shape rule, dn for runs)
  int16_t direction = kAmplitudeToNext;
  double peakSum = 0.0, valleySum = 0.0;
  std::vector<int32_t> peakCases, valleyCases;  // where the marks go
  // Interval between peak k-1 and peak k for k = 2..n (entry k-2), shape rule only.
  std::vector<float> intervals;
  // A row of the table filled up at this case and the scan stopped there (0: it did not).
  int32_t stoppedAtCase = 0;

  double meanAmplitude() const { return dn > 0 ? dw / dn : 0.0; }
  double peakMean() const { return nPeaks > 0 ? peakSum / nPeaks : 0.0; }
  double valleyMean() const { return nValleys > 0 ? valleySum / nValleys : 0.0; }
};

// Finds the peaks and valleys of x over first..last and fills the table (cleared first).
// A gap fails every comparison, so it is neither a peak nor a valley nor part of a run.
WaveformResult FindPeaksAndValleys(const WaveformInput& in, PeakTable& table);
// The same into `out`, whose lists keep their room from an earlier run.
void FindPeaksAndValleys(const WaveformInput& in, PeakTable& table, WaveformResult& out);

// The amplitude S.D. of the shape rule from its sums: in double, and never the root of a
// negative from cancellation.
double amplitudeSD(double dn, double dw, double ds);

}  // namespace qv

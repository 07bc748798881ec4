#pragma once
// Interval scans: a window of fixed length slides over a block and the best window by one of
// four questions wins. Plain functions over the samples (indexed by case, entry 0 unused) and
// the interpolation flag row; the fresh-sum reference is kept beside the fast scanners so that
// tests can hold one against the other.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace qv {

enum class ScanKind {
  MeanMinimum,         // 13
  MeanMaximum,         // 14
  MostLevel,           // 19
  MostVariableSlope,   // 22, mode 0
  MostVariablePoints,  // 47 (22, mode 1)
};

// Values outside [lower, upper] leave the scores; the switches decide which limits exclude
// cases from the means and windows. With a switch off its limit is the block's own extreme.
struct ScanLimits {
  bool lowerOn = false, upperOn = false;
  float lower = 0.0f, upper = 0.0f;
};

struct ScanRequest {
  std::span<const float> samples;
  std::span<const float> interpolated;  // non-zero = interpolated; read only when avoiding them
  int32_t begin = 0, end = -1;          // the block
  int32_t length = 1;                   // cases per window
  ScanKind kind = ScanKind::MeanMinimum;
  bool avoidInterpolation = false;
  ScanLimits limits;
  // Told now and then how many window starts have been examined (a progress bar follows it).
  std::function<void(int32_t)> progress;
};

// The winning window: its first case and score (the mean of its included values for 13/14,
// the sum of absolute deviations from that mean for 19/22, the point-to-point path for 47).
struct ScanWinner {
  int32_t first = 0;
  double score = 0.0;
};

// Nothing when no window qualifies (a block shorter than the window, every window excluded,
// or no variation at all for the most-variable questions). Ties go to the earliest window.
std::optional<ScanWinner> scanIntervals(const ScanRequest& r);
// The same answer by summing every window afresh (block length x window length).
std::optional<ScanWinner> scanIntervalsNaive(const ScanRequest& r);

// Cases in a window of `seconds` at `interval` seconds a sample: one more than the sample steps
// it spans. Nothing for a negative, non-finite or overlong duration.
std::optional<int32_t> scanWindowCases(double seconds, double interval);
// A typed duration in seconds: a finite number >= 0 that gives a window length, else nothing.
std::optional<float> parseScanSeconds(const std::string& text, double interval);
// "10 seconds", "10 minutes", "1.0003 hours": the span of a window of `cases` cases.
std::string scanDurationText(int32_t cases, double interval);

}  // namespace qv

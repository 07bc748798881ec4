// The peak and valley detector, the wave-shape statistics, the histogram ranges and bins and
// the export lines, called directly on small traces whose answers are worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "rhythm/wave_shape.h"
#include "rhythm/waveform.h"

using namespace qv;

namespace {

constexpr double kPi = 3.14159265358979323846;

// ±(1 + 0.1·⌊i/20⌋)·sin(2πi/20) for cases 0..n: growing waves of period 20 cases.
std::vector<float> growing(int n, float sign) {
  std::vector<float> x(size_t(n) + 1);
  for (int i = 0; i <= n; ++i) x[size_t(i)] = sign * float((1.0 + 0.1 * (i / 20)) * std::sin(2.0 * kPi * i / 20.0));
  return x;
}

// A pattern repeated from case 0, case c holding pattern[(c + shift) mod length].
std::vector<float> repeated(const std::vector<float>& pattern, int n, int shift) {
  std::vector<float> x(size_t(n) + 1);
  for (int i = 0; i <= n; ++i) x[size_t(i)] = pattern[size_t((i + shift) % int(pattern.size()))];
  return x;
}

// Cases 1..n hold the values; case 0 holds no sample.
std::vector<float> cases(std::vector<float> v) {
  v.insert(v.begin(), 0.0f);
  return v;
}

WaveformResult run(const std::vector<float>& x, int32_t first, int32_t last, double dt, float peak, float valley,
                   int32_t skip = 0, WaveMethod m = WaveMethod::Normal, PeakTable& t = PeakValuesArray) {
  return FindPeaksAndValleys({x, first, last, dt, peak, valley, skip, m}, t);
}

float blockMin(const std::vector<float>& x, int first, int last) {
  float m = x[size_t(first)];
  for (int i = first; i <= last; ++i) m = std::min(m, x[size_t(i)]);
  return m;
}
float blockMax(const std::vector<float>& x, int first, int last) {
  float m = x[size_t(first)];
  for (int i = first; i <= last; ++i) m = std::max(m, x[size_t(i)]);
  return m;
}

TEST(Waveform, GrowingWavesWithDefaultTriggers) {
  const auto x = growing(200, 1.0f);
  const auto r = run(x, 1, 200, 0.5, blockMin(x, 1, 200), blockMax(x, 1, 200));
  EXPECT_EQ(r.nPeaks, 10);
  EXPECT_EQ(r.peakCases, (std::vector<int32_t>{5, 25, 45, 65, 85, 105, 125, 145, 165, 185}));
  EXPECT_EQ(r.valleyCases, (std::vector<int32_t>{15, 35, 55, 75, 95, 115, 135, 155, 175, 195}));
  EXPECT_DOUBLE_EQ(r.P, 10.0);
  EXPECT_DOUBLE_EQ(r.sd, 0.0);
  EXPECT_EQ(r.direction, kAmplitudeToNext);
  EXPECT_EQ(r.dn, 10);
  EXPECT_NEAR(r.meanAmplitude(), 2.9, 1e-5);
  EXPECT_NEAR(r.dxx, 0.60553, 1e-5);
  EXPECT_NEAR(r.dxx * 100 / r.meanAmplitude(), 20.88, 0.005);
  EXPECT_NEAR(r.peakMean(), 1.45, 1e-5);
  EXPECT_NEAR(r.valleyMean(), -1.45, 1e-5);

  const WaveShape w = waveShapeStats(PeakValuesArray);
  EXPECT_EQ(w.rise.n, 10);
  EXPECT_NEAR(w.rise.mean, 4.7, 1e-9);
  EXPECT_NEAR(w.rise.sd, 0.9, 1e-9);
  EXPECT_FLOAT_EQ(w.rise.min, 2.0f);
  EXPECT_FLOAT_EQ(w.rise.max, 5.0f);
  EXPECT_EQ(w.decay.n, 10);
  EXPECT_DOUBLE_EQ(w.decay.mean, 5.0);
  EXPECT_DOUBLE_EQ(w.decay.sd, 0.0);
  EXPECT_NEAR(*w.ratio, 0.94, 1e-9);
  EXPECT_NEAR(*w.t, 1.05409, 1e-5);
  EXPECT_NEAR(*w.P, 0.2905, 5e-5);
  // The largest value falls in the last bin, not one past it.
  EXPECT_EQ(w.riseBins[1], 1);
  EXPECT_EQ(w.riseBins[37], 9);
  EXPECT_EQ(w.decayBins[37], 10);
}

TEST(Waveform, FallingWavesMeasureToThePriorValley) {
  const auto x = growing(200, -1.0f);
  const auto r = run(x, 1, 200, 0.5, blockMin(x, 1, 200), blockMax(x, 1, 200));
  EXPECT_EQ(r.direction, kAmplitudeToPrior);
  EXPECT_EQ(r.peakCases.front(), 15);
  EXPECT_EQ(r.nPeaks, 10);
  // The first amplitude is counted at the first peak: the valley at 5 before the peak at 15.
  EXPECT_EQ(r.dn, 10);
  EXPECT_NEAR(r.meanAmplitude(), 2.9, 1e-5);
  EXPECT_FLOAT_EQ(PeakValuesArray.at(0, 1), 1.0f);
  const WaveShape w = waveShapeStats(PeakValuesArray);
  EXPECT_EQ(w.decay.count, 9);
  EXPECT_FLOAT_EQ(PeakValuesArray.at(1, 1), 5.0f);  // the first rise from the valley at 5
}

TEST(Waveform, PeriodInEveryUnit) {
  struct U {
    int unit;
    double value;
    const char* suffix;
  };
  const U units[] = {{1, 0.1, " Hz"},         {2, 100, " mHz"},          {3, 0.0001, " KHz"},
                     {4, 10, " sec"},         {5, 10000, " msec"},       {6, 10, " sec"},
                     {7, 0.166667, " min"},   {8, 0.00277778, " hours"}, {9, 10, " sec"}};
  for (const U& u : units) {
    const PeriodInUnit p = periodInUnit(10.0, 0.0, u.unit);
    EXPECT_NEAR(p.value, u.value, u.value * 1e-6) << u.unit;
    EXPECT_EQ(p.suffix, u.suffix) << u.unit;
    EXPECT_EQ(p.cv, 0.0);
  }
  const PeriodInUnit p = periodInUnit(10.0, 1.0, 1);
  EXPECT_NEAR(p.spread, 0.01, 1e-12);
  EXPECT_NEAR(p.cv, 10.0, 1e-9);
}

TEST(Waveform, ShapeRuleFlatTopsAndSkips) {
  // Flat tops of two and three after a strict rise: one peak, at the first and the middle
  // sample; a top of four is no peak.
  EXPECT_EQ(run(cases({0, 1, 5, 5, 1, 0, 0}), 1, 7, 1, -1, 99).peakCases, std::vector<int32_t>{3});
  EXPECT_EQ(run(cases({0, 1, 5, 5, 5, 1, 0, 0}), 1, 8, 1, -1, 99).peakCases, std::vector<int32_t>{4});
  EXPECT_EQ(run(cases({0, 1, 5, 5, 5, 5, 1, 0, 0}), 1, 9, 1, -1, 99).nPeaks, 0);
  // Fewer than five samples: nothing.
  EXPECT_EQ(run(cases({0, 1, 5, 1}), 1, 4, 1, -1, 99).nPeaks, 0);

  const auto saw = repeated({0, 1, 2, 3, 2, 1}, 60, 0);  // case 1 = 1
  EXPECT_EQ(run(saw, 1, 60, 1, -1, 99, 0).peakCases, (std::vector<int32_t>{3, 9, 15, 21, 27, 33, 39, 45, 51, 57}));
  EXPECT_EQ(run(saw, 1, 60, 1, -1, 99, 4).nPeaks, 10);
  EXPECT_EQ(run(saw, 1, 60, 1, -1, 99, 7).peakCases, (std::vector<int32_t>{3, 15, 27, 39, 51}));
  EXPECT_EQ(run(saw, 1, 60, 1, -1, 99, -3).nPeaks, 10);  // a negative skip is 0

  // A valley two cases after a peak is stepped over: peaks only, no amplitude.
  const auto r = run(repeated({0, 1, 3, 1}, 40, 3), 1, 40, 1, -1, 99);  // case 1 = 0
  EXPECT_EQ(r.nPeaks, 9);
  EXPECT_EQ(r.nValleys, 0);
  EXPECT_EQ(r.dn, 0);
}

TEST(Waveform, GapsAreNeitherPeaksNorValleys) {
  auto x = cases({0, 1, 5, 1, 0, -4, 0, 1, 5, 1, 0});
  EXPECT_EQ(run(x, 1, 11, 1, -10, 10).nPeaks, 2);
  x[3] = NAN;  // the first peak
  x[6] = NAN;  // the valley
  const auto r = run(x, 1, 11, 1, -10, 10);
  EXPECT_EQ(r.peakCases, std::vector<int32_t>{9});
  EXPECT_EQ(r.nValleys, 0);
}

TEST(Waveform, HighestLowestFive) {
  const auto x = cases({0, 0, 1, 2, 9, 9, 9, 9, 9, 2, 0, 0, 0, 0, 5, 5, 5, 5, 5, 0,
                        -3, -4, -4, -4, -4, -2, -1, 0, 0, 0, 0, 0});
  const auto r = run(x, 1, 32, 0.5, 1, -1, 0, WaveMethod::HighestLowest5);
  ASSERT_EQ(r.nPeaks, 2);
  EXPECT_FLOAT_EQ(PeakValuesArray.at(0, 1), 9.0f);
  EXPECT_FLOAT_EQ(PeakValuesArray.at(1, 1), 3.5f);
  EXPECT_FLOAT_EQ(PeakValuesArray.at(0, 2), 5.0f);
  EXPECT_FLOAT_EQ(PeakValuesArray.at(1, 2), 8.5f);
  ASSERT_EQ(r.nValleys, 1);
  EXPECT_FLOAT_EQ(PeakValuesArray.at(2, 1), -3.8f);
  EXPECT_FLOAT_EQ(PeakValuesArray.at(3, 1), 11.5f);
  EXPECT_EQ(r.direction, kAmplitudeToNext);
  EXPECT_EQ(r.dn, 2);
  EXPECT_NEAR(r.meanAmplitude(), (12.8 + 5.0) / 2, 1e-5);
  EXPECT_NEAR(r.dxx, 3.9, 1e-5);
  EXPECT_DOUBLE_EQ(r.P, 5.0);
  // The report's mean amplitude and its S.D. need these, which the run fills.
  EXPECT_EQ(r.vn, 1);
  EXPECT_NEAR(r.ds, 12.8 * 12.8 + 25.0, 1e-4);

  // A run of four is no peak.
  const auto four = cases({0, 0, 5, 5, 5, 5, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(run(four, 1, 12, 1, 1, -1, 0, WaveMethod::HighestLowest5).nPeaks, 0);
  // A run reaching the block end is closed there.
  const auto end = cases({0, 0, 0, 0, 0, 7, 7, 7, 7, 7, 7});
  const auto e = run(end, 1, 11, 1, 1, -1, 0, WaveMethod::HighestLowest5);
  EXPECT_EQ(e.peakCases, std::vector<int32_t>{8});
}

TEST(Waveform, NoDecayTimesLeaveNothingUndefined) {
  const auto x = cases({2, 1, 0, -1, 0, 0.5, 1, 0.5, 0, 0.5, 1, 0.5, 0, 0.5, 1, 0.5, 0, 0.5, 1, 0.5, 0, 0, 0});
  const auto r = run(x, 1, 23, 1, 0.6f, -0.5f);
  EXPECT_EQ(r.nPeaks, 4);
  EXPECT_EQ(r.dn, 1);
  const WaveShape w = waveShapeStats(PeakValuesArray);
  EXPECT_EQ(w.rise.n, 1);
  EXPECT_EQ(w.decay.n, 0);
  EXPECT_FALSE(w.ratio);
  EXPECT_FALSE(w.P);
  EXPECT_EQ(w.riseBins[1], 1);  // a zero range: the one value in the first bin
}

TEST(Waveform, TimesFarIntoARecordingKeepTheirInterval) {
  std::vector<float> x(5001100);
  for (size_t i = 0; i < x.size(); ++i) x[i] = float(std::cos(2.0 * kPi * double(i % 37) / 37.0));
  const auto r = run(x, 5000000, 5001000, 0.01, -2, 2);
  ASSERT_GE(r.nPeaks, 20);
  for (const float d : r.intervals) EXPECT_FLOAT_EQ(d, 0.37f);
  EXPECT_NEAR(r.P, 0.37, 1e-6);
  EXPECT_NEAR(r.sd, 0.0, 1e-6);
  const WaveShape w = waveShapeStats(PeakValuesArray);
  EXPECT_NEAR(w.rise.max, 0.19, 1e-6);
}

TEST(Waveform, TheTableStopsAtItsLastEntry) {
  const auto saw = repeated({0, 1, 2, 3, 2, 1}, 6100000, 0);
  const auto r = run(saw, 1, 6100000, 1, -1, 99);
  EXPECT_EQ(r.nPeaks, kPeakTableLast);
  EXPECT_EQ(r.stoppedAtCase, 3 + 6 * (kPeakTableLast - 1));
  EXPECT_FLOAT_EQ(PeakValuesArray.at(0, kPeakTableLast), 3.0f);
}

TEST(Waveform, EveryRowIsClearedPerRun) {
  PeakTable t;
  for (int row = 0; row < kPeakRows; ++row)
    for (int32_t k = 0; k <= kPeakTableLast; ++k) t.at(row, k) = -5.0f;
  const auto x = growing(300, 1.0f);
  const float lo = blockMin(x, 1, 300);
  run(x, 1, 300, 0.5, lo, blockMax(x, 1, 300), 0, WaveMethod::Normal, t);
  EXPECT_EQ(t.at(4, 1), 0.0f);
  const int32_t n = waveShapeStats(t).decay.n;
  ASSERT_EQ(n, 15);
  // Amplitudes 2.1..4.7 with a 5 % margin, in 15 bars.
  const HistogramRange a = waveShapeScan(t, kAmplitudeRow, n, lo);
  EXPECT_NEAR(a.lo, 1.97, 1e-5);
  EXPECT_NEAR(a.hi, 4.83, 1e-5);
  EXPECT_NEAR((a.hi - a.lo) / 15, 0.190667, 1e-5);
  const auto ab = waveHistogramBins(t, kAmplitudeRow, n, lo, a.lo, a.hi, 15);
  int32_t counted = 0;
  for (const int32_t c : ab) counted += c;
  EXPECT_EQ(counted, 14);
  const HistogramRange p = waveShapeScan(t, kPeakRow, n, lo);
  EXPECT_NEAR(p.lo, 0.93, 1e-5);
  EXPECT_NEAR(p.hi, 2.47, 1e-5);
  // Intervals are all 10: one bar holds all 14.
  const HistogramRange i = waveShapeScan(t, kIntervalRow, n, lo);
  EXPECT_FLOAT_EQ(i.lo, 10.0f);
  EXPECT_FLOAT_EQ(i.hi, 10.0f);
  const auto ib = waveHistogramBins(t, kIntervalRow, n, lo, i.lo, i.hi, 15);
  EXPECT_EQ(ib[1], 14);
  // 100 bars stay inside their table; a value at the high end is not counted.
  const auto hb = waveHistogramBins(t, kPeakRow, n, lo, 1.0f, 2.4f, 100);
  EXPECT_EQ(hb.size(), 101u);
  int32_t inBars = 0;
  for (const int32_t c : hb) inBars += c;
  EXPECT_EQ(inBars, 14);
}

TEST(Waveform, PrintedDurationUnits) {
  EXPECT_STREQ(printedDuration(599).unit, " sec");
  EXPECT_DOUBLE_EQ(printedDuration(599).value, 599);
  EXPECT_STREQ(printedDuration(600).unit, " min");
  EXPECT_DOUBLE_EQ(printedDuration(600).value, 10);
  EXPECT_STREQ(printedDuration(7200).unit, " min");
  EXPECT_STREQ(printedDuration(7201).unit, " hours");
}

TEST(Waveform, ExportLines) {
  PeakTable t;
  t.at(0, 1) = 1.0f, t.at(1, 1) = 2.5f, t.at(2, 1) = 5.0f, t.at(3, 1) = 0.0f, t.at(4, 1) = -0.25f;
  EXPECT_EQ(waveformDataHeader(','), "peak height,rise time,decay time,interval,amplitude\n");
  EXPECT_EQ(waveformDataHeader('\t'), "peak height\trise time\tdecay time\tinterval\tamplitude\n");
  EXPECT_EQ(waveformDataLine(t, 1, ',', 5), " 1, 2.5, 5, 0,-0.25\n");
}

}  // namespace

// The FFT's arithmetic: the magnitude spectrum against a direct sum, the readout's units,
// the 3-point smoothing, where the interval lands on the plot and the results file's text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include "rhythm/fft_spectrum.h"

using namespace qv;

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Entries 1..n of g(j) for j = 0 .. n - 1; entry 0 holds a marker value.
std::vector<float> run(int32_t n, const std::function<double(int32_t)>& g) {
  std::vector<float> x(size_t(n) + 1, -777.0f);
  for (int32_t j = 0; j < n; ++j) x[size_t(j) + 1] = float(g(j));
  return x;
}

// |Re| and |Im| * 2/n of sum x_j e^(+2 pi i jk/n), summed directly in long double.
std::vector<double> directSpectrum(const std::vector<float>& x, int32_t n) {
  std::vector<double> s(size_t(n) + 1, 0.0);
  for (int32_t k = 1; k < n / 2; ++k) {
    long double re = 0, im = 0;
    for (int32_t j = 0; j < n; ++j) {
      const long double a = kTwoPi * double((int64_t(j) * k) % n) / n;
      re += x[size_t(j) + 1] * std::cos(a);
      im += x[size_t(j) + 1] * std::sin(a);
    }
    s[size_t(2 * k + 1)] = double(std::fabs(re)) * 2.0 / n;
    s[size_t(2 * k + 2)] = double(std::fabs(im)) * 2.0 / n;
  }
  return s;
}

}  // namespace

TEST(FftSpectrum, TwoTonesLandOnTheirElementsAndNothingElse) {
  const int32_t n = 256;
  std::vector<float> x = run(n, [](int32_t j) {
    return 10 + 3 * std::cos(kTwoPi * 8 * j / 256) + 1.5 * std::sin(kTwoPi * 20 * j / 256);
  });
  ASSERT_TRUE(fftMagnitudes(x, n));
  EXPECT_EQ(x[0], -777.0f) << "element 0 is no sample and stays";
  EXPECT_EQ(x[1], 0.0f);
  EXPECT_EQ(x[2], 0.0f);
  EXPECT_NEAR(x[17], 3.0f, 1e-6);
  EXPECT_NEAR(x[42], 1.5f, 1e-6);
  for (int c = 3; c <= n; ++c) {
    if (c == 17 || c == 42) continue;
    EXPECT_LT(x[size_t(c)], 3e-7) << "element " << c;
  }
  // Element c is (c - 1) * 1 / (2 n dt): the readout of 17 and 42 at 0.5 s a sample.
  const float df = fftElementSpacing(n, 0.5f);
  EXPECT_FLOAT_EQ(fftInUnit(1, df * 16), 0.0625f);
  EXPECT_FLOAT_EQ(fftInUnit(2, df * 16), 62.5f);
  EXPECT_FLOAT_EQ(fftInUnit(6, df * 16), 16.0f);
  EXPECT_FLOAT_EQ(fftInUnit(1, df * 41), 0.16015625f);
}

TEST(FftSpectrum, UnitWavesOnEachHarmonicAndAConstant) {
  for (int32_t n : {128, 256}) {
    for (int32_t k : {1, 5, n / 2 - 1}) {
      std::vector<float> c = run(n, [&](int32_t j) { return std::cos(kTwoPi * k * j / n); });
      std::vector<float> s = run(n, [&](int32_t j) { return std::sin(kTwoPi * k * j / n); });
      ASSERT_TRUE(fftMagnitudes(c, n));
      ASSERT_TRUE(fftMagnitudes(s, n));
      EXPECT_NEAR(c[size_t(2 * k + 1)], 1.0f, 1e-6) << n << " cos " << k;
      EXPECT_LT(c[size_t(2 * k + 2)], 1e-7) << n << " cos " << k;
      EXPECT_LT(s[size_t(2 * k + 1)], 1e-7) << n << " sin " << k;
      EXPECT_NEAR(s[size_t(2 * k + 2)], 1.0f, 1e-6) << n << " sin " << k;
    }
    std::vector<float> flat = run(n, [](int32_t) { return 42.5; });
    ASSERT_TRUE(fftMagnitudes(flat, n));
    for (int c = 1; c <= n; ++c) EXPECT_LT(flat[size_t(c)], 1e-6) << n << " element " << c;
  }
}

TEST(FftSpectrum, RandomDataMatchTheDirectSum) {
  std::mt19937 gen(7);
  std::normal_distribution<double> noise(3.0, 2.0);
  for (int32_t n : {128, 512, 2048}) {
    std::vector<float> x = run(n, [&](int32_t) { return noise(gen); });
    const std::vector<double> want = directSpectrum(x, n);
    ASSERT_TRUE(fftMagnitudes(x, n));
    double largest = 0;
    for (double v : want) largest = std::max(largest, v);
    for (int c = 3; c <= n; ++c) EXPECT_NEAR(x[size_t(c)], want[size_t(c)], 1e-6 * largest) << n << " element " << c;
  }
}

TEST(FftSpectrum, PassesLengthsAndGaps) {
  for (auto [n, passes] : {std::pair{128, 6}, std::pair{262144, 17}}) {
    std::vector<float> x(size_t(n) + 1, 1.0f);
    int count = 0, last = 0;
    ASSERT_TRUE(fftMagnitudes(x, n, [&](int p) {
      ++count;
      last = p;
    }));
    EXPECT_EQ(count, passes);
    EXPECT_EQ(last, passes);
  }
  std::vector<float> x(201, 1.0f);
  EXPECT_FALSE(fftMagnitudes(x, 200)) << "not a power of two";
  EXPECT_FALSE(fftMagnitudes(std::span<float>(x).first(128), 128)) << "no room for entry 128";
  EXPECT_EQ(x[1], 1.0f);
  // A gap in the run is no sample: the spectrum cannot be a number anywhere.
  std::vector<float> gap = run(128, [](int32_t j) { return std::sin(j * 0.3); });
  gap[50] = std::numeric_limits<float>::quiet_NaN();
  ASSERT_TRUE(fftMagnitudes(gap, 128));
  for (int c = 3; c <= 128; ++c) EXPECT_TRUE(std::isnan(gap[size_t(c)])) << c;
}

TEST(FftUnits, ConversionsHeadingsAndThePeriodOfZero) {
  const struct {
    int unit;
    float value;
    const char* heading;
  } table[] = {{1, 0.25f, "frequency (Hz) "},   {2, 250.0f, "frequency (mHz) "}, {3, 0.00025f, "frequency (KHz) "},
               {4, 0.25f, "frequency (Hz) "},   {5, 4000.0f, "period (msec) "},  {6, 4.0f, "period (sec) "},
               {7, float(0.01666667 / 0.25), "period (min) "}, {8, float(0.00027777778 / 0.25), "period (hours) "}};
  for (const auto& t : table) {
    EXPECT_FLOAT_EQ(fftInUnit(t.unit, 0.25f), t.value) << t.unit;
    EXPECT_EQ(fftUnitHeading(t.unit), t.heading);
  }
  for (int unit : {5, 6, 7, 8}) EXPECT_TRUE(std::isinf(fftInUnit(unit, 0.0f))) << unit;
  EXPECT_EQ(fftInUnit(9, 0.5f), 0.5f);
}

TEST(FftSmoothing, OnePassFromThePristineCopyWithItsEndsKept) {
  std::vector<float> b = run(256, [](int32_t j) { return 3 * std::cos(kTwoPi * 8 * j / 256); });
  ASSERT_TRUE(fftMagnitudes(b, 256));
  const int32_t length = 63;
  std::vector<float> out(b.size(), -1.0f);
  smoothSpectrum(b, out, length);
  for (int c : {16, 17, 18}) EXPECT_NEAR(out[size_t(c)], 0.999999f, 1e-7) << c;
  EXPECT_EQ(out[1], b[1]);
  EXPECT_EQ(out[size_t(length)], b[size_t(length)]);
  EXPECT_EQ(out[size_t(length) + 1], -1.0f) << "past the shown length nothing is written";
  std::vector<float> again = out;
  smoothSpectrum(b, again, length);
  EXPECT_EQ(again, out) << "never compounded";
  std::vector<float> shortOut(10, 5.0f);
  smoothSpectrum(b, shortOut, length);
  EXPECT_EQ(shortOut, std::vector<float>(10, 5.0f)) << "a span too short is left alone";
}

TEST(FftPlacement, TheRightPinOfTheExampleStaysInTheFile) {
  const FftPlotView v{1000, 600, 1, true, 1};
  EXPECT_EQ(fftBoxHalfWidth(v, 512), 153);
  const FftPlacement p = fftPlacement(v, 590, 512);
  EXPECT_EQ(p.boxX, 447);
  EXPECT_EQ(p.centre, 745);
  EXPECT_EQ(p.begin, 488);
  EXPECT_EQ(fftPlacement(v, 2, 512).begin, 0);
}

TEST(FftPlacement, EveryPointerAndLengthKeepsTheRunInTheFile) {
  struct View {
    int32_t cases;
    int width;
    int xstep;
    bool whole;
  };
  const View views[] = {{1000, 600, 1, true},   {512, 600, 1, false},  {128, 600, 4, false}, {1000, 1287, 1, false},
                        {300, 1287, 4, false},  {5000, 1287, 1, true}, {4096, 1287, 1, true}, {1287, 1287, 1, false}};
  for (const View& w : views) {
    const FftPlotView v{w.cases, w.width, w.xstep, w.whole, 1};
    for (int k = kFftFirstPower; k <= kFftLastPower && (int32_t(1) << k) <= w.cases; ++k) {
      const int32_t n = int32_t(1) << k;
      for (int x = 1; x <= w.width; ++x) {
        const FftPlacement p = fftPlacement(v, x, n);
        ASSERT_GE(p.begin, 0) << w.cases << " " << w.width << " n " << n << " x " << x;
        ASSERT_LE(p.begin, w.cases - n) << w.cases << " " << w.width << " n " << n << " x " << x;
        if (n == w.cases) {
          ASSERT_EQ(p.begin, 0);
        }
      }
    }
  }
}

TEST(FftPlacement, TheElementUnderThePointer) {
  // 255 elements at 5 pixels each; 2,048 squeezed into 1,287 pixels.
  const FftPlotView paged{255, 1287, 5, false, 1}, whole{2048, 1287, 1, true, 1};
  EXPECT_EQ(fftElementUnder(paged, 4), 0);
  EXPECT_EQ(fftElementUnder(paged, 85), 17);
  EXPECT_EQ(fftElementUnder(paged, 1287), 255) << "held at the last element";
  EXPECT_EQ(fftElementUnder(whole, 1287), 2048);
  EXPECT_EQ(fftElementUnder(whole, 644), int32_t(2048.0 * (644.0 / 1287.0)));
}

TEST(FftResults, HeadingRowsAndSeparators) {
  std::vector<float> spectrum(129, 0.0f);
  spectrum[1] = 0.0f;
  spectrum[2] = 0.0f;
  spectrum[3] = 1.25f;
  const std::string csv = fftResultsText(spectrum, 128, 0.5f, 6, ',', 5);
  // Rows r = 0 .. 127 at r / 128 Hz: periods INF, 128, 64, ...
  EXPECT_TRUE(csv.starts_with("period (sec) ,magnitude\n INF, 0\n 128, 0\n 64, 1.25\n")) << csv.substr(0, 80);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 129);
  const std::string xls = fftResultsText(spectrum, 128, 0.5f, 1, '\t', 5);
  EXPECT_TRUE(xls.starts_with("frequency (Hz) \tmagnitude\n 0\t 0\n 0.0078125\t 0\n")) << xls.substr(0, 80);
}

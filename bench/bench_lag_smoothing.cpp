// Lag search and smoothing at full size, each beside a bound of the same run.
// - The FFT search over a 100,000-case block and lags 0..100,000 beside the direct method on a
//   10,000-case block and 10,000 lags (one hundredth of the work) and one read pass of the
//   200,000 cases the full search reads; goal: the full search finishes before the direct one.
// - Smoothing with 51 samples over 6,100,000 cases, 10 cycles, beside one read pass of the
//   channel (goal: each cycle <= 3 read passes), and the direct sums over 610,000 cases.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ratio_reporter.h"
#include "editing/best_lag.h"
#include "editing/smoothing.h"

namespace {

constexpr int32_t kCases = 6100000, kSearchCases = 200001;
constexpr int kCycles = 10, kWidth = 51;

std::vector<float> makeSamples(int32_t n) {
  std::vector<float> s(size_t(n) + 1);
  uint32_t x = 12345;
  for (size_t i = 0; i < s.size(); ++i) {
    x = x * 1664525u + 1013904223u;
    s[i] = 20.95f + 0.01f * std::sin(float(i) * 0.001f) + float(x >> 8) * (1e-3f / 16777216.0f);
  }
  return s;
}

const std::vector<float>& channel() {
  static const std::vector<float> v = makeSamples(kCases);
  return v;
}

const std::vector<float>& searchChannel() {
  static const std::vector<float> v = makeSamples(kSearchCases);
  return v;
}

double readPass(const std::vector<float>& v, int32_t n) {
  double sum = 0.0;
  for (int32_t k = 1; k <= n; ++k) sum += double(v[size_t(k)]);
  return sum;
}

void SearchReadPass(benchmark::State& state) {
  const auto& v = searchChannel();
  for (auto _ : state) benchmark::DoNotOptimize(readPass(v, kSearchCases));
}

void FftSearchFull(benchmark::State& state) {
  const auto& y = searchChannel();
  const std::vector<float> x(y.begin(), y.end());
  for (auto _ : state) benchmark::DoNotOptimize(qv::bestLagSearch(x, y, 100001, 200000, 0, 100000));
}

void DirectSearchHundredth(benchmark::State& state) {
  const auto& y = searchChannel();
  const std::vector<float> x(y.begin(), y.end());
  for (auto _ : state) benchmark::DoNotOptimize(qv::bestLagDirect(x, y, 10001, 20000, 0, 9999));
}

void SmoothReadPass(benchmark::State& state) {
  const auto& v = channel();
  for (auto _ : state) benchmark::DoNotOptimize(readPass(v, kCases));
}

void SmoothTenCycles(benchmark::State& state) {
  std::vector<float> x = channel();
  for (auto _ : state) {
    qv::smoothCycles(x, {1, kCases}, kWidth, kCycles);
    benchmark::DoNotOptimize(x.data());
  }
}

void DirectSumsTenth(benchmark::State& state) {
  const auto& v = channel();
  const int32_t n = kCases / 10, k = kWidth / 2;
  std::vector<float> out(size_t(n) + 1);
  for (auto _ : state) {
    for (int32_t p = k + 1; p <= n - k; ++p) {
      double sum = 0;
      for (int32_t j = p - k; j <= p + k; ++j) sum += v[size_t(j)];
      out[size_t(p)] = float(sum * (1.0f / kWidth));
    }
    benchmark::DoNotOptimize(out.data());
  }
}

BENCHMARK(SearchReadPass)->Unit(benchmark::kMillisecond);
BENCHMARK(FftSearchFull)->Unit(benchmark::kMillisecond);
BENCHMARK(DirectSearchHundredth)->Unit(benchmark::kMillisecond);
BENCHMARK(DirectSumsTenth)->Unit(benchmark::kMillisecond);

// The smoothing and its read pass take turns, so that a slow spell of the shared machine
// touches both sides of the ratio; each side is the best of its rounds.
constexpr int kRounds = 5;

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(kRounds, {{"SmoothReadPass", SmoothReadPass}, {"SmoothTenCycles", SmoothTenCycles, 2}});
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const auto t = [&](const char* name) { return reporter.best.count(name) ? reporter.best[name] : 0.0; };
  const double read = t("SearchReadPass"), fft = t("FftSearchFull"), direct = t("DirectSearchHundredth");
  if (read > 0 && direct > 0)
    std::printf("lag search, 100,000-case block, lags 0..100,000: %.1f ms (%.0f read passes); direct method on one "
                "hundredth of the work %.1f ms; full FFT / hundredth direct %.3f (goal < 1)\n",
                fft * 1e3, fft / read, direct * 1e3, fft / direct);
  if (read > 0 && direct > 0) qvbench::recordGoal("lag search: full FFT / hundredth direct", fft / direct, 1);
  const double pass = t("SmoothReadPass"), smooth = t("SmoothTenCycles"), sums = t("DirectSumsTenth");
  if (pass > 0)
    std::printf("smoothing 51 samples over %d cases: %d cycles %.1f ms, %.1f ms a cycle, one read pass %.1f ms, "
                "ratio per cycle %.2f (goal <= 3), best of %d rounds each; direct sums over %d cases %.1f ms "
                "(%.2f read passes of the channel)\n",
                kCases, kCycles, smooth * 1e3, smooth / kCycles * 1e3, pass * 1e3, smooth / kCycles / pass, kRounds,
                kCases / 10, sums * 1e3, sums / pass);
  if (pass > 0) qvbench::recordGoal("smoothing, per cycle", smooth / kCycles / pass, 3);
  return 0;
}

// The polynomial fit, the asymptote search and the residuals of a line over a full-size block
// (6,100,000 cases), each beside a simple pass over the same samples in the same run:
// - a degree-9 fit beside one Horner pass of a degree-9 polynomial (goal 20x), "Show All r^2"
//   beside the same pass (goal 80x);
// - the asymptote search (12 iterations) beside one pass of std::log (goal: its trials + 2);
// - the residuals window's ranges and pixel mask (what it draws; the four columns are built only
//   when they are saved) beside one read pass (goal 10x).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ratio_reporter.h"
#include "fitting/asymptote_search.h"
#include "fitting/polynomial_fit.h"
#include "fitting/residuals.h"

namespace {

constexpr int32_t kCases = 6100000;
constexpr int kRounds = 3;

const std::vector<float>& channelX() {
  static const std::vector<float> v = [] {
    std::vector<float> s(size_t(kCases) + 1);
    for (size_t i = 0; i < s.size(); ++i) s[i] = float(double(i) / 1000.0);
    return s;
  }();
  return v;
}

const std::vector<float>& channelY() {
  static const std::vector<float> v = [] {
    std::vector<float> s(size_t(kCases) + 1);
    uint32_t seed = 99;
    for (size_t i = 0; i < s.size(); ++i) {
      seed = seed * 1664525u + 1013904223u;
      s[i] = float(10.0 - 8.0 * std::exp(-double(i) / 1.5e6) + 0.001 * double(seed >> 8) / 16777216.0);
    }
    return s;
  }();
  return v;
}

void Horner9(benchmark::State& state) {
  const auto& x = channelX();
  for (auto _ : state) {
    double sum = 0.0;
    for (int32_t k = 1; k <= kCases; ++k) {
      const double v = x[size_t(k)];
      sum += ((((((((0.1 * v + 0.2) * v + 0.3) * v + 0.4) * v + 0.5) * v + 0.6) * v + 0.7) * v + 0.8) * v + 0.9) * v + 1.0;
    }
    benchmark::DoNotOptimize(sum);
  }
}

void Degree9(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(qv::fitPolynomial(channelX(), channelY(), 1, kCases, 9));
}

void ShowAll(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(qv::polynomialSeries(channelX(), channelY(), 1, kCases));
}

void LogPass(benchmark::State& state) {
  const auto& y = channelY();
  for (auto _ : state) {
    double sum = 0.0;
    for (int32_t k = 1; k <= kCases; ++k) sum += std::log(std::fabs(10.5 - double(y[size_t(k)])));
    benchmark::DoNotOptimize(sum);
  }
}

int gTrials = 0;

void Search(benchmark::State& state) {
  const auto& y = channelY();
  for (auto _ : state) {
    const qv::AsymptoteFit f = qv::searchAsymptote(y, 1, kCases, y[1], y[size_t(kCases)] + 0.001f, 12);
    gTrials = f.trials;
    benchmark::DoNotOptimize(f.A);
  }
}

void ReadPass(benchmark::State& state) {
  const auto& y = channelY();
  for (auto _ : state) {
    double sum = 0.0;
    for (int32_t k = 1; k <= kCases; ++k) sum += double(y[size_t(k)]);
    benchmark::DoNotOptimize(sum);
  }
}

void ResidualsWindow(benchmark::State& state) {
  qv::LineFit fit;
  fit.againstTime = true;
  fit.begin = 1;
  fit.end = kCases;
  fit.a = 2.0f;
  fit.b = 1e-6f;
  for (auto _ : state) {
    const qv::FitResiduals r = qv::residualRanges(fit, channelY(), {});
    const auto mask = qv::residualMask(fit, channelY(), {}, r, qv::residualScale(r), 2);
    benchmark::DoNotOptimize(mask.data());
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(kRounds, {{"Horner9", Horner9},
                                    {"Degree9", Degree9},
                                    {"ShowAll", ShowAll},
                                    {"LogPass", LogPass},
                                    {"Search", Search},
                                    {"ReadPass", ReadPass},
                                    {"ResidualsWindow", ResidualsWindow}});
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  qvbench::printBestRatio(reporter, "Polynomial of degree 9", kCases, "Degree9", "Horner9", 20);
  qvbench::printBestRatio(reporter, "Show All r^2", kCases, "ShowAll", "Horner9", 80);
  qvbench::printBestRatio(reporter, ("Asymptote search (" + std::to_string(gTrials) + " trials)").c_str(), kCases,
                          "Search", "LogPass", gTrials + 2);
  qvbench::printBestRatio(reporter, "Residuals window", kCases, "ResidualsWindow", "ReadPass", 10);
  return 0;
}

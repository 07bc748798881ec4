// The fits over a full-size block (6,100,000 cases), each beside one read pass of the block
// in the same run:
// - slope vs time: the copy into the scratch channel and the fit's two passes (goal < 5x);
// - regression between channels: the copies of X and Y, the fit, and the scatter marked in a
//   block-window pixel mask (goal < 10x).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ratio_reporter.h"
#include "fitting/fit_drawing.h"
#include "fitting/line_fit.h"

namespace {

constexpr int32_t kCases = 6100000;
constexpr int kWidth = 865, kHeight = 233;  // the block window's plot area

std::vector<float> makeSamples(float base, float spread, uint32_t seed) {
  std::vector<float> s(size_t(kCases) + 1);
  for (size_t i = 0; i < s.size(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    s[i] = base + 0.002f * float(i % 5000) + spread * float(seed >> 8) * (1.0f / 16777216.0f);
  }
  return s;
}

const std::vector<float>& channelX() {
  static const std::vector<float> v = makeSamples(10.0f, 1.0f, 12345);
  return v;
}

const std::vector<float>& channelY() {
  static const std::vector<float> v = makeSamples(20.0f, 3.0f, 777);
  return v;
}

void ReadPass(benchmark::State& state) {
  const auto& y = channelY();
  for (auto _ : state) {
    double sum = 0.0;
    for (int32_t k = 1; k <= kCases; ++k) sum += double(y[size_t(k)]);
    benchmark::DoNotOptimize(sum);
  }
}

void Slope(benchmark::State& state) {
  const auto& y = channelY();
  std::vector<float> work(y.size());
  for (auto _ : state) {
    std::copy(y.begin(), y.end(), work.begin());
    benchmark::DoNotOptimize(qv::fitAgainstTime(work, 1, kCases, {}, 0.0166667f));
  }
}

void RegressionWithScatter(benchmark::State& state) {
  const auto& x = channelX();
  const auto& y = channelY();
  std::vector<float> keptX(x.size()), work(y.size());
  const auto [minX, maxX] = std::minmax_element(x.begin() + 1, x.end());
  const auto [minY, maxY] = std::minmax_element(y.begin() + 1, y.end());
  const qv::BlockScaleY scale{kHeight - 3, *minY, *maxY};
  for (auto _ : state) {
    std::copy(x.begin(), x.end(), keptX.begin());
    std::copy(y.begin(), y.end(), work.begin());
    benchmark::DoNotOptimize(qv::fitBetween(keptX, work, 1, kCases, {}));
    const auto mask = qv::scatterMask(x, y, 1, kCases, {}, *minX, *maxX, kWidth - 5, scale, kWidth, kHeight);
    benchmark::DoNotOptimize(mask.data());
  }
}

// Rounds of the pass and the two fits, interleaved so that a slow spell of the machine
// touches both sides of a ratio; each side is the best of its rounds.
constexpr int kRounds = 5;

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(kRounds, {{"ReadPass", ReadPass}, {"Slope", Slope}, {"RegressionWithScatter", RegressionWithScatter}});
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const double bound = reporter.best["ReadPass"];
  if (bound <= 0) return 0;
  for (const auto& [name, goal] : {std::pair<const char*, double>{"Slope", 5}, {"RegressionWithScatter", 10}}) {
    const double t = reporter.best[name];
    std::printf("%s over %d cases: %.1f ms, read pass of the block %.1f ms, ratio %.2f (goal < %.0f), best of %d "
                "rounds each\n",
                name, kCases, t * 1e3, bound * 1e3, t / bound, goal, kRounds);
    qvbench::recordGoal(std::string("fit: ") + name, t / bound, goal);
  }
  return 0;
}

// The periodicity test and the lag panels at full size, each beside a bound of the same run.
// - K 10,000 regressions over a 1,000,000-case block (through the FFT) beside the direct loop
//   with K 100 on the same block (one hundredth of the work); goal: no slower.
// - The 18 lag panels over 6,100,000 cases beside one read pass of the channel; goal: within
//   40 read passes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "noisy_samples.h"
#include "ratio_reporter.h"
#include "rhythm/lag_panels.h"
#include "rhythm/periodicity.h"

namespace {

constexpr int32_t kTestCases = 1000000;
constexpr int kRounds = 3;

void PeriodicityFftK10000(benchmark::State& state) {
  const auto& y = qvbench::noisySamples();
  for (auto _ : state) benchmark::DoNotOptimize(qv::periodicityRegressions(y, 1, kTestCases, 1, 1, 10000, 1.0f));
}

void PeriodicityDirectK100(benchmark::State& state) {
  const auto& y = qvbench::noisySamples();
  for (auto _ : state) benchmark::DoNotOptimize(qv::periodicityDirect(y, 1, kTestCases, 1, 1, 100, 1.0f));
}

void EighteenPanels(benchmark::State& state) {
  const auto& y = qvbench::noisySamples();
  std::vector<uint8_t> mask;
  for (auto _ : state) {
    const qv::PanelPlaces places = qv::panelPlaces(y, 1, qvbench::kChannelCases, 20.0f, 21.0f);
    int64_t points = 0;
    for (int p = 1; p <= 18; ++p) points += qv::panelMask(places, p + 1, mask);
    benchmark::DoNotOptimize(points);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(kRounds, "PeriodicityDirectK100", PeriodicityDirectK100, "PeriodicityFftK10000",
                          PeriodicityFftK10000);
  qvbench::registerRounds(kRounds, "ReadPass", qvbench::ReadPass, "EighteenPanels", EighteenPanels);
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const auto& b = reporter.best;
  if (b.count("PeriodicityFftK10000") && b.count("PeriodicityDirectK100")) {
    std::printf("periodicity test over %d cases: K 10,000 %.1f ms, direct loop with K 100 %.1f ms, ratio %.2f "
                "(goal <= 1), best of %d rounds each\n",
                kTestCases, b.at("PeriodicityFftK10000") * 1e3, b.at("PeriodicityDirectK100") * 1e3,
                b.at("PeriodicityFftK10000") / b.at("PeriodicityDirectK100"), kRounds);
    qvbench::recordGoal("periodicity test K 10,000 / direct loop K 100", b.at("PeriodicityFftK10000") /
                        b.at("PeriodicityDirectK100"), 1.0);
  }
  qvbench::printBestRatio(reporter, "18 lag panels", qvbench::kChannelCases, "EighteenPanels", "ReadPass", 40);
  return 0;
}

// Statistics of a full-size block (6,100,000 cases, filters off) beside one plain pass that
// reads the same samples into a double sum. The statistics read them twice by design (the
// sum, then the deviations from the mean), so about 2x is expected; the goal is within 3x.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "noisy_samples.h"
#include "ratio_reporter.h"
#include "stats/block_stats.h"

namespace {

constexpr int32_t kCases = qvbench::kChannelCases;

const std::vector<float>& samples() { return qvbench::noisySamples(); }

void BlockStatistics(benchmark::State& state) {
  const std::vector<float>& v = samples();
  for (auto _ : state) {
    qv::BlockStats s = qv::blockStats(v, 1, kCases);
    benchmark::DoNotOptimize(s);
  }
  state.SetItemsProcessed(state.iterations() * kCases);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(5, "ReadPass", qvbench::ReadPass, "BlockStatistics", BlockStatistics);
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  qvbench::printBestRatio(reporter, "block statistics", kCases, "BlockStatistics", "ReadPass", 3);
  return 0;
}

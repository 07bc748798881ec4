// The periodic baseline at full size: a point every 189 cases over a 6,100,000-case channel
// (32,276 points, the table nearly full), each point's five-case window fitted with its
// neighbour's and the chain of segments subtracted from every entry, beside one plain pass
// that reads a channel of the same size into a double sum. The goal is within 4x.
#include <benchmark/benchmark.h>

#include <vector>

#include "noisy_samples.h"
#include "ratio_reporter.h"
#include "editing/baseline_points.h"

namespace {

constexpr int32_t kCases = qvbench::kChannelCases;
constexpr int32_t kPeriod = 189;

// The shared noisy channel with a slow drift, which the baseline removes.
std::vector<float>& samples() {
  static std::vector<float> v = [] {
    std::vector<float> s = qvbench::noisySamples();
    for (size_t k = 0; k < s.size(); ++k) s[k] += 1e-6f * float(k);
    return s;
  }();
  return v;
}

void PeriodicBaseline(benchmark::State& state) {
  std::vector<float>& v = samples();
  std::vector<qv::BaselineRecord> table(size_t(qv::kMaxBaselinePoints) + 1);
  for (auto _ : state) {
    const auto points = qv::periodPointCases(1, kPeriod, kCases);
    const int32_t n = qv::fillPointTable(v, points, table);
    qv::subtractPiecewise(v, table, n);
    benchmark::DoNotOptimize(v.data());
  }
  state.SetItemsProcessed(state.iterations() * kCases);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(5, "ReadPass", qvbench::ReadPass, "PeriodicBaseline", PeriodicBaseline);
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  qvbench::printBestRatio(reporter, "Periodic baseline", kCases, "PeriodicBaseline", "ReadPass", 4);
  return 0;
}

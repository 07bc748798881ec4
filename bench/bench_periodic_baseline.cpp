// The periodic baseline at full size: a point every 189 cases over a 6,100,000-case channel
// (32,276 points, the table nearly full), each point's five-case window fitted with its
// neighbour's and the chain of segments subtracted from every entry, beside one plain pass
// that reads the same samples into a double sum. The goal is within 4x.
#include <benchmark/benchmark.h>

#include <vector>

#include "ratio_reporter.h"
#include "editing/baseline_points.h"

namespace {

constexpr int32_t kCases = 6100000;
constexpr int32_t kPeriod = 189;

std::vector<float>& samples() {
  static std::vector<float> v = [] {
    std::vector<float> s(size_t(kCases) + 1);
    uint32_t x = 12345;
    for (size_t k = 0; k < s.size(); ++k) {
      x = x * 1664525u + 1013904223u;
      s[k] = 20.0f + 1e-6f * float(k) + float(x >> 8) * (1.0f / 16777216.0f);
    }
    return s;
  }();
  return v;
}

void ReadPass(benchmark::State& state) {
  const std::vector<float>& v = samples();
  for (auto _ : state) {
    double sum = 0.0;
    for (int32_t k = 1; k <= kCases; ++k) sum += double(v[size_t(k)]);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kCases);
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
  qvbench::registerRounds(5, "ReadPass", ReadPass, "PeriodicBaseline", PeriodicBaseline);
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  qvbench::printBestRatio(reporter, "Periodic baseline", kCases, "PeriodicBaseline", "ReadPass", 4);
  return 0;
}

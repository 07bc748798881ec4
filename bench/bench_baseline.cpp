// The automatic baseline at full size: "Start & End" with 3,049,999 cases at each end of a
// 6,100,000-case channel (the regression's two passes over every case, then the subtraction
// from every entry), beside one plain pass that reads the same samples into a double sum.
// Three passes over the samples, one of them writing; the goal is within 4x.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ratio_reporter.h"
#include "editing/baseline_math.h"

namespace {

constexpr int32_t kCases = 6100000;
constexpr float kEndCases = 3049999;

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

void StartAndEndBaseline(benchmark::State& state) {
  std::vector<float>& v = samples();
  for (auto _ : state) {
    // After the first subtraction the channel is flat; the work per case stays the same.
    const auto line = qv::autoBaselineLine(v, kEndCases, qv::kStartAndEnd);
    qv::subtractLine(v, line.value_or(qv::BaselineLine{}));
    benchmark::DoNotOptimize(v.data());
  }
  state.SetItemsProcessed(state.iterations() * kCases);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(5, "ReadPass", ReadPass, "StartAndEndBaseline", StartAndEndBaseline);
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  qvbench::printBestRatio(reporter, "Start & End baseline", kCases, "StartAndEndBaseline", "ReadPass", 4);
  return 0;
}
